#include "fakes/EngineHarness.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

struct AdaptiveTest : ::testing::Test, EngineHarness {};

TEST_F(AdaptiveTest, AnswerRatesAtTheCandidateHourStretchOrShortenTheInterval) {
    const CustomReminder eyes = custom(u"Eye rest"_s, 45);
    settings.setCustomReminders({eyes});
    answered(NudgeKind::water(), at(9, 20, 0, 3), 10, 7);    // candidate 09:45
    answered(NudgeKind::movement(), at(10, 5, 0, 4), 10, 3); // candidate 10:00
    answered(eyes.asKind(), at(9, 50, 0, 5), 10, 5);
    answered(NudgeKind::water(), at(8, 0, 0, 6), 2, 2);
    clock.set(at(9, 30, 0, 2));
    events.log(EventStore::Action::snoozed, NudgeKind::water(), u"10"_s); // counts neither way
    clock.set(at(9, 0));
    settings.setMinimumGapMinutes(0);

    EXPECT_EQ(next(NudgeKind::water()), u"09:40:30"_s);
    EXPECT_EQ(next(NudgeKind::movement()), u"10:18:00"_s);
    EXPECT_EQ(next(eyes.asKind()), u"09:45:00"_s);

    clock.set(at(8, 0)); // candidate 08:45: only two samples at 8 h
    engine().restart(NudgeKind::water(), clock.now());
    EXPECT_EQ(next(NudgeKind::water()), u"08:45:00"_s);

    settings.setAdaptiveEnabled(false);
    clock.set(at(9, 0));
    engine().sync();
    EXPECT_EQ(next(NudgeKind::water()), u"09:45:00"_s);
    EXPECT_EQ(next(NudgeKind::movement()), u"10:00:00"_s);
}

TEST_F(AdaptiveTest, OnlyTheLastFourteenCalendarDaysCount) {
    // Berlin leaves summer time on 25 October: 14 calendar days before 6 November 09:00 is
    // 23 October 09:00, one hour earlier than 14 × 24 hours would be.
    clock.set(QDateTime(QDate(2026, 11, 6), QTime(9, 0)));
    answered(NudgeKind::water(), QDateTime(QDate(2026, 10, 23), QTime(9, 30)), 6, 6);
    answered(NudgeKind::water(), QDateTime(QDate(2026, 10, 22), QTime(9, 30)), 20, 0);
    EXPECT_NEAR(engine().adaptiveInterval(NudgeKind::water(), at(9, 45)), 0.9 * 45 * 60, 1e-6);

    clock.set(QDateTime(QDate(2026, 11, 7), QTime(9, 10)));
    EXPECT_EQ(engine().adaptiveInterval(NudgeKind::water(), at(9, 45)), 45 * 60);
}

TEST_F(AdaptiveTest, StatisticsRefreshAtMostEveryTenMinutes) {
    engine();
    answered(NudgeKind::water(), at(8, 0), 3, 0);
    advanceMinutes(9.9);
    EXPECT_EQ(engine().adaptiveInterval(NudgeKind::water(), at(8, 45)), 45 * 60);
    advanceMinutes(0.1);
    EXPECT_NEAR(engine().adaptiveInterval(NudgeKind::water(), at(8, 45)), 1.3 * 45 * 60, 1e-6);
}
