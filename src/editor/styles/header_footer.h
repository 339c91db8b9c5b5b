#pragma once

#include "settings/user_styles.h"

namespace platform {
class TextSurface;
}

namespace editor {

// Command 57: +1 / +2 header on every / the first page, +4 / +8 footer on every / the first page;
// negative switches that one off. A new header or footer takes style 6 or 7 and the text
// "Header" or "Footer". Returns true when the header/footer state changed.
bool switchHeaderFooter(platform::TextSurface &surface, const settings::UserStyleTable &table,
                        int argument);

} // namespace editor
