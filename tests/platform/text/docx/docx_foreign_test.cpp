#include "docx_test_package.h"
#include "platform/text/docx/docx_codec.h"
#include "test_images.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

#include <gtest/gtest.h>

using namespace platform;

namespace {

using docxtest::part;
using docxtest::unzipPart;
using docxtest::zip;

QByteArray pngBytes() {
    return testsupport::pngBytes(6, 4, Qt::magenta);
}

// A package shaped like the ones word processors write: styles with inheritance, a numbered
// list, a table with merged cells, links, a picture, a header.
QByteArray wordLikePackage() {
    const QByteArray types =
        R"(<?xml version="1.0" encoding="UTF-8"?><Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types"><Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/><Default Extension="xml" ContentType="application/xml"/><Default Extension="png" ContentType="image/png"/><Override PartName="/word/document.xml" ContentType="application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml"/></Types>)";
    const QByteArray rels =
        R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="word/document.xml"/></Relationships>)";
    const QByteArray docRels =
        R"(<?xml version="1.0" encoding="UTF-8"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
        R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
        R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/numbering" Target="/word/numbering.xml"/>)"
        R"(<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/hyperlink" Target="https://example.com/" TargetMode="External"/>)"
        R"(<Relationship Id="rId4" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/image" Target="media/image1.png"/>)"
        R"(<Relationship Id="rId5" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/header" Target="header1.xml"/>)"
        R"(</Relationships>)";
    const QByteArray styles = part(
        "styles",
        R"(<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:ascii="Century" w:eastAsia="IPAMincho" w:hAnsi="Century"/><w:sz w:val="21"/></w:rPr></w:rPrDefault><w:pPrDefault/></w:docDefaults>)"
        R"(<w:style w:type="paragraph" w:default="1" w:styleId="a"><w:name w:val="Normal"/><w:pPr><w:jc w:val="both"/></w:pPr></w:style>)"
        R"(<w:style w:type="paragraph" w:styleId="1"><w:name w:val="heading 1"/><w:basedOn w:val="a"/><w:pPr><w:keepNext/><w:outlineLvl w:val="0"/></w:pPr><w:rPr><w:b/><w:sz w:val="32"/></w:rPr></w:style>)"
        R"(<w:style w:type="paragraph" w:styleId="Title2"><w:basedOn w:val="1"/><w:pPr><w:jc w:val="center"/></w:pPr><w:rPr><w:i/></w:rPr></w:style>)"
        R"(<w:style w:type="character" w:styleId="Strong"><w:name w:val="Strong"/><w:rPr><w:b/><w:color w:val="C00000"/></w:rPr></w:style>)");
    const QByteArray numbering = part(
        "numbering",
        R"~(<w:abstractNum w:abstractNumId="0"><w:lvl w:ilvl="0"><w:start w:val="1"/><w:numFmt w:val="decimal"/><w:lvlText w:val="%1."/></w:lvl><w:lvl w:ilvl="1"><w:numFmt w:val="lowerLetter"/><w:lvlText w:val="(%2)"/></w:lvl></w:abstractNum>)~"
        R"(<w:abstractNum w:abstractNumId="1"><w:lvl w:ilvl="0"><w:numFmt w:val="bullet"/><w:lvlText w:val=""/></w:lvl></w:abstractNum>)"
        R"(<w:num w:numId="1"><w:abstractNumId w:val="0"/></w:num><w:num w:numId="2"><w:abstractNumId w:val="1"/></w:num>)");
    const QByteArray picture =
        R"(<w:r><w:drawing><wp:inline><wp:extent cx="571500" cy="381000"/><wp:docPr id="1" name="Picture 1"/><a:graphic><a:graphicData uri="http://schemas.openxmlformats.org/drawingml/2006/picture"><pic:pic><pic:nvPicPr><pic:cNvPr id="0" name="x.png"/><pic:cNvPicPr/></pic:nvPicPr><pic:blipFill><a:blip r:embed="rId4"/><a:stretch><a:fillRect/></a:stretch></pic:blipFill><pic:spPr/></pic:pic></a:graphicData></a:graphic></wp:inline></w:drawing></w:r>)";
    const QByteArray document = part(
        "document",
        "<w:body>"
        R"(<w:p><w:pPr><w:pStyle w:val="Title2"/></w:pPr><w:r><w:t>Title</w:t></w:r></w:p>)"
        R"(<w:p><w:r><w:t xml:space="preserve">Plain </w:t></w:r><w:r><w:rPr><w:rStyle w:val="Strong"/></w:rPr><w:t>strong</w:t></w:r>)"
        R"(<w:proofErr w:type="spellStart"/><w:r><w:rPr><w:sz w:val="40"/><w:highlight w:val="yellow"/></w:rPr><w:t>big</w:t></w:r><w:proofErr w:type="spellEnd"/></w:p>)"
        R"(<w:p><w:pPr><w:numPr><w:ilvl w:val="0"/><w:numId w:val="1"/></w:numPr></w:pPr><w:r><w:t>first</w:t></w:r></w:p>)"
        R"(<w:p><w:pPr><w:numPr><w:ilvl w:val="1"/><w:numId w:val="1"/></w:numPr></w:pPr><w:r><w:t>nested</w:t></w:r></w:p>)"
        R"(<w:p><w:pPr><w:numPr><w:ilvl w:val="0"/><w:numId w:val="1"/></w:numPr></w:pPr><w:r><w:t>second</w:t></w:r></w:p>)"
        R"(<w:p><w:pPr><w:numPr><w:ilvl w:val="0"/><w:numId w:val="2"/></w:numPr></w:pPr><w:r><w:t>dot</w:t></w:r></w:p>)"
        R"(<w:tbl><w:tblPr><w:tblStyle w:val="TableGrid"/><w:tblW w:w="0" w:type="auto"/><w:tblBorders><w:top w:val="single" w:sz="4" w:space="0" w:color="auto"/></w:tblBorders></w:tblPr>)"
        R"(<w:tblGrid><w:gridCol w:w="3000"/><w:gridCol w:w="3000"/><w:gridCol w:w="3000"/></w:tblGrid>)"
        R"(<w:tr><w:tc><w:tcPr><w:tcW w:w="6000" w:type="dxa"/><w:gridSpan w:val="2"/></w:tcPr><w:p><w:r><w:t>wide</w:t></w:r></w:p></w:tc><w:tc><w:tcPr><w:vMerge w:val="restart"/><w:shd w:val="clear" w:color="auto" w:fill="FFCC00"/></w:tcPr><w:p><w:r><w:t>tall</w:t></w:r></w:p></w:tc></w:tr>)"
        R"(<w:tr><w:tc><w:p><w:r><w:t>a</w:t></w:r></w:p></w:tc><w:tc><w:p><w:r><w:t>b</w:t></w:r></w:p></w:tc><w:tc><w:tcPr><w:vMerge/></w:tcPr><w:p/></w:tc></w:tr></w:tbl>)"
        R"(<w:p><w:hyperlink r:id="rId3" w:history="1"><w:r><w:t>site</w:t></w:r></w:hyperlink><w:r><w:t xml:space="preserve"> and </w:t></w:r>)"
        R"(<w:r><w:fldChar w:fldCharType="begin"/></w:r><w:r><w:instrText xml:space="preserve"> HYPERLINK "http://field.test/" </w:instrText></w:r><w:r><w:fldChar w:fldCharType="separate"/></w:r><w:r><w:t>field</w:t></w:r><w:r><w:fldChar w:fldCharType="end"/></w:r>)"
        R"(<w:hyperlink w:anchor="_Toc1"><w:r><w:t>inner</w:t></w:r></w:hyperlink></w:p>)"
        "<w:p>" +
            picture +
            R"(<w:r><w:br w:type="page"/></w:r><w:r><w:t>after break</w:t></w:r></w:p>)"
            R"(<w:p><w:r><w:br w:type="page"/></w:r></w:p><w:p><w:r><w:t>next page</w:t></w:r></w:p>)"
            R"(<w:sectPr><w:headerReference w:type="default" r:id="rId5"/><w:pgSz w:w="11906" w:h="16838"/><w:pgMar w:top="1985" w:right="1701" w:bottom="1701" w:left="1701" w:header="851" w:footer="992" w:gutter="0"/></w:sectPr>)"
            "</w:body>");
    const QByteArray header = part("hdr", R"(<w:p><w:r><w:t>Header text</w:t></w:r></w:p>)");
    return zip({{QStringLiteral("[Content_Types].xml"), types},
                {QStringLiteral("_rels/.rels"), rels},
                {QStringLiteral("word/document.xml"), document},
                {QStringLiteral("word/_rels/document.xml.rels"), docRels},
                {QStringLiteral("word/styles.xml"), styles},
                {QStringLiteral("word/numbering.xml"), numbering},
                {QStringLiteral("word/header1.xml"), header},
                {QStringLiteral("word/media/image1.png"), pngBytes()}});
}

QTextCharFormat formatOf(const QTextDocument &doc, const QString &text) {
    QTextCursor c = doc.find(text);
    if (c.isNull())
        return {};
    c.setPosition(c.selectionStart() + 1);
    return c.charFormat();
}

} // namespace

TEST(DocxForeign, StylesListsTablesAndLinksOfAWordPackage) {
    QTextDocument main;
    QTextDocument header;
    TextContent content;
    content.main = &main;
    content.areas[0] = &header;
    QString error;
    ASSERT_TRUE(docx::read(wordLikePackage(), content, &error)) << error.toStdString();

    EXPECT_EQ(header.toPlainText(), QStringLiteral("Header text"));
    EXPECT_EQ(content.page.headerFooterBits, HeaderEveryPage);
    EXPECT_EQ(content.page.width, 11906);
    EXPECT_EQ(content.page.marginTop, 1985);

    // Title2 is based on heading 1, based on Normal, over the document defaults.
    const QTextCharFormat title = formatOf(main, QStringLiteral("Title"));
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_TRUE(title.fontItalic());
    EXPECT_DOUBLE_EQ(title.fontPointSize(), 16);
    EXPECT_EQ(title.fontFamilies().toStringList().first(), QStringLiteral("Century"));
    EXPECT_EQ(main.findBlock(0).blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(main.findBlock(0).blockFormat().headingLevel(), 1);

    const QTextCharFormat plain = formatOf(main, QStringLiteral("Plain"));
    EXPECT_DOUBLE_EQ(plain.fontPointSize(), 10.5);
    EXPECT_NE(plain.fontWeight(), QFont::Bold);
    EXPECT_EQ(main.find(QStringLiteral("Plain")).block().blockFormat().alignment(),
              Qt::AlignJustify);
    const QTextCharFormat strong = formatOf(main, QStringLiteral("strong"));
    EXPECT_EQ(strong.fontWeight(), QFont::Bold);
    EXPECT_EQ(strong.foreground().color(), QColor(0xC0, 0x00, 0x00));
    const QTextCharFormat big = formatOf(main, QStringLiteral("big"));
    EXPECT_DOUBLE_EQ(big.fontPointSize(), 20);
    EXPECT_EQ(big.background().color(), QColor(Qt::yellow));
    EXPECT_EQ(main.find(QStringLiteral("Plain")).block().text(), QStringLiteral("Plain strongbig"));

    const QTextList *numbers = main.find(QStringLiteral("first")).block().textList();
    ASSERT_NE(numbers, nullptr);
    EXPECT_EQ(numbers->format().style(), QTextListFormat::ListDecimal);
    EXPECT_EQ(main.find(QStringLiteral("second")).block().textList(), numbers);
    EXPECT_EQ(numbers->count(), 2);
    const QTextList *nested = main.find(QStringLiteral("nested")).block().textList();
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(nested->format().style(), QTextListFormat::ListLowerAlpha);
    EXPECT_EQ(nested->format().indent(), 2);
    EXPECT_EQ(nested->format().numberPrefix(), QStringLiteral("("));
    const QTextList *bullets = main.find(QStringLiteral("dot")).block().textList();
    ASSERT_NE(bullets, nullptr);
    EXPECT_EQ(bullets->format().style(), QTextListFormat::ListDisc);

    QTextTable *table = main.find(QStringLiteral("wide")).currentTable();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rows(), 2);
    EXPECT_EQ(table->columns(), 3);
    EXPECT_EQ(table->cellAt(0, 0).columnSpan(), 2);
    EXPECT_EQ(table->cellAt(0, 2).rowSpan(), 2);
    EXPECT_EQ(table->cellAt(1, 1).firstCursorPosition().block().text(), QStringLiteral("b"));
    EXPECT_EQ(table->cellAt(0, 2).format().background().color(), QColor(0xFF, 0xCC, 0x00));

    const QTextCharFormat site = formatOf(main, QStringLiteral("site"));
    EXPECT_EQ(site.stringProperty(TextProp::FieldData), QStringLiteral("https://example.com/"));
    EXPECT_EQ(site.intProperty(TextProp::FieldLinkKind), 1);
    EXPECT_EQ(site.intProperty(TextProp::FieldAttribute), 149);
    const QTextCharFormat field = formatOf(main, QStringLiteral("field"));
    EXPECT_EQ(field.stringProperty(TextProp::FieldData), QStringLiteral("http://field.test/"));
    EXPECT_NE(field.intProperty(TextProp::FieldId), site.intProperty(TextProp::FieldId));
    EXPECT_EQ(formatOf(main, QStringLiteral("inner")).stringProperty(TextProp::FieldData),
              QStringLiteral("#_Toc1"));
    EXPECT_FALSE(formatOf(main, QStringLiteral("and")).hasProperty(TextProp::FieldId));
    EXPECT_FALSE(main.toPlainText().contains(QStringLiteral("HYPERLINK")));

    // The picture, then a page break inside the paragraph.
    const QTextBlock pictureBlock = main.find(QString(QChar(0xFFFC))).block();
    ASSERT_TRUE(pictureBlock.isValid());
    EXPECT_EQ(pictureBlock.blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_Auto);
    EXPECT_EQ(pictureBlock.next().text(), QStringLiteral("after break"));
    EXPECT_EQ(pictureBlock.next().blockFormat().pageBreakPolicy(),
              QTextFormat::PageBreak_AlwaysBefore);
    // A paragraph holding only a break leaves no empty block behind.
    const QTextBlock broken = main.find(QStringLiteral("next page")).block();
    EXPECT_EQ(broken.blockFormat().pageBreakPolicy(), QTextFormat::PageBreak_AlwaysBefore);
    EXPECT_EQ(broken.previous().text(), QStringLiteral("after break"));
    const QTextImageFormat image = formatOf(main, QString(QChar(0xFFFC))).toImageFormat();
    EXPECT_DOUBLE_EQ(image.width(), 60);
    EXPECT_DOUBLE_EQ(image.height(), 40);
    EXPECT_EQ(image.intProperty(TextProp::ObjectKind), 4);
    EXPECT_FALSE(
        main.resource(QTextDocument::ImageResource, QUrl(image.name())).toByteArray().isEmpty());

    // What was read is written as one of our own packages, which reads back the same.
    const QByteArray ours = docx::write(content);
    QTextDocument again;
    TextContent second;
    second.main = &again;
    ASSERT_TRUE(docx::read(ours, second));
    EXPECT_EQ(again.toPlainText(), main.toPlainText());
    EXPECT_EQ(docx::write(second), docx::write(TextContent{&again, {}, content.page}));
}

TEST(DocxForeign, PackagesWithoutADocumentAreRefused) {
    QTextDocument doc;
    TextContent content;
    content.main = &doc;
    QString error;
    EXPECT_FALSE(
        docx::read(zip({{QStringLiteral("hello.txt"), QByteArray("hi")}}), content, &error));
    EXPECT_FALSE(error.isEmpty());
    // Broken XML in the main part.
    const QByteArray broken = zip(
        {{QStringLiteral("word/document.xml"), part("document", "<w:body><w:p><w:r><w:t>cut")}});
    EXPECT_FALSE(docx::read(broken, content, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("document.xml")));
    EXPECT_TRUE(doc.isEmpty());
}

namespace {

QList<QPair<QString, QByteArray>> unzipAll(const QByteArray &package) {
    QByteArray bytes = package;
    QBuffer buffer(&bytes);
    QuaZip archive(&buffer);
    archive.open(QuaZip::mdUnzip);
    QList<QPair<QString, QByteArray>> files;
    for (bool more = archive.goToFirstFile(); more; more = archive.goToNextFile()) {
        QuaZipFile file(&archive);
        file.open(QIODevice::ReadOnly);
        files.append({archive.getCurrentFileName(), file.readAll()});
    }
    return files;
}

} // namespace

TEST(DocxForeign, LinksAreWordHyperlinksAndSurviveWithoutOurRecords) {
    QTextDocument doc;
    QTextCursor c(&doc);
    auto insertField = [&](const QString &text, int id, const QString &data, int kind) {
        QTextCharFormat f;
        f.setProperty(TextProp::FieldId, id);
        f.setProperty(TextProp::FieldData, data);
        f.setProperty(TextProp::FieldLinkKind, kind);
        f.setProperty(TextProp::FieldAttribute, 149);
        c.insertText(text, f);
        c.insertText(QStringLiteral(" "), QTextCharFormat());
    };
    insertField(QStringLiteral("web"), 1, QStringLiteral("https://example.org/"), 1);
    insertField(QStringLiteral("file"), 2, QStringLiteral("C:\\写真\\a.jpg"), 1);
    insertField(QStringLiteral("jump"), 3, QStringLiteral("#TG_5"), 1);
    insertField(QStringLiteral("tag"), 4, QStringLiteral("TG_5"), 2);
    insertField(QStringLiteral("tip"), 5, QStringLiteral("TP_説明"), 2);
    TextContent content;
    content.main = &doc;
    const QByteArray package = docx::write(content);

    const QByteArray rels = unzipPart(package, QStringLiteral("word/_rels/document.xml.rels"));
    EXPECT_TRUE(rels.contains("Target=\"https://example.org/\" TargetMode=\"External\""));
    EXPECT_TRUE(rels.contains("Target=\"file:///C:/%E5%86%99%E7%9C%9F/a.jpg\""));
    const QByteArray xml = unzipPart(package, QStringLiteral("word/document.xml"));
    EXPECT_TRUE(xml.contains("w:anchor=\"TG_5\""));
    EXPECT_TRUE(xml.contains("w:name=\"TG_5\""));
    EXPECT_TRUE(xml.contains(QStringLiteral("w:tooltip=\"説明\"").toUtf8()));

    // Without the record part (a program that dropped it) the links still come back as links.
    QList<QPair<QString, QByteArray>> files = unzipAll(package);
    files.removeIf([](const auto &f) { return f.first.startsWith(QStringLiteral("customXml")); });
    QTextDocument read;
    TextContent back;
    back.main = &read;
    ASSERT_TRUE(docx::read(zip(files), back));
    EXPECT_EQ(read.toPlainText(), doc.toPlainText());
    EXPECT_EQ(formatOf(read, QStringLiteral("web")).stringProperty(TextProp::FieldData),
              QStringLiteral("https://example.org/"));
    EXPECT_EQ(formatOf(read, QStringLiteral("jump")).stringProperty(TextProp::FieldData),
              QStringLiteral("#TG_5"));
    const QTextCharFormat tag = formatOf(read, QStringLiteral("tag"));
    EXPECT_EQ(tag.stringProperty(TextProp::FieldData), QStringLiteral("TG_5"));
    EXPECT_EQ(tag.intProperty(TextProp::FieldLinkKind), 2);
    const QTextCharFormat tip = formatOf(read, QStringLiteral("tip"));
    EXPECT_EQ(tip.stringProperty(TextProp::FieldData), QStringLiteral("TP_説明"));
    EXPECT_EQ(tip.intProperty(TextProp::FieldLinkKind), 2);
}

TEST(DocxForeign, DeepNestingIsCutOffNotFollowed) {
    QByteArray body;
    const int depth = 20000;
    for (int i = 0; i < depth; ++i)
        body += "<w:sdt><w:sdtContent>";
    body += "<w:p><w:r><w:t>deep</w:t></w:r></w:p>";
    for (int i = 0; i < depth; ++i)
        body += "</w:sdtContent></w:sdt>";
    body += "<w:p><w:r><w:t>shallow</w:t></w:r></w:p>";
    QTextDocument doc;
    TextContent content;
    content.main = &doc;
    ASSERT_TRUE(docx::read(zip({{QStringLiteral("word/document.xml"),
                                 part("document", "<w:body>" + body + "</w:body>")}}),
                           content));
    EXPECT_EQ(doc.toPlainText(), QStringLiteral("shallow"));
}

TEST(DocxForeign, ThemeFontsOfTheDefaultsReachTheRuns) {
    const QByteArray rels =
        R"(<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
        R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
        R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/theme" Target="theme/theme1.xml"/>)"
        R"(</Relationships>)";
    const QByteArray theme =
        R"(<?xml version="1.0"?><a:theme xmlns:a="http://schemas.openxmlformats.org/drawingml/2006/main"><a:themeElements><a:fontScheme name="Office">)"
        R"(<a:majorFont><a:latin typeface="Heading Latin"/><a:ea typeface=""/><a:font script="Jpan" typeface="見出しのフォント"/></a:majorFont>)"
        R"(<a:minorFont><a:latin typeface="Body Latin"/><a:ea typeface=""/><a:font script="Jpan" typeface="本文のフォント"/></a:minorFont>)"
        R"(</a:fontScheme></a:themeElements></a:theme>)";
    const QByteArray styles = part(
        "styles",
        R"(<w:docDefaults><w:rPrDefault><w:rPr><w:rFonts w:asciiTheme="minorHAnsi" w:eastAsiaTheme="minorEastAsia" w:hAnsiTheme="minorHAnsi"/><w:sz w:val="21"/></w:rPr></w:rPrDefault></w:docDefaults>)");
    const QByteArray document = part(
        "document",
        R"(<w:body><w:p><w:r><w:t>本文</w:t></w:r><w:r><w:rPr><w:rFonts w:asciiTheme="majorHAnsi" w:eastAsiaTheme="majorEastAsia"/></w:rPr><w:t>見出し</w:t></w:r></w:p></w:body>)");
    QTextDocument doc;
    TextContent content;
    content.main = &doc;
    ASSERT_TRUE(docx::read(zip({{QStringLiteral("word/document.xml"), document},
                                {QStringLiteral("word/_rels/document.xml.rels"), rels},
                                {QStringLiteral("word/styles.xml"), styles},
                                {QStringLiteral("word/theme/theme1.xml"), theme}}),
                           content));
    EXPECT_EQ(formatOf(doc, QStringLiteral("本文")).fontFamilies().toStringList(),
              (QStringList{QStringLiteral("Body Latin"), QStringLiteral("本文のフォント")}));
    EXPECT_EQ(formatOf(doc, QStringLiteral("見出し")).fontFamilies().toStringList(),
              (QStringList{QStringLiteral("Heading Latin"), QStringLiteral("見出しのフォント")}));
}
