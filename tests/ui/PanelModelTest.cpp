#include "UiFixture.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace {

const NudgeKind& water = NudgeKind::water();
const NudgeKind& movement = NudgeKind::movement();

QStringList symbols(const PanelReminderRow& row) {
    QStringList names;
    for (const RowIcon& icon : row.icons)
        names.append(icon.symbol);
    return names;
}

QString shortTime(int hour, int minute) {
    return QLocale::system().toString(QTime(hour, minute), QLocale::ShortFormat);
}

using PanelModelTest = UiFixture;

} // namespace

TEST_F(PanelModelTest, WithNoKindsNothingIsLoggedAndTheDayIsAllThereIs) {
    settings.setWaterEnabled(false);
    settings.setMovementEnabled(false);
    const PanelModel m = model();
    EXPECT_TRUE(m.rows.isEmpty());
    EXPECT_EQ(m.summary, u"Nothing logged yet"_s);
    EXPECT_EQ(m.subtitle, u"Today"_s);
    EXPECT_EQ(m.pill.label, u"Active"_s);
}

TEST_F(PanelModelTest, RelativeTimesRoundMinutesUp) {
    const QDateTime now = at(10, 0);
    const auto in = [&](qint64 seconds) {
        return PanelModel::relativeTime(now, now.addSecs(seconds));
    };
    EXPECT_EQ(in(30), u"in 1 min"_s);
    EXPECT_EQ(in(60 * 60), u"in 1 h"_s);
    EXPECT_EQ(in(61 * 60), u"in 1 h 1 min"_s);
    EXPECT_EQ(in(0), u"now"_s);
    EXPECT_EQ(in(-30), u"now"_s);
}

TEST_F(PanelModelTest, SubtitleNamesTheNextKindStillOnItsClock) {
    EXPECT_EQ(model().subtitle, u"Water in 30 min"_s);
    EXPECT_EQ(row(water).statusText, u"in 30 min"_s);
    EXPECT_EQ(row(movement).statusText, u"in 1 h"_s);
    EXPECT_EQ(row(movement).statusTone, PanelTone::secondary);

    clock.advance(29 * 60 + 30);
    EXPECT_EQ(model().subtitle, u"Water in 1 min"_s);
    clock.advance(60);
    EXPECT_EQ(model().subtitle, u"Water now"_s) << "a time already past";

    engine.fire(water); // awaiting an answer, so no longer "next"
    EXPECT_EQ(model().subtitle, u"Move in 30 min"_s);
    engine.untilFree(water); // parked
    EXPECT_EQ(model().subtitle, u"Move in 30 min"_s);
    engine.fire(movement);
    EXPECT_EQ(model().subtitle, u"Today"_s);
}

TEST_F(PanelModelTest, OnATieTheFirstKindInListOrderComesNext) {
    settings.setMinimumGapMinutes(0);
    settings.setBreakIntervalMinutes(30);
    ASSERT_EQ(engine.nextDue(water), engine.nextDue(movement));
    EXPECT_EQ(model().subtitle, u"Water in 30 min"_s);
}

TEST_F(PanelModelTest, LastLogTextCountsWholeMinutesSinceTheLastDone) {
    EXPECT_EQ(row(water).lastLogText, u"Nothing logged today."_s);
    engine.done(water);
    EXPECT_EQ(row(water).lastLogText, u"Last logged just now."_s);
    clock.advance(59 * 60 + 59);
    EXPECT_EQ(row(water).lastLogText, u"Last logged 59 min ago."_s);
    clock.advance(60 * 60 + 1);
    EXPECT_EQ(row(water).lastLogText, u"Last logged 2 h 0 min ago."_s);
    EXPECT_EQ(row(movement).lastLogText, u"Nothing logged today."_s);
}

TEST_F(PanelModelTest, AnUnansweredReminderSaysSoUntilTheNextFiring) {
    engine.done(water);
    engine.fire(water);
    startCall();
    engine.tick(); // the hold expires the reminder
    EXPECT_EQ(row(water).lastLogText, u"The last one went unanswered."_s);
    EXPECT_FALSE(row(water).awaiting);
    endCall();
    engine.fire(water);
    EXPECT_EQ(row(water).lastLogText, u"Last logged just now."_s);
}

TEST_F(PanelModelTest, AnAwaitingRowOffersTheAnswers) {
    engine.fire(water);
    const PanelReminderRow awaiting = row(water);
    EXPECT_EQ(awaiting.statusText, u"due now"_s);
    EXPECT_EQ(awaiting.statusTone, PanelTone::tint);
    EXPECT_EQ(symbols(awaiting), (QStringList{u"zzz"_s, u"hourglass"_s, u"forward.end"_s}));
    EXPECT_TRUE(awaiting.prominentDone);
    EXPECT_EQ(awaiting.doneTooltip, u"Log that you did it"_s);
    EXPECT_TRUE(awaiting.tinted);

    const PanelReminderRow waiting = row(movement);
    EXPECT_TRUE(waiting.icons.isEmpty());
    EXPECT_FALSE(waiting.prominentDone);
    EXPECT_EQ(waiting.doneTooltip, u"Log it now"_s);
    EXPECT_FALSE(waiting.tinted);
}

TEST_F(PanelModelTest, AParkedKindWaitsForTheHoldWhateverHoldsReminders) {
    engine.fire(water);
    engine.untilFree(water);
    startCall();

    const PanelReminderRow parked = row(water);
    EXPECT_EQ(parked.statusText, u"after this hold"_s);
    EXPECT_EQ(parked.statusTone, PanelTone::orange);
    EXPECT_EQ(symbols(parked), QStringList{u"bolt"_s});
    EXPECT_FALSE(parked.tinted);

    const PanelReminderRow held = row(movement);
    EXPECT_EQ(held.statusText, u"on hold"_s);
    EXPECT_EQ(held.statusTone, PanelTone::orange);
    EXPECT_TRUE(held.icons.isEmpty());

    const PanelModel m = model();
    EXPECT_EQ(m.subtitle, u"Reminders wait, then start fresh"_s);
    EXPECT_EQ(m.pill.label, u"On a call"_s);
    EXPECT_EQ(m.pill.tone, PanelTone::orange);
    EXPECT_EQ(
        m.pill.tooltip,
        u"Reminders hold while Zoom is going. Edit the meeting-app list in Settings › Pauses."_s);
}

TEST_F(PanelModelTest, AManualPauseShowsEverywhere) {
    monitor.start(); // follows the lock
    monitor.pause(1800);
    PanelModel m = model();
    const QString until = u"Paused until "_s + shortTime(10, 30);
    EXPECT_EQ(m.pausedUntil, until);
    EXPECT_EQ(m.subtitle, until);
    EXPECT_EQ(m.pill.label, u"Paused"_s);
    EXPECT_EQ(m.pill.tooltip, u"Paused by you."_s);
    EXPECT_EQ(m.pill.tone, PanelTone::orange);
    EXPECT_EQ(row(water).statusText, u"on hold"_s);

    // A lock outranks the pause in the pill, but the pause still runs.
    Q_EMIT session.screenLocked();
    m = model();
    EXPECT_EQ(m.pill.label, u"Locked"_s);
    EXPECT_EQ(m.subtitle, until);
    Q_EMIT session.screenUnlocked();

    monitor.resume();
    m = model();
    EXPECT_FALSE(m.pausedUntil);
    EXPECT_EQ(m.pill.label, u"Active"_s);
    EXPECT_EQ(m.subtitle, u"Water in 30 min"_s);
}

TEST_F(PanelModelTest, APauseThatRanOutIsGoneAndTheRestOfTheDayEndsAtMidnight) {
    monitor.pause(1800);
    clock.advance(1800);
    EXPECT_FALSE(model().pausedUntil) << "before the monitor notices";

    const PauseOption& restOfDay = PanelModel::pauseOptions().last();
    monitor.pause(restOfDay.seconds, restOfDay.restOfDay);
    EXPECT_EQ(model().pausedUntil, u"Paused until "_s + shortTime(0, 0));
}

TEST_F(PanelModelTest, EveryGoalMetOnlyCountsWithGoalsOn) {
    settings.setDailyGoals({{u"water"_s, 2}, {u"movement"_s, 1}});
    engine.done(water);
    EXPECT_EQ(model().summary, u"1 small win today"_s);
    EXPECT_EQ(row(water).goalText, u"1 of 2"_s);
    engine.done(movement);
    EXPECT_EQ(model().summary, u"2 small wins today"_s);
    EXPECT_EQ(row(movement).goalText, u"Goal met"_s);
    engine.done(water);
    EXPECT_EQ(model().summary, u"Every goal met today"_s);
    EXPECT_EQ(row(water).goalText, u"Goal met"_s);

    settings.setDailyGoalsEnabled(false);
    EXPECT_EQ(model().summary, u"3 small wins today"_s);
    EXPECT_EQ(row(water).goalText, u"2 today"_s);
    EXPECT_EQ(row(movement).goalText, u"1 today"_s);
}

TEST_F(PanelModelTest, GoalsCountOnlyTheCurrentKinds) {
    settings.setDailyGoals({{u"water"_s, 1}, {u"movement"_s, 5}});
    engine.done(water);
    settings.setMovementEnabled(false);
    EXPECT_EQ(model().summary, u"Every goal met today"_s);
    settings.setWaterEnabled(false);
    settings.setMovementEnabled(true);
    EXPECT_EQ(model().summary, u"Nothing logged yet"_s);
}

TEST_F(PanelModelTest, StatusDescriptionsNameTheDetailOrSayItPlainly) {
    const auto description = [](HoldReason reason, std::optional<QString> detail = {}) {
        return PanelModel::statusDescription(reason, detail);
    };
    EXPECT_EQ(description(HoldReason::fullScreen, u"Firefox"_s),
              u"Reminders hold while Firefox is full screen."_s);
    EXPECT_EQ(description(HoldReason::fullScreen),
              u"Reminders hold while an app is full screen."_s);
}
