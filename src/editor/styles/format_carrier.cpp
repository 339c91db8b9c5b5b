#include "editor/styles/format_carrier.h"

#include "editor/colours.h"
#include "platform/text/text_surface.h"

#include <QToolButton>

namespace editor {

namespace {

constexpr const char *kCarrier = "carriedFormat";
// The button shows the font, but never larger than this, so the band keeps its height.
constexpr double kLargestShown = 12;

} // namespace

CarriedFormat carrierFromBody(platform::TextSurface &surface,
                              const settings::UserStyleTable &table) {
    const settings::UserStyle &body = table.styles[settings::Body];
    CarriedFormat format;
    format.textColor = surface.textColor();
    format.backColor = surface.backColor();
    format.fontName = body.fontName;
    format.size = body.size;
    format.bold = body.bold == 1;
    return format;
}

CarriedFormat carrierFromCaret(platform::TextSurface &surface) {
    const int caret = surface.selStart();
    const int length = surface.selLength();
    if (caret < surface.textLength())
        surface.select(caret, 1);
    CarriedFormat format;
    format.textColor = surface.textColor();
    format.backColor = surface.backColor();
    format.fontName = surface.fontName();
    format.size = surface.fontSize();
    format.bold = surface.bold();
    format.italic = surface.italic();
    format.underline = surface.underline();
    format.strikeout = surface.strikeout();
    surface.select(caret, length);
    return format;
}

void pasteCarrier(platform::TextSurface &surface, const CarriedFormat &format) {
    surface.setTextColor(format.textColor);
    if (!(surface.tableAtCaret() > 0 && format.backColor == 0xFFFFFF))
        surface.setBackColor(format.backColor);
    surface.setFontName(format.fontName);
    surface.setFontSize(format.size);
    surface.setBold(format.bold);
    surface.setItalic(format.italic);
    surface.setUnderline(format.underline);
    surface.setStrikeout(format.strikeout);
}

void showCarrier(QToolButton *button, const CarriedFormat &format) {
    button->setProperty(kCarrier, QVariantList{format.textColor, format.backColor, format.fontName,
                                               format.size, format.bold, format.italic,
                                               format.underline, format.strikeout});
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, colorFromValue(format.textColor));
    palette.setColor(QPalette::Button, colorFromValue(format.backColor));
    button->setPalette(palette);
    button->setAutoFillBackground(true);
    QFont font = button->font();
    font.setFamilies({format.fontName});
    font.setPointSizeF(qMin(format.size, kLargestShown));
    font.setBold(format.bold);
    font.setItalic(format.italic);
    font.setUnderline(format.underline);
    font.setStrikeOut(format.strikeout);
    button->setFont(font);
}

std::optional<CarriedFormat> carrierOf(const QToolButton *button) {
    const QVariantList values = button->property(kCarrier).toList();
    CarriedFormat format;
    if (values.size() != 8)
        return std::nullopt;
    format.textColor = values.at(0).toInt();
    format.backColor = values.at(1).toInt();
    format.fontName = values.at(2).toString();
    format.size = values.at(3).toDouble();
    format.bold = values.at(4).toBool();
    format.italic = values.at(5).toBool();
    format.underline = values.at(6).toBool();
    format.strikeout = values.at(7).toBool();
    return format;
}

} // namespace editor
