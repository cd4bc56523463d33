#include "fakes/QtPrinters.h"
#include "settings/AppRule.h"
#include "settings/CalendarRules.h"
#include "settings/CustomReminder.h"
#include "settings/NudgeKind.h"
#include "settings/WorkSchedule.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QJsonObject object(const char* json) {
    return QJsonDocument::fromJson(json).object();
}

QDateTime local(int day, int hour, int minute) {
    return QDateTime(QDate(2026, 12, day), QTime(hour, minute)); // 7 December 2026 is a Monday
}

} // namespace

TEST(WorkSchedule, WorkHoursIncludeTheStartAndExcludeTheEnd) {
    WorkSchedule schedule;
    schedule.enabled = true;
    EXPECT_FALSE(schedule.isWorkTime(local(7, 8, 59)));
    EXPECT_TRUE(schedule.isWorkTime(local(7, 9, 0)));
    EXPECT_FALSE(schedule.isWorkTime(local(7, 18, 0)));
    EXPECT_FALSE(schedule.isWorkTime(local(12, 10, 0))); // Saturday

    schedule.startMinutes = 1320; // overnight 22:00 to 06:00 is never inside
    schedule.endMinutes = 360;
    EXPECT_FALSE(schedule.isWorkTime(local(7, 23, 0)));
    EXPECT_FALSE(schedule.isWorkTime(local(7, 3, 0)));

    schedule.enabled = false;
    EXPECT_TRUE(schedule.isWorkTime(local(12, 3, 0)));
}

TEST(WorkSchedule, JsonRoundTripsAndRejectsIncompleteObjects) {
    const WorkSchedule schedule{
        .enabled = true, .days = {1, 7}, .presetByDay = {{6, Preset::gentle}, {2, Preset::active}}};
    const QJsonObject json = schedule.toJson();
    EXPECT_EQ(json.value(u"presetByDay"_s).toObject(), object(R"({"2":"active","6":"gentle"})"));
    EXPECT_EQ(WorkSchedule::fromJson(json), schedule);
    EXPECT_FALSE(WorkSchedule::fromJson(
        object(R"({"enabled":true,"startMinutes":540,"endMinutes":1080,"days":[2]})")));
    EXPECT_FALSE(WorkSchedule::fromJson(object(
        R"({"enabled":true,"startMinutes":540,"endMinutes":1080,"days":[2],"presetByDay":{"6":"relaxed"}})")));
}

TEST(AppRuleAndCalendarRules, JsonKeepsModesIdsAndSets) {
    const auto rule = AppRule::fromJson(object(
        R"({"id":"6f1c2e4a-0b7d-4c55-9a3e-2d8f1b6c7e90","bundleID":"org.videolan.VLC","name":"VLC","mode":"fullScreen"})"));
    ASSERT_TRUE(rule);
    EXPECT_EQ(rule->mode, AppRule::Mode::fullScreen);
    EXPECT_EQ(rule->toJson().value(u"id"_s).toString(), u"6F1C2E4A-0B7D-4C55-9A3E-2D8F1B6C7E90"_s);
    EXPECT_EQ(AppRule::fromJson(rule->toJson()), rule);
    EXPECT_FALSE(AppRule::fromJson(object(
        R"({"id":"6F1C2E4A-0B7D-4C55-9A3E-2D8F1B6C7E90","bundleID":"x","name":"x","mode":"always"})")));
    EXPECT_FALSE(AppRule::fromJson(
        object(R"({"id":"not-a-uuid","bundleID":"x","name":"x","mode":"frontmost"})")));

    const CalendarRules rules{.calendarIDs = {u"work"_s, u"home"_s}};
    EXPECT_EQ(CalendarRules::fromJson(rules.toJson()), rules);
    EXPECT_FALSE(CalendarRules::fromJson(object(R"({"enabled":true,"calendarIDs":[]})")));
}

TEST(CustomReminder, KindsKeepTheirIdAcrossRenames) {
    const CustomReminder& meds = CustomReminder::templates()[3];
    const NudgeKind kind = meds.asKind();
    EXPECT_EQ(kind.id, u"custom-"_s + meds.id.toString(QUuid::WithoutBraces).toUpper());
    EXPECT_EQ(kind.notificationBody, meds.message);

    CustomReminder renamed = meds;
    renamed.title = u"Pills"_s;
    EXPECT_EQ(renamed.asKind(), kind);
    EXPECT_EQ(qHash(renamed.asKind()), qHash(kind)) << "sets and maps of kinds go by the id alone";
    EXPECT_EQ(CustomReminder::fromJson(renamed.toJson()), renamed);
    QJsonObject missing = renamed.toJson();
    missing.remove(u"unitPlural"_s);
    EXPECT_FALSE(CustomReminder::fromJson(missing));
}

TEST(NudgeKind, JsonNeedsAllNineKeys) {
    const QJsonObject json = NudgeKind::movement().toJson();
    const auto decoded = NudgeKind::fromJson(json);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->toJson(), json) << "every field comes back, not just the id";
    for (const QString& key : json.keys()) {
        QJsonObject incomplete = json;
        incomplete.remove(key);
        EXPECT_FALSE(NudgeKind::fromJson(incomplete)) << key.toStdString();
    }
    QJsonObject mistyped = json;
    mistyped.insert(u"priority"_s, u"1"_s);
    EXPECT_FALSE(NudgeKind::fromJson(mistyped));
}
