#include "fakes/EngineHarness.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

struct AnswersTest : ::testing::Test, EngineHarness {};

TEST_F(AnswersTest, DoneIsAlwaysCountedAndRestartsTheClock) {
    RhythmEngine& e = engine();
    e.fire(NudgeKind::water());
    advanceMinutes(3);
    e.done(NudgeKind::water());
    e.done(NudgeKind::water());
    EXPECT_EQ(dayLog.state().counts.value(u"water"_s), 2);
    EXPECT_EQ(eventLog(events),
              QStringList({u"launch"_s, u"fired water"_s, u"done water"_s, u"done water"_s}));
    EXPECT_EQ(next(NudgeKind::water()), u"09:48:00"_s);
    EXPECT_TRUE(e.awaiting().isEmpty());
    EXPECT_EQ(panel.calls, QStringList({u"show water (first one today)"_s, u"dismiss water"_s,
                                        u"dismiss water"_s}));
    EXPECT_EQ(notifier.calls, QStringList({u"clear water"_s, u"clear water"_s}))
        << "every answer clears every surface, whatever the style";

    settings.setWaterEnabled(false);
    e.done(NudgeKind::water());
    EXPECT_EQ(dayLog.state().counts.value(u"water"_s), 3) << "an inactive kind is still counted";
    e.sync();
    EXPECT_EQ(next(NudgeKind::water()), u"-"_s);
}

TEST_F(AnswersTest, SnoozeMovesWhicheverComesSecondOneGapLater) {
    settings.setMinimumGapMinutes(5);
    RhythmEngine& e = engine();
    e.fire(NudgeKind::water());
    settings.setBreakIntervalMinutes(8); // movement at 09:08
    e.snooze(NudgeKind::water(), 10);
    EXPECT_EQ(next(NudgeKind::water()), u"09:13:00"_s);
    EXPECT_EQ(eventLog(events).last(), u"snoozed water 10"_s);

    settings.setBreakIntervalMinutes(12); // movement at 09:12
    e.fire(NudgeKind::water());
    e.snooze(NudgeKind::water(), 10);
    EXPECT_EQ(next(NudgeKind::water()), u"09:10:00"_s);
    EXPECT_EQ(next(NudgeKind::movement()), u"09:15:00"_s);
    EXPECT_EQ(dayLog.state().counts.value(u"water"_s), 0);
}

TEST_F(AnswersTest, SkipCountsASkipAndEndsParkingAndOnlyWhatAwaitsIsAnswered) {
    RhythmEngine& e = engine();
    e.fire(NudgeKind::movement());
    advanceMinutes(1);
    e.skip(NudgeKind::movement());
    EXPECT_EQ(dayLog.state().skipped, 1);
    EXPECT_EQ(next(NudgeKind::movement()), u"10:01:00"_s);
    EXPECT_EQ(eventLog(events).last(), u"skipped movement"_s);

    e.fire(NudgeKind::water());
    e.untilFree(NudgeKind::water());
    EXPECT_EQ(eventLog(events).last(), u"snoozed water free"_s);
    EXPECT_TRUE(e.parked().contains(NudgeKind::water()));
    EXPECT_GT(e.nextAt().value(NudgeKind::water()).date().year(), 3000);
    e.done(NudgeKind::water());
    EXPECT_TRUE(e.parked().isEmpty());
    EXPECT_EQ(next(NudgeKind::water()), u"09:46:00"_s);

    const QStringList before = eventLog(events);
    QSignalSpy changed(&e, &RhythmEngine::nextAtChanged);
    e.snooze(NudgeKind::water(), 10); // no longer awaiting: these do nothing
    e.untilFree(NudgeKind::water());
    e.skip(NudgeKind::water());
    EXPECT_EQ(eventLog(events), before);
    EXPECT_EQ(dayLog.state().skipped, 1);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(AnswersTest, NotificationsTimeOutAfterOneGapButCardsStay) {
    settings.setMinimumGapMinutes(5);
    settings.setReminderStyle(ReminderStyle::notification);
    RhythmEngine& e = engine();
    e.fire(NudgeKind::water());
    EXPECT_EQ(notifier.calls, QStringList({u"deliver water (first one today)"_s}));
    EXPECT_TRUE(panel.calls.isEmpty());
    advanceMinutes(4.9);
    e.tick();
    EXPECT_TRUE(e.awaiting().contains(NudgeKind::water()));
    advanceMinutes(0.1);
    e.tick();
    EXPECT_FALSE(e.awaiting().contains(NudgeKind::water()));
    EXPECT_TRUE(e.unanswered().contains(NudgeKind::water()));
    EXPECT_EQ(eventLog(events).last(), u"expired water timeout"_s);
    EXPECT_EQ(next(NudgeKind::water()), u"09:45:00"_s) << "the schedule from the firing stands";

    settings.setReminderStyle(ReminderStyle::card);
    e.fire(NudgeKind::water());
    EXPECT_FALSE(e.unanswered().contains(NudgeKind::water()));
    advanceMinutes(30);
    e.tick();
    EXPECT_TRUE(e.awaiting().contains(NudgeKind::water()));
}

TEST_F(AnswersTest, AHoldExpiresWhatAwaitsAndIsRecordedWithEveryChange) {
    RhythmEngine& e = engine();
    e.fire(NudgeKind::water());
    context.hold(HoldReason::locked);
    e.tick();
    EXPECT_TRUE(e.unanswered().contains(NudgeKind::water()));
    EXPECT_EQ(panel.calls.last(), u"dismiss water"_s);
    context.hold(HoldReason::locked); // the same reason again is no change
    context.hold(HoldReason::call);
    context.hold(HoldReason::screenShare);
    context.hold(std::nullopt);
    EXPECT_EQ(eventLog(events), QStringList({u"launch"_s, u"fired water"_s, u"hold_start locked"_s,
                                             u"expired water locked"_s, u"hold_start call"_s,
                                             u"hold_start screenShare"_s, u"hold_end"_s}));
}
