#include "../text_surface_test_util.h"
#include "platform/text/docx/docx_codec.h"
#include "platform/text/docx/docx_formats.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

using namespace platform;

namespace {

QByteArray png(int w, int h, QRgb color) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QTextCharFormat field(int id, const QString &data, int kind) {
    QTextCharFormat f;
    f.setProperty(TextProp::FieldId, id);
    f.setProperty(TextProp::FieldData, data);
    f.setProperty(TextProp::FieldLinkKind, kind);
    f.setProperty(TextProp::FieldAttribute, 149);
    f.setForeground(QColor(0x80, 0x80, 0xFF));
    f.setUnderlineStyle(QTextCharFormat::SingleUnderline);
    return f;
}

QTextImageFormat picture(QTextDocument &doc, const QString &name, const QByteArray &bytes, int id,
                         int flow) {
    doc.addResource(QTextDocument::ImageResource, QUrl(name), bytes);
    QTextImageFormat f;
    f.setName(name);
    f.setWidth(40);
    f.setHeight(30);
    f.setProperty(TextProp::ObjectId, id);
    f.setProperty(TextProp::ObjectKind, 4);
    f.setProperty(TextProp::PictureExportCode, 3);
    f.setProperty(TextProp::PictureSaveMode, 1);
    f.setProperty(TextProp::TextFlow, flow);
    f.setProperty(TextProp::ScaleX, 80);
    f.setProperty(TextProp::ScaleY, 120);
    return f;
}

// Everything the surface can hold, in one content.
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
        c.insertText(QStringLiteral("普通の文  "), plain);
        QTextCharFormat styled = plain;
        styled.setFontItalic(true);
        styled.setUnderlineStyle(QTextCharFormat::WaveUnderline);
        styled.setUnderlineColor(Qt::red);
        styled.setFontStrikeOut(true);
        styled.setForeground(QColor(0x12, 0x34, 0x56));
        styled.setBackground(QColor(0xFF, 0xFF, 0x00));
        c.insertText(QStringLiteral("飾り\t文字"), styled);
        QTextCharFormat sup = plain;
        sup.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        c.insertText(QStringLiteral("2"), sup);
        c.insertText(QStringLiteral("改行の前") + QChar(0x2028) + QStringLiteral("改行の後"),
                     plain);

        QTextBlockFormat links;
        links.setLineHeight(24, QTextBlockFormat::MinimumHeight);
        links.setProperty(TextProp::LineAmount, 360);
        c.insertBlock(links);
        c.insertText(QStringLiteral("リンク"),
                     field(1, QStringLiteral("https://example.org/a?b=c&d"), 1));
        c.insertText(QStringLiteral(" "), plain);
        c.insertText(QStringLiteral("見出しへ"), field(2, QStringLiteral("#TG_12"), 1));
        c.insertText(QStringLiteral("タグ"), field(3, QStringLiteral("TG_12"), 2));
        c.insertText(QStringLiteral("ヒント"), field(4, QStringLiteral("TP_説明の文"), 2));
        c.insertText(QStringLiteral("[FD]"), field(5, QStringLiteral("@"), 1));
        c.insertText(QStringLiteral("  "), field(6, QStringLiteral("C:\\写真\\a.jpg"), 1));
        c.insertText(QStringLiteral("  "), field(7, QString(), 1));

        QTextBlockFormat pictures;
        pictures.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        c.insertBlock(pictures);
        const QByteArray red = png(4, 3, qRgb(255, 0, 0));
        c.insertImage(picture(main, QStringLiteral("img_red.png"), red, 11, 0));
        c.insertText(QStringLiteral(" "), field(8, QStringLiteral("http://x.test/"), 1));
        QTextImageFormat linked = picture(main, QStringLiteral("img_red.png"), red, 12, 1);
        linked.merge(field(8, QStringLiteral("http://x.test/"), 1));
        c.insertImage(linked);
        c.insertImage(
            picture(main, QStringLiteral("img_blue.png"), png(2, 2, qRgb(0, 0, 255)), 13, 2));
        c.insertImage(
            picture(main, QStringLiteral("img_green.png"), png(3, 3, qRgb(0, 255, 0)), 14, 3));

        // Lists: bullets and numbers with a prefix.
        QTextListFormat bullets;
        bullets.setStyle(QTextListFormat::ListDisc);
        bullets.setIndent(1);
        c.insertBlock(QTextBlockFormat());
        c.createList(bullets);
        c.insertText(QStringLiteral("一つ目"), plain);
        c.insertBlock();
        c.insertText(QStringLiteral("二つ目"), plain);
        QTextListFormat numbers;
        numbers.setStyle(QTextListFormat::ListUpperRoman);
        numbers.setIndent(2);
        numbers.setNumberPrefix(QStringLiteral("("));
        numbers.setNumberSuffix(QStringLiteral(")"));
        c.insertBlock(QTextBlockFormat());
        c.createList(numbers);
        c.insertText(QStringLiteral("番号"), plain);

        // A table with merged cells, shading and padding.
        QTextBlockFormat after;
        after.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysAfter);
        c.insertBlock(after);
        c.insertText(QStringLiteral("表の前"), plain);
        QTextTableFormat tf;
        tf.setBorder(2);
        tf.setBorderStyle(QTextFrameFormat::BorderStyle_Dashed);
        tf.setBorderBrush(QColor(0x33, 0x66, 0x99));
        tf.setCellPadding(3);
        tf.setCellSpacing(0);
        tf.setAlignment(Qt::AlignHCenter);
        tf.setHeaderRowCount(1);
        tf.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 100),
                                      QTextLength(QTextLength::PercentageLength, 30),
                                      QTextLength(QTextLength::VariableLength, 0)});
        QTextTable *table = c.insertTable(3, 3, tf);
        table->mergeCells(0, 0, 1, 2);
        table->mergeCells(1, 2, 2, 1);
        for (int r = 0; r < 3; ++r)
            for (int col = 0; col < 3; ++col) {
                QTextTableCell cell = table->cellAt(r, col);
                if (cell.row() == r && cell.column() == col)
                    cell.firstCursorPosition().insertText(
                        QStringLiteral("セル%1%2").arg(r).arg(col));
            }
        QTextTableCellFormat shaded;
        shaded.setBackground(QColor(0xCC, 0xFF, 0xCC));
        shaded.setTopPadding(5);
        shaded.setLeftPadding(6);
        shaded.setBottomPadding(7);
        shaded.setRightPadding(8);
        shaded.setVerticalAlignment(QTextCharFormat::AlignMiddle);
        table->cellAt(1, 2).setFormat(shaded);
        QTextCursor inCell = table->cellAt(2, 0).lastCursorPosition();
        inCell.insertBlock();
        inCell.insertText(QStringLiteral("二段目"), field(9, QStringLiteral("TP_セルの説明"), 2));

        // A text frame holding a table, after the table.
        c = QTextCursor(table->lastCursorPosition());
        c.movePosition(QTextCursor::NextBlock);
        c.insertText(QStringLiteral("枠の前"), plain);
        QTextFrameFormat ff;
        ff.setWidth(QTextLength(QTextLength::FixedLength, 1000 / 15.0));
        ff.setHeight(QTextLength(QTextLength::FixedLength, 2000 / 15.0));
        ff.setPosition(QTextFrameFormat::FloatRight);
        ff.setBorder(1);
        ff.setPadding(4);
        ff.setProperty(TextProp::ObjectId, 21);
        ff.setProperty(TextProp::ObjectKind, 32);
        ff.setProperty(TextProp::FrameDistances,
                       QVariant::fromValue(QList<int>{100, 100, 100, 100}));
        ff.setProperty(TextProp::FrameWidth, 1000);
        ff.setProperty(TextProp::FrameHeight, 2000);
        ff.setProperty(TextProp::FrameTop, 500);
        QTextFrame *frame = c.insertFrame(ff);
        QTextCursor fc = frame->firstCursorPosition();
        fc.insertText(QStringLiteral("枠の中"), plain);
        QTextTable *inner = fc.insertTable(2, 2);
        inner->cellAt(1, 1).firstCursorPosition().insertText(QStringLiteral("内側"));
        c = QTextCursor(frame->lastCursorPosition());
        c.movePosition(QTextCursor::NextBlock);
        c.insertText(QStringLiteral("最後の段落 & <記号> \"引用\""), plain);

        const QStringList areaTexts{
            QStringLiteral("毎ページのヘッダー"), QStringLiteral("最初のページのヘッダー"),
            QStringLiteral("毎ページのフッター"), QStringLiteral("最初のページのフッター")};
        for (int i = 0; i < 4; ++i) {
            QTextCursor a(&areas[size_t(i)]);
            a.insertText(areaTexts.at(i), plain);
        }
        QTextCursor a(&areas[0]);
        a.movePosition(QTextCursor::End);
        a.insertImage(
            picture(areas[0], QStringLiteral("img_logo.png"), png(5, 5, qRgb(0, 0, 0)), 31, 0));
    }
};

struct Loaded {
    QTextDocument main;
    std::array<QTextDocument, 4> areas;
    TextContent content;
    Loaded() {
        content.main = &main;
        for (int i = 0; i < 4; ++i)
            content.areas[size_t(i)] = &areas[size_t(i)];
    }
};

QTextCharFormat formatAt(const QTextDocument &doc, const QString &text) {
    const QTextCursor found = doc.find(text);
    if (found.isNull())
        return {};
    QTextCursor c(found);
    c.setPosition(found.selectionStart() + 1);
    return c.charFormat();
}

QTextBlock blockWith(const QTextDocument &doc, const QString &text) {
    const QTextCursor found = doc.find(text);
    return found.isNull() ? QTextBlock() : found.block();
}

QList<QTextImageFormat> images(const QTextDocument &doc) {
    QList<QTextImageFormat> list;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                list.append(it.fragment().charFormat().toImageFormat());
    return list;
}

} // namespace

TEST(Docx, WritingTheReadPackageGivesTheSameBytes) {
    Sample sample;
    const QByteArray first = docx::write(sample.content);
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(docx::write(sample.content), first); // no time or address in the bytes

    Loaded loaded;
    QString error;
    ASSERT_TRUE(docx::read(first, loaded.content, &error)) << error.toStdString();
    const QByteArray second = docx::write(loaded.content);
    EXPECT_EQ(second.size(), first.size());
    EXPECT_TRUE(second == first);

    Loaded again;
    ASSERT_TRUE(docx::read(second, again.content));
    EXPECT_EQ(again.main.toPlainText(), sample.main.toPlainText());
}

TEST(Docx, TextParagraphsAndCharacterFormatsComeBack) {
    Sample sample;
    Loaded loaded;
    ASSERT_TRUE(docx::read(docx::write(sample.content), loaded.content));
    EXPECT_EQ(loaded.main.toPlainText(), sample.main.toPlainText());
    EXPECT_EQ(loaded.main.blockCount(), sample.main.blockCount());
    EXPECT_EQ(loaded.main.defaultFont().family(), QStringLiteral("IPAPGothic"));
    EXPECT_DOUBLE_EQ(loaded.main.defaultFont().pointSizeF(), 10.5);

    const QTextCharFormat big = formatAt(loaded.main, QStringLiteral("見出し"));
    EXPECT_EQ(big.fontFamilies().toStringList(), QStringList{QStringLiteral("IPAMincho")});
    EXPECT_DOUBLE_EQ(big.fontPointSize(), 16);
    EXPECT_EQ(big.fontWeight(), QFont::Bold);

    const QTextCharFormat styled = formatAt(loaded.main, QStringLiteral("飾り"));
    EXPECT_TRUE(styled.fontItalic());
    EXPECT_TRUE(styled.fontStrikeOut());
    EXPECT_EQ(styled.underlineStyle(), QTextCharFormat::WaveUnderline);
    EXPECT_EQ(styled.underlineColor(), QColor(Qt::red));
    EXPECT_EQ(styled.foreground().color(), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(styled.background().color(), QColor(0xFF, 0xFF, 0x00));
    EXPECT_EQ(formatAt(loaded.main, QStringLiteral("2改")).verticalAlignment(),
              QTextCharFormat::AlignSuperScript);
    EXPECT_TRUE(loaded.main.toPlainText().contains(QStringLiteral("飾り\t文字")));
    EXPECT_TRUE(loaded.main.toRawText().contains(QStringLiteral("改行の前") + QChar(0x2028) +
                                                 QStringLiteral("改行の後")));
    EXPECT_TRUE(loaded.main.toPlainText().contains(QStringLiteral("普通の文  ")));

    const QTextBlockFormat heading = blockWith(loaded.main, QStringLiteral("日記")).blockFormat();
    EXPECT_EQ(heading.alignment(), Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(heading.topMargin(), 20);
    EXPECT_DOUBLE_EQ(heading.bottomMargin(), 10);
    EXPECT_EQ(heading.headingLevel(), 1);
    EXPECT_EQ(heading.background().color(), QColor(0xEE, 0xEE, 0xFF));

    const QTextBlockFormat body = blockWith(loaded.main, QStringLiteral("普通")).blockFormat();
    EXPECT_DOUBLE_EQ(body.leftMargin(), 30);
    EXPECT_DOUBLE_EQ(body.rightMargin(), 15);
    EXPECT_DOUBLE_EQ(body.textIndent(), -12);
    EXPECT_EQ(body.alignment(), Qt::AlignJustify);
    EXPECT_EQ(body.lineHeightType(), QTextBlockFormat::ProportionalHeight);
    EXPECT_DOUBLE_EQ(body.lineHeight(), 150);
    EXPECT_EQ(body.intProperty(TextProp::LineSpacing), 150);
    EXPECT_EQ(body.intProperty(TextProp::IndentD), 7);
    EXPECT_EQ(body.intProperty(TextProp::IndentE), -3);
    EXPECT_EQ(body.indent(), 2);

    const QTextBlockFormat links = blockWith(loaded.main, QStringLiteral("リンク")).blockFormat();
    EXPECT_EQ(links.lineHeightType(), QTextBlockFormat::MinimumHeight);
    EXPECT_DOUBLE_EQ(links.lineHeight(), 24);
    EXPECT_EQ(links.intProperty(TextProp::LineAmount), 360);

    // Page breaks before and after paragraphs.
    EXPECT_EQ(images(loaded.main).size(), 4);
    QTextBlock pictures = loaded.main.begin();
    while (pictures.isValid() && !pictures.text().contains(QChar(0xFFFC)))
        pictures = pictures.next();
    ASSERT_TRUE(pictures.isValid());
    EXPECT_EQ(pictures.blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_EQ(blockWith(loaded.main, QStringLiteral("表の前")).blockFormat().pageBreakPolicy(),
              QTextFormat::PageBreak_AlwaysAfter);
}

TEST(Docx, FieldsKeepIdDataKindAndAttribute) {
    Sample sample;
    Loaded loaded;
    ASSERT_TRUE(docx::read(docx::write(sample.content), loaded.content));
    struct Expected {
        QString text;
        int id;
        QString data;
        int kind;
    };
    const QList<Expected> expected{
        {QStringLiteral("リンク"), 1, QStringLiteral("https://example.org/a?b=c&d"), 1},
        {QStringLiteral("見出しへ"), 2, QStringLiteral("#TG_12"), 1},
        {QStringLiteral("タグ"), 3, QStringLiteral("TG_12"), 2},
        {QStringLiteral("ヒント"), 4, QStringLiteral("TP_説明の文"), 2},
        {QStringLiteral("[FD]"), 5, QStringLiteral("@"), 1},
        {QStringLiteral("二段目"), 9, QStringLiteral("TP_セルの説明"), 2},
    };
    for (const Expected &e : expected) {
        const QTextCharFormat f = formatAt(loaded.main, e.text);
        EXPECT_EQ(f.intProperty(TextProp::FieldId), e.id) << e.text.toStdString();
        EXPECT_EQ(f.stringProperty(TextProp::FieldData), e.data) << e.text.toStdString();
        EXPECT_EQ(f.intProperty(TextProp::FieldLinkKind), e.kind);
        EXPECT_EQ(f.intProperty(TextProp::FieldAttribute), 149);
        EXPECT_EQ(f.foreground().color(), QColor(0x80, 0x80, 0xFF));
        EXPECT_EQ(f.underlineStyle(), QTextCharFormat::SingleUnderline);
    }
    // A link on a picture: the blanks and the picture share the field.
    const QList<QTextImageFormat> pics = images(loaded.main);
    ASSERT_EQ(pics.size(), 4);
    EXPECT_EQ(pics.at(1).intProperty(TextProp::FieldId), 8);
    EXPECT_EQ(pics.at(1).stringProperty(TextProp::FieldData), QStringLiteral("http://x.test/"));
    EXPECT_FALSE(pics.at(2).hasProperty(TextProp::FieldId));
}

TEST(Docx, PicturesKeepTheirBytesSizeAndProperties) {
    Sample sample;
    Loaded loaded;
    ASSERT_TRUE(docx::read(docx::write(sample.content), loaded.content));
    const QList<QTextImageFormat> original = images(sample.main);
    const QList<QTextImageFormat> pics = images(loaded.main);
    ASSERT_EQ(pics.size(), original.size());
    for (int i = 0; i < pics.size(); ++i) {
        const QTextImageFormat &p = pics.at(i);
        const QTextImageFormat &o = original.at(i);
        EXPECT_EQ(p.name(), o.name());
        EXPECT_DOUBLE_EQ(p.width(), 40);
        EXPECT_DOUBLE_EQ(p.height(), 30);
        for (int property :
             {TextProp::ObjectId, TextProp::ObjectKind, TextProp::PictureExportCode,
              TextProp::PictureSaveMode, TextProp::TextFlow, TextProp::ScaleX, TextProp::ScaleY})
            EXPECT_EQ(p.intProperty(property), o.intProperty(property)) << property;
        EXPECT_EQ(loaded.main.resource(QTextDocument::ImageResource, QUrl(p.name())).toByteArray(),
                  sample.main.resource(QTextDocument::ImageResource, QUrl(o.name())).toByteArray());
    }
    const QList<QTextImageFormat> logo = images(loaded.areas[0]);
    ASSERT_EQ(logo.size(), 1);
    EXPECT_FALSE(loaded.areas[0]
                     .resource(QTextDocument::ImageResource, QUrl(logo.at(0).name()))
                     .toByteArray()
                     .isEmpty());
}

TEST(Docx, TablesListsFramesAndPageComeBack) {
    Sample sample;
    Loaded loaded;
    ASSERT_TRUE(docx::read(docx::write(sample.content), loaded.content));

    QList<QTextTable *> tables;
    QList<QTextFrame *> frames;
    for (QTextFrame *f : loaded.main.rootFrame()->childFrames()) {
        if (auto *t = qobject_cast<QTextTable *>(f))
            tables.append(t);
        else
            frames.append(f);
    }
    ASSERT_EQ(tables.size(), 1);
    QTextTable *t = tables.first();
    EXPECT_EQ(t->rows(), 3);
    EXPECT_EQ(t->columns(), 3);
    EXPECT_EQ(t->cellAt(0, 0).columnSpan(), 2);
    EXPECT_EQ(t->cellAt(1, 2).rowSpan(), 2);
    EXPECT_EQ(t->format().headerRowCount(), 1);
    EXPECT_EQ(t->format().borderStyle(), QTextFrameFormat::BorderStyle_Dashed);
    EXPECT_EQ(t->format().columnWidthConstraints().at(1).type(), QTextLength::PercentageLength);
    const QTextTableCellFormat shaded = t->cellAt(1, 2).format().toTableCellFormat();
    EXPECT_EQ(shaded.background().color(), QColor(0xCC, 0xFF, 0xCC));
    EXPECT_DOUBLE_EQ(shaded.rightPadding(), 8);
    EXPECT_EQ(shaded.verticalAlignment(), QTextCharFormat::AlignMiddle);
    QTextCursor cell = t->cellAt(1, 2).firstCursorPosition();
    cell.setPosition(t->cellAt(1, 2).lastPosition(), QTextCursor::KeepAnchor);
    EXPECT_EQ(cell.selectedText(), QStringLiteral("セル12"));

    ASSERT_EQ(frames.size(), 1);
    const QTextFrameFormat ff = frames.first()->frameFormat();
    EXPECT_EQ(ff.intProperty(TextProp::ObjectId), 21);
    EXPECT_EQ(ff.intProperty(TextProp::ObjectKind), 32);
    EXPECT_EQ(ff.position(), QTextFrameFormat::FloatRight);
    EXPECT_EQ(ff.intProperty(TextProp::FrameTop), 500);
    EXPECT_EQ(ff.property(TextProp::FrameDistances).value<QList<int>>(),
              (QList<int>{100, 100, 100, 100}));
    ASSERT_EQ(frames.first()->childFrames().size(), 1);
    auto *inner = qobject_cast<QTextTable *>(frames.first()->childFrames().first());
    ASSERT_NE(inner, nullptr);
    EXPECT_EQ(inner->cellAt(1, 1).firstCursorPosition().block().text(), QStringLiteral("内側"));

    const QTextList *bullets = blockWith(loaded.main, QStringLiteral("一つ目")).textList();
    ASSERT_NE(bullets, nullptr);
    EXPECT_EQ(bullets->format().style(), QTextListFormat::ListDisc);
    EXPECT_EQ(bullets->count(), 2);
    EXPECT_EQ(blockWith(loaded.main, QStringLiteral("二つ目")).textList(), bullets);
    const QTextList *numbers = blockWith(loaded.main, QStringLiteral("番号")).textList();
    ASSERT_NE(numbers, nullptr);
    EXPECT_NE(numbers, bullets);
    EXPECT_EQ(numbers->format().style(), QTextListFormat::ListUpperRoman);
    EXPECT_EQ(numbers->format().indent(), 2);
    EXPECT_EQ(numbers->format().numberPrefix(), QStringLiteral("("));
    EXPECT_EQ(numbers->format().numberSuffix(), QStringLiteral(")"));

    EXPECT_EQ(loaded.content.page, sample.content.page);
    EXPECT_EQ(loaded.areas[1].toPlainText(), QStringLiteral("最初のページのヘッダー"));
    EXPECT_EQ(loaded.areas[3].toPlainText(), QStringLiteral("最初のページのフッター"));
}

TEST(Docx, AreasWithoutBitsAreLeftOut) {
    Sample sample;
    sample.content.page.headerFooterBits = HeaderEveryPage | FooterEveryPage;
    Loaded loaded;
    loaded.areas[1].setPlainText(QStringLiteral("stale"));
    ASSERT_TRUE(docx::read(docx::write(sample.content), loaded.content));
    EXPECT_EQ(loaded.content.page.headerFooterBits, HeaderEveryPage | FooterEveryPage);
    EXPECT_TRUE(loaded.areas[1].isEmpty());
    EXPECT_EQ(loaded.areas[2].toPlainText(), QStringLiteral("毎ページのフッター"));
}

TEST(Docx, EmptyDocumentRoundTrips) {
    QTextDocument doc;
    TextContent content;
    content.main = &doc;
    const QByteArray bytes = docx::write(content);
    Loaded loaded;
    loaded.main.setPlainText(QStringLiteral("old"));
    ASSERT_TRUE(docx::read(bytes, loaded.content));
    EXPECT_TRUE(loaded.main.isEmpty());
    EXPECT_EQ(loaded.content.page, PageSetup());
    EXPECT_EQ(docx::write(loaded.content), bytes);
}

TEST(Docx, DamagedInputFailsWithAReason) {
    Sample sample;
    const QByteArray good = docx::write(sample.content);
    const QList<QByteArray> bad{
        QByteArray(),
        QByteArray("plain text, not a package"),
        QByteArray::fromHex("D0CF11E0A1B11AE1"),
        good.left(good.size() / 2),
        good.left(40),
    };
    for (const QByteArray &bytes : bad) {
        Loaded loaded;
        loaded.main.setPlainText(QStringLiteral("old"));
        QString error;
        EXPECT_FALSE(docx::read(bytes, loaded.content, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(loaded.main.isEmpty());
    }
    // Flipped bytes anywhere in the package: never a crash, a clean failure or a document.
    for (int i = 0; i < 200; ++i) {
        QByteArray bytes = good;
        const qsizetype at = (qsizetype(i) * 7919) % bytes.size();
        bytes[at] = char(bytes[at] ^ 0x5A);
        Loaded loaded;
        QString error;
        if (!docx::read(bytes, loaded.content, &error)) {
            EXPECT_FALSE(error.isEmpty());
        }
    }
}

TEST(Docx, EveryBlockAndCharacterKeepsWhatThePackageHolds) {
    using platform::docx::detail::canonicalBlockFormat;
    using platform::docx::detail::canonicalCharFormat;
    Sample sample;
    Loaded loaded;
    ASSERT_TRUE(docx::read(docx::write(sample.content), loaded.content));
    const QList<const QTextDocument *> originals{&sample.main, &sample.areas[0], &sample.areas[2]};
    const QList<const QTextDocument *> reads{&loaded.main, &loaded.areas[0], &loaded.areas[2]};
    for (int d = 0; d < originals.size(); ++d) {
        QTextBlock a = originals[d]->begin();
        QTextBlock b = reads[d]->begin();
        for (; a.isValid() && b.isValid(); a = a.next(), b = b.next()) {
            ASSERT_EQ(b.text(), a.text());
            EXPECT_EQ(canonicalBlockFormat(b.blockFormat()), canonicalBlockFormat(a.blockFormat()))
                << a.text().toStdString();
            EXPECT_EQ(bool(b.textList()), bool(a.textList()));
            for (int i = 0; i < a.length() - 1; ++i) {
                QTextCursor ca(a);
                ca.setPosition(a.position() + i + 1);
                QTextCursor cb(b);
                cb.setPosition(b.position() + i + 1);
                EXPECT_EQ(canonicalCharFormat(cb.charFormat()),
                          canonicalCharFormat(ca.charFormat()))
                    << a.text().toStdString() << " at " << i;
            }
        }
        EXPECT_FALSE(a.isValid());
        EXPECT_FALSE(b.isValid());
    }
}
