#include "platform/widgets/calendar.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using platform::Calendar;

namespace {

struct CalendarTest : ::testing::Test {
    CalendarTest() {
        calendar.setMonthColumns(2);
        calendar.setDate(QDate(2024, 1, 15));
        calendar.resize(calendar.sizeHint());
        calendar.show();
    }
    void click(const QPoint &pos) { QTest::mouseClick(&calendar, Qt::LeftButton, {}, pos); }
    QImage cell(const QDate &date) { return calendar.grab(calendar.dayRect(date)).toImage(); }

    Calendar calendar;
};

} // namespace

TEST_F(CalendarTest, SetDateIsSilentAndScrollsOnlyWhenNeeded) {
    QSignalSpy picked(&calendar, &Calendar::datePicked);
    QSignalSpy months(&calendar, &Calendar::visibleMonthsChanged);
    EXPECT_EQ(calendar.date(), QDate(2024, 1, 15));
    EXPECT_EQ(calendar.visibleMonths(), (QList<QDate>{QDate(2024, 1, 1), QDate(2024, 2, 1)}));

    calendar.setDate(QDate(2024, 2, 29));
    EXPECT_EQ(calendar.date(), QDate(2024, 2, 29));
    EXPECT_EQ(months.count(), 0);

    calendar.setDate(QDate(2024, 5, 3));
    EXPECT_EQ(calendar.visibleMonths(), (QList<QDate>{QDate(2024, 4, 1), QDate(2024, 5, 1)}));
    calendar.setDate(QDate(2023, 11, 30));
    EXPECT_EQ(calendar.visibleMonths().first(), QDate(2023, 11, 1));
    EXPECT_EQ(months.count(), 2);
    EXPECT_EQ(picked.count(), 0);

    calendar.setDate(QDate());
    EXPECT_EQ(calendar.date(), QDate(2023, 11, 30));
}

TEST_F(CalendarTest, ClickingADayPicksIt) {
    QSignalSpy picked(&calendar, &Calendar::datePicked);
    const QDate target(2024, 2, 14);
    ASSERT_FALSE(calendar.dayRect(target).isEmpty());
    click(calendar.dayRect(target).center());
    ASSERT_EQ(picked.count(), 1);
    EXPECT_EQ(picked.at(0).at(0).toDate(), target);
    EXPECT_EQ(calendar.date(), target);

    // The same day again is still a pick: the owner reloads it.
    click(calendar.dayRect(target).center());
    EXPECT_EQ(picked.count(), 2);
}

TEST_F(CalendarTest, ClickingALeadingDayOfThePreviousMonthScrollsBack) {
    QSignalSpy picked(&calendar, &Calendar::datePicked);
    // January 2024 starts on a Monday: the Sunday before it is 31 December 2023.
    const QRect first = calendar.dayRect(QDate(2024, 1, 1));
    click(QPoint(first.center().x() - first.width(), first.center().y()));
    ASSERT_EQ(picked.count(), 1);
    EXPECT_EQ(calendar.date(), QDate(2023, 12, 31));
    EXPECT_EQ(calendar.visibleMonths().first(), QDate(2023, 12, 1));
}

TEST_F(CalendarTest, ArrowsScrollTheMonthsButKeepTheDate) {
    QSignalSpy picked(&calendar, &Calendar::datePicked);
    QSignalSpy months(&calendar, &Calendar::visibleMonthsChanged);
    click(calendar.nextButtonRect().center());
    EXPECT_EQ(calendar.visibleMonths().first(), QDate(2024, 2, 1));
    click(calendar.prevButtonRect().center());
    click(calendar.prevButtonRect().center());
    EXPECT_EQ(calendar.visibleMonths().first(), QDate(2023, 12, 1));
    EXPECT_EQ(months.count(), 3);
    EXPECT_EQ(picked.count(), 0);
    EXPECT_EQ(calendar.date(), QDate(2024, 1, 15));
}

TEST_F(CalendarTest, KeyboardMovesArePicks) {
    QSignalSpy picked(&calendar, &Calendar::datePicked);
    QTest::keyClick(&calendar, Qt::Key_Right);
    EXPECT_EQ(calendar.date(), QDate(2024, 1, 16));
    QTest::keyClick(&calendar, Qt::Key_Up);
    EXPECT_EQ(calendar.date(), QDate(2024, 1, 9));
    QTest::keyClick(&calendar, Qt::Key_PageDown);
    QTest::keyClick(&calendar, Qt::Key_PageDown);
    EXPECT_EQ(calendar.date(), QDate(2024, 3, 9));
    EXPECT_EQ(calendar.visibleMonths().last(), QDate(2024, 3, 1));
    QTest::keyClick(&calendar, Qt::Key_End);
    EXPECT_EQ(calendar.date(), QDate(2024, 3, 31));
    EXPECT_EQ(picked.count(), 5);
    EXPECT_EQ(picked.last().at(0).toDate(), QDate(2024, 3, 31));
}

TEST_F(CalendarTest, BoldDaysAreKeptPerMonthAndDrawn) {
    const QImage plain = cell(QDate(2024, 1, 15));
    calendar.setBoldDays(2024, 1, {5, 15});
    EXPECT_TRUE(calendar.isBold(QDate(2024, 1, 15)));
    EXPECT_FALSE(calendar.isBold(QDate(2024, 1, 16)));
    EXPECT_FALSE(calendar.isBold(QDate(2024, 2, 15)));
    EXPECT_FALSE(calendar.isBold(QDate(2023, 1, 15)));
    EXPECT_NE(cell(QDate(2024, 1, 15)), plain);

    calendar.setBoldDays(2024, 1, {5});
    EXPECT_FALSE(calendar.isBold(QDate(2024, 1, 15)));
    EXPECT_EQ(cell(QDate(2024, 1, 15)), plain);
    calendar.setBoldDays(2024, 2, {15});
    EXPECT_TRUE(calendar.isBold(QDate(2024, 1, 5)));
}

TEST_F(CalendarTest, NaturalSizeGrowsByOneMonthPerColumn) {
    QList<QSize> sizes;
    for (int columns = 1; columns <= 3; ++columns) {
        calendar.setMonthColumns(columns);
        EXPECT_EQ(calendar.monthColumns(), columns);
        EXPECT_EQ(calendar.sizeHint(), calendar.naturalSize());
        sizes << calendar.naturalSize();

        // Every day of every shown month lies inside the natural size.
        const QRect area(QPoint(0, 0), calendar.naturalSize());
        for (const QDate &month : calendar.visibleMonths()) {
            for (int day = 1; day <= month.daysInMonth(); ++day) {
                const QRect r = calendar.dayRect(month.addDays(day - 1));
                EXPECT_TRUE(area.contains(r)) << month.toString().toStdString() << day;
                EXPECT_GE(r.width(), calendar.fontMetrics().horizontalAdvance("28"));
            }
        }
        EXPECT_TRUE(area.contains(calendar.todayLinkRect()));
    }
    EXPECT_GT(sizes[0].width(), 7 * calendar.fontMetrics().horizontalAdvance("28"));
    EXPECT_EQ(sizes[1].width() - sizes[0].width(), sizes[2].width() - sizes[1].width());
    EXPECT_GT(sizes[1].width(), sizes[0].width());
    EXPECT_EQ(sizes[0].height(), sizes[2].height());

    calendar.setMonthColumns(9);
    EXPECT_EQ(calendar.monthColumns(), 3);
    calendar.setMonthColumns(0);
    EXPECT_EQ(calendar.monthColumns(), 1);
}

TEST_F(CalendarTest, FewerColumnsKeepTheDateVisible) {
    calendar.setMonthColumns(3);
    calendar.setDate(QDate(2024, 3, 10));
    EXPECT_EQ(calendar.visibleMonths().first(), QDate(2024, 1, 1));
    QSignalSpy months(&calendar, &Calendar::visibleMonthsChanged);
    calendar.setMonthColumns(1);
    EXPECT_EQ(calendar.visibleMonths(), (QList<QDate>{QDate(2024, 3, 1)}));
    EXPECT_EQ(months.count(), 1);
    EXPECT_FALSE(calendar.dayRect(QDate(2024, 3, 10)).isEmpty());
    EXPECT_TRUE(calendar.dayRect(QDate(2024, 1, 10)).isEmpty());
}

TEST(CalendarNames, WeekdaysAreJapaneseFromSunday) {
    const QStringList expected = {QStringLiteral("日"), QStringLiteral("月"), QStringLiteral("火"),
                                  QStringLiteral("水"), QStringLiteral("木"), QStringLiteral("金"),
                                  QStringLiteral("土")};
    for (int weekday = 0; weekday < 7; ++weekday)
        EXPECT_EQ(Calendar::weekdayName(weekday), expected.at(weekday));
}
