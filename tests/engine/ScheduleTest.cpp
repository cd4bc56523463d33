#include "fakes/EngineHarness.h"
#include "fakes/ScopedTimeZone.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

struct ScheduleTest : ::testing::Test, EngineHarness {};

TEST_F(ScheduleTest, ConstructionSchedulesEveryKindAndRecordsTheLaunch) {
    events.log(EventStore::Action::done, NudgeKind::water()); // earlier today, before a restart
    clock.advance(30);
    EXPECT_EQ(next(NudgeKind::water()), u"09:45:30"_s);
    EXPECT_EQ(next(NudgeKind::movement()), u"10:00:30"_s);
    EXPECT_EQ(engine().nextDue(custom(u"x"_s, 5).asKind()), clock.now());
    EXPECT_EQ(eventLog(events), QStringList({u"done water"_s, u"launch"_s}));
    advanceMinutes(15);
    EXPECT_EQ(engine().reasonText(NudgeKind::water()), u"15 min since your last sip"_s)
        << "today's last done is read back from the event log";

    qputenv("BREVIMAR_SNAPSHOT", "");
    restart();
    qunsetenv("BREVIMAR_SNAPSHOT");
    EXPECT_EQ(eventLog(events).size(), 2) << "no launch for snapshots";
}

TEST_F(ScheduleTest, OneKindFiresATickAndTheRestFollowAGapApart) {
    settings.setMinimumGapMinutes(5);
    settings.setWaterIntervalMinutes(60); // water 10:00, movement 10:05
    RhythmEngine& e = engine();
    advanceMinutes(70);
    e.tick();
    EXPECT_EQ(panel.calls,
              QStringList({u"show movement (you've been at the desk for 1 h 10 min)"_s}))
        << "movement outranks water";
    EXPECT_EQ(next(NudgeKind::water()), u"10:15:00"_s);
    EXPECT_EQ(next(NudgeKind::movement()), u"11:10:00"_s);
    EXPECT_TRUE(e.awaiting().contains(NudgeKind::movement()));
    EXPECT_EQ(eventLog(events).last(), u"fired movement"_s);

    settings.setWaterEnabled(false);
    settings.setMovementEnabled(false);
    const QList<CustomReminder> three{custom(u"A"_s, 30), custom(u"B"_s, 30), custom(u"C"_s, 30)};
    settings.setCustomReminders(three);
    advanceMinutes(60);
    panel.calls.clear();
    e.tick();
    EXPECT_EQ(panel.calls, QStringList({u"show %1 (first one today)"_s.arg(three[0].kindID())}));
    EXPECT_EQ(next(three[1].asKind()), u"11:15:00"_s);
    EXPECT_EQ(next(three[2].asKind()), u"11:20:00"_s);
    EXPECT_EQ(next(three[0].asKind()), u"11:40:00"_s);
    EXPECT_EQ(next(NudgeKind::water()), u"-"_s) << "switched-off kinds are unscheduled";
}

TEST_F(ScheduleTest, SettingsChangesAndWakingRestartEveryClock) {
    QSignalSpy changed(&engine(), &RhythmEngine::nextAtChanged);
    advanceMinutes(20);
    engine().tick();
    EXPECT_EQ(changed.count(), 0) << "a tick with nothing due publishes nothing";

    settings.setMinimumGapMinutes(12);
    EXPECT_EQ(next(NudgeKind::water()), u"10:05:00"_s);
    EXPECT_EQ(next(NudgeKind::movement()), u"10:20:00"_s);
    EXPECT_EQ(changed.count(), 1);

    advanceMinutes(5);
    Q_EMIT context.didWake();
    EXPECT_EQ(next(NudgeKind::water()), u"10:10:00"_s);

    settings.setWorkSchedule({.presetByDay = {{2, Preset::active}}}); // Mondays: water every 30 min
    EXPECT_EQ(next(NudgeKind::water()), u"09:55:00"_s);
}

TEST_F(ScheduleTest, NothingFiresDuringAHoldAndClocksStartAfreshAfterIt) {
    RhythmEngine& e = engine();
    context.hold(HoldReason::call);
    advanceMinutes(50);
    e.tick();
    advanceMinutes(30);
    e.tick();
    EXPECT_TRUE(panel.calls.isEmpty());

    context.hold(std::nullopt);
    e.tick(); // 10:20: the hold has ended; nothing fires on this tick
    EXPECT_TRUE(panel.calls.isEmpty());
    EXPECT_EQ(next(NudgeKind::water()), u"11:05:00"_s);
    EXPECT_EQ(next(NudgeKind::movement()), u"11:20:00"_s);

    advanceMinutes(45);
    e.tick();
    EXPECT_EQ(panel.calls, QStringList({u"show water (first one today)"_s}));
    EXPECT_EQ(e.reasonText(NudgeKind::movement()), u"you've been at the desk for 45 min"_s)
        << "desk time counts from the end of the hold";
}

TEST_F(ScheduleTest, ParkedKindsComeBackAfterAHoldOneGapApart) {
    engine().fire(NudgeKind::water());
    engine().fire(NudgeKind::movement());
    engine().untilFree(NudgeKind::water());
    engine().untilFree(NudgeKind::movement());
    EXPECT_EQ(engine().parked().size(), 2);

    advanceMinutes(5);
    context.hold(HoldReason::locked);
    engine().tick();
    advanceMinutes(10);
    context.hold(std::nullopt);
    engine().tick(); // 09:15
    EXPECT_TRUE(engine().parked().isEmpty());
    EXPECT_EQ(next(NudgeKind::water()), u"09:15:00"_s);
    EXPECT_EQ(next(NudgeKind::movement()), u"09:25:00"_s);
}

TEST_F(ScheduleTest, ParkedKindsWithoutAHoldWaitTwiceTheIntervalAtMostNinetyMinutes) {
    engine().fire(NudgeKind::movement()); // 60-minute interval: back after 90 minutes, not 120
    engine().untilFree(NudgeKind::movement());
    settings.setWaterIntervalMinutes(30); // back after 60 minutes
    engine().fire(NudgeKind::water());
    engine().untilFree(NudgeKind::water());

    advanceMinutes(59);
    engine().tick();
    EXPECT_EQ(engine().parked().size(), 2);
    advanceMinutes(1);
    engine().tick();
    EXPECT_EQ(engine().awaiting().keys(), QList<NudgeKind>({NudgeKind::water()}));

    advanceMinutes(29.5);
    engine().tick();
    EXPECT_TRUE(engine().parked().contains(NudgeKind::movement()));
    advanceMinutes(0.5);
    engine().tick();
    EXPECT_TRUE(engine().parked().isEmpty());
    EXPECT_TRUE(engine().awaiting().contains(NudgeKind::movement()));
}

TEST_F(ScheduleTest, IntervalsAreRealTimeAcrossADaylightSavingChange) {
    const ScopedTimeZone newYork("America/New_York");
    clock.set(QDateTime(QDate(2026, 3, 8), QTime(1, 30))); // clocks go from 2:00 to 3:00
    EXPECT_EQ(next(NudgeKind::water()), u"03:15:00"_s);
}

TEST_F(ScheduleTest, ReasonLinesCountFromTodaysLastDone) {
    EXPECT_EQ(engine().reasonText(NudgeKind::water()), u"first one today"_s);
    EXPECT_EQ(engine().reasonText(NudgeKind::movement()), std::nullopt);
    engine().done(NudgeKind::water());
    const std::pair<double, std::optional<QString>> cases[] = {
        {9.9, std::nullopt},
        {10, u"10 min since your last sip"_s},
        {60, u"1 h since your last sip"_s},
    };
    const QDateTime doneAt = clock.now();
    for (const auto& [minutes, text] : cases) {
        clock.set(doneAt.addMSecs(qint64(minutes * 60000)));
        EXPECT_EQ(engine().reasonText(NudgeKind::water()), text) << minutes;
    }

    clock.set(at(18, 0));
    engine().done(NudgeKind::water());
    clock.set(at(8, 0, 0, 8));
    EXPECT_EQ(engine().reasonText(NudgeKind::water()), u"first one today"_s) << "not 14 h since";
}
