#include "fakes/EngineHarness.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

struct AnswersTest : ::testing::Test, EngineHarness {};

TEST_F(AnswersTest, DoneIsAlwaysCountedAndRestartsTheClock) {
    engine().fire(NudgeKind::water());
    advanceMinutes(3);
    engine().done(NudgeKind::water());
    engine().done(NudgeKind::water());
    EXPECT_EQ(dayLog.state().counts.value(u"water"_s), 2);
    EXPECT_EQ(eventLog(events),
              QStringList({u"launch"_s, u"fired water"_s, u"done water"_s, u"done water"_s}));
    EXPECT_EQ(next(NudgeKind::water()), u"09:48:00"_s);
    EXPECT_TRUE(engine().awaiting().isEmpty());
    EXPECT_EQ(panel.calls, QStringList({u"show water (first one today)"_s, u"dismiss water"_s,
                                        u"dismiss water"_s}));
    EXPECT_EQ(notifier.calls, QStringList({u"clear water"_s, u"clear water"_s}))
        << "every answer clears every surface, whatever the style";

    settings.setWaterEnabled(false);
    engine().done(NudgeKind::water());
    EXPECT_EQ(dayLog.state().counts.value(u"water"_s), 3) << "an inactive kind is still counted";
    engine().sync();
    EXPECT_EQ(next(NudgeKind::water()), u"-"_s);
}

TEST_F(AnswersTest, SnoozeMovesWhicheverComesSecondOneGapLater) {
    settings.setMinimumGapMinutes(5);
    engine().fire(NudgeKind::water());
    settings.setBreakIntervalMinutes(8); // movement at 09:08
    engine().snooze(NudgeKind::water(), 10);
    EXPECT_EQ(next(NudgeKind::water()), u"09:13:00"_s);
    EXPECT_EQ(eventLog(events).last(), u"snoozed water 10"_s);

    settings.setBreakIntervalMinutes(12); // movement at 09:12
    engine().fire(NudgeKind::water());
    engine().snooze(NudgeKind::water(), 10);
    EXPECT_EQ(next(NudgeKind::water()), u"09:10:00"_s);
    EXPECT_EQ(next(NudgeKind::movement()), u"09:15:00"_s);
    EXPECT_EQ(dayLog.state().counts.value(u"water"_s), 0);
}

TEST_F(AnswersTest, SkipCountsASkipAndEndsParkingAndOnlyWhatAwaitsIsAnswered) {
    engine().fire(NudgeKind::movement());
    advanceMinutes(1);
    engine().skip(NudgeKind::movement());
    EXPECT_EQ(dayLog.state().skipped, 1);
    EXPECT_EQ(next(NudgeKind::movement()), u"10:01:00"_s);
    EXPECT_EQ(eventLog(events).last(), u"skipped movement"_s);

    engine().fire(NudgeKind::water());
    engine().untilFree(NudgeKind::water());
    EXPECT_EQ(eventLog(events).last(), u"snoozed water free"_s);
    EXPECT_TRUE(engine().parked().contains(NudgeKind::water()));
    EXPECT_GT(engine().nextAt().value(NudgeKind::water()).date().year(), 3000);
    engine().done(NudgeKind::water());
    EXPECT_TRUE(engine().parked().isEmpty());
    EXPECT_EQ(next(NudgeKind::water()), u"09:46:00"_s);

    const QStringList before = eventLog(events);
    QSignalSpy changed(&engine(), &RhythmEngine::nextAtChanged);
    engine().snooze(NudgeKind::water(), 10); // no longer awaiting: these do nothing
    engine().untilFree(NudgeKind::water());
    engine().skip(NudgeKind::water());
    EXPECT_EQ(eventLog(events), before);
    EXPECT_EQ(dayLog.state().skipped, 1);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(AnswersTest, NotificationsTimeOutAfterOneGapButCardsStay) {
    settings.setMinimumGapMinutes(5);
    // A card chosen where no window can be placed is a notification all the same.
    panel.places = false;
    engine().fire(NudgeKind::water());
    EXPECT_EQ(notifier.calls, QStringList({u"deliver water (first one today)"_s}));
    EXPECT_TRUE(panel.calls.isEmpty());
    advanceMinutes(4.9);
    engine().tick();
    EXPECT_TRUE(engine().awaiting().contains(NudgeKind::water()));
    advanceMinutes(0.1);
    engine().tick();
    EXPECT_FALSE(engine().awaiting().contains(NudgeKind::water()));
    EXPECT_TRUE(engine().unanswered().contains(NudgeKind::water()));
    EXPECT_EQ(eventLog(events).last(), u"expired water timeout"_s);
    EXPECT_EQ(next(NudgeKind::water()), u"09:45:00"_s) << "the schedule from the firing stands";

    panel.places = true;
    engine().fire(NudgeKind::water());
    EXPECT_FALSE(engine().unanswered().contains(NudgeKind::water()));
    advanceMinutes(30);
    engine().tick();
    EXPECT_TRUE(engine().awaiting().contains(NudgeKind::water()));
}

TEST_F(AnswersTest, AHoldExpiresWhatAwaitsAndIsRecordedWithEveryChange) {
    engine().fire(NudgeKind::water());
    context.hold(HoldReason::locked);
    engine().tick();
    EXPECT_TRUE(engine().unanswered().contains(NudgeKind::water()));
    EXPECT_EQ(panel.calls.last(), u"dismiss water"_s);
    context.hold(HoldReason::locked); // the same reason again is no change
    context.hold(HoldReason::call);
    context.hold(HoldReason::screenShare);
    context.hold(std::nullopt);
    EXPECT_EQ(eventLog(events), QStringList({u"launch"_s, u"fired water"_s, u"hold_start locked"_s,
                                             u"expired water locked"_s, u"hold_start call"_s,
                                             u"hold_start screenShare"_s, u"hold_end"_s}));
}
