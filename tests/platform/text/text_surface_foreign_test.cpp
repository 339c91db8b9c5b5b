#include "docx/docx_test_package.h"
#include "platform/text/html/text_surface_html.h"
#include "platform/text/text_lists.h"
#include "platform/text/text_model.h"
#include "platform/text/text_surface.h"
#include "test_images.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMimeData>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QUrl>
#include <gtest/gtest.h>

using platform::TextSurface;

namespace {

void writeFile(const QString &path, const QByteArray &bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

quint32 crc32(const QByteArray &bytes) {
    quint32 crc = 0xffffffffu;
    for (const char c : bytes) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = crc & 1 ? (crc >> 1) ^ 0xedb88320u : crc >> 1;
    }
    return ~crc;
}

// A small, valid PNG whose header claims width × height pixels.
QByteArray pngClaiming(quint32 width, quint32 height) {
    QByteArray png = testsupport::pngBytes(2, 2, Qt::red);
    // The header chunk follows the 8-byte signature: length, "IHDR", 13 bytes, CRC.
    auto put = [&](int at, quint32 value) {
        for (int i = 0; i < 4; ++i)
            png[at + i] = char(value >> (24 - 8 * i));
    };
    put(16, width);
    put(20, height);
    put(29, crc32(png.mid(12, 17)));
    return png;
}

QString dataAddress(const QByteArray &png) {
    return QStringLiteral("data:image/png;base64,") + QString::fromLatin1(png.toBase64());
}

} // namespace

TEST(TextSurfaceForeign, HtmlTakesPicturesOnlyFromBesideAnOpenedFile) {
    QTemporaryDir dir;
    const QByteArray beside = testsupport::pngBytes(6, 4, Qt::blue);
    const QByteArray elsewhere = testsupport::pngBytes(5, 3, Qt::green);
    writeFile(dir.filePath(QStringLiteral("page/pics/ok.png")), beside);
    writeFile(dir.filePath(QStringLiteral("secret/private.png")), elsewhere);
    writeFile(dir.filePath(QStringLiteral("secret.txt")), "PRIVATE-DATA-1234");
    writeFile(dir.filePath(QStringLiteral("page/notes.png")), "PRIVATE-NOT-A-PICTURE");
    const QString privateUrl =
        QUrl::fromLocalFile(dir.filePath(QStringLiteral("secret/private.png"))).toString();
    const QString html = QStringLiteral("<p>a<img src=\"pics/ok.png\">b<img src=\"") + privateUrl +
                         QStringLiteral("\"><img src=\"../secret/private.png\"><img src=\"") +
                         dir.filePath(QStringLiteral("secret.txt")) +
                         QStringLiteral("\"><img src=\"notes.png\"><img src=\"file:///etc/passwd\">"
                                        "<link rel=\"stylesheet\" href=\"../secret.txt\"></p>");
    const QString page = dir.filePath(QStringLiteral("page/page.htm"));
    writeFile(page, html.toUtf8());

    TextSurface opened;
    ASSERT_TRUE(opened.loadFile(page, TextSurface::Html));
    const QByteArray saved = opened.saveToMemory(TextSurface::Internal);
    EXPECT_TRUE(saved.contains(beside));
    EXPECT_FALSE(saved.contains(elsewhere));
    EXPECT_FALSE(saved.contains("PRIVATE"));
    EXPECT_FALSE(saved.contains("root:"));

    // Pasted markup reads nothing from disk, not even a picture that is one.
    QMimeData pasted;
    pasted.setHtml(
        QStringLiteral("<p>x<img src=\"") +
        QUrl::fromLocalFile(dir.filePath(QStringLiteral("page/pics/ok.png"))).toString() +
        QStringLiteral("\"><img src=\"") + privateUrl +
        QStringLiteral("\"><img src=\"file:///etc/passwd\">y</p>"));
    TextSurface target;
    ASSERT_TRUE(target.insertMimeData(&pasted));
    EXPECT_TRUE(target.text().contains(u'x'));
    const QByteArray pastedSaved = target.saveToMemory(TextSurface::Internal);
    EXPECT_FALSE(pastedSaved.contains(beside));
    EXPECT_FALSE(pastedSaved.contains(elsewhere));
    EXPECT_FALSE(pastedSaved.contains("root:"));
}

TEST(TextSurfaceForeign, PicturesInlineInMarkupAreTakenWithinThePixelLimit) {
    const QByteArray small = testsupport::pngBytes(7, 3, Qt::magenta);
    const QByteArray huge = pngClaiming(30000, 30000);
    QMimeData pasted;
    pasted.setHtml(QStringLiteral("<p>x<img src=\"") + dataAddress(small) +
                   QStringLiteral("\">y<img src=\"") + dataAddress(huge) +
                   QStringLiteral("\">z</p>"));
    TextSurface target;
    ASSERT_TRUE(target.insertMimeData(&pasted));
    const QByteArray saved = target.saveToMemory(TextSurface::Internal);
    EXPECT_TRUE(saved.contains(small));
    EXPECT_FALSE(saved.contains(huge));

    // Nor is it inserted, and inside the program's own format (bytes from the clipboard) it keeps
    // its place, not its bytes.
    TextSurface source;
    EXPECT_EQ(source.insertPictureData(huge), 0);
    const QByteArray twoByTwo = testsupport::pngBytes(2, 2, Qt::red);
    ASSERT_NE(source.insertPictureData(twoByTwo), 0);
    QByteArray internal = source.saveToMemory(TextSurface::Internal);
    ASSERT_EQ(huge.size(), twoByTwo.size());
    internal.replace(twoByTwo, huge);
    TextSurface reader;
    ASSERT_TRUE(reader.loadFromMemory(internal, TextSurface::Internal));
    EXPECT_FALSE(reader.saveToMemory(TextSurface::Internal).contains(huge));
}

// Half of the test below, run by it in a process of its own: reads the bytes another process
// wrote, before anything else in this process has read or written a document.
TEST(TextSurfaceForeign, FreshProcessReadsTheBytesOfAnotherOne) {
    const QString path = qEnvironmentVariable("DRJVO_FRESH_PROCESS_BYTES");
    if (path.isEmpty())
        GTEST_SKIP() << "started by TextFrameCopiedInOneProcessIsReadInAnother";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    TextSurface target;
    ASSERT_TRUE(target.loadFromMemory(file.readAll(), TextSurface::Internal, true));
    const int frame = target.nextObject(0, TextSurface::TextFrameObject);
    EXPECT_NE(frame, 0);
    EXPECT_EQ(target.nextObject(frame, TextSurface::TextFrameObject), 0);
    EXPECT_TRUE(target.text().contains(QStringLiteral("枠の文")));
}

TEST(TextSurfaceForeign, TextFrameCopiedInOneProcessIsReadInAnother) {
    TextSurface source;
    source.setSelText(QStringLiteral("前"));
    ASSERT_NE(source.insertTextFrame(1000, 2000, {100, 100, 100, 100}), 0);
    source.setSelText(QStringLiteral("枠の文"));
    source.selectTextFrame(0);
    source.select(0, source.textLength());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("copied.bin"));
    writeFile(path, source.saveToMemory(TextSurface::Internal, true));
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DRJVO_FRESH_PROCESS_BYTES"), path);
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral(
                    "--gtest_filter=TextSurfaceForeign.FreshProcessReadsTheBytesOfAnotherOne")});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QByteArray output = child.readAllStandardOutput();
    EXPECT_EQ(child.exitCode(), 0) << output.constData();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.constData();
}

TEST(TextSurfaceForeign, PageValuesFromOutsideStayWithinAPage) {
    const auto within = [](const platform::PageSetup &p) {
        return platform::plausiblePage(p) && p.marginTop == platform::MaxPageTwips;
    };
    // Rich text naming sizes beyond any paper and margins of the most negative number (its
    // reader ignores lengths beyond a page).
    TextSurface rtf;
    ASSERT_TRUE(rtf.loadWholeFromMemory(
        "{\\rtf1\\ansi\\paperw999999999\\paperh-5\\margl-2147483648\\margt99999999 x\\par}",
        TextSurface::Rtf));
    EXPECT_TRUE(platform::plausiblePage(rtf.content().page));

    // The same in a Word package.
    const QByteArray package = docxtest::zip(
        {{QStringLiteral("_rels/.rels"),
          R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/></Relationships>)"},
         {QStringLiteral("word/document.xml"),
          R"(<?xml version="1.0"?><w:document xmlns:w="http://schemas.openxmlformats.org/wordprocessingml/2006/main"><w:body><w:p><w:r><w:t>x</w:t></w:r></w:p><w:sectPr><w:pgSz w:w="2147483647" w:h="999999"/><w:pgMar w:top="-2147483648" w:right="-5" w:bottom="5" w:left="0"/></w:sectPr></w:body></w:document>)"}});
    TextSurface docx;
    ASSERT_TRUE(docx.loadWholeFromMemory(package, TextSurface::Docx));
    EXPECT_TRUE(within(docx.content().page));
    EXPECT_EQ(docx.content().page.marginRight, 5);

    // The program's own format with a page beyond that is damaged, and changes nothing.
    TextSurface own;
    own.setSelText(QStringLiteral("keep"));
    QByteArray bytes = own.saveWholeToMemory(TextSurface::Internal);
    const QByteArray intMax = QByteArray::fromHex("7FFFFFFF");
    bytes.replace(7, 4, intMax); // the page width follows the 7-byte header
    TextSurface target;
    target.setSelText(QStringLiteral("before"));
    EXPECT_FALSE(target.loadWholeFromMemory(bytes, TextSurface::Internal));
    EXPECT_EQ(target.text(), QStringLiteral("before"));
}

// A Word list that starts at 5: its labels stay right through our own format, the HTML save
// and list edits, and Qt draws its markers again once the list is bullets.
TEST(TextSurfaceForeign, AListStartingAtFiveKeepsItsNumbersThroughFormatsAndEdits) {
    TextSurface source;
    {
        QTextCursor c(source.document());
        QTextListFormat format;
        format.setStyle(QTextListFormat::ListDecimal);
        format.setProperty(platform::TextProp::ListStart, 5);
        c.insertText(QStringLiteral("five"));
        c.createList(format);
        c.insertBlock();
        c.insertText(QStringLiteral("six"));
        c.insertBlock(QTextBlockFormat());
        c.insertText(QStringLiteral("after"));
    }
    // Each block's label, "-" outside lists, "!" where Qt draws its own marker.
    auto labels = [](const TextSurface &surface) {
        QStringList out;
        for (QTextBlock b = surface.document()->begin(); b.isValid(); b = b.next()) {
            const bool qtMarker = !b.blockFormat().hasProperty(QTextFormat::ListStyle);
            EXPECT_EQ(platform::drawsOwnLabel(b), b.textList() && !qtMarker);
            out << (b.textList() ? platform::listItemLabel(b) + (qtMarker ? "!" : "")
                                 : QStringLiteral("-"));
        }
        return out;
    };
    TextSurface surface;
    ASSERT_TRUE(surface.loadFromMemory(source.saveToMemory(TextSurface::Docx), TextSurface::Docx));
    EXPECT_EQ(labels(surface), QStringList({"5.", "6.", "-"}));

    TextSurface own;
    ASSERT_TRUE(
        own.loadFromMemory(surface.saveToMemory(TextSurface::Internal), TextSurface::Internal));
    EXPECT_EQ(labels(own), QStringList({"5.", "6.", "-"}));
    EXPECT_TRUE(platform::htmlexport::page(*surface.document(), QString(), QString(), nullptr)
                    .contains(R"(<ol start="5">)"));

    surface.setSelStart(6);
    surface.setSelLength(-1);
    surface.setListState(TextSurface::NumberedList);
    EXPECT_EQ(labels(surface), QStringList({"5.", "6.", "7."}));
    surface.setListState(TextSurface::BulletList);
    EXPECT_EQ(labels(surface), QStringList({"!", "!", "!"}));
}
