#include "EngineFixture.h"

#include "fakes/ScopedTimeZone.h"

using namespace Qt::StringLiterals;

namespace {

class WindDownTest : public EngineFixture {
protected:
    // Fired and done counts of water and movement, logged at 11:00 on a day.
    void answered(QDate day, int waterFired, int waterDone, int moveFired, int moveDone) {
        const QDateTime now = clock.now();
        clock.set(QDateTime(day, QTime(11, 0)));
        for (int i = 0; i < waterFired; ++i)
            events.log(EventStore::Action::fired, NudgeKind::water());
        for (int i = 0; i < waterDone; ++i)
            events.log(EventStore::Action::done, NudgeKind::water());
        for (int i = 0; i < moveFired; ++i)
            events.log(EventStore::Action::fired, NudgeKind::movement());
        for (int i = 0; i < moveDone; ++i)
            events.log(EventStore::Action::done, NudgeKind::movement());
        clock.set(now);
    }

    const QString weekKey = u"weeklyReport-2026-W49"_s;
    const QDate thisWeek{2026, 12, 3};
    const QDate lastWeek{2026, 11, 26};
};

} // namespace

TEST_F(WindDownTest, ShownOnceInTheHalfHourFromTheChosenTime) {
    settings.setWindDownEnabled(true);
    settings.setWindDownHour(17);
    dayLog.record(u"water"_s, true);
    clock.set(at(17, 29, 50));
    engine().tick();
    EXPECT_TRUE(panel.calls.isEmpty());

    clock.set(at(17, 30));
    engine().tick();
    engine().tick();
    EXPECT_EQ(panel.calls,
              QStringList({u"message Want to wrap up? | Today: 1 sip \u00B7 0 breaks. | "
                           u"sunset.fill orange"_s}));
    EXPECT_EQ(eventLog().last(), u"wind_down"_s);
    EXPECT_TRUE(DayLog(clock, DataFolder::path()).state().windDownFired);

    clock.set(at(17, 45));
    restartEngine().tick();
    EXPECT_EQ(panel.calls.size(), 1) << "not again after a restart";

    clock.set(at(18, 0, 0, 8));
    engine().tick();
    EXPECT_EQ(panel.calls.filter(u"Want to wrap up?"_s).size(), 1)
        << "tomorrow's window has closed at 18:00";
}

TEST_F(WindDownTest, FallsBackToANotification) {
    settings.setWindDownEnabled(true);
    settings.setWindDownHour(17);
    settings.setWindDownMinute(0);
    panel.acceptsMessages = false;
    clock.set(at(17, 29, 59));
    engine().previewWindDown();
    EXPECT_EQ(notifier.calls, QStringList({u"windDown 0 sips \u00B7 0 breaks"_s}));
    EXPECT_TRUE(eventLog().isEmpty()) << "a preview records nothing";

    settings.setReminderStyle(ReminderStyle::notification);
    panel.calls.clear();
    engine().tick();
    EXPECT_TRUE(panel.calls.isEmpty());
    EXPECT_EQ(notifier.calls.size(), 2);
}

TEST_F(WindDownTest, WeeklyReportOnSundayEveningOncePerWeek) {
    answered(thisWeek, 10, 8, 10, 6); // 80 % and 60 %
    answered(lastWeek, 10, 7, 10, 6); // 70 % and 60 %
    clock.set(at(17, 59, 0, 6));
    engine().tick();
    EXPECT_TRUE(panel.calls.isEmpty());

    clock.set(at(18, 5, 0, 6));
    engine().tick();
    engine().tick();
    EXPECT_EQ(panel.calls,
              QStringList({u"message Your week | Water 80% \u00B7 Move 60%. Up 5 points "
                           u"on last week. Steadiest: Water. | calendar blue"_s}));
    EXPECT_TRUE(preferences.boolean(weekKey, false));
    EXPECT_EQ(eventLog().last(), u"weekly_report"_s);

    clock.set(at(18, 30, 0, 6));
    restartEngine().tick();
    EXPECT_EQ(panel.calls.size(), 1);
}

TEST_F(WindDownTest, WeeklyTrendNeedsThreePoints) {
    clock.set(at(18, 0, 0, 6));
    answered(thisWeek, 10, 8, 10, 6);
    answered(lastWeek, 25, 19, 10, 6); // 76 % and 60 %: a change of two points
    EXPECT_EQ(engine().weeklyReportText(), u"Water 80% \u00B7 Move 60% Steadiest: Water."_s);

    answered(lastWeek, 25, 30, 10, 10); // now 98 % and 80 % last week
    EXPECT_EQ(engine().weeklyReportText(),
              u"Water 80% \u00B7 Move 60%. Down 19 on last week "
              u"\u2014 no guilt, next week is fresh. Steadiest: Water."_s);
}

TEST_F(WindDownTest, KindsWithoutFiringsThisWeekAreLeftOut) {
    clock.set(at(18, 0, 0, 6));
    answered(thisWeek, 0, 0, 4, 4);
    answered(lastWeek, 10, 1, 10, 10);
    EXPECT_EQ(engine().weeklyReportText(), u"Move 100% Steadiest: Move."_s);

    settings.setWaterEnabled(false);
    settings.setMovementEnabled(false);
    engine().tick();
    EXPECT_EQ(engine().weeklyReportText(), std::nullopt);
    EXPECT_FALSE(preferences.contains(weekKey));
    EXPECT_TRUE(panel.calls.isEmpty());
}

TEST_F(WindDownTest, EveningsFollowTheLocalTimeZone) {
    const ScopedTimeZone newYork("America/New_York");
    settings.setWindDownEnabled(true);
    answered(thisWeek, 4, 4, 0, 0);
    clock.set(QDateTime(QDate(2026, 12, 6), QTime(18, 40))); // 00:40 on Monday in Berlin
    engine().tick();
    EXPECT_EQ(panel.calls,
              QStringList({u"message Want to wrap up? | Today: 0 sips \u00B7 0 breaks. | "
                           u"sunset.fill orange"_s,
                           u"message Your week | Water 100% Steadiest: Water. | "
                           u"calendar blue"_s}));
}
