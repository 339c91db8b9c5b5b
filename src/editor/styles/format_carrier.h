#pragma once

#include "settings/user_styles.h"

#include <QString>
#include <optional>

class QToolButton;

namespace platform {
class TextSurface;
}

namespace editor {

// A copied character format, carried by the button cmTfm (format copy 70, paste 71).
struct CarriedFormat {
    int textColor = 0;        // 0x00BBGGRR
    int backColor = 0xFFFFFF; // 0x00BBGGRR
    QString fontName;
    double size = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeout = false;

    bool operator==(const CarriedFormat &) const = default;
};

// Mode 0: the surface's current colours with the body style's font, name, size and boldness.
CarriedFormat carrierFromBody(platform::TextSurface &surface,
                              const settings::UserStyleTable &table);
// Mode 1: the format of the character after the caret; caret and selection are kept.
CarriedFormat carrierFromCaret(platform::TextSurface &surface);
// Mode 2: the selection (or the typing format) takes the carried format. Inside a table a white
// carried background is left out, so the cell keeps its colour.
void pasteCarrier(platform::TextSurface &surface, const CarriedFormat &format);

// The button keeps the format and shows it in its own colours and font.
void showCarrier(QToolButton *button, const CarriedFormat &format);
// Nothing before a format was put on the button.
std::optional<CarriedFormat> carrierOf(const QToolButton *button);

} // namespace editor
