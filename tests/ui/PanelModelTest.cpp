#include "UiFixture.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace {

const NudgeKind& water = NudgeKind::water();
const NudgeKind& movement = NudgeKind::movement();

using PanelModelTest = UiFixture;

} // namespace

TEST_F(PanelModelTest, SubtitleNamesTheNextKindStillOnItsClock) {
    EXPECT_EQ(row(movement).statusText, u"in 1 h"_s);
    EXPECT_EQ(PanelModel::relativeTime(at(10, 0), at(11, 1)), u"in 1 h 1 min"_s);
    settings.setMinimumGapMinutes(0);
    settings.setBreakIntervalMinutes(30);
    ASSERT_EQ(engine().nextDue(water), engine().nextDue(movement));
    EXPECT_EQ(model().subtitle, u"Water in 30 min"_s) << "on a tie, the first kind in list order";

    clock.advance(29 * 60 + 30);
    EXPECT_EQ(model().subtitle, u"Water in 1 min"_s);
    clock.advance(60);
    EXPECT_EQ(model().subtitle, u"Water now"_s) << "a time already past";
    engine().fire(water); // awaiting an answer, so no longer "next"
    EXPECT_EQ(model().subtitle, u"Move now"_s);
    engine().untilFree(water); // parked
    EXPECT_EQ(model().subtitle, u"Move now"_s);
    engine().fire(movement);
    EXPECT_EQ(model().subtitle, u"Today"_s);
}

// The badge's tooltip owns up to a reminder that went unanswered until the next firing.
TEST_F(PanelModelTest, LastLogTextCountsWholeMinutesSinceTheLastDone) {
    EXPECT_EQ(row(water).lastLogText, u"Nothing logged today."_s);
    engine().done(water);
    clock.advance(59 * 60 + 59);
    EXPECT_EQ(row(water).lastLogText, u"Last logged 59 min ago."_s);
    clock.advance(60 * 60 + 1);
    EXPECT_EQ(row(water).lastLogText, u"Last logged 2 h 0 min ago."_s);

    engine().fire(water);
    startCall();
    engine().tick(); // the hold expires the reminder
    EXPECT_EQ(row(water).lastLogText, u"The last one went unanswered."_s);
    endCall();
    engine().fire(water);
    EXPECT_EQ(row(water).lastLogText, u"Last logged 2 h 0 min ago."_s);
}

// The answers each row offers are clicked through in MenuBarViewTest.
TEST_F(PanelModelTest, RowsSayWhetherTheyAwaitWaitForTheHoldOrAreHeld) {
    engine().fire(water);
    EXPECT_EQ(row(water).statusText, u"due now"_s);
    EXPECT_TRUE(row(water).prominentDone);
    EXPECT_FALSE(row(movement).prominentDone);
    engine().untilFree(water);
    startCall();

    EXPECT_EQ(row(water).statusText, u"after this hold"_s);
    EXPECT_EQ(row(movement).statusText, u"on hold"_s);
    EXPECT_TRUE(row(movement).icons.isEmpty());

    EXPECT_EQ(model().subtitle, u"Reminders wait, then start fresh"_s);
    EXPECT_EQ(model().pill.label, u"On a call"_s);
    EXPECT_TRUE(model().pill.tooltip.contains(u"Zoom"_s));
}

TEST_F(PanelModelTest, AManualPauseShowsEverywhereTillItRunsOut) {
    monitor().start(); // follows the lock
    monitor().pause(1800);
    const QString until =
        u"Paused until "_s + QLocale::system().toString(QTime(10, 30), QLocale::ShortFormat);
    EXPECT_EQ(model().pausedUntil, until);
    EXPECT_EQ(model().subtitle, until);
    EXPECT_EQ(model().pill.label, u"Paused"_s);
    EXPECT_EQ(row(water).statusText, u"on hold"_s);

    // A lock outranks the pause in the pill, but the pause still runs.
    Q_EMIT session.screenLocked();
    EXPECT_EQ(model().pill.label, u"Locked"_s);
    EXPECT_EQ(model().subtitle, until);
    Q_EMIT session.screenUnlocked();

    monitor().resume();
    EXPECT_FALSE(model().pausedUntil);
    EXPECT_EQ(model().subtitle, u"Water in 30 min"_s);
    monitor().pause(1800);
    clock.advance(1800);
    EXPECT_FALSE(model().pausedUntil) << "ran out before the monitor notices";
}

// Goals count only the kinds switched on, and only while goals are on.
TEST_F(PanelModelTest, EveryGoalMetOnlyCountsWithGoalsOn) {
    settings.setDailyGoals({{u"water"_s, 2}, {u"movement"_s, 1}});
    engine().done(water);
    EXPECT_EQ(model().summary, u"1 small win today"_s);
    EXPECT_EQ(row(water).goalText, u"1 of 2"_s);
    settings.setMovementEnabled(false);
    EXPECT_EQ(model().summary, u"1 small win today"_s);
    engine().done(water);
    EXPECT_EQ(model().summary, u"Every goal met today"_s);
    settings.setMovementEnabled(true);
    EXPECT_EQ(model().summary, u"2 small wins today"_s);
    engine().done(movement);
    EXPECT_EQ(model().summary, u"Every goal met today"_s);
    EXPECT_EQ(row(movement).goalText, u"Goal met"_s);

    settings.setDailyGoalsEnabled(false);
    EXPECT_EQ(model().summary, u"3 small wins today"_s);
    EXPECT_EQ(row(water).goalText, u"2 today"_s);
    settings.setWaterEnabled(false);
    settings.setMovementEnabled(false);
    EXPECT_TRUE(model().rows.isEmpty());
    EXPECT_EQ(model().summary, u"Nothing logged yet"_s);
    EXPECT_EQ(model().subtitle, u"Today"_s) << "with no kinds the day is all there is";
}
