#include "editor/menus/format_values.h"

#include "editor/colours.h"
#include "platform/text/text_surface.h"

#include <QTextDocument>
#include <QTextTable>

namespace editor {

namespace {

// Table lengths in QTextFormats are pixels at 96 dpi: one pixel is 15 twips.
constexpr double kTwipsPerPixel = 15.0;

} // namespace

FontValues readFont(const platform::TextSurface &surface) {
    FontValues v;
    v.name = surface.fontName();
    v.size = surface.fontSize();
    v.bold = surface.bold();
    v.italic = surface.italic();
    v.underline = surface.underline();
    v.strikeout = surface.strikeout();
    v.color = surface.textColor();
    return v;
}

void applyFont(platform::TextSurface &surface, const FontValues &v) {
    if (!v.name.isEmpty())
        surface.setFontName(v.name);
    if (v.size > 0)
        surface.setFontSize(v.size);
    surface.setBold(v.bold);
    surface.setItalic(v.italic);
    surface.setUnderline(v.underline);
    surface.setStrikeout(v.strikeout);
    surface.setTextColor(v.color);
}

ParagraphValues readParagraph(const platform::TextSurface &surface) {
    ParagraphValues v;
    v.alignment = surface.alignment();
    v.leftIndent = surface.leftIndent();
    v.rightIndent = surface.rightIndent();
    v.firstLineIndent = surface.firstLineIndent();
    v.spaceBefore = surface.spaceBefore();
    v.spaceAfter = surface.spaceAfter();
    v.lineSpacing = surface.lineSpacing();
    return v;
}

void applyParagraph(platform::TextSurface &surface, const ParagraphValues &v) {
    surface.setAlignment(v.alignment);
    surface.setLeftIndent(qMax(0, v.leftIndent));
    surface.setRightIndent(qMax(0, v.rightIndent));
    surface.setFirstLineIndent(v.firstLineIndent);
    surface.setSpaceBefore(qMax(0, v.spaceBefore));
    surface.setSpaceAfter(qMax(0, v.spaceAfter));
    surface.setLineSpacing(v.lineSpacing > 0 ? v.lineSpacing
                                             : platform::TextSurface::AutomaticLineSpacing);
}

ListValues readList(const platform::TextSurface &surface) {
    return ListValues{surface.listState()};
}

void applyList(platform::TextSurface &surface, const ListValues &v) {
    surface.setListState(qBound(1, v.state, 3));
}

QTextTable *caretTable(const platform::TextSurface &surface) {
    return surface.cursor().currentTable();
}

bool readTable(const platform::TextSurface &surface, TableValues &v) {
    QTextTable *table = caretTable(surface);
    if (!table)
        return false;
    const QTextTableFormat format = table->format();
    v.border = qRound(format.border() * kTwipsPerPixel);
    v.padding = qRound(format.cellPadding() * kTwipsPerPixel);
    const QTextLength width = format.width();
    v.widthPercent = width.type() == QTextLength::PercentageLength ? qRound(width.rawValue()) : 0;
    const QTextTableCell cell = table->cellAt(surface.cursor());
    const QBrush background = cell.isValid() ? cell.format().background() : QBrush();
    v.cellBackground = background.style() == Qt::NoBrush ? -1 : valueFromColor(background.color());
    return true;
}

bool applyTable(platform::TextSurface &surface, const TableValues &v) {
    QTextTable *table = caretTable(surface);
    if (!table)
        return false;
    QTextCursor edit = surface.cursor();
    edit.beginEditBlock();
    QTextTableFormat format = table->format();
    format.setBorder(qMax(0, v.border) / kTwipsPerPixel);
    format.setBorderStyle(v.border > 0 ? QTextFrameFormat::BorderStyle_Solid
                                       : QTextFrameFormat::BorderStyle_None);
    format.setCellPadding(qMax(0, v.padding) / kTwipsPerPixel);
    format.setWidth(v.widthPercent > 0
                        ? QTextLength(QTextLength::PercentageLength, qMin(100, v.widthPercent))
                        : QTextLength());
    table->setFormat(format);
    QTextTableCell cell = table->cellAt(surface.cursor());
    if (cell.isValid()) {
        QTextCharFormat cellFormat = cell.format();
        if (v.cellBackground < 0)
            cellFormat.clearBackground();
        else
            cellFormat.setBackground(colorFromValue(v.cellBackground));
        cell.setFormat(cellFormat);
    }
    edit.endEditBlock();
    return true;
}

} // namespace editor
