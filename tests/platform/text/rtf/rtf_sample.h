#pragma once

#include "../text_surface_test_util.h"
#include "platform/text/text_model.h"
#include "platform/text/text_surface.h"
#include "platform/text/text_surface_internal.h"
#include "platform/text/text_surface_util.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <array>

namespace rtftest {

using namespace platform;

inline QTextCharFormat field(int id, const QString &data, int kind) {
    QTextCharFormat f;
    f.setProperty(TextProp::FieldId, id);
    f.setProperty(TextProp::FieldData, data);
    f.setProperty(TextProp::FieldLinkKind, kind);
    f.setProperty(TextProp::FieldAttribute, 149);
    f.setForeground(QColor(0x80, 0x80, 0xFF));
    f.setUnderlineStyle(QTextCharFormat::SingleUnderline);
    return f;
}

inline QTextImageFormat picture(QTextDocument &doc, const QByteArray &bytes, int id) {
    const QString name = surfaceutil::imageName(bytes);
    doc.addResource(QTextDocument::ImageResource, QUrl(name), bytes);
    QTextImageFormat f;
    f.setName(name);
    f.setProperty(TextProp::ObjectId, id);
    f.setProperty(TextProp::ObjectKind, 4);
    f.setProperty(TextProp::PictureExportCode, 3);
    f.setProperty(TextProp::PictureSaveMode, 1);
    return f;
}

// A content with everything rich text can carry: fonts, sizes, colours, highlight, bold,
// italic, underline, strike, alignment, indents, spacing, line and page breaks, lists, a table
// with merged and shaded cells, PNG and JPEG pictures, links and our fields, headers, footers
// and page values, and a text frame.
struct Sample : textsurfacetest::OwnedContent {
    Sample() {
        content.page = PageSetup{16838, 11906, 1000, 900, 800, 700, true, 1 | 2 | 4 | 8};
        QFont font(QStringLiteral("IPAPGothic"));
        font.setPointSizeF(10.5);
        main.setDefaultFont(font);

        QTextCursor c(&main);
        QTextBlockFormat heading;
        heading.setAlignment(Qt::AlignHCenter);
        heading.setTopMargin(20);
        heading.setBottomMargin(10);
        heading.setHeadingLevel(1);
        heading.setBackground(QColor(0xEE, 0xEE, 0xFF));
        c.setBlockFormat(heading);
        QTextCharFormat big;
        big.setFontFamilies({QStringLiteral("IPAMincho")});
        big.setFontPointSize(16);
        big.setFontWeight(QFont::Bold);
        c.insertText(QStringLiteral("日記の見出し"), big);

        QTextBlockFormat body;
        body.setLeftMargin(30);
        body.setRightMargin(15);
        body.setTextIndent(-12);
        body.setLineHeight(150, QTextBlockFormat::ProportionalHeight);
        body.setProperty(TextProp::LineSpacing, 150);
        body.setProperty(TextProp::IndentD, 7);
        body.setProperty(TextProp::IndentE, -3);
        body.setIndent(2);
        body.setAlignment(Qt::AlignJustify);
        c.insertBlock(body);
        QTextCharFormat plain;
        plain.setFontPointSize(10.5);
        c.insertText(QStringLiteral("普通の文 ｶﾅ ü {\\} "), plain);
        QTextCharFormat styled = plain;
        styled.setFontFamilies({QStringLiteral("ＭＳ 明朝")});
        styled.setFontItalic(true);
        styled.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        styled.setUnderlineColor(Qt::red);
        styled.setFontStrikeOut(true);
        styled.setForeground(QColor(0x12, 0x34, 0x56));
        styled.setBackground(QColor(0xFF, 0xFF, 0x00));
        c.insertText(QStringLiteral("飾り\t文字"), styled);
        QTextCharFormat shaded = plain;
        shaded.setBackground(QColor(0xDD, 0xEE, 0xCC));
        shaded.setFontPointSize(12.3);
        c.insertText(QStringLiteral("網掛け😀"), shaded);
        QTextCharFormat sup = plain;
        sup.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        c.insertText(QStringLiteral("2"), sup);
        c.insertText(QStringLiteral("改行の前") + QChar(0x2028) + QStringLiteral("改行の後"),
                     plain);

        QTextBlockFormat links;
        links.setLineHeight(24, QTextBlockFormat::MinimumHeight);
        links.setProperty(TextProp::LineAmount, 360);
        links.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        c.insertBlock(links);
        c.insertText(QStringLiteral("リンク"),
                     field(1, QStringLiteral("https://example.org/a\"b"), 1));
        c.insertText(QStringLiteral(" と "), plain);
        c.insertText(QStringLiteral("タグ"), field(2, QStringLiteral("TG_旅行"), 2));
        c.insertText(QStringLiteral("[FD]"), field(3, QStringLiteral("@"), 1));

        QTextBlockFormat pictures;
        pictures.setLineHeight(20, QTextBlockFormat::FixedHeight);
        c.insertBlock(pictures);
        QTextImageFormat png = picture(main, textsurfacetest::pngBytes(20, 10), 10);
        png.setWidth(40);
        png.setHeight(30);
        png.setProperty(TextProp::TextFlow, 1);
        png.setProperty(TextProp::ScaleX, 80);
        c.insertText(QString(QChar::ObjectReplacementCharacter), png);
        c.insertText(QString(QChar::ObjectReplacementCharacter),
                     picture(main, textsurfacetest::jpegBytes(), 11));

        QTextListFormat bullets;
        bullets.setStyle(QTextListFormat::ListDisc);
        bullets.setIndent(1);
        c.insertBlock(QTextBlockFormat());
        c.createList(bullets);
        c.insertText(QStringLiteral("一つ目"));
        c.insertBlock();
        c.insertText(QStringLiteral("二つ目"));
        QTextListFormat numbers;
        numbers.setStyle(QTextListFormat::ListDecimal);
        numbers.setIndent(2);
        c.insertBlock(QTextBlockFormat());
        c.createList(numbers);
        c.insertText(QStringLiteral("番号"));

        c.insertBlock(QTextBlockFormat());
        QTextTableFormat tableFormat;
        tableFormat.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 100),
                                               QTextLength(QTextLength::FixedLength, 80),
                                               QTextLength(QTextLength::PercentageLength, 30)});
        tableFormat.setCellPadding(3);
        QTextTable *table = c.insertTable(3, 3, tableFormat);
        table->mergeCells(0, 0, 1, 2);
        table->mergeCells(1, 2, 2, 1);
        QTextTableCell shadedCell = table->cellAt(1, 0);
        QTextCharFormat cellFormat = shadedCell.format();
        cellFormat.setBackground(QColor(0xCC, 0xDD, 0xEE));
        shadedCell.setFormat(cellFormat);
        const QStringList texts{
            QStringLiteral("横に結合"), QStringLiteral("右上"),     QStringLiteral("網掛けのセル"),
            QStringLiteral("中"),       QStringLiteral("縦に結合"), QStringLiteral("左下"),
            QStringLiteral("下")};
        int t = 0;
        for (int r = 0; r < 3; ++r)
            for (int col = 0; col < 3; ++col) {
                QTextTableCell cell = table->cellAt(r, col);
                if (cell.row() != r || cell.column() != col)
                    continue;
                QTextCursor cc = cell.firstCursorPosition();
                cc.insertText(texts.value(t++), big);
            }
        QTextCursor inCell = table->cellAt(2, 0).lastCursorPosition();
        inCell.insertBlock();
        inCell.insertText(QStringLiteral("二段目"), plain);
        c.setPosition(table->lastPosition() + 1);
        c.insertText(QStringLiteral("表の後"), plain);

        c.insertBlock(QTextBlockFormat());
        QTextFrameFormat frameFormat;
        frameFormat.setBorder(1);
        frameFormat.setWidth(200);
        frameFormat.setProperty(TextProp::ObjectId, 20);
        frameFormat.setProperty(TextProp::ObjectKind, 32);
        frameFormat.setProperty(TextProp::FrameWidth, 3000);
        QTextFrame *frame = c.insertFrame(frameFormat);
        c.insertText(QStringLiteral("枠の中"), plain);
        c.insertBlock();
        c.insertText(QStringLiteral("枠の二行目"), big);
        c.setPosition(frame->lastPosition() + 1);
        c.insertText(QStringLiteral("枠の後"), plain);

        for (std::size_t i = 0; i < areas.size(); ++i) {
            QTextCursor a(&areas[i]);
            QTextBlockFormat centre;
            centre.setAlignment(i % 2 ? Qt::AlignRight : Qt::AlignHCenter);
            a.setBlockFormat(centre);
            a.insertText(QStringLiteral("見出し領域 %1").arg(i), plain);
        }
    }

    // The content as the surface holds it.
    void load(TextSurface &surface) {
        surface.loadWholeFromMemory(internalformat::writeContent(content), TextSurface::Internal);
    }
};

} // namespace rtftest
