#include "diary/keys.h"

#include <gtest/gtest.h>

using namespace diary;

TEST(DiaryKeys, DatesBecomeKeysAndBack) {
    EXPECT_EQ(entryKey(QDate(2024, 1, 15)), QStringLiteral("240115"));
    EXPECT_EQ(entryKey(QDate(2005, 1, 15)), QStringLiteral("050115"));
    EXPECT_EQ(monthPrefix(QDate(2024, 1, 31)), QStringLiteral("2401"));
    EXPECT_EQ(keyToDate(QStringLiteral("050115")), QDate(2005, 1, 15));
    EXPECT_EQ(displayKey(QStringLiteral("050115")), QStringLiteral("05/01/15"));
    // Two-digit years: 00-29 are this century, 30-99 the last one.
    EXPECT_EQ(keyToDate(QStringLiteral("000101")), QDate(2000, 1, 1));
    EXPECT_EQ(keyToDate(QStringLiteral("291231")), QDate(2029, 12, 31));
    EXPECT_EQ(keyToDate(QStringLiteral("300101")), QDate(1930, 1, 1));
    EXPECT_EQ(keyToDate(QStringLiteral("991231")), QDate(1999, 12, 31));
    EXPECT_EQ(keyToDate(QStringLiteral("240229")), QDate(2024, 2, 29));
}

TEST(DiaryKeys, TextsThatAreNoDateStayInvalid) {
    for (const char *key :
         {"230229", "241301", "240132", "24011", "2401155", "-40115", "ab0115", ""})
        EXPECT_FALSE(keyToDate(QString::fromLatin1(key)).isValid()) << key;
    EXPECT_EQ(displayKey(QStringLiteral("50115")), QStringLiteral("05/01/15"));
    EXPECT_EQ(displayKey(QStringLiteral("見出し")), QStringLiteral("見出し"));
    EXPECT_EQ(displayKey(QString()), QString());
}

TEST(DiaryKeys, SummaryIsTheFirstLineUpToFiftyCharacters) {
    EXPECT_EQ(summaryOf(QStringLiteral("abc\ndef")), QStringLiteral("abc"));
    EXPECT_EQ(summaryOf(QStringLiteral("abc\r\ndef")), QStringLiteral("abc\r"));
    const QString eighty = QStringLiteral("日記").repeated(40);
    EXPECT_EQ(summaryOf(eighty), eighty.left(50));
    const QString lineAt60 = QString(59, u'x') + u'\n' + QStringLiteral("rest");
    EXPECT_EQ(summaryOf(lineAt60), QString(50, u'x'));
    EXPECT_EQ(summaryOf(QStringLiteral("\nsecond")), QString());
    EXPECT_EQ(summaryOf(QString()), QString());
    EXPECT_EQ(summaryOf(QStringLiteral("short")), QStringLiteral("short"));
    // A character outside the basic plane is not cut in half at the 50th position.
    const QString emojiAtCut = QString(49, u'a') + QStringLiteral("😀tail");
    EXPECT_EQ(summaryOf(emojiAtCut), QString(49, u'a'));
}
