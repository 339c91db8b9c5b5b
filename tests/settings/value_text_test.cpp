#include "settings/value_text.h"

#include <gtest/gtest.h>

using namespace settings;

TEST(ValueText, NumericPrefix) {
    EXPECT_EQ(numericPrefix(u"12abc"), 12);
    EXPECT_EQ(numericPrefix(u"abc"), 0);
    EXPECT_EQ(numericPrefix(u""), 0);
    EXPECT_EQ(numericPrefix(u"  -1.5e2x"), -150);
    EXPECT_EQ(numericPrefix(u".5"), 0.5);
    EXPECT_EQ(numericPrefix(u"1e"), 1);
    EXPECT_EQ(numericPrefix(u"+"), 0);
    EXPECT_EQ(numericPrefix(u"1,5"), 1);
    EXPECT_EQ(numericPrefix(u"&H1F"), 31);
    EXPECT_EQ(numericPrefix(u"&o17"), 15);
    EXPECT_EQ(numericPrefix(u"1D3"), 1000);
}

TEST(ValueText, RoundsHalvesToEvenWithinRange) {
    EXPECT_EQ(roundHalfEven(10.5, -32768, 32767), 10);
    EXPECT_EQ(roundHalfEven(11.5, -32768, 32767), 12);
    EXPECT_EQ(roundHalfEven(-2.5, -32768, 32767), -2);
    EXPECT_EQ(roundHalfEven(1e9, -32768, 32767), 32767);
}

TEST(ValueText, Booleans) {
    EXPECT_EQ(boolText(true), QStringLiteral("True"));
    EXPECT_EQ(boolText(false), QStringLiteral("False"));
    EXPECT_EQ(parseBool(u"False"), false);
    EXPECT_EQ(parseBool(u"TRUE"), true);
    EXPECT_EQ(parseBool(u"-1"), true);
    EXPECT_EQ(parseBool(u"0"), false);
    EXPECT_FALSE(parseBool(u"yes").has_value());
}

TEST(ValueText, Dates) {
    EXPECT_EQ(dateText(QDate(2024, 1, 5)), QStringLiteral("2024/01/05"));
    EXPECT_EQ(dateTimeText(QDateTime(QDate(2024, 1, 5), QTime(9, 5, 3))),
              QStringLiteral("2024/01/05 9:05:03"));
    EXPECT_EQ(parseDateTime(u"2024/1/5"), QDateTime(QDate(2024, 1, 5), QTime(0, 0)));
    EXPECT_EQ(parseDateTime(u"2024/01/05 9:05:03"), QDateTime(QDate(2024, 1, 5), QTime(9, 5, 3)));
    EXPECT_EQ(parseDateTime(u"2024-01-05T10:00:00"), QDateTime(QDate(2024, 1, 5), QTime(10, 0)));
    EXPECT_FALSE(parseDateTime(u"2024/13/40").isValid());
    EXPECT_FALSE(parseDateTime(u"abc").isValid());
}

TEST(ValueText, NumberTexts) {
    EXPECT_EQ(numberText(1.2f), QStringLiteral("1.2"));
    EXPECT_EQ(numberText(0.1 + 0.2), QStringLiteral("0.3"));
    EXPECT_EQ(numberText(7000.0), QStringLiteral("7000"));
}
