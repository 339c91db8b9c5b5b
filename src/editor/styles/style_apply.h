#pragma once

#include "settings/user_styles.h"

#include <functional>

namespace platform {
class TextSurface;
}

namespace editor {

// What applying a user style needs to know of its editor.
struct StyleTarget {
    platform::TextSurface &surface;
    const settings::UserStyleTable &table;
    int editorType = 0;
    // The input method, switched off while a temporary blank carries the format.
    std::function<bool()> imeOpen;
    std::function<void(bool)> setIme;
    // Gives the markers touching start..start+length-1 their colours back; empty: recolourMarkers.
    std::function<void(int, int)> recolour;
};

// Colour marks 6, 7 and 8 (0x00BBGGRR).
int colourMarkColour(int style);

// Applies user style 0 to 8 to the selection, or to the caret's paragraph and the typing format
// when nothing is selected. Headings stand in a paragraph of their own and are applied only by
// editors of a type above 0, never to a list. quiet skips the boundary rewrite and the refusal
// message. Returns true when the document was changed.
bool applyUserStyle(const StyleTarget &target, int style, bool quiet);

} // namespace editor
