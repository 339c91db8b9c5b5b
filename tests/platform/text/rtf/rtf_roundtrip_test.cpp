#include "rtf_sample.h"

#include "platform/text/rtf/rtf_codec.h"

#include <QRegularExpression>
#include <QTextBlock>

#include <gtest/gtest.h>

using namespace platform;
using rtftest::Sample;

namespace {

// Where two documents differ, for a readable failure.
std::string firstDifference(const QByteArray &a, const QByteArray &b) {
    QTextDocument da, db;
    internalformat::readDocument(a, da);
    internalformat::readDocument(b, db);
    QTextBlock x = da.begin();
    QTextBlock y = db.begin();
    for (; x.isValid() && y.isValid(); x = x.next(), y = y.next()) {
        if (x.text() != y.text())
            return "text: " + x.text().toStdString() + " | " + y.text().toStdString();
        const auto diff = [](const QTextFormat &f, const QTextFormat &g) {
            std::string out;
            QMap<int, QVariant> p = f.properties(), q = g.properties();
            for (int key : p.keys() + q.keys())
                if (p.value(key) != q.value(key))
                    out += " " + QString::number(key, 16).toStdString();
            return out;
        };
        if (x.blockFormat() != y.blockFormat())
            return "block " + x.text().toStdString() + ":" + diff(x.blockFormat(), y.blockFormat());
        if (x.charFormat() != y.charFormat())
            return "mark " + x.text().toStdString() + ":" + diff(x.charFormat(), y.charFormat());
        auto i = x.begin(), j = y.begin();
        for (; !i.atEnd() && !j.atEnd(); ++i, ++j)
            if (i.fragment().charFormat() != j.fragment().charFormat() ||
                i.fragment().text() != j.fragment().text())
                return "run " + i.fragment().text().toStdString() + ":" +
                       diff(i.fragment().charFormat(), j.fragment().charFormat());
    }
    return x.isValid() || y.isValid() ? "block count" : "structure or areas";
}

} // namespace

TEST(Rtf, WriteThenReadGivesTheSameDocument) {
    Sample sample;
    TextSurface source;
    sample.load(source);
    bool ok = false;
    const QByteArray rtf = source.saveWholeToMemory(TextSurface::Rtf, &ok);
    ASSERT_TRUE(ok);
    ASSERT_TRUE(rtf.startsWith("{\\rtf1"));
    for (char c : rtf)
        ASSERT_LT(uchar(c), 0x80) << "RTF is written in ASCII";
    EXPECT_TRUE(rtf::write(source.content()) == rtf) << "the bytes depend on the content only";
    // What other readers see is written in their words, not only in our private destinations.
    for (const char *word : {"\\paperw16838\\paperh11906\\margl1000",
                             "\\landscape",
                             "\\titlepg",
                             "{\\header ",
                             "{\\headerf ",
                             "{\\footer ",
                             "{\\footerf ",
                             "\\qc",
                             "\\qj",
                             "\\qr",
                             "\\sb300",
                             "\\li450",
                             "\\ri225",
                             "\\fi-180",
                             "\\sl360\\slmult1",
                             "\\sl360\\slmult0",
                             "\\sl-300",
                             "\\pagebb",
                             "\\outlinelevel0",
                             "\\cbpat",
                             "\\fs32\\b",
                             "\\i\\strike\\ulwave",
                             "\\fcharset128 \\uc2\\u-211\\'82l",
                             "\\cf",
                             "\\highlight",
                             "\\chcbpat",
                             "\\super",
                             "\\line ",
                             "\\tab ",
                             "\\ls1\\ilvl0",
                             "\\ls2\\ilvl0",
                             "\\levelnfc23",
                             "\\levelnfc0",
                             "\\clvmgf",
                             "\\clvmrg",
                             "\\clcbpat",
                             "\\pngblip",
                             "\\jpegblip",
                             "\\picwgoal600",
                             "HYPERLINK \"https://example.org/a\\\\\"b\"",
                             "\\uc2\\u26085\\'93\\'fa",
                             "\\uc1\\u-10179?\\u-8704?",
                             "\\uc1\\u-138\\'b6",
                             "IPAMincho",
                             "\\{\\\\\\}"})
        EXPECT_TRUE(rtf.contains(word)) << word;

    TextSurface copy;
    QString error;
    ASSERT_TRUE(copy.loadWholeFromMemory(rtf, TextSurface::Rtf, &error)) << error.toStdString();
    const QByteArray expected = source.saveWholeToMemory(TextSurface::Internal);
    const QByteArray actual = copy.saveWholeToMemory(TextSurface::Internal);
    EXPECT_TRUE(actual == expected) << firstDifference(expected, actual);
    EXPECT_EQ(copy.page(), source.page());
    EXPECT_EQ(copy.text(), source.text());

    // Without the private destinations, as another program reads it: the same text, links,
    // table, pictures and the main formats.
    QByteArray plain = rtf;
    static const QRegularExpression privateGroup(QStringLiteral(R"(\{\\\*\\dj[a-z]+( [^}]*)?\})"));
    plain = QString::fromLatin1(rtf).remove(privateGroup).toLatin1();
    ASSERT_FALSE(plain.contains("\\dj"));
    TextSurface other;
    ASSERT_TRUE(other.loadWholeFromMemory(plain, TextSurface::Rtf, &error)) << error.toStdString();
    EXPECT_EQ(other.text(), source.text());
    EXPECT_EQ(other.fieldIds().size(), 1) << "the link; the tag and the data field are text";
    EXPECT_EQ(other.fieldData(other.fieldIds().value(0)),
              QStringLiteral("https://example.org/a\"b"));
    EXPECT_EQ(other.tableIds().size(), 1);
    EXPECT_EQ(other.headerFooterBits(), 15);
    other.select(0, 2);
    EXPECT_TRUE(other.bold());
    EXPECT_EQ(other.fontSize(), 16.0);
    EXPECT_EQ(other.fontName(), QStringLiteral("IPAMincho"));
    EXPECT_EQ(other.alignment(), TextSurface::AlignCenter);
}

TEST(Rtf, SelectionAndTextFramePartsAndEmptyDocumentsRoundTrip) {
    TextSurface empty;
    bool ok = false;
    const QByteArray bytes = empty.saveToMemory(TextSurface::Rtf, false, &ok);
    ASSERT_TRUE(ok);
    TextSurface target;
    target.setSelText(QStringLiteral("前の文"));
    ASSERT_TRUE(target.loadFromMemory(bytes, TextSurface::Rtf));
    EXPECT_EQ(target.text(), QString());

    Sample sample;
    TextSurface source;
    sample.load(source);
    source.select(0, 3);
    const QByteArray part = source.saveToMemory(TextSurface::Rtf, true, &ok);
    ASSERT_TRUE(ok);
    TextSurface into;
    into.setSelText(QStringLiteral("あいう"));
    into.select(1, 1);
    ASSERT_TRUE(into.loadFromMemory(part, TextSurface::Rtf, true));
    EXPECT_EQ(into.text(), QStringLiteral("あ日記の") + QStringLiteral("う"));
}
