#include "platform/text/docx/docx_codec.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipfileinfo.h>
#include <quazip/quazipnewinfo.h>

#include <gtest/gtest.h>

using namespace platform;

namespace {

struct RoundTrip {
    QTextDocument read;
    TextContent content;
    QByteArray first;
    QByteArray second;
    bool ok = false;

    explicit RoundTrip(QTextDocument &doc) {
        TextContent source;
        source.main = &doc;
        first = docx::write(source);
        content.main = &read;
        ok = docx::read(first, content);
        second = docx::write(content);
    }
};

QTextCharFormat formatAt(const QTextDocument &doc, int position) {
    QTextCursor c(const_cast<QTextDocument *>(&doc));
    c.setPosition(position + 1);
    return c.charFormat();
}

} // namespace

TEST(DocxEdge, ValuesWordCannotHoldAreRoundedOnceThenStable) {
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat f;
    f.setFontWeight(QFont::DemiBold);
    f.setFontPointSize(10.3);
    c.insertText(QStringLiteral("丸め"), f);
    QTextBlockFormat b;
    b.setLeftMargin(10.01);
    b.setLineHeight(33, QTextBlockFormat::ProportionalHeight);
    c.setBlockFormat(b);
    RoundTrip trip(doc);
    ASSERT_TRUE(trip.ok);
    EXPECT_EQ(trip.second, trip.first);
    const QTextCharFormat read = formatAt(trip.read, 0);
    EXPECT_EQ(read.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(read.fontPointSize(), 10.5);
    EXPECT_DOUBLE_EQ(trip.read.begin().blockFormat().leftMargin(), 150 / 15.0);
    EXPECT_DOUBLE_EQ(trip.read.begin().blockFormat().lineHeight(), 33);
}

TEST(DocxEdge, CharactersXmlCannotCarryAreDroppedNotCorrupting) {
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("a") + QChar(0x01) + QStringLiteral("b") + QChar(0xFFFF) +
                 QStringLiteral("c") + QChar(0xAD) + QStringLiteral("d \t e "));
    RoundTrip trip(doc);
    ASSERT_TRUE(trip.ok);
    EXPECT_EQ(trip.read.toPlainText(),
              QStringLiteral("abc") + QChar(0xAD) + QStringLiteral("d \t e "));
    EXPECT_EQ(trip.second, trip.first);
}

TEST(DocxEdge, DecodedImageResourcesAreWrittenAsPng) {
    QTextDocument doc;
    QImage image(3, 2, QImage::Format_ARGB32);
    image.fill(Qt::cyan);
    doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("decoded")), image);
    QTextImageFormat f;
    f.setName(QStringLiteral("decoded"));
    QTextCursor(&doc).insertImage(f);
    RoundTrip trip(doc);
    ASSERT_TRUE(trip.ok);
    const QByteArray bytes =
        trip.read.resource(QTextDocument::ImageResource, QUrl(QStringLiteral("decoded")))
            .toByteArray();
    ASSERT_TRUE(bytes.startsWith("\x89PNG"));
    EXPECT_EQ(QImage::fromData(bytes).size(), QSize(3, 2));
    // Without a size of its own the picture takes its pixel size.
    const QTextImageFormat read = formatAt(trip.read, 0).toImageFormat();
    EXPECT_DOUBLE_EQ(read.width(), 3);
    EXPECT_DOUBLE_EQ(read.height(), 2);
}

TEST(DocxEdge, FieldOverTwoParagraphsKeepsItsIdInBoth) {
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat field;
    field.setProperty(TextProp::FieldId, 42);
    field.setProperty(TextProp::FieldData, QStringLiteral("https://two.example/"));
    field.setProperty(TextProp::FieldLinkKind, 1);
    field.setProperty(TextProp::FieldAttribute, 149);
    c.insertText(QStringLiteral("上の段"), field);
    c.insertBlock(QTextBlockFormat(), field);
    c.insertText(QStringLiteral("下の段"), field);
    RoundTrip trip(doc);
    ASSERT_TRUE(trip.ok);
    EXPECT_EQ(trip.second, trip.first);
    EXPECT_EQ(formatAt(trip.read, 0).intProperty(TextProp::FieldId), 42);
    EXPECT_EQ(formatAt(trip.read, 4).intProperty(TextProp::FieldId), 42);
    EXPECT_EQ(formatAt(trip.read, 4).stringProperty(TextProp::FieldData),
              QStringLiteral("https://two.example/"));
}

TEST(DocxEdge, PackageEntriesHaveFixedStampsAndPicturesAreStored) {
    QTextDocument doc;
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray png;
    QBuffer out(&png);
    out.open(QIODevice::WriteOnly);
    image.save(&out, "PNG");
    doc.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("p.png")), png);
    QTextImageFormat f;
    f.setName(QStringLiteral("p.png"));
    QTextCursor(&doc).insertImage(f);
    TextContent content;
    content.main = &doc;
    QByteArray package = docx::write(content);

    QBuffer buffer(&package);
    QuaZip zip(&buffer);
    ASSERT_TRUE(zip.open(QuaZip::mdUnzip));
    QStringList names;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        QuaZipFileInfo64 info;
        ASSERT_TRUE(zip.getCurrentFileInfo(&info));
        names << info.name;
        EXPECT_EQ(info.dateTime, QDateTime(QDate(1980, 1, 1), QTime(0, 0)))
            << info.name.toStdString();
        if (info.name.startsWith(QStringLiteral("word/media/"))) {
            EXPECT_EQ(info.method, 0);
        }
    }
    EXPECT_EQ(names.first(), QStringLiteral("[Content_Types].xml"));
    EXPECT_TRUE(names.contains(QStringLiteral("word/media/image1.png")));
    EXPECT_TRUE(names.contains(QStringLiteral("customXml/item1.xml")));
}

TEST(DocxEdge, TablesInHeadersAndEmptyCellsRoundTrip) {
    QTextDocument main;
    QTextDocument header;
    QTextCursor h(&header);
    h.insertText(QStringLiteral("頭"));
    QTextTable *t = h.insertTable(2, 2);
    t->cellAt(1, 0).firstCursorPosition().insertText(QStringLiteral("左下"));
    TextContent content;
    content.main = &main;
    content.areas[0] = &header;
    content.page.headerFooterBits = HeaderEveryPage;
    const QByteArray first = docx::write(content);

    QTextDocument readMain;
    QTextDocument readHeader;
    TextContent back;
    back.main = &readMain;
    back.areas[0] = &readHeader;
    ASSERT_TRUE(docx::read(first, back));
    QTextTable *table = readHeader.find(QStringLiteral("左下")).currentTable();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_TRUE(table->cellAt(0, 1).firstCursorPosition().block().text().isEmpty());
    EXPECT_EQ(docx::write(back), first);
}

TEST(DocxEdge, TextFrameInsideATextFrameComesBackAsAFrame) {
    QTextDocument doc;
    QTextCursor c(&doc);
    c.insertText(QStringLiteral("前"));
    QTextFrameFormat outerFormat;
    outerFormat.setProperty(TextProp::ObjectId, 1);
    outerFormat.setProperty(TextProp::ObjectKind, 32);
    outerFormat.setWidth(QTextLength(QTextLength::FixedLength, 200));
    QTextFrame *outer = c.insertFrame(outerFormat);
    QTextCursor inside = outer->firstCursorPosition();
    inside.insertText(QStringLiteral("外側"));
    QTextFrameFormat innerFormat = outerFormat;
    innerFormat.setProperty(TextProp::ObjectId, 2);
    innerFormat.setWidth(QTextLength(QTextLength::FixedLength, 100));
    QTextFrame *inner = inside.insertFrame(innerFormat);
    inner->firstCursorPosition().insertText(QStringLiteral("内側"));

    RoundTrip trip(doc);
    ASSERT_TRUE(trip.ok);
    EXPECT_EQ(trip.second, trip.first);
    const QList<QTextFrame *> top = trip.read.rootFrame()->childFrames();
    ASSERT_EQ(top.size(), 1);
    EXPECT_EQ(top.first()->frameFormat().intProperty(TextProp::ObjectId), 1);
    const QList<QTextFrame *> nested = top.first()->childFrames();
    ASSERT_EQ(nested.size(), 1);
    EXPECT_EQ(qobject_cast<QTextTable *>(nested.first()), nullptr);
    EXPECT_EQ(nested.first()->frameFormat().intProperty(TextProp::ObjectId), 2);
    EXPECT_EQ(nested.first()->firstCursorPosition().block().text(), QStringLiteral("内側"));
}

TEST(DocxEdge, PictureWithoutDataKeepsItsPlaceAndProperties) {
    QTextDocument doc;
    QTextImageFormat f;
    f.setName(QStringLiteral("img_missing_0123456789.png"));
    f.setWidth(30);
    f.setHeight(20);
    f.setProperty(TextProp::ObjectId, 5);
    f.setProperty(TextProp::ObjectKind, 4);
    QTextCursor(&doc).insertImage(f);
    RoundTrip trip(doc);
    ASSERT_TRUE(trip.ok);
    EXPECT_EQ(trip.second, trip.first);
    const QTextImageFormat read = formatAt(trip.read, 0).toImageFormat();
    EXPECT_EQ(read.name(), f.name());
    EXPECT_EQ(read.intProperty(TextProp::ObjectId), 5);
    EXPECT_DOUBLE_EQ(read.width(), 30);
}
