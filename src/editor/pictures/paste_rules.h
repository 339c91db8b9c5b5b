#pragma once

#include "platform/imaging/imaging.h"

#include <QString>

namespace editor {

// The paste type for an automatic paste: "PIC" for a drawing or a picture, "OBJ" for anything
// that is neither text nor picture and for the program's own copies (which carry fields and
// objects), "TXT" for text in plain-text mode, and "OBJ" for text in rich-text mode too, so
// that rich text is pasted rather than nothing.
QString autoPasteType(const platform::imaging::ClipboardCheck &check, bool ownCopy,
                      bool plainPaste);

// Clipboard text as one paragraph: trimmed, every line end (CR LF, CR or LF) a line break.
QString plainPasteText(const QString &text);

// Text width of a page in twips and in 96-dpi pixels.
int textWidthTwips(int pageWidth, int marginLeft, int marginRight);
inline int twipsToPixels(int twips) {
    return twips / 15;
}
// Scale in percent that keeps a picture at its 96-dpi size on a screen of dpi pixels per inch.
int pictureScale(int dpi);
// Text flow of the surface for a layout setting: 0 and 1 inline (0), 2 to 4 the modes 1 to 3.
int textFlowFor(int layout);

} // namespace editor
