#include "search_fixture.h"
#include "windows/search/listing.h"

#include <QFont>
#include <QTextCursor>
#include <QTextFragment>

using namespace searchwin;

namespace {

struct Piece {
    QString text;
    QTextCharFormat format;
};

// The runs of formatted text in block number n.
QList<Piece> runsOf(const QTextDocument &doc, int n) {
    QList<Piece> runs;
    const QTextBlock block = doc.findBlockByNumber(n);
    for (auto it = block.begin(); !it.atEnd(); ++it)
        runs.append({it.fragment().text(), it.fragment().charFormat()});
    return runs;
}

bool isMatch(const QTextCharFormat &f) {
    return f.foreground().color() == MatchColour && f.fontUnderline();
}

diary::DiaryRow row(const QString &key, const QString &summary, const QString &text) {
    return {key, summary, text, {}, {}};
}

} // namespace

TEST_F(SearchDiaryTest, RecentListHoldsFiftyNewestUpToTheKey) {
    putDays(QDate(2024, 1, 15), 60);
    putDays(QDate(2024, 1, 20), 5); // after the key: never listed
    QTextDocument doc;
    buildListing(doc, diary::connection().recent(QStringLiteral("240115")), {});
    const QStringList keys = headingKeys(doc);
    ASSERT_EQ(keys.size(), 50);
    EXPECT_EQ(keys.first(), QStringLiteral("240115"));
    EXPECT_EQ(keys.last(), diary::entryKey(QDate(2024, 1, 15).addDays(-49)));
    QStringList sorted = keys;
    std::sort(sorted.begin(), sorted.end(), std::greater<>());
    EXPECT_EQ(keys, sorted);
    // No word: nothing is highlighted.
    EXPECT_EQ(doc.toPlainText().count(QStringLiteral("memo")), 50);
    for (int b = 0; b < doc.blockCount(); ++b)
        for (const Piece &r : runsOf(doc, b))
            EXPECT_FALSE(r.format.fontUnderline()) << r.text.toStdString();
}

TEST(Listing, HeadingAndTextLayout) {
    QTextDocument doc;
    buildListing(doc,
                 {row(QStringLiteral("240115"), QStringLiteral("雪の日"),
                      QStringLiteral("一行目\r\n二行目")),
                  row(QStringLiteral("240110"), {}, {})},
                 {});
    EXPECT_EQ(doc.toPlainText(),
              QStringLiteral("■24/01/15_  雪の日\n一行目\n二行目\n\n■24/01/10_  \n\n\n"));
    const QList<Piece> heading = runsOf(doc, 0);
    ASSERT_EQ(heading.size(), 2); // the gap and the summary share their format
    EXPECT_EQ(heading[0].text, QStringLiteral("■24/01/15_"));
    EXPECT_EQ(heading[0].format.foreground().color(), HeadingColour);
    EXPECT_EQ(heading[0].format.fontWeight(), QFont::Bold);
    EXPECT_EQ(heading[1].text, QStringLiteral("  雪の日"));
    EXPECT_EQ(heading[1].format.foreground().color(), SummaryColour);
    EXPECT_LT(heading[1].format.fontWeight(), QFont::Bold);
    EXPECT_EQ(runsOf(doc, 1).at(0).format.foreground().color(), TextColour);
}

TEST(Listing, FirstMatchShowsTheWordAsTyped) {
    QTextDocument doc;
    buildListing(doc,
                 {row(QStringLiteral("240115"), QStringLiteral("xyABCdef"),
                      QStringLiteral("one Abc two abc three")),
                  row(QStringLiteral("240114"), QStringLiteral("endABC"), QStringLiteral("no"))},
                 QStringLiteral("abc"));
    const QList<Piece> summary = runsOf(doc, 0);
    ASSERT_EQ(summary.size(), 4);
    EXPECT_EQ(summary[1].text, QStringLiteral("  xy"));
    EXPECT_FALSE(isMatch(summary[1].format));
    EXPECT_EQ(summary[2].text, QStringLiteral("abc"));
    EXPECT_TRUE(isMatch(summary[2].format));
    EXPECT_EQ(summary[3].text, QStringLiteral("def"));
    EXPECT_EQ(summary[3].format.foreground().color(), SummaryColour);
    EXPECT_FALSE(summary[3].format.fontUnderline());

    // Only the first of two matches in a text.
    const QList<Piece> text = runsOf(doc, 1);
    ASSERT_EQ(text.size(), 3);
    EXPECT_EQ(text[0].text, QStringLiteral("one "));
    EXPECT_TRUE(isMatch(text[1].format));
    EXPECT_EQ(text[1].text, QStringLiteral("abc"));
    EXPECT_EQ(text[2].text, QStringLiteral(" two abc three"));
    EXPECT_EQ(text[2].format.foreground().color(), TextColour);
    EXPECT_FALSE(text[2].format.fontUnderline());

    // A match at the end of a summary ends the line; the next heading is plain teal bold.
    const QList<Piece> atEnd = runsOf(doc, 3);
    ASSERT_EQ(atEnd.size(), 3);
    EXPECT_EQ(atEnd[2].text, QStringLiteral("abc"));
    EXPECT_TRUE(isMatch(atEnd[2].format));
    EXPECT_EQ(doc.findBlockByNumber(3).text(), QStringLiteral("■24/01/14_  endabc"));
    EXPECT_FALSE(atEnd[0].format.fontUnderline());
    EXPECT_EQ(atEnd[0].format.foreground().color(), HeadingColour);
}

TEST(Listing, HeadingKeyOnlyFromMarkAndDate) {
    QTextDocument doc;
    buildListing(doc,
                 {row(QStringLiteral("240115"), QStringLiteral("■12/34/56_"),
                      QStringLiteral("text ■99/99/99_")),
                  row(QStringLiteral("231231"), QStringLiteral("s"), QStringLiteral("t"))},
                 {});
    EXPECT_EQ(headingKeyAt(doc, 0), QStringLiteral("240115"));
    EXPECT_EQ(headingKeyAt(doc, 4), QStringLiteral("240115"));
    EXPECT_EQ(headingKeyAt(doc, 10), QStringLiteral("240115")); // just after "_"
    EXPECT_EQ(headingKeyAt(doc, 11), QString());                // in the gap
    EXPECT_EQ(headingKeyAt(doc, 14), QString());                // summary that looks like a heading
    const int text = doc.findBlockByNumber(1).position();
    EXPECT_EQ(headingKeyAt(doc, text), QString());
    EXPECT_EQ(headingKeyAt(doc, text + 7), QString());
    const int second = doc.findBlockByNumber(3).position();
    EXPECT_EQ(headingKeyAt(doc, second), QStringLiteral("231231"));
    EXPECT_EQ(headingKeyAt(doc, second - 1), QString()); // the empty line before it
}

TEST(Listing, PlacementOverTheEditorAreaFrameIncluded) {
    const QMargins frame(2, 30, 2, 2);
    const QRect screen(0, 0, 1600, 1000);
    const QRect inside =
        listingPlacement(QRect(100, 50, 1200, 800), QRect(300, 40, 880, 700), frame, screen);
    EXPECT_EQ(inside + frame, QRect(400, 50, 880, 800)) << "the frame's top is the host's top";
    EXPECT_EQ(inside, QRect(402, 80, 876, 768));

    // A host partly off the screen, or taller than it: the window stays on the screen.
    const QRect high =
        listingPlacement(QRect(-200, -40, 1200, 1200), QRect(300, 40, 880, 700), frame, screen);
    EXPECT_TRUE(screen.contains(high + frame));
    EXPECT_EQ((high + frame).height(), 1000);
    const QRect right =
        listingPlacement(QRect(1000, 100, 1200, 800), QRect(300, 40, 880, 700), frame, screen);
    EXPECT_TRUE(screen.contains(right + frame));
}

TEST(Listing, SummaryStaysOnItsHeadingLine) {
    QTextDocument doc;
    buildListing(doc,
                 {row(QStringLiteral("240115"), QStringLiteral("朝\v夕方\r\n夜"),
                      QStringLiteral("本文\v二行目"))},
                 {});
    const QString heading = doc.findBlockByNumber(0).text();
    EXPECT_EQ(heading, QStringLiteral("■24/01/15_  朝 夕方 夜"));
    EXPECT_EQ(doc.blockCount(), 4) << "heading, text, empty line, end";
}
