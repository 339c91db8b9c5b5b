#include "windows/main/date_rules.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace mainwin;

TEST(DateRules, ShiftYearWorksOnTheText) {
    EXPECT_EQ(ShiftYear(QStringLiteral("240115"), -1), QStringLiteral("230115"));
    EXPECT_EQ(ShiftYear(QStringLiteral("050301"), -2), QStringLiteral("030301"));
    EXPECT_EQ(ShiftYear(QStringLiteral("240229"), -1), QStringLiteral("230229"));
    EXPECT_EQ(ShiftYear(QStringLiteral("000115"), -1), QStringLiteral("-10115"));
}

TEST(DateRules, ShiftedKeyIsAlwaysADate) {
    EXPECT_EQ(shiftedKey(QStringLiteral("240115"), -1), QStringLiteral("230115"));
    EXPECT_EQ(shiftedKey(QStringLiteral("240115"), -2), QStringLiteral("220115"));
    // 29 February into a year without it, and the two-digit year going below 00.
    EXPECT_EQ(shiftedKey(QStringLiteral("240229"), -1), QStringLiteral("230228"));
    EXPECT_EQ(shiftedKey(QStringLiteral("240229"), -4), QStringLiteral("200229"));
    EXPECT_EQ(shiftedKey(QStringLiteral("000115"), -1), QStringLiteral("990115"));
    EXPECT_EQ(shiftedKey(QStringLiteral("010301"), -2), QStringLiteral("990301"));
    EXPECT_EQ(shiftedKey(QStringLiteral("000229"), -1), QStringLiteral("990228"));
}

TEST(DateRules, ListTitleStopsAtTheFirstParenthesis) {
    EXPECT_EQ(listTitle(QStringLiteral("最近の日記(&D)")), QStringLiteral("最近の日記"));
    EXPECT_EQ(listTitle(QStringLiteral("去年の今頃")), QStringLiteral("去年の今頃"));
}

TEST(DateRules, FunctionKeysAreBoundInKeyOrder) {
    const auto &keys = functionKeys();
    QStringList names;
    for (const FunctionKey &k : keys)
        names << QString::fromUtf16(k.key);
    EXPECT_EQ(names, (QStringList{"F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10",
                                  "F11", "F12"}));
    EXPECT_EQ(keys[2].menuCode, 10);
    EXPECT_EQ(keys[2].index, 4);
    EXPECT_EQ(keys[3].index, 3);
    EXPECT_EQ(keys[8].menuCode, 2);
    EXPECT_EQ(keys[8].index, 5);
    EXPECT_EQ(QString::fromUtf16(keys[9].caption), QStringLiteral("ﾌﾟﾚﾋﾞｭｰ"));
}
