#pragma once

#include "settings/user_styles.h"

#include <QString>

namespace platform {
class TextSurface;
}

namespace editor {

// Style entries whose font a new marker takes: links (and data fields) the header style's,
// tags and tooltips the footer style's.
constexpr int kLinkStyleEntry = settings::Header;
constexpr int kTagStyleEntry = settings::Footer;

// A selection that ends in a paragraph end or a line break loses that last character, so that
// a marker never swallows the line end.
void trimMarkerSelection(platform::TextSurface &surface);

// Replaces the selection by a marker with text and data, formatted in the font of style entry
// and the kind's colour, and leaves the caret after it typing in the body style. Returns the
// field id, 0 when no field could be made.
int makeMarker(platform::TextSurface &surface, const settings::UserStyleTable &styles, int entry,
               const QString &text, const QString &data);

// The same around the picture that is selected or next to the caret: the field becomes blank,
// picture, blank. Without a picture there it is a marker of two blanks.
int makeObjectMarker(platform::TextSurface &surface, const settings::UserStyleTable &styles,
                     int entry, const QString &data);

// Removes the marker at the caret. withText takes its text along; otherwise the text stays in the
// body style, and a picture loses the two blanks of its link. False when no marker is there.
bool removeMarker(platform::TextSurface &surface, const settings::UserStyleTable &styles,
                  bool withText);

// Body style font, size, colour and background, without underline, for the selection or the
// typing format.
void applyBodyLook(platform::TextSurface &surface, const settings::UserStyleTable &styles);

} // namespace editor
