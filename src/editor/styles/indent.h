#pragma once

#include "settings/user_styles.h"

namespace platform {
class TextSurface;
}

namespace editor {

// Command 55: argument 0 indents the selected paragraph by one more character, 1 asks for the
// count. A character is the body style's size × 20 twips. Refusals are shown as messages and
// change nothing. Returns true when the indent was set.
bool indentParagraph(platform::TextSurface &surface, const settings::UserStyleTable &table,
                     int editorType, int argument);

} // namespace editor
