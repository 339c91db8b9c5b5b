#include "docx_test_package.h"
#include "platform/text/docx/docx_codec.h"
#include "platform/text/text_lists.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

using namespace platform;
using docxtest::part;
using docxtest::zip;

namespace {

// A part beside the document, reached through the document's relationship rId<n>, n counting
// from 1 in the order given.
struct Extra {
    const char *type; // last segment of the relationship type
    const char *target;
    QByteArray xml;
};

QByteArray package(const QByteArray &body, const QList<Extra> &extras = {}) {
    QByteArray rels = R"(<?xml version="1.0"?><Relationships )"
                      R"(xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)";
    QList<QPair<QString, QByteArray>> files;
    for (qsizetype i = 0; i < extras.size(); ++i) {
        rels +=
            QStringLiteral("<Relationship Id=\"rId%1\" Type=\"http://schemas.openxmlformats.org/"
                           "officeDocument/2006/relationships/%2\" Target=\"%3\"/>")
                .arg(i + 1)
                .arg(QLatin1StringView(extras[i].type), QLatin1StringView(extras[i].target))
                .toUtf8();
        files.append(
            {QStringLiteral("word/") + QLatin1StringView(extras[i].target), extras[i].xml});
    }
    files.append(
        {QStringLiteral("word/document.xml"), part("document", "<w:body>" + body + "</w:body>")});
    files.append({QStringLiteral("word/_rels/document.xml.rels"), rels + "</Relationships>"});
    return zip(files);
}

QByteArray run(const QByteArray &text) {
    return R"(<w:r><w:t xml:space="preserve">)" + text + "</w:t></w:r>";
}

QByteArray paragraph(const QByteArray &text) {
    return "<w:p>" + run(text) + "</w:p>";
}

QByteArray listItem(const QByteArray &text, int level, int numId, const QByteArray &extraPPr = {}) {
    return QStringLiteral("<w:p><w:pPr><w:numPr><w:ilvl w:val=\"%1\"/><w:numId w:val=\"%2\"/>"
                          "</w:numPr>")
               .arg(level)
               .arg(numId)
               .toUtf8() +
           extraPPr + "</w:pPr>" + run(text) + "</w:p>";
}

QByteArray controlsPackage() {
    const QByteArray cell = "<w:tc><w:p><w:r><w:t>%1</w:t></w:r></w:p></w:tc>";
    auto tc = [&](const char *t) { return QByteArray(cell).replace("%1", t); };
    return package(
        R"(<w:sdt><w:sdtPr><w:alias w:val="Block"/></w:sdtPr><w:sdtContent>)" +
        paragraph("block control") + "</w:sdtContent></w:sdt>" + "<w:p>" + run("Date: ") +
        R"(<w:sdt><w:sdtPr><w:date w:fullDate="2024-01-05T00:00:00Z"><w:dateFormat w:val="yyyy年M月d日"/></w:date></w:sdtPr>)"
        R"(<w:sdtContent><w:r><w:t>2024年1月5日</w:t></w:r></w:sdtContent></w:sdt>)" +
        run(" colour: ") +
        R"(<w:sdt><w:sdtPr><w:dropDownList><w:listItem w:displayText="Red" w:value="r"/>)"
        R"(<w:listItem w:displayText="Blue" w:value="b"/></w:dropDownList></w:sdtPr>)"
        R"(<w:sdtContent><w:r><w:t>Blue</w:t></w:r></w:sdtContent></w:sdt></w:p>)"
        R"(<w:tbl><w:tblPr/><w:tblGrid><w:gridCol w:w="2000"/><w:gridCol w:w="2000"/></w:tblGrid>)"
        "<w:tr>" +
        tc("a") + "<w:sdt><w:sdtPr/><w:sdtContent>" + tc("b") +
        "</w:sdtContent></w:sdt></w:tr><w:sdt><w:sdtPr/><w:sdtContent><w:customXml><w:tr>" +
        tc("c") + "<w:tc><w:sdt><w:sdtContent>" + paragraph("d") +
        "</w:sdtContent></w:sdt></w:tc></w:tr></w:customXml></w:sdtContent></w:sdt></w:tbl>" +
        paragraph("after"));
}

QByteArray rubyPackage() {
    const QByteArray ruby =
        R"(<w:r><w:ruby><w:rubyPr><w:rubyAlign w:val="distributeSpace"/><w:hps w:val="10"/>)"
        R"(<w:hpsRaise w:val="18"/><w:hpsBaseText w:val="21"/><w:lid w:val="ja-JP"/></w:rubyPr>)"
        R"(<w:rt><w:r><w:rPr><w:sz w:val="10"/></w:rPr><w:t>%rt</w:t></w:r></w:rt>)"
        R"(<w:rubyBase><w:r><w:rPr><w:sz w:val="21"/></w:rPr><w:t>%base</w:t></w:r></w:rubyBase></w:ruby></w:r>)";
    auto r = [&](const char *base, const char *rt) {
        return QByteArray(ruby).replace("%rt", rt).replace("%base", base);
    };
    // The last two: one ruby text over each of two characters, not one over both.
    return package("<w:p>" + r("漢", "かん") + run("字を") + r("読", "よ") + run("む") +
                   r("日", "ひ") + r("日", "ひ") + "</w:p>");
}

QByteArray noteRef(const char *kind, const char *id) {
    return QByteArray(R"(<w:r><w:rPr><w:vertAlign w:val="superscript"/></w:rPr><w:)") + kind +
           R"(Reference w:id=")" + id + R"("/></w:r>)";
}

QByteArray notesPackage() {
    auto notes = [](const char *kind) {
        const QByteArray k(kind);
        const QByteArray ref =
            "<w:r><w:rPr><w:vertAlign w:val=\"superscript\"/></w:rPr><w:" + k + "Ref/></w:r>";
        return part(
            QByteArray(k + "s").constData(),
            "<w:" + k +
                R"( w:type="separator" w:id="-1"><w:p><w:r><w:separator/></w:r></w:p></w:)" + k +
                ">" + "<w:" + k + R"( w:id="1"><w:p>)" + ref + run(" " + k + " A") + "</w:p>" +
                paragraph("second paragraph") + "</w:" + k + ">" + "<w:" + k +
                R"( w:id="2"><w:p>)" + ref + run(" " + k + " B") + "</w:p></w:" + k + ">");
    };
    const QByteArray sup = R"(<w:r><w:rPr><w:vertAlign w:val="superscript"/></w:rPr>)";
    return package("<w:p>" + run("Before") + sup + R"(<w:footnoteReference w:id="1"/></w:r>)" +
                       run(" middle") + sup + R"(<w:endnoteReference w:id="1"/></w:r>)" +
                       run(" end") + sup + R"(<w:footnoteReference w:id="2"/></w:r></w:p>)" +
                       paragraph("last"),
                   {{"footnotes", "footnotes.xml", notes("footnote")},
                    {"endnotes", "endnotes.xml", notes("endnote")}});
}

// A plain footnote, then a footnote or endnote holding a table between two paragraphs.
QByteArray noteTablePackage(const QByteArray &kind) {
    const QByteArray table =
        R"(<w:tbl><w:tblGrid><w:gridCol w:w="2000"/><w:gridCol w:w="2000"/></w:tblGrid><w:tr>)"
        R"(<w:tc><w:p><w:r><w:t>cell one</w:t></w:r></w:p></w:tc>)"
        R"(<w:tc><w:p><w:r><w:t>cell two</w:t></w:r></w:p></w:tc></w:tr></w:tbl>)";
    auto note = [](const QByteArray &k, const char *id, const QByteArray &body) -> QByteArray {
        return "<w:" + k + R"( w:id=")" + id + R"("><w:p><w:r><w:)" + k + "Ref/></w:r>" + body +
               "</w:" + k + ">";
    };
    const QByteArray plain = note("footnote", "3", run(" plain note") + "</w:p>");
    const QByteArray withTable =
        note(kind, "7", run(" table note") + "</w:p>" + table + paragraph("under the table"));
    const QByteArray body = "<w:p>" + run("Text") + noteRef("footnote", "3") + run(" and") +
                            noteRef(kind.constData(), "7") + "</w:p>" + paragraph("last");
    if (kind == "footnote")
        return package(body,
                       {{"footnotes", "footnotes.xml", part("footnotes", plain + withTable)}});
    return package(body, {{"footnotes", "footnotes.xml", part("footnotes", plain)},
                          {"endnotes", "endnotes.xml", part("endnotes", withTable)}});
}

// Three sections: the first defines every-page and first-page headers and a footer, the second
// a new every-page header, the last nothing of its own but a title page.
QByteArray sectionsPackage() {
    auto ref = [](const char *kind, const char *type, int id) {
        return QStringLiteral("<w:%1Reference w:type=\"%2\" r:id=\"rId%3\"/>")
            .arg(QLatin1StringView(kind), QLatin1StringView(type))
            .arg(id)
            .toUtf8();
    };
    return package("<w:p><w:pPr><w:sectPr>" + ref("header", "default", 1) +
                       ref("header", "first", 2) + ref("footer", "default", 3) +
                       "</w:sectPr></w:pPr>" + run("one") + "</w:p><w:p><w:pPr><w:sectPr>" +
                       ref("header", "default", 4) + "</w:sectPr></w:pPr>" + run("two") + "</w:p>" +
                       paragraph("three") +
                       R"(<w:sectPr><w:pgSz w:w="11906" w:h="16838"/><w:titlePg/></w:sectPr>)",
                   {{"header", "header1.xml", part("hdr", paragraph("first header"))},
                    {"header", "header2.xml", part("hdr", paragraph("title header"))},
                    {"footer", "footer1.xml", part("ftr", paragraph("the footer"))},
                    {"header", "header3.xml", part("hdr", paragraph("second header"))}});
}

// One abstract list with compound labels, three lists on it: 1 and 2 count on together, 3
// restarts level 0.
QByteArray numberingPackage() {
    const QByteArray numbering = part(
        "numbering",
        R"(<w:abstractNum w:abstractNumId="0">)"
        R"(<w:lvl w:ilvl="0"><w:start w:val="1"/><w:numFmt w:val="decimal"/><w:lvlText w:val="%1."/></w:lvl>)"
        R"(<w:lvl w:ilvl="1"><w:start w:val="1"/><w:numFmt w:val="decimal"/><w:lvlText w:val="%1.%2."/></w:lvl>)"
        R"~(<w:lvl w:ilvl="2"><w:start w:val="1"/><w:numFmt w:val="lowerLetter"/><w:lvlText w:val="%1.%2.%3"/></w:lvl>)~"
        R"(</w:abstractNum>)"
        R"(<w:abstractNum w:abstractNumId="1"><w:lvl w:ilvl="0"><w:start w:val="1"/><w:numFmt w:val="upperRoman"/><w:lvlText w:val="%1."/></w:lvl>)"
        R"(<w:lvl w:ilvl="1"><w:start w:val="1"/><w:numFmt w:val="decimal"/><w:lvlText w:val="%1-%2"/></w:lvl></w:abstractNum>)"
        R"(<w:num w:numId="1"><w:abstractNumId w:val="0"/></w:num>)"
        R"(<w:num w:numId="2"><w:abstractNumId w:val="0"/></w:num>)"
        R"(<w:num w:numId="3"><w:abstractNumId w:val="0"/><w:lvlOverride w:ilvl="0"><w:startOverride w:val="1"/></w:lvlOverride></w:num>)"
        R"(<w:num w:numId="4"><w:abstractNumId w:val="1"/></w:num>)");
    return package(listItem("one", 0, 1) + listItem("one one", 1, 1) + listItem("one one a", 2, 1) +
                       listItem("one one b", 2, 1) + paragraph("between") + listItem("two", 0, 1) +
                       listItem("two one", 1, 1) + listItem("two one a", 2, 1) +
                       listItem("three", 0, 2) + listItem("restarted", 0, 3) +
                       listItem("restarted two", 0, 3) + listItem("roman", 0, 4) +
                       listItem("roman one", 1, 4),
                   {{"numbering", "numbering.xml", numbering}});
}

QByteArray symbolsPackage() {
    return package("<w:p>" + run("mark:") +
                   R"(<w:r><w:sym w:font="Wingdings" w:char="F0DA"/></w:r>)" + run("end") +
                   "</w:p>");
}

// A list item whose paragraph mark was deleted joins the next; a deleted empty item leaves
// nothing.
QByteArray trackedPackage() {
    const QByteArray deletedMark =
        R"(<w:rPr><w:del w:id="1" w:author="A" w:date="2024-01-01T00:00:00Z"/></w:rPr>)";
    const QByteArray numbering = part(
        "numbering",
        R"(<w:abstractNum w:abstractNumId="0"><w:lvl w:ilvl="0"><w:start w:val="1"/><w:numFmt w:val="decimal"/><w:lvlText w:val="%1."/></w:lvl></w:abstractNum>)"
        R"(<w:num w:numId="1"><w:abstractNumId w:val="0"/></w:num>)");
    QByteArray second = listItem("beta", 0, 1);
    second.replace(
        "</w:p>",
        R"(<w:del w:id="2" w:author="A"><w:r><w:delText>gone</w:delText></w:r></w:del>)"
        R"(<w:ins w:id="3" w:author="A"><w:r><w:t xml:space="preserve"> new</w:t></w:r></w:ins></w:p>)");
    QByteArray removed = listItem("", 0, 1, deletedMark);
    removed.replace(
        run(""),
        R"(<w:del w:id="4" w:author="A"><w:r><w:delText>removed</w:delText></w:r></w:del>)");
    return package(listItem("alpha ", 0, 1, deletedMark) + second + removed +
                       listItem("gamma", 0, 1),
                   {{"numbering", "numbering.xml", numbering}});
}

struct Read {
    std::unique_ptr<QTextDocument> main = std::make_unique<QTextDocument>();
    std::array<std::unique_ptr<QTextDocument>, 4> areas;
    TextContent content;
    Read() {
        content.main = main.get();
        for (size_t i = 0; i < 4; ++i) {
            areas[i] = std::make_unique<QTextDocument>();
            content.areas[i] = areas[i].get();
        }
    }
};

std::unique_ptr<Read> readPackage(const QByteArray &bytes) {
    auto read = std::make_unique<Read>();
    QString error;
    EXPECT_TRUE(docx::read(bytes, read->content, &error)) << error.toStdString();
    return read;
}

// Our package of what was read, read back; writing that again must give the same bytes.
std::unique_ptr<Read> roundTrip(const Read &first) {
    const QByteArray ours = docx::write(first.content);
    auto again = readPackage(ours);
    EXPECT_EQ(docx::write(again->content), ours);
    return again;
}

// The main text as Word shows it: list labels before their paragraphs; note bodies, after the
// separator, only with notes.
QString shownText(const QTextDocument &doc, bool notes = true) {
    QStringList lines;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
        if (b.blockFormat().boolProperty(TextProp::NoteSeparator)) {
            if (!notes)
                break;
            lines << QStringLiteral("----");
            continue;
        }
        const QString label = b.textList() ? listItemLabel(b) + u' ' : QString();
        lines << label + b.text();
    }
    return lines.join(u'\n');
}

QTextCharFormat formatAt(const QTextDocument &doc, const QString &text) {
    QTextCursor c = doc.find(text);
    if (c.isNull())
        return {};
    c.setPosition(c.selectionStart() + 1);
    return c.charFormat();
}

} // namespace

TEST(DocxForeignContent, ContentControlsAreReadWhereverTheyStand) {
    const auto read = readPackage(controlsPackage());
    const QTextDocument &doc = *read->main;
    EXPECT_EQ(doc.begin().text(), QStringLiteral("block control"));
    EXPECT_EQ(doc.begin().next().text(), QStringLiteral("Date: 2024年1月5日 colour: Blue"));
    auto *table = qobject_cast<QTextTable *>(doc.rootFrame()->childFrames().value(0));
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->rows(), 2);
    ASSERT_EQ(table->columns(), 2);
    const QStringList cells{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"),
                            QStringLiteral("d")};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(table->cellAt(i / 2, i % 2).firstCursorPosition().block().text(), cells[i]);
    EXPECT_EQ(doc.lastBlock().text(), QStringLiteral("after"));

    // Controls nested past any sense around a row: the reader stays bounded, the rest is read.
    QByteArray deep;
    for (int i = 0; i < 5000; ++i)
        deep += "<w:sdt><w:sdtContent>";
    deep += "<w:tr><w:tc><w:p><w:r><w:t>deep</w:t></w:r></w:p></w:tc></w:tr>";
    for (int i = 0; i < 5000; ++i)
        deep += "</w:sdtContent></w:sdt>";
    const auto hostile = readPackage(
        package("<w:tbl><w:tr><w:tc><w:p><w:r><w:t>row</w:t></w:r></w:p></w:tc></w:tr>" + deep +
                "</w:tbl>" + paragraph("tail")));
    EXPECT_EQ(hostile->main->toPlainText(), QStringLiteral("\nrow\ntail"));
}

TEST(DocxForeignContent, RubyKeepsItsBaseTextAndComesBackAsRuby) {
    const auto read = readPackage(rubyPackage());
    EXPECT_EQ(read->main->toPlainText(), QStringLiteral("漢字を読む日日"));
    EXPECT_EQ(formatAt(*read->main, QStringLiteral("漢")).stringProperty(TextProp::RubyText),
              QStringLiteral("かん"));
    EXPECT_EQ(formatAt(*read->main, QStringLiteral("読")).stringProperty(TextProp::RubyText),
              QStringLiteral("よ"));
    EXPECT_FALSE(formatAt(*read->main, QStringLiteral("字")).hasProperty(TextProp::RubyText));

    const QTextCharFormat first = formatAt(*read->main, QStringLiteral("日"));
    EXPECT_EQ(first.stringProperty(TextProp::RubyText), QStringLiteral("ひ"));
    QTextCursor second(read->main.get());
    second.setPosition(7);
    EXPECT_EQ(second.charFormat().stringProperty(TextProp::RubyText), QStringLiteral("ひ"));
    EXPECT_NE(second.charFormat(), first);

    const QByteArray ours = docx::write(read->content);
    const QByteArray xml = docxtest::unzipPart(ours, QStringLiteral("word/document.xml"));
    EXPECT_EQ(xml.count("<w:ruby>"), 4);
    EXPECT_TRUE(xml.contains(QStringLiteral("<w:rt><w:r><w:rPr><w:sz w:val=\"10\"/></w:rPr>"
                                            "<w:t>かん</w:t>")
                                 .toUtf8()));
    const auto again = roundTrip(*read);
    EXPECT_EQ(again->main->toPlainText(), QStringLiteral("漢字を読む日日"));
    EXPECT_EQ(docxtest::unzipPart(docx::write(again->content), QStringLiteral("word/document.xml"))
                  .count("<w:ruby>"),
              4);
    EXPECT_EQ(formatAt(*again->main, QStringLiteral("漢")).stringProperty(TextProp::RubyText),
              QStringLiteral("かん"));
    EXPECT_DOUBLE_EQ(formatAt(*again->main, QStringLiteral("漢")).fontPointSize(), 10.5);
}

TEST(DocxForeignContent, NotesShowTheirMarksAndBodiesAndAreWrittenAsNotes) {
    const auto read = readPackage(notesPackage());
    const QString expected = QStringLiteral("Before1 middlei end2\nlast\n----\n"
                                            "1 footnote A\nsecond paragraph\n2 footnote B\n"
                                            "i endnote A\nsecond paragraph");
    EXPECT_EQ(shownText(*read->main), expected);
    QTextCursor c(read->main.get());
    c.setPosition(7); // after "Before1"
    EXPECT_EQ(c.charFormat().verticalAlignment(), QTextCharFormat::AlignSuperScript);
    EXPECT_EQ(c.charFormat().intProperty(TextProp::NoteMark), 1);
    c.setPosition(6);
    EXPECT_FALSE(c.charFormat().hasProperty(TextProp::NoteMark));

    const QByteArray ours = docx::write(read->content);
    const QByteArray body = docxtest::unzipPart(ours, QStringLiteral("word/document.xml"));
    EXPECT_EQ(body.count("<w:footnoteReference"), 2);
    EXPECT_EQ(body.count("<w:endnoteReference"), 1);
    EXPECT_FALSE(body.contains("footnote A"));
    const QByteArray footnotes = docxtest::unzipPart(ours, QStringLiteral("word/footnotes.xml"));
    EXPECT_TRUE(footnotes.contains("footnote B"));
    EXPECT_EQ(footnotes.count("<w:footnoteRef/>"), 2);
    EXPECT_TRUE(
        docxtest::unzipPart(ours, QStringLiteral("word/endnotes.xml")).contains("endnote A"));
    EXPECT_EQ(shownText(*roundTrip(*read)->main), expected);
}

TEST(DocxForeignContent, ATableInANoteStaysInTheNote) {
    for (const QByteArray kind : {"footnote", "endnote"}) {
        const auto read = readPackage(noteTablePackage(kind));
        const QString mark = kind == "footnote" ? QStringLiteral("2") : QStringLiteral("i");
        const QString expected =
            QStringLiteral("Text1 and%1\nlast\n----\n1 plain note\n%1 table note\ncell one\n"
                           "cell two\nunder the table")
                .arg(mark);
        EXPECT_EQ(shownText(*read->main), expected);
        const QByteArray ours = docx::write(read->content);
        EXPECT_FALSE(
            docxtest::unzipPart(ours, QStringLiteral("word/document.xml")).contains("cell"));
        const QByteArray notes =
            docxtest::unzipPart(ours, QStringLiteral("word/%1s.xml").arg(QLatin1StringView(kind)));
        EXPECT_EQ(notes.count("<w:tbl>"), 1);
        EXPECT_TRUE(notes.contains("cell two"));
        EXPECT_EQ(shownText(*roundTrip(*read)->main), expected);
    }
}

TEST(DocxForeignContent, HeadersAndFootersAreInheritedFromEarlierSections) {
    const auto read = readPackage(sectionsPackage());
    EXPECT_EQ(read->main->toPlainText(), QStringLiteral("one\ntwo\nthree"));
    EXPECT_EQ(read->content.page.headerFooterBits,
              HeaderEveryPage | HeaderFirstPage | FooterEveryPage);
    EXPECT_EQ(read->areas[0]->toPlainText(), QStringLiteral("second header"));
    EXPECT_EQ(read->areas[1]->toPlainText(), QStringLiteral("title header"));
    EXPECT_EQ(read->areas[2]->toPlainText(), QStringLiteral("the footer"));
    EXPECT_EQ(read->content.page.width, 11906);
}

TEST(DocxForeignContent, ListLabelsAreTheOnesWordShows) {
    const QString expected = QStringLiteral(
        "1. one\n1.1. one one\n1.1.a one one a\n1.1.b one one b\nbetween\n2. two\n2.1. two one\n"
        "2.1.a two one a\n3. three\n1. restarted\n2. restarted two\nI. roman\nI-1 roman one");
    const auto read = readPackage(numberingPackage());
    EXPECT_EQ(shownText(*read->main), expected);
    EXPECT_EQ(shownText(*roundTrip(*read)->main), expected);

    // A list that starts at 5: Qt would show it from 1; its labels are ours, the start is kept
    // and written back.
    const QByteArray numbering = part(
        "numbering",
        R"(<w:abstractNum w:abstractNumId="0"><w:lvl w:ilvl="0"><w:start w:val="1"/><w:numFmt w:val="decimal"/><w:lvlText w:val="%1."/></w:lvl></w:abstractNum>)"
        R"(<w:num w:numId="1"><w:abstractNumId w:val="0"/><w:lvlOverride w:ilvl="0"><w:startOverride w:val="5"/></w:lvlOverride></w:num>)");
    const auto five = readPackage(package(listItem("five", 0, 1) + listItem("six", 0, 1),
                                          {{"numbering", "numbering.xml", numbering}}));
    const auto fiveAgain = roundTrip(*five);
    for (const Read *r : {five.get(), fiveAgain.get()}) {
        const QTextList *list = r->main->begin().textList();
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->count(), 2);
        EXPECT_EQ(list->format().intProperty(TextProp::ListStart), 5);
        EXPECT_EQ(shownText(*r->main), QStringLiteral("5. five\n6. six"));
        EXPECT_TRUE(drawsOwnLabel(r->main->begin()));
        EXPECT_TRUE(drawsOwnLabel(r->main->lastBlock()));
    }
    EXPECT_FALSE(drawsOwnLabel(read->main->begin()));
    EXPECT_TRUE(
        docxtest::unzipPart(docx::write(five->content), QStringLiteral("word/numbering.xml"))
            .contains(R"(<w:start w:val="5"/>)"));

    // Hostile level texts and start values give short labels.
    const QByteArray huge = part(
        "numbering",
        R"(<w:abstractNum w:abstractNumId="0"><w:lvl w:ilvl="0"><w:start w:val="999999"/>)"
        R"(<w:numFmt w:val="lowerLetter"/><w:lvlText w:val=")" +
            QByteArray(100000, 'x') +
            R"(%1"/></w:lvl></w:abstractNum><w:num w:numId="1"><w:abstractNumId w:val="0"/></w:num>)");
    const auto hostile =
        readPackage(package(listItem("h", 0, 1), {{"numbering", "numbering.xml", huge}}));
    ASSERT_NE(hostile->main->begin().textList(), nullptr);
    EXPECT_LE(hostile->main->begin().textList()->itemText(hostile->main->begin()).size(), 100);
}

TEST(DocxForeignContent, SymbolsKeepTheirCodeAndFont) {
    const auto read = readPackage(symbolsPackage());
    EXPECT_EQ(read->main->toPlainText(), QStringLiteral("mark:\uF0DAend"));
    EXPECT_EQ(formatAt(*read->main, QStringLiteral("\uF0DA")).fontFamilies().toStringList(),
              QStringList{QStringLiteral("Wingdings")});
    EXPECT_TRUE(
        formatAt(*read->main, QStringLiteral("end")).fontFamilies().toStringList().isEmpty());
}

TEST(DocxForeignContent, AParagraphWhoseMarkWasDeletedJoinsTheNext) {
    const auto read = readPackage(trackedPackage());
    EXPECT_EQ(shownText(*read->main), QStringLiteral("1. alpha beta new\n2. gamma"));
}

// LibreOffice reads what our writer makes of the documents above to the same text. Its plain
// text leaves out note bodies, so the packages with notes are also read through its HTML, with
// the ruby texts dropped; both conversions run at once. (LibreOffice's HTML shows a table in a
// footnote as a picture; the table it reads stands in an endnote.)
TEST(DocxForeignContent, LibreOfficeReadsOurPackagesToTheSameText) {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    const QList<QPair<QString, QByteArray>> packages{
        {QStringLiteral("controls"), controlsPackage()},
        {QStringLiteral("ruby"), rubyPackage()},
        {QStringLiteral("notes"), notesPackage()},
        {QStringLiteral("notetable"), noteTablePackage("endnote")},
        {QStringLiteral("lists"), numberingPackage()},
        {QStringLiteral("symbols"), symbolsPackage()},
        {QStringLiteral("tracked"), trackedPackage()}};
    const QStringList withNotes{QStringLiteral("ruby"), QStringLiteral("notes"),
                                QStringLiteral("notetable")};
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    auto conversion = [&](const QString &kind, const QString &filter) {
        return QStringList{
            QStringLiteral("-env:UserInstallation=") +
                QUrl::fromLocalFile(dir.filePath(kind + QStringLiteral("-profile"))).toString(),
            QStringLiteral("--headless"),
            QStringLiteral("--convert-to"),
            filter,
            QStringLiteral("--outdir"),
            dir.filePath(kind)};
    };
    QStringList text = conversion(QStringLiteral("txt"), QStringLiteral("txt:Text (encoded):UTF8"));
    QStringList html = conversion(QStringLiteral("html"), QStringLiteral("html"));
    QHash<QString, QString> expected;
    QHash<QString, QString> expectedWithNotes;
    for (const auto &[name, bytes] : packages) {
        const auto read = readPackage(bytes);
        const auto ours = roundTrip(*read);
        expected.insert(name, shownText(*ours->main, false));
        expectedWithNotes.insert(name, shownText(*ours->main).remove(QStringLiteral("----\n")));
        QFile file(dir.filePath(name + QStringLiteral(".docx")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(docx::write(ours->content));
        text << file.fileName();
        if (withNotes.contains(name))
            html << file.fileName();
    }
    QProcess textProcess;
    QProcess htmlProcess;
    textProcess.start(soffice, text);
    htmlProcess.start(soffice, html);
    ASSERT_TRUE(textProcess.waitForFinished(180000));
    ASSERT_TRUE(htmlProcess.waitForFinished(180000));
    // Lines compared without their indentation and spacing.
    auto lines = [](QString text) {
        text.remove(QChar(0xFEFF));
        text.replace(QChar(QChar::LineSeparator), u'\n');
        text.replace(QChar(QChar::Nbsp), u' ');
        QStringList out;
        for (const QString &line : text.split(u'\n')) {
            const QString simple = line.simplified();
            if (!simple.isEmpty())
                out << simple;
        }
        return out;
    };
    auto converted = [&](const QString &name, const QString &kind) {
        QFile file(dir.filePath(kind + u'/' + name + u'.' + kind));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        return QString::fromUtf8(file.readAll());
    };
    for (const auto &[name, bytes] : packages)
        EXPECT_EQ(lines(converted(name, QStringLiteral("txt"))), lines(expected.value(name)))
            << name.toStdString();
    for (const QString &name : withNotes) {
        static const QRegularExpression rubyText(
            QStringLiteral("<rt>.*?</rt>"), QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
        QTextDocument reduced;
        reduced.setHtml(converted(name, QStringLiteral("html")).remove(rubyText));
        EXPECT_EQ(lines(reduced.toPlainText()), lines(expectedWithNotes.value(name)))
            << name.toStdString();
    }
}

// Parts go to the XML reader as text when they are UTF-8 and as bytes otherwise: other encodings
// still read, and bytes that are not what they claim are still refused.
TEST(DocxForeignContent, PartsInEveryEncodingReadTheSame) {
    const QString text = QStringLiteral("日記 diary");
    const auto read = [](const QByteArray &documentXml, QString *out) {
        QTextDocument doc;
        TextContent content;
        content.main = &doc;
        const bool ok =
            docx::read(zip({{QStringLiteral("word/document.xml"), documentXml}}), content);
        *out = doc.toPlainText();
        return ok;
    };
    const QString body = QStringLiteral("<w:document %1><w:body><w:p><w:r><w:t>%2</w:t></w:r>"
                                        "</w:p></w:body></w:document>")
                             .arg(QString::fromLatin1(docxtest::kNs), text);
    const QString declared = QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>");
    QStringEncoder utf16(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom);
    const QList<QByteArray> good = {
        (QStringLiteral("<?xml version=\"1.0\"?>") + body).toUtf8(),
        "\xEF\xBB\xBF" + (declared.arg(QStringLiteral("UTF-8")) + body).toUtf8(),
        (declared.arg(QStringLiteral("utf-8")) + body).toUtf8(),
        utf16(declared.arg(QStringLiteral("UTF-16")) + body),
    };
    for (const QByteArray &bytes : good) {
        QString out;
        EXPECT_TRUE(read(bytes, &out)) << bytes.left(60).toHex().toStdString();
        EXPECT_EQ(out, text);
    }
    QString out;
    QByteArray broken = (declared.arg(QStringLiteral("UTF-8")) + body).toUtf8();
    broken.replace("diary", "di\xFF\xFEry");
    EXPECT_FALSE(read(broken, &out));
}
