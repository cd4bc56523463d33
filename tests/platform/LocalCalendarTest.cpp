#include "platform/LocalCalendar.h"
#include "fakes/QtPrinters.h"
#include "fakes/ScopedTimeZone.h"

#include <gtest/gtest.h>

namespace {

QDateTime local(int year, int month, int day, int hour, int minute = 0) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

QDateTime utc(int year, int month, int day, int hour, int minute = 0) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute), Qt::UTC);
}

} // namespace

TEST(LocalCalendar, WeekdaysAndMinutesAreLocal) {
    // 23:30 UTC on Saturday is Sunday (1) in Berlin.
    EXPECT_EQ(LocalCalendar::weekday(utc(2026, 12, 5, 23, 30)), 1);
    EXPECT_EQ(LocalCalendar::minutesAfterMidnight(utc(2026, 12, 5, 23, 30)), 30);
}

TEST(LocalCalendar, DaysAcrossSpringForwardHave23Hours) {
    const QDateTime start = LocalCalendar::startOfDay(local(2026, 3, 29, 12));
    EXPECT_EQ(start, utc(2026, 3, 28, 23));
    EXPECT_EQ(start.secsTo(LocalCalendar::startOfDay(local(2026, 3, 30, 1))), 23 * 3600);

    const QDateTime nextDay = LocalCalendar::addDays(local(2026, 3, 28, 10), 1);
    EXPECT_EQ(local(2026, 3, 28, 10).secsTo(nextDay), 23 * 3600);
}

TEST(LocalCalendar, AtTimeResolvesSkippedAndRepeatedWallTimes) {
    // 02:30 does not exist on 29 March in Berlin: the clocks go from 02:00 to 03:00.
    EXPECT_EQ(LocalCalendar::atTime(QDate(2026, 3, 29), 2, 30), utc(2026, 3, 29, 1));
    // 02:30 happens twice on 25 October: the first is still summer time (UTC+2).
    EXPECT_EQ(LocalCalendar::atTime(QDate(2026, 10, 25), 2, 30), utc(2026, 10, 25, 0, 30));
    EXPECT_EQ(LocalCalendar::atTime(QDate(2026, 10, 25), 18, 30), utc(2026, 10, 25, 17, 30));
    EXPECT_FALSE(LocalCalendar::atTime(QDate(2026, 12, 7), 24, 0).isValid());
    EXPECT_FALSE(LocalCalendar::atTime(QDate(2026, 12, 7), 10, 60).isValid());

    // The zone in force now, not the one at start: New York changes its clocks weeks earlier.
    const ScopedTimeZone newYork("America/New_York");
    EXPECT_EQ(LocalCalendar::atTime(QDate(2026, 3, 8), 2, 15), utc(2026, 3, 8, 7));
    EXPECT_EQ(LocalCalendar::atTime(QDate(2026, 11, 1), 1, 30), utc(2026, 11, 1, 5, 30));
}
