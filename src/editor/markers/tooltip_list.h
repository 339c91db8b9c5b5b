#pragma once

#include <QString>

namespace platform {
class TextSurface;
}

namespace editor {

// The tooltip table the HTML writer takes: one line per tooltip marker in document order, its
// text, a tab, the tooltip and a carriage return. Empty without tooltips.
QString tooltipList(const platform::TextSurface &surface);

} // namespace editor
