#include "fakes/EngineHarness.h"
#include "fakes/ScopedTimeZone.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct WindDownTest : ::testing::Test, EngineHarness {
    const QString weekKey = u"weeklyReport-2026-W49"_s;
    const QDateTime thisWeek = at(11, 0, 0, 3);
    const QDateTime lastWeek{QDate(2026, 11, 26), QTime(11, 0)};
    const QString windDown = u"message Want to wrap up? | Today: 0 sips \u00B7 0 breaks. | "
                             u"sunset.fill orange"_s;
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
    EXPECT_EQ(eventLog(events).last(), u"wind_down"_s);

    clock.set(at(17, 45));
    restart().tick();
    EXPECT_EQ(panel.calls.size(), 1) << "not again after a restart";

    clock.set(at(18, 0, 0, 8));
    engine().tick();
    EXPECT_EQ(panel.calls.filter(u"wrap up"_s).size(), 1) << "tomorrow's window closed at 18:00";
}

TEST_F(WindDownTest, FallsBackToANotification) {
    settings.setWindDownEnabled(true); // at 18:30
    panel.acceptsMessages = false;
    engine().previewWindDown(); // at 09:00
    EXPECT_EQ(notifier.calls, QStringList({u"windDown 0 sips \u00B7 0 breaks"_s}));
    EXPECT_EQ(eventLog(events), QStringList({u"launch"_s})) << "a preview records nothing";

    settings.setReminderStyle(ReminderStyle::notification);
    panel.calls.clear();
    clock.set(at(18, 59, 59));
    engine().tick();
    EXPECT_TRUE(panel.calls.isEmpty());
    EXPECT_EQ(notifier.calls.filter(u"windDown"_s).size(), 2);
}

TEST_F(WindDownTest, OffHoursAloneLetTheEveningMessagesThroughButNoOtherHold) {
    settings.setWindDownEnabled(true); // at 18:30
    answered(NudgeKind::water(), thisWeek, 4, 4);
    clock.set(at(17, 0, 0, 6)); // a Sunday
    RhythmEngine& e = engine();
    context.hold(HoldReason::call);
    clock.set(at(18, 35, 0, 6));
    e.tick();
    EXPECT_TRUE(panel.calls.isEmpty());

    context.hold(HoldReason::offHours);
    e.tick();
    EXPECT_EQ(panel.calls,
              QStringList({windDown, u"message Your week | Water 100% Steadiest: Water. | "
                                     u"calendar blue"_s}))
        << "and no reminder, though water is due";
}

TEST_F(WindDownTest, WeeklyReportOnSundayEveningOncePerWeek) {
    answered(NudgeKind::water(), thisWeek, 10, 8);    // 80 %
    answered(NudgeKind::movement(), thisWeek, 10, 6); // 60 %
    answered(NudgeKind::water(), lastWeek, 10, 7);    // 70 %
    answered(NudgeKind::movement(), lastWeek, 10, 6); // 60 %
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
    EXPECT_EQ(eventLog(events).last(), u"weekly_report"_s);

    clock.set(at(18, 30, 0, 6));
    restart().tick();
    EXPECT_EQ(panel.calls.size(), 1);

    // A trend needs three points either way.
    answered(NudgeKind::water(), lastWeek, 15, 12); // 76 % against 80 %: two points
    EXPECT_EQ(engine().weeklyReportText(), u"Water 80% \u00B7 Move 60% Steadiest: Water."_s);
    answered(NudgeKind::water(), lastWeek, 0, 11);   // now 120 %
    answered(NudgeKind::movement(), lastWeek, 0, 2); // now 80 %
    EXPECT_EQ(engine().weeklyReportText(),
              u"Water 80% \u00B7 Move 60%. Down 30 on last week "
              u"\u2014 no guilt, next week is fresh. Steadiest: Water."_s);
}

TEST_F(WindDownTest, KindsWithoutFiringsThisWeekAreLeftOut) {
    const CustomReminder stretch = custom(u"Stretch %1"_s, 30);
    settings.setCustomReminders({stretch});
    clock.set(at(18, 0, 0, 6));
    answered(NudgeKind::movement(), thisWeek, 4, 4);
    answered(stretch.asKind(), thisWeek, 2, 1);
    answered(NudgeKind::water(), lastWeek, 10, 1);
    answered(NudgeKind::movement(), lastWeek, 10, 10);
    EXPECT_EQ(engine().weeklyReportText(), u"Move 100% \u00B7 Stretch %1 50% Steadiest: Move."_s)
        << "a title is taken as it stands";

    settings.setMovementEnabled(false);
    settings.setCustomReminders({});
    engine().tick();
    EXPECT_FALSE(preferences.contains(weekKey)) << "nothing to report: the week stays open";
    EXPECT_TRUE(panel.calls.isEmpty());
}

TEST_F(WindDownTest, EveningsFollowTheLocalTimeZone) {
    const ScopedTimeZone newYork("America/New_York");
    settings.setWindDownEnabled(true);
    answered(NudgeKind::water(), thisWeek, 4, 4);
    clock.set(QDateTime(QDate(2026, 12, 6), QTime(18, 40))); // 00:40 on Monday in Berlin
    engine().tick();
    EXPECT_EQ(panel.calls, QStringList({windDown, u"message Your week | Water 100% Steadiest: "
                                                  u"Water. | calendar blue"_s}));
}
