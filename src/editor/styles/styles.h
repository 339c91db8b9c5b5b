#pragma once

#include "settings/user_styles.h"

namespace platform {
class TextSurface;
}

namespace editor {

// Style class of the paragraph at the caret: 0 to 2 the headings, 3 to 5 the body styles. The
// paragraph's left indent decides the family, the text's font name, colour, boldness and size
// pick the record inside it.
int classifyStyle(const platform::TextSurface &surface, const settings::UserStyleTable &table);

// True when the caret stands in a heading: text larger than the body style, outside any list and
// indented by more than 60 twips.
bool caretInHeading(const platform::TextSurface &surface, const settings::UserStyleTable &table);

// One character of indentation in twips: the body style's size × 20.
int indentUnit(const settings::UserStyleTable &table);

} // namespace editor
