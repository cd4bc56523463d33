#include "AppSettings.h"

#include "JsonFields.h"
#include "PreferenceStore.h"
#include "platform/Clock.h"
#include "platform/HotKeys.h"
#include "platform/LocalCalendar.h"
#include "platform/Log.h"
#include "platform/LoginItem.h"

#include <QJsonArray>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Key {
const QString preset = u"preset"_s;
const QString waterIntervalMinutes = u"waterIntervalMinutes"_s;
const QString breakIntervalMinutes = u"breakIntervalMinutes"_s;
const QString waterEnabled = u"waterEnabled"_s;
const QString movementEnabled = u"movementEnabled"_s;
const QString minimumGapMinutes = u"minimumGapMinutes"_s;
const QString reminderStyle = u"reminderStyle"_s;
const QString weeklyReportEnabled = u"weeklyReportEnabled"_s;
const QString adaptiveEnabled = u"adaptiveEnabled"_s;
const QString dailyGoalsEnabled = u"dailyGoalsEnabled"_s;
const QString dailyGoals = u"dailyGoals"_s;
const QString idleThresholdMinutes = u"idleThresholdMinutes"_s;
const QString pauseDuringCalls = u"pauseDuringCalls"_s;
const QString pauseForMicrophone = u"pauseForMicrophone"_s;
const QString pauseDuringDoNotDisturb = u"pauseDuringDoNotDisturb"_s;
const QString pauseDuringScreenShare = u"pauseDuringScreenShare"_s;
const QString pauseDuringFullScreen = u"pauseDuringFullScreen"_s;
const QString meetingAppBundleIDs = u"meetingAppBundleIDs"_s;
const QString windDownEnabled = u"windDownEnabled"_s;
const QString windDownHour = u"windDownHour"_s;
const QString windDownMinute = u"windDownMinute"_s;
const QString appRules = u"appRules"_s;
const QString workSchedule = u"workSchedule"_s;
const QString customReminders = u"customReminders"_s;
const QString calendarRules = u"calendarRules"_s;
const QString soundEnabled = u"soundEnabled"_s;
const QString hasCompletedOnboarding = u"hasCompletedOnboarding"_s;
const QString shareUsage = u"shareUsage"_s;
const QString shortcutsEnabled = u"shortcutsEnabled"_s;
const QString manualPauseUntil = u"manualPauseUntil"_s;
} // namespace Key

namespace {

QJsonDocument toDocument(const AppSettings::DailyGoals& goals) {
    QJsonObject object;
    for (auto it = goals.begin(); it != goals.end(); ++it)
        object.insert(it.key(), it.value());
    return QJsonDocument(object);
}

template <typename T> QJsonDocument toDocument(const QList<T>& records) {
    QJsonArray array;
    for (const T& record : records)
        array.append(record.toJson());
    return QJsonDocument(array);
}

template <typename T> QJsonDocument toDocument(const T& record) {
    return QJsonDocument(record.toJson());
}

template <typename T> void persistJSON(PreferenceStore& store, const QString& key, const T& value) {
    store.setBytes(key, JsonFields::encode(toDocument(value)));
}

QStringList withoutRetired(QStringList ids) {
    ids.removeIf(
        [](const QString& id) { return AppSettings::retiredMeetingAppIDs().contains(id); });
    return ids;
}

QList<CustomReminder> defaultCustomReminders() {
    CustomReminder eyeRest = CustomReminder::templates().constFirst();
    eyeRest.enabled = false;
    return {eyeRest};
}

} // namespace

QString reminderStyleRawValue(ReminderStyle style) {
    switch (style) {
    case ReminderStyle::notch:
        return u"notch"_s;
    case ReminderStyle::notification:
        return u"notification"_s;
    case ReminderStyle::card:
        break;
    }
    return u"card"_s;
}

ReminderStyle reminderStyleFromStored(const QString& stored) {
    if (stored == u"notch" || stored == u"notchAndNotification")
        return ReminderStyle::notch;
    if (stored == u"notification")
        return ReminderStyle::notification;
    return ReminderStyle::card;
}

std::optional<AppSettings::DailyGoals>
AppSettings::dailyGoalsFromJson(const QJsonDocument& document) {
    if (!document.isObject())
        return std::nullopt;
    DailyGoals goals;
    const QJsonObject object = document.object();
    for (auto it = object.begin(); it != object.end(); ++it) {
        const auto count = JsonFields::integer(it.value());
        if (!count)
            return std::nullopt;
        goals.insert(it.key(), *count);
    }
    return goals;
}

const QStringList& AppSettings::defaultMeetingAppBundleIDs() {
    static const QStringList ids{
        u"us.zoom.xos"_s,        u"com.microsoft.teams2"_s,     u"com.microsoft.teams"_s,
        u"com.apple.FaceTime"_s, u"com.webex.meetingmanager"_s, u"Cisco-Systems.Spark"_s};
    return ids;
}

const QSet<QString>& AppSettings::retiredMeetingAppIDs() {
    static const QSet<QString> ids{u"com.skype.skype"_s};
    return ids;
}

AppSettings::AppSettings(PreferenceStore& store, const Clock& clock, LoginItem& loginItem,
                         HotKeys& hotKeys, QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_clock(clock)
    , m_loginItem(loginItem)
    , m_hotKeys(hotKeys)
    // The interval defaults follow the stored preset, so it is read first.
    , m_preset(Preset::fromRawValue(store.string(Key::preset, {})).value_or(Preset::balanced))
    , m_waterIntervalMinutes(store.integer(Key::waterIntervalMinutes, m_preset.waterMinutes()))
    , m_breakIntervalMinutes(store.integer(Key::breakIntervalMinutes, m_preset.movementMinutes()))
    , m_waterEnabled(store.boolean(Key::waterEnabled, true))
    , m_movementEnabled(store.boolean(Key::movementEnabled, true))
    , m_minimumGapMinutes(store.integer(Key::minimumGapMinutes, 10))
    , m_reminderStyle(reminderStyleFromStored(store.string(Key::reminderStyle, {})))
    , m_weeklyReportEnabled(store.boolean(Key::weeklyReportEnabled, true))
    , m_adaptiveEnabled(store.boolean(Key::adaptiveEnabled, true))
    , m_dailyGoalsEnabled(store.boolean(Key::dailyGoalsEnabled, true))
    , m_dailyGoals(store.json(Key::dailyGoals, DailyGoals(), dailyGoalsFromJson))
    , m_idleThresholdMinutes(store.integer(Key::idleThresholdMinutes, 15))
    , m_pauseDuringCalls(store.boolean(Key::pauseDuringCalls, true))
    , m_pauseForMicrophone(store.boolean(Key::pauseForMicrophone, true))
    , m_pauseDuringDoNotDisturb(store.boolean(Key::pauseDuringDoNotDisturb, true))
    , m_pauseDuringScreenShare(store.boolean(Key::pauseDuringScreenShare, true))
    , m_pauseDuringFullScreen(store.boolean(Key::pauseDuringFullScreen, false))
    , m_meetingAppBundleIDs(
          withoutRetired(store.stringList(Key::meetingAppBundleIDs, defaultMeetingAppBundleIDs())))
    , m_windDownEnabled(store.boolean(Key::windDownEnabled, false))
    , m_windDownHour(store.integer(Key::windDownHour, 18))
    , m_windDownMinute(store.integer(Key::windDownMinute, 30))
    , m_appRules(store.json(Key::appRules, QList<AppRule>(), JsonFields::records<AppRule>))
    , m_workSchedule(
          store.json(Key::workSchedule, WorkSchedule(),
                     [](const QJsonDocument& d) { return WorkSchedule::fromJson(d.object()); }))
    , m_customReminders(store.json(Key::customReminders, defaultCustomReminders(),
                                   JsonFields::records<CustomReminder>))
    , m_calendarRules(
          store.json(Key::calendarRules, CalendarRules(),
                     [](const QJsonDocument& d) { return CalendarRules::fromJson(d.object()); }))
    , m_soundEnabled(store.boolean(Key::soundEnabled, false))
    , m_hasCompletedOnboarding(store.boolean(Key::hasCompletedOnboarding, false))
    , m_shareUsage(store.boolean(Key::shareUsage, true))
    , m_shortcutsEnabled(store.boolean(Key::shortcutsEnabled, true)) {}

template <typename T>
void AppSettings::assign(T& field, const T& value, void (AppSettings::*changed)()) {
    if (field == value)
        return;
    field = value;
    Q_EMIT(this->*changed)();
}

void AppSettings::setPreset(Preset value) {
    assign(m_preset, value, &AppSettings::presetChanged);
    m_store.setString(Key::preset, value.rawValue());
    if (value == Preset::custom)
        return;
    m_applyingPreset = true;
    setWaterIntervalMinutes(value.waterMinutes());
    setBreakIntervalMinutes(value.movementMinutes());
    m_applyingPreset = false;
}

// Observers hear of a new interval only once the preset matches the new pair, so that whoever
// schedules from the settings sees them consistent.
void AppSettings::setWaterIntervalMinutes(qint64 value) {
    const bool changed = value != m_waterIntervalMinutes;
    m_waterIntervalMinutes = value;
    m_store.setInteger(Key::waterIntervalMinutes, value);
    syncPresetFromIntervals();
    if (changed)
        Q_EMIT waterIntervalMinutesChanged();
}

void AppSettings::setBreakIntervalMinutes(qint64 value) {
    const bool changed = value != m_breakIntervalMinutes;
    m_breakIntervalMinutes = value;
    m_store.setInteger(Key::breakIntervalMinutes, value);
    syncPresetFromIntervals();
    if (changed)
        Q_EMIT breakIntervalMinutesChanged();
}

void AppSettings::syncPresetFromIntervals() {
    if (m_applyingPreset)
        return;
    const Preset matched = Preset::matching(m_waterIntervalMinutes, m_breakIntervalMinutes);
    // The matched preset has exactly these intervals, so applying it changes neither.
    if (matched != m_preset)
        setPreset(matched);
}

void AppSettings::setWaterEnabled(bool value) {
    assign(m_waterEnabled, value, &AppSettings::waterEnabledChanged);
    m_store.setBoolean(Key::waterEnabled, value);
}

void AppSettings::setMovementEnabled(bool value) {
    assign(m_movementEnabled, value, &AppSettings::movementEnabledChanged);
    m_store.setBoolean(Key::movementEnabled, value);
}

void AppSettings::setMinimumGapMinutes(qint64 value) {
    assign(m_minimumGapMinutes, value, &AppSettings::minimumGapMinutesChanged);
    m_store.setInteger(Key::minimumGapMinutes, value);
}

void AppSettings::setReminderStyle(ReminderStyle value) {
    assign(m_reminderStyle, value, &AppSettings::reminderStyleChanged);
    m_store.setString(Key::reminderStyle, reminderStyleRawValue(value));
}

void AppSettings::setWeeklyReportEnabled(bool value) {
    assign(m_weeklyReportEnabled, value, &AppSettings::weeklyReportEnabledChanged);
    m_store.setBoolean(Key::weeklyReportEnabled, value);
}

void AppSettings::setAdaptiveEnabled(bool value) {
    assign(m_adaptiveEnabled, value, &AppSettings::adaptiveEnabledChanged);
    m_store.setBoolean(Key::adaptiveEnabled, value);
}

void AppSettings::setDailyGoalsEnabled(bool value) {
    assign(m_dailyGoalsEnabled, value, &AppSettings::dailyGoalsEnabledChanged);
    m_store.setBoolean(Key::dailyGoalsEnabled, value);
}

void AppSettings::setDailyGoals(const DailyGoals& value) {
    assign(m_dailyGoals, value, &AppSettings::dailyGoalsChanged);
    persistJSON(m_store, Key::dailyGoals, value);
}

void AppSettings::setIdleThresholdMinutes(qint64 value) {
    assign(m_idleThresholdMinutes, value, &AppSettings::idleThresholdMinutesChanged);
    m_store.setInteger(Key::idleThresholdMinutes, value);
}

void AppSettings::setPauseDuringCalls(bool value) {
    assign(m_pauseDuringCalls, value, &AppSettings::pauseDuringCallsChanged);
    m_store.setBoolean(Key::pauseDuringCalls, value);
}

void AppSettings::setPauseForMicrophone(bool value) {
    assign(m_pauseForMicrophone, value, &AppSettings::pauseForMicrophoneChanged);
    m_store.setBoolean(Key::pauseForMicrophone, value);
}

void AppSettings::setPauseDuringDoNotDisturb(bool value) {
    assign(m_pauseDuringDoNotDisturb, value, &AppSettings::pauseDuringDoNotDisturbChanged);
    m_store.setBoolean(Key::pauseDuringDoNotDisturb, value);
}

void AppSettings::setPauseDuringScreenShare(bool value) {
    assign(m_pauseDuringScreenShare, value, &AppSettings::pauseDuringScreenShareChanged);
    m_store.setBoolean(Key::pauseDuringScreenShare, value);
}

void AppSettings::setPauseDuringFullScreen(bool value) {
    assign(m_pauseDuringFullScreen, value, &AppSettings::pauseDuringFullScreenChanged);
    m_store.setBoolean(Key::pauseDuringFullScreen, value);
}

void AppSettings::setMeetingAppBundleIDs(const QStringList& value) {
    assign(m_meetingAppBundleIDs, value, &AppSettings::meetingAppBundleIDsChanged);
    m_store.setStringList(Key::meetingAppBundleIDs, value);
}

void AppSettings::setWindDownEnabled(bool value) {
    assign(m_windDownEnabled, value, &AppSettings::windDownEnabledChanged);
    m_store.setBoolean(Key::windDownEnabled, value);
}

void AppSettings::setWindDownHour(qint64 value) {
    assign(m_windDownHour, value, &AppSettings::windDownHourChanged);
    m_store.setInteger(Key::windDownHour, value);
}

void AppSettings::setWindDownMinute(qint64 value) {
    assign(m_windDownMinute, value, &AppSettings::windDownMinuteChanged);
    m_store.setInteger(Key::windDownMinute, value);
}

void AppSettings::setAppRules(const QList<AppRule>& value) {
    assign(m_appRules, value, &AppSettings::appRulesChanged);
    persistJSON(m_store, Key::appRules, value);
}

void AppSettings::setWorkSchedule(const WorkSchedule& value) {
    assign(m_workSchedule, value, &AppSettings::workScheduleChanged);
    persistJSON(m_store, Key::workSchedule, value);
}

void AppSettings::setCustomReminders(const QList<CustomReminder>& value) {
    assign(m_customReminders, value, &AppSettings::customRemindersChanged);
    persistJSON(m_store, Key::customReminders, value);
}

void AppSettings::setCalendarRules(const CalendarRules& value) {
    assign(m_calendarRules, value, &AppSettings::calendarRulesChanged);
    persistJSON(m_store, Key::calendarRules, value);
}

void AppSettings::setSoundEnabled(bool value) {
    assign(m_soundEnabled, value, &AppSettings::soundEnabledChanged);
    m_store.setBoolean(Key::soundEnabled, value);
}

void AppSettings::setHasCompletedOnboarding(bool value) {
    assign(m_hasCompletedOnboarding, value, &AppSettings::hasCompletedOnboardingChanged);
    m_store.setBoolean(Key::hasCompletedOnboarding, value);
}

void AppSettings::setShareUsage(bool value) {
    assign(m_shareUsage, value, &AppSettings::shareUsageChanged);
    m_store.setBoolean(Key::shareUsage, value);
}

void AppSettings::setShortcutsEnabled(bool value) {
    assign(m_shortcutsEnabled, value, &AppSettings::shortcutsEnabledChanged);
    m_store.setBoolean(Key::shortcutsEnabled, value);
    if (value)
        m_hotKeys.install();
    else
        m_hotKeys.uninstall();
}

bool AppSettings::launchAtLogin() const {
    return m_loginItem.isEnabled();
}

void AppSettings::setLaunchAtLogin(bool value) {
    Q_EMIT launchAtLoginChanged();
    QString error;
    if (!m_loginItem.setEnabled(value, error)) {
        Log::write(u"Launch at login change failed: "_s + error);
        Q_EMIT launchAtLoginFailed(error);
    }
}

std::optional<QDateTime> AppSettings::manualPauseUntil() const {
    const QDateTime until =
        QDateTime::fromString(m_store.string(Key::manualPauseUntil, {}), Qt::ISODateWithMs);
    return until.isValid() ? std::optional(until) : std::nullopt;
}

void AppSettings::setManualPauseUntil(const std::optional<QDateTime>& until) {
    if (until)
        m_store.setString(Key::manualPauseUntil, until->toUTC().toString(Qt::ISODateWithMs));
    else
        m_store.remove(Key::manualPauseUntil);
}

QDateTime AppSettings::windDownTime() const {
    const QDateTime now = m_clock.now();
    if (m_windDownHour < 0 || m_windDownHour > 23 || m_windDownMinute < 0 || m_windDownMinute > 59)
        return now;
    const QDateTime instant =
        LocalCalendar::atTime(now.toLocalTime().date(), int(m_windDownHour), int(m_windDownMinute));
    return instant.isValid() ? instant : now;
}

void AppSettings::setWindDownTime(const QDateTime& instant) {
    const bool valid = instant.isValid();
    setWindDownHour(valid ? LocalCalendar::hour(instant) : 18);
    setWindDownMinute(valid ? LocalCalendar::minute(instant) : 30);
}

QList<NudgeKind> AppSettings::kinds() const {
    QList<NudgeKind> active;
    if (m_waterEnabled)
        active.append(NudgeKind::water());
    if (m_movementEnabled)
        active.append(NudgeKind::movement());
    for (const CustomReminder& reminder : m_customReminders) {
        if (reminder.enabled)
            active.append(reminder.asKind());
    }
    return active;
}

std::optional<CustomReminder> AppSettings::customReminder(const NudgeKind& kind) const {
    // Comparing ids is much cheaper than writing out every reminder's kind id.
    static const QString prefix = u"custom-"_s;
    if (!kind.id.startsWith(prefix))
        return std::nullopt;
    const QUuid id = QUuid::fromString(QStringView(kind.id).mid(prefix.size()));
    for (const CustomReminder& reminder : m_customReminders) {
        if (reminder.id == id && reminder.kindID() == kind.id)
            return reminder;
    }
    return std::nullopt;
}

qint64 AppSettings::intervalMinutes(const NudgeKind& kind) const {
    const bool water = kind.id == NudgeKind::water().id;
    qint64 minutes = water ? m_waterIntervalMinutes : m_breakIntervalMinutes;
    if (!water && kind.id != NudgeKind::movement().id) {
        if (const std::optional<CustomReminder> reminder = customReminder(kind))
            minutes = reminder->intervalMinutes;
    } else {
        const auto byDay = m_workSchedule.presetByDay.find(LocalCalendar::weekday(m_clock.now()));
        const Preset inForce = byDay != m_workSchedule.presetByDay.end() ? byDay->second : m_preset;
        if (inForce != Preset::custom)
            minutes = water ? inForce.waterMinutes() : inForce.movementMinutes();
    }
    // A hand-edited value below a minute would fire the reminder on every tick; one of millions
    // of years would overflow the clock arithmetic and fire it at once.
    return std::clamp<qint64>(minutes, 1, maximumIntervalMinutes);
}

qint64 AppSettings::goal(const NudgeKind& kind) const {
    const qint64 set = m_dailyGoals.value(kind.id, 0);
    if (set > 0)
        return set;
    // A hand-edited schedule may reach past either end of the day; only the day's minutes count.
    const qint64 start = std::max<qint64>(m_workSchedule.startMinutes, 0);
    const qint64 end = std::min<qint64>(m_workSchedule.endMinutes, 24 * 60);
    const qint64 workingMinutes = m_workSchedule.enabled && start < end ? end - start : 480;
    return std::max<qint64>(1, workingMinutes / intervalMinutes(kind));
}
