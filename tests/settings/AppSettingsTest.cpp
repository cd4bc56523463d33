#include "settings/AppSettings.h"
#include "fakes/FakeHotKeys.h"
#include "fakes/FakeLoginItem.h"
#include "fakes/LogCapture.h"
#include "fakes/ManualClock.h"
#include "fakes/QtPrinters.h"
#include "fakes/TemporaryXdg.h"
#include "fakes/WriteFile.h"
#include "settings/JsonFields.h"
#include "settings/PreferenceStore.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <limits>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString domain = u"com.tovanex.Brevimar"_s;

class AppSettingsTest : public ::testing::Test {
protected:
    // A new start over whatever the preference file holds now.
    AppSettings& load() {
        m_store = std::make_unique<PreferenceStore>(domain);
        m_settings = std::make_unique<AppSettings>(*m_store, clock, loginItem, hotKeys);
        return *m_settings;
    }

    void stored(const QByteArray& iniLines) {
        writeFile(PreferenceStore::filePath(domain), "[General]\n" + iniLines);
    }

    TemporaryXdg xdg;
    ManualClock clock{QDateTime(QDate(2026, 12, 7), QTime(10, 0))}; // a Monday
    FakeLoginItem loginItem;
    FakeHotKeys hotKeys;

private:
    std::unique_ptr<PreferenceStore> m_store;
    std::unique_ptr<AppSettings> m_settings;
};

} // namespace

TEST_F(AppSettingsTest, IntervalsAndPresetFollowEachOtherWithoutBouncing) {
    stored("preset=gentle\nwaterIntervalMinutes=50\n");
    AppSettings& s = load();
    EXPECT_EQ(s.breakIntervalMinutes(), 90) << "the stored preset decides the defaults";
    EXPECT_EQ(s.waterIntervalMinutes(), 50);
    s.setWaterIntervalMinutes(60);
    EXPECT_EQ(s.preset(), Preset::gentle);
    s.setBreakIntervalMinutes(75);
    EXPECT_EQ(s.preset(), Preset::custom);

    QSignalSpy presetSpy(&s, &AppSettings::presetChanged);
    s.setPreset(Preset::custom);
    EXPECT_EQ(presetSpy.count(), 0);
    EXPECT_EQ(s.waterIntervalMinutes(), 60);
    EXPECT_EQ(s.breakIntervalMinutes(), 75);

    s.setPreset(Preset::balanced);
    EXPECT_EQ(s.waterIntervalMinutes(), 45);
    EXPECT_EQ(s.breakIntervalMinutes(), 60);
    EXPECT_EQ(presetSpy.count(), 1) << "no detour through custom while the pair is half set";
    EXPECT_EQ(load().preset(), Preset::balanced);
}

TEST(ReminderStyle, StylesOfEarlierVersionsAreRead) {
    EXPECT_EQ(reminderStyleFromStored(u"both"_s), ReminderStyle::card);
    EXPECT_EQ(reminderStyleFromStored(u"notchAndNotification"_s), ReminderStyle::notch);
    EXPECT_EQ(reminderStyleFromStored(u"banner"_s), ReminderStyle::card);
}

TEST_F(AppSettingsTest, MeetingListDropsRetiredIdsAndKeepsAnEmptyList) {
    stored("meetingAppBundleIDs=com.skype.skype, us.zoom.xos\n");
    EXPECT_EQ(load().meetingAppBundleIDs(), QStringList({u"us.zoom.xos"_s}));
    load().setMeetingAppBundleIDs({});
    EXPECT_EQ(load().meetingAppBundleIDs(), QStringList()) << "not the default list";
}

TEST_F(AppSettingsTest, UnreadableJsonGivesTheDefaultAndIsKeptAsideAtTheNextChange) {
    {
        PreferenceStore store(domain);
        store.setBytes(u"appRules"_s, R"([{"id":1}])");
        store.setBytes(u"customReminders"_s, R"([{"title":"Meds"},{"title":"Yoga"}])");
    }
    AppSettings& s = load();
    EXPECT_TRUE(s.appRules().isEmpty());
    ASSERT_EQ(s.customReminders().size(), 1);
    EXPECT_EQ(s.customReminders()[0].title, u"Eye rest"_s);

    s.setCustomReminders({CustomReminder()});
    s.setCustomReminders({});
    EXPECT_EQ(load().customReminders(), QList<CustomReminder>());
    EXPECT_EQ(PreferenceStore(domain).bytes(u"customReminders.unreadable"_s, {}),
              R"([{"title":"Meds"},{"title":"Yoga"}])")
        << "kept aside once, not overwritten by the next change";
}

TEST_F(AppSettingsTest, CompositeSettingsSurviveARestartAsJson) {
    const WorkSchedule schedule{.enabled = true, .presetByDay = {{6, Preset::gentle}}};
    const CalendarRules calendar{.calendarIDs = {u"work"_s}};
    const QList<CustomReminder> reminders{{.title = u"Meds"_s}, {.enabled = false}};
    AppSettings& s = load();
    s.setDailyGoals({{u"water"_s, 8}, {u"movement"_s, 6}});
    s.setWorkSchedule(schedule);
    s.setCustomReminders(reminders);
    s.setCalendarRules(calendar);

    AppSettings& r = load();
    EXPECT_EQ(r.dailyGoals(), AppSettings::DailyGoals({{u"water"_s, 8}, {u"movement"_s, 6}}));
    EXPECT_EQ(r.workSchedule(), schedule);
    EXPECT_EQ(r.customReminders(), reminders);
    EXPECT_EQ(r.calendarRules(), calendar);
    EXPECT_EQ(JsonFields::decode(PreferenceStore(domain).bytes(u"dailyGoals"_s, {})).object(),
              QJsonObject({{u"water"_s, 8}, {u"movement"_s, 6}}));
}

TEST_F(AppSettingsTest, SignalsFireOnlyOnRealChangesAndLoginFailuresAreLogged) {
    AppSettings& s = load();
    QSignalSpy gap(&s, &AppSettings::minimumGapMinutesChanged);
    QSignalSpy schedule(&s, &AppSettings::workScheduleChanged);
    s.setMinimumGapMinutes(10);
    s.setWorkSchedule(WorkSchedule());
    s.setMinimumGapMinutes(20);
    EXPECT_EQ(gap.count(), 1);
    EXPECT_EQ(schedule.count(), 0);

    LogCapture log;
    loginItem.failure = u"Could not write /x: Permission denied"_s;
    s.setLaunchAtLogin(true);
    EXPECT_FALSE(s.launchAtLogin()) << "the session's own answer";
    EXPECT_EQ(log.lines().filter(loginItem.failure).size(), 1);
}

TEST_F(AppSettingsTest, ActiveKindsAndTheirCustomReminders) {
    AppSettings& s = load();
    const CustomReminder first, off{.enabled = false}, last;
    s.setMovementEnabled(false);
    s.setCustomReminders({first, off, last});
    EXPECT_EQ(s.kinds(), QList<NudgeKind>({NudgeKind::water(), first.asKind(), last.asKind()}));

    EXPECT_EQ(s.customReminder(off.asKind()), off) << "the lookup ignores enabled";
    EXPECT_FALSE(s.customReminder(NudgeKind::water()));
    s.setCustomReminders({first});
    EXPECT_FALSE(s.customReminder(last.asKind()));
}

TEST_F(AppSettingsTest, IntervalsFollowThePresetOfTheDayFromAMinuteToAYear) {
    AppSettings& s = load();
    const CustomReminder edited{.intervalMinutes = -5}; // by hand, in the file
    s.setCustomReminders({edited});
    WorkSchedule schedule{.presetByDay = {{2, Preset::active}, {3, Preset::custom}}}; // Mon, Tue
    s.setWorkSchedule(schedule);
    s.setWaterIntervalMinutes(0);

    EXPECT_EQ(s.intervalMinutes(NudgeKind::water()), 30) << "Monday is active";
    EXPECT_EQ(s.intervalMinutes(edited.asKind()), 1) << "its own interval, at least a minute";
    clock.advance(24 * 3600);
    EXPECT_EQ(s.intervalMinutes(NudgeKind::water()), 1) << "Tuesday uses the settings";
    s.setWaterIntervalMinutes(std::numeric_limits<qint64>::max());
    EXPECT_EQ(s.intervalMinutes(NudgeKind::water()), 366 * 24 * 60);
    EXPECT_EQ(s.intervalMinutes(NudgeKind::movement()), 60);
    clock.advance(24 * 3600);
    s.setPreset(Preset::gentle);
    EXPECT_EQ(s.intervalMinutes(NudgeKind::water()), 60) << "Wednesday follows the preset";
    EXPECT_EQ(s.intervalMinutes(CustomReminder().asKind()), 90)
        << "a deleted reminder's kind uses the movement interval";

    schedule.enabled = true;
    schedule.endMinutes = 1140;
    s.setWorkSchedule(schedule);
    EXPECT_EQ(s.goal(NudgeKind::water()), 10) << "what fits in 09:00 to 19:00";
    s.setDailyGoals({{u"water"_s, 0}, {u"movement"_s, 3}});
    EXPECT_EQ(s.goal(NudgeKind::water()), 10);
    EXPECT_EQ(s.goal(NudgeKind::movement()), 3);
    schedule.startMinutes = 1200; // not a working day: falls back to eight hours
    s.setWorkSchedule(schedule);
    EXPECT_EQ(s.goal(NudgeKind::water()), 8);
    const CustomReminder rare{.intervalMinutes = 600};
    s.setCustomReminders({rare});
    EXPECT_EQ(s.goal(rare.asKind()), 1);
}

TEST_F(AppSettingsTest, WindDownTimeIsTodayAtTheSetHourAndMinute) {
    load().setWindDownTime(QDateTime(QDate(2020, 1, 1), QTime(21, 15), Qt::UTC)); // 22:15 here
    EXPECT_EQ(load().windDownTime(), QDateTime(QDate(2026, 12, 7), QTime(22, 15)));
    load().setWindDownHour(31);
    EXPECT_EQ(load().windDownTime(), clock.now());
}
