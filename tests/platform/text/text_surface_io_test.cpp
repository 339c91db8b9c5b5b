#include "docx/docx_test_package.h"
#include "platform/text/legacy_doc/text_surface_legacy_doc.h"
#include "text_surface_test_util.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextTable>

#include <gtest/gtest.h>

using platform::TextSurface;
using textsurfacetest::jpegBytes;
using textsurfacetest::pngBytes;

namespace {

// A document that uses every feature of the surface.
void fillEverything(TextSurface &s) {
    platform::PageSetup page;
    page.width = 11906;
    page.height = 16838;
    page.marginLeft = 1000;
    page.marginTop = 900;
    page.marginRight = 800;
    page.marginBottom = 700;
    page.landscape = true;
    page.headerFooterBits = platform::HeaderEveryPage | platform::FooterFirstPage;
    s.setPage(page);

    s.setSelText(QStringLiteral("Title line\vsecond line\n"));
    s.select(0, 5);
    s.setFontName(QStringLiteral("IPAPGothic"));
    s.setFontSize(16);
    s.setBold(true);
    s.setTextColor(0x0000FF);
    s.setBackColor(0xCCFFCC);
    s.setAlignment(TextSurface::AlignCenter);
    s.setLeftIndent(240);
    s.setLineSpacing(TextSurface::AutomaticLineSpacing);
    textsurfacetest::toEnd(s);
    s.setBold(false);
    const int link = s.insertField(QStringLiteral("link"));
    s.setFieldData(QStringLiteral("https://example.org/"), link);
    s.setFieldLinkKind(1, link);
    s.setFieldAttribute(149, link);
    s.setSelText(QStringLiteral(" text "));
    s.insertPictureData(pngBytes(30, 20), 0, 100, 100);
    s.insertPictureData(jpegBytes(), 3, 50, 50);
    s.setSelText(QStringLiteral("\fafter break\nitem one\nitem two\n"));
    s.select(s.textLength() - 18, 17);
    s.setListState(TextSurface::NumberedList);
    textsurfacetest::toEnd(s);
    const int table = s.insertTable(2, 2);
    s.setCellText(table, 1, 1, QStringLiteral("cell"));
    s.setCellText(table, 2, 2, QStringLiteral("last"));
    textsurfacetest::toEnd(s);
    const int frame = s.insertTextFrame(2000, 1000, {100, 120, 140, 160}, 500);
    s.selectTextFrame(frame);
    s.setSelText(QStringLiteral("framed\n"));
    const int inner = s.insertTable(1, 2);
    s.setCellText(inner, 1, 2, QStringLiteral("deep"));
    s.selectTextFrame(0);

    s.setActiveArea(platform::HeaderEveryPage);
    s.setSelText(QStringLiteral("Header"));
    s.insertPictureData(pngBytes(5, 5), 0, 100, 100);
    s.setActiveArea(platform::FooterFirstPage);
    s.setSelText(QStringLiteral("Footer"));
    s.setActiveArea(0);
}

} // namespace

TEST(TextSurfaceIo, InternalFormatRoundTripOfEveryFeature) {
    TextSurface original;
    fillEverything(original);
    const QByteArray bytes = original.saveToMemory(TextSurface::Internal);
    TextSurface copy;
    ASSERT_TRUE(copy.loadFromMemory(bytes, TextSurface::Internal));

    EXPECT_EQ(copy.page(), original.page());
    EXPECT_EQ(copy.text(), original.text());
    EXPECT_EQ(copy.document()->toHtml().toStdString(), original.document()->toHtml().toStdString());
    EXPECT_EQ(copy.areaDocument(1)->toPlainText(), QStringLiteral("Header\uFFFC"));
    EXPECT_EQ(copy.areaDocument(8)->toPlainText(), QStringLiteral("Footer"));
    EXPECT_EQ(copy.nextObject(0, TextSurface::PictureObject),
              original.nextObject(0, TextSurface::PictureObject));
    const int frame = copy.nextObject(0, TextSurface::TextFrameObject);
    ASSERT_GT(frame, 0);
    ASSERT_TRUE(copy.selectTextFrame(frame));
    const QList<int> tables = copy.tableIds();
    ASSERT_EQ(tables.size(), 1);
    EXPECT_EQ(copy.cellText(tables[0], 1, 2), QStringLiteral("deep"));
    copy.selectTextFrame(0);
    copy.select(0, 1);
    EXPECT_EQ(copy.fontName(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(copy.textColor(), 0x0000FF);
    EXPECT_EQ(copy.backColor(), 0xCCFFCC);
    EXPECT_EQ(copy.leftIndent(), 240);
    EXPECT_EQ(copy.lineSpacing(), 7936);

    // A second round trip changes nothing either.
    TextSurface again;
    ASSERT_TRUE(
        again.loadFromMemory(copy.saveToMemory(TextSurface::Internal), TextSurface::Internal));
    EXPECT_EQ(again.document()->toHtml(), original.document()->toHtml());
    EXPECT_EQ(again.page(), original.page());
    // Equal documents give equal bytes.
    EXPECT_EQ(copy.saveToMemory(TextSurface::Internal), bytes);
    EXPECT_EQ(again.saveToMemory(TextSurface::Internal), bytes);
    EXPECT_FALSE(copy.canUndo());
}

TEST(TextSurfaceIo, InternalFormatRejectsDamagedBytes) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("keep"));
    QByteArray bytes = surface.saveToMemory(TextSurface::Internal);
    EXPECT_FALSE(surface.loadFromMemory(QByteArray("garbage"), TextSurface::Internal));
    surface.setSelText(QStringLiteral(" more"));
    EXPECT_FALSE(surface.loadFromMemory(bytes.left(bytes.size() / 2), TextSurface::Internal));
    EXPECT_FALSE(surface.loadFromMemory(QByteArray("PK\x03\x04broken"), TextSurface::Docx));
    // A failed load leaves the document as it was.
    EXPECT_EQ(surface.text(), QStringLiteral("keep more"));
    TextSurface other;
    EXPECT_TRUE(other.loadFromMemory(bytes, TextSurface::Internal));
    EXPECT_EQ(other.text(), QStringLiteral("keep"));
}

TEST(TextSurfaceIo, SelectionSavedAndInsertedAtTheCaret) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("one two three"));
    surface.select(4, 3);
    const QByteArray part = surface.saveToMemory(TextSurface::Internal, true);
    surface.setSelStart(0);
    ASSERT_TRUE(surface.loadFromMemory(part, TextSurface::Internal, true));
    EXPECT_EQ(surface.text(), QStringLiteral("twoone two three"));
    EXPECT_EQ(QString::fromUtf8(surface.saveToMemory(TextSurface::PlainText)),
              QStringLiteral("twoone two three"));
}

TEST(TextSurfaceIo, WordFormatRoundTripIsStable) {
    TextSurface original;
    fillEverything(original);
    bool ok = false;
    const QByteArray bytes = original.saveToMemory(TextSurface::Word97, false, &ok);
    ASSERT_TRUE(ok);
    TextSurface copy;
    QString error;
    ASSERT_TRUE(copy.loadFromMemory(bytes, TextSurface::Word97, false, &error))
        << error.toStdString();
    EXPECT_EQ(copy.page(), original.page());
    EXPECT_EQ(copy.saveToMemory(TextSurface::Word97), bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("entry.docx"));
    ASSERT_TRUE(copy.saveFile(path, TextSurface::Docx));
    TextSurface fromFile;
    ASSERT_TRUE(fromFile.loadFile(path, TextSurface::Docx));
    EXPECT_EQ(fromFile.text(), copy.text());
}

// A whole load reads straight into the edited text; when the bytes break off part way, or hold
// more than the surface can keep, everything comes back as it was: text, pictures, header and
// footer, page values and the selection.
TEST(TextSurfaceIo, AFailedWholeLoadPutsEverythingBack) {
    TextSurface surface;
    fillEverything(surface);
    surface.select(3, 4);
    const QByteArray before = surface.saveToMemory(TextSurface::Internal);
    const platform::PageSetup page = surface.page();

    const QByteArray word = surface.saveToMemory(TextSurface::Docx);
    TextSurface other;
    other.setSelText(QStringLiteral("one\ntwo\nthree\n"));
    QByteArray cut = other.saveToMemory(TextSurface::Internal);
    cut.chop(12); // ends inside the last paragraph, after the first ones were read
    const QByteArray brokenXml =
        docxtest::zip({{QStringLiteral("word/document.xml"),
                        docxtest::part("document", "<w:body><w:p><w:r><w:t>read</w:t></w:r></w:p>"
                                                   "<w:p><w:r><w:t>broken</w:r></w:p></w:body>")}});
    // A text frame inside tables nested as deep as Word files may nest them: the Word reader takes
    // it, the surface holds one level less.
    TextSurface deep;
    QTextCursor inner(deep.document());
    for (int i = 0; i < 16; ++i)
        inner = inner.insertTable(1, 1)->cellAt(0, 0).firstCursorPosition();
    deep.select(inner.position(), 0);
    ASSERT_GT(deep.insertTextFrame(2000, 1000, {100, 120, 140, 160}, 500), 0);
    const QByteArray tooDeep = deep.saveToMemory(TextSurface::Docx);
    const QList<QPair<QByteArray, int>> failing = {
        {cut, TextSurface::Internal}, {brokenXml, TextSurface::Docx}, {tooDeep, TextSurface::Docx}};
    for (const auto &[bytes, format] : failing) {
        QString error;
        EXPECT_FALSE(surface.loadWholeFromMemory(bytes, format, &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(surface.saveToMemory(TextSurface::Internal), before) << error.toStdString();
        EXPECT_EQ(surface.page(), page);
        EXPECT_EQ(surface.selStart(), 3);
        EXPECT_EQ(surface.selLength(), 4);
    }
    // The same surface still loads what reads.
    ASSERT_TRUE(surface.loadWholeFromMemory(word, TextSurface::Docx));
    EXPECT_EQ(surface.saveToMemory(TextSurface::Docx), word);
}

TEST(TextSurfaceIo, LegacyWordFilesAndUnsupportedFormatsFailCleanly) {
    // Without LibreOffice; the bridge itself is tested in legacy_doc_test.cpp.
    platform::legacydoc::setConverterProgram(QStringLiteral("/nonexistent/soffice"));
    TextSurface surface;
    surface.setSelText(QStringLiteral("kept"));
    QString error;
    const QByteArray legacy = QByteArray::fromHex("D0CF11E0A1B11AE1") + QByteArray(504, '\0');
    EXPECT_FALSE(surface.loadFromMemory(legacy, TextSurface::Word97, false, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(surface.text(), QStringLiteral("kept"));
    QTemporaryDir dir;
    EXPECT_FALSE(surface.saveFile(dir.filePath(QStringLiteral("a.doc")), TextSurface::Word97));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("a.doc"))));
    platform::legacydoc::setConverterProgram({});
    EXPECT_FALSE(surface.loadFromMemory(QByteArray("%PDF-1.4"), TextSurface::Pdf));
    EXPECT_EQ(surface.text(), QStringLiteral("kept"));
}

TEST(TextSurfaceIo, PdfGoesToTheInstalledWriter) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("printed"));
    EXPECT_FALSE(surface.saveFile(QStringLiteral("/tmp/none.pdf"), TextSurface::Pdf));
    QString written;
    TextSurface::setPdfWriter([&](const platform::TextContent &content, const QString &path) {
        written = content.main->toPlainText() + u'@' + path;
        return true;
    });
    EXPECT_TRUE(surface.saveFile(QStringLiteral("/tmp/x.pdf"), TextSurface::Pdf));
    EXPECT_EQ(written, QStringLiteral("printed@/tmp/x.pdf"));
    TextSurface::setPdfWriter({});
}

TEST(TextSurfaceIo, HeaderFooterAreasAndPageValues) {
    TextSurface surface;
    EXPECT_FALSE(surface.setActiveArea(platform::HeaderEveryPage));
    surface.setHeaderFooterBits(platform::HeaderEveryPage | platform::FooterEveryPage);
    EXPECT_EQ(surface.headerFooterBits(), 5);
    ASSERT_TRUE(surface.setActiveArea(platform::FooterEveryPage));
    EXPECT_EQ(surface.activeArea(), 4);
    surface.setSelText(QStringLiteral("page footer"));
    EXPECT_EQ(surface.activeDocument(), surface.areaDocument(4));
    EXPECT_EQ(surface.areaDocument(4)->toPlainText(), QStringLiteral("page footer"));
    EXPECT_EQ(surface.document()->toPlainText(), QString());
    surface.setHeaderFooterBits(platform::HeaderEveryPage);
    EXPECT_EQ(surface.activeArea(), 0);
    const platform::TextContent content = surface.content();
    EXPECT_EQ(content.main, surface.document());
    EXPECT_EQ(content.areas[2], surface.areaDocument(4));
    EXPECT_EQ(content.page.headerFooterBits, 1);
}

TEST(TextSurfaceIo, HtmlExportShape) {
    TextSurface surface;
    surface.setSelText(QStringLiteral("Hello <world>\vnext\n"));
    surface.select(0, 5);
    surface.setFontSize(10.5);
    surface.setLeftIndent(240);
    textsurfacetest::toEnd(surface);
    const int link = surface.insertField(QStringLiteral("site"));
    surface.setFieldData(QStringLiteral("https://example.org/"), link);
    surface.setFieldLinkKind(1, link);
    surface.setSelText(QStringLiteral(" "));
    const int tip = surface.insertField(QStringLiteral("word"));
    surface.setFieldData(QStringLiteral("TP_explanation"), tip);
    surface.setFieldLinkKind(2, tip);
    const int png = surface.insertPictureData(jpegBytes(), 0, 100, 100);
    const int own = surface.insertPictureData(jpegBytes(), 0, 50, 50);
    surface.setPictureExportCode(3, png);
    surface.setPictureExportCode(4, own);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("my page.htm"));
    ASSERT_TRUE(surface.saveFile(path, TextSurface::Html));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(file.readAll());
    const QString base = QStringLiteral("<base href=\"") +
                         QUrl::fromLocalFile(QFileInfo(path).absolutePath() + u'/').toString() +
                         u'"';
    EXPECT_TRUE(html.contains(base)) << html.toStdString();
    const qsizetype head = html.indexOf(QStringLiteral("</head>"));
    ASSERT_GT(head, 0);
    EXPECT_GT(html.indexOf(QStringLiteral("<body"), head + 6), head);
    EXPECT_TRUE(html.contains(QStringLiteral("margin-left:12pt")));
    EXPECT_TRUE(html.contains(QStringLiteral("font-size:10.5pt")));
    EXPECT_TRUE(html.contains(QStringLiteral("Hello</span>")));
    EXPECT_TRUE(html.contains(QStringLiteral("&lt;world&gt;<br>next")));
    EXPECT_TRUE(html.contains(QStringLiteral("<a href=\"https://example.org/\">")));
    EXPECT_TRUE(html.contains(QStringLiteral("<a href=\"#TP_explanation\">")));
    EXPECT_TRUE(html.contains(QStringLiteral("<img src=\"my%20page_images/image1.png\"")));
    EXPECT_TRUE(html.contains(QStringLiteral("<img src=\"my%20page_images/image2.jpeg\"")));
    EXPECT_FALSE(html.contains(QRegularExpression(QStringLiteral("<[A-Z]"))));
    const QDir images(dir.filePath(QStringLiteral("my page_images")));
    QImage written(images.filePath(QStringLiteral("image1.png")));
    EXPECT_FALSE(written.isNull());
    QFile own4(images.filePath(QStringLiteral("image2.jpeg")));
    ASSERT_TRUE(own4.open(QIODevice::ReadOnly));
    EXPECT_EQ(own4.readAll(), jpegBytes());
}

TEST(TextSurfaceIo, HtmlLoadKeepsTextAndPictures) {
    QTemporaryDir dir;
    QFile picture(dir.filePath(QStringLiteral("p.png")));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.write(pngBytes(12, 12));
    picture.close();
    QFile page(dir.filePath(QStringLiteral("a.HTML")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write(
        "<html><body><p>First <b>bold</b></p><p>Second<img src=\"p.png\"></p></body></html>");
    page.close();
    TextSurface surface;
    ASSERT_TRUE(surface.loadFile(page.fileName(), TextSurface::Html));
    EXPECT_EQ(surface.text(), QStringLiteral("First bold\nSecond\x01"));
    const int id = surface.nextObject(0, TextSurface::PictureObject);
    ASSERT_GT(id, 0);
    // The picture lives in the document now, so the format 3 copy carries it.
    TextSurface copy;
    ASSERT_TRUE(
        copy.loadFromMemory(surface.saveToMemory(TextSurface::Internal), TextSurface::Internal));
    EXPECT_GT(copy.nextObject(0, TextSurface::PictureObject), 0);
}

TEST(TextSurfaceIo, WordBytesInsertedAtTheCaretAndIntoATextFrame) {
    TextSurface source;
    source.setSelText(QStringLiteral("piece "));
    const int link = source.insertField(QStringLiteral("there"));
    source.setFieldData(QStringLiteral("https://example.org/"), link);
    source.setFieldLinkKind(1, link);
    const QByteArray bytes = source.saveToMemory(TextSurface::Word97);

    TextSurface target;
    target.setSelText(QStringLiteral("[]"));
    target.setSelStart(1);
    ASSERT_TRUE(target.loadFromMemory(bytes, TextSurface::Word97, true));
    EXPECT_TRUE(target.text().startsWith(QStringLiteral("[piece there")));
    EXPECT_EQ(target.fieldData(target.nextField(0)), QStringLiteral("https://example.org/"));

    textsurfacetest::toEnd(target);
    const int frame = target.insertTextFrame(2000, 1000, {100, 100, 100, 100});
    ASSERT_TRUE(target.selectTextFrame(frame));
    ASSERT_TRUE(target.loadFromMemory(bytes, TextSurface::Word97));
    EXPECT_TRUE(target.text().startsWith(QStringLiteral("piece there")));
    EXPECT_EQ(target.fieldIds().size(), 1);
    ASSERT_TRUE(target.selectTextFrame(0));
    EXPECT_EQ(target.fieldIds().size(), 2);
}
