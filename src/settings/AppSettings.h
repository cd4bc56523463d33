#pragma once

#include "AppRule.h"
#include "CalendarRules.h"
#include "CustomReminder.h"
#include "NudgeKind.h"
#include "Preset.h"
#include "WorkSchedule.h"

#include <QDateTime>
#include <QJsonDocument>
#include <QMap>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <optional>

class Clock;
class HotKeys;
class LoginItem;
class PreferenceStore;

// How a due reminder is shown.
enum class ReminderStyle { card, notch, notification };

QString reminderStyleRawValue(ReminderStyle style);
// Also reads the values earlier versions stored: "both" is a card, "notchAndNotification" the
// notch. Anything unknown is a card.
ReminderStyle reminderStyleFromStored(const QString& stored);

// Every user setting. Each is read once from the preference store at construction and written
// back the moment it is assigned; its change signal fires only when the value really changes.
class AppSettings : public QObject {
    Q_OBJECT
    Q_PROPERTY(Preset preset READ preset WRITE setPreset NOTIFY presetChanged)
    Q_PROPERTY(qint64 waterIntervalMinutes READ waterIntervalMinutes WRITE setWaterIntervalMinutes
                   NOTIFY waterIntervalMinutesChanged)
    Q_PROPERTY(qint64 breakIntervalMinutes READ breakIntervalMinutes WRITE setBreakIntervalMinutes
                   NOTIFY breakIntervalMinutesChanged)
    Q_PROPERTY(bool waterEnabled READ waterEnabled WRITE setWaterEnabled NOTIFY waterEnabledChanged)
    Q_PROPERTY(bool movementEnabled READ movementEnabled WRITE setMovementEnabled NOTIFY
                   movementEnabledChanged)
    Q_PROPERTY(qint64 minimumGapMinutes READ minimumGapMinutes WRITE setMinimumGapMinutes NOTIFY
                   minimumGapMinutesChanged)
    Q_PROPERTY(ReminderStyle reminderStyle READ reminderStyle WRITE setReminderStyle NOTIFY
                   reminderStyleChanged)
    Q_PROPERTY(bool weeklyReportEnabled READ weeklyReportEnabled WRITE setWeeklyReportEnabled NOTIFY
                   weeklyReportEnabledChanged)
    Q_PROPERTY(bool adaptiveEnabled READ adaptiveEnabled WRITE setAdaptiveEnabled NOTIFY
                   adaptiveEnabledChanged)
    Q_PROPERTY(bool dailyGoalsEnabled READ dailyGoalsEnabled WRITE setDailyGoalsEnabled NOTIFY
                   dailyGoalsEnabledChanged)
    Q_PROPERTY(DailyGoals dailyGoals READ dailyGoals WRITE setDailyGoals NOTIFY dailyGoalsChanged)
    Q_PROPERTY(qint64 idleThresholdMinutes READ idleThresholdMinutes WRITE setIdleThresholdMinutes
                   NOTIFY idleThresholdMinutesChanged)
    Q_PROPERTY(bool pauseDuringCalls READ pauseDuringCalls WRITE setPauseDuringCalls NOTIFY
                   pauseDuringCallsChanged)
    Q_PROPERTY(bool pauseForMicrophone READ pauseForMicrophone WRITE setPauseForMicrophone NOTIFY
                   pauseForMicrophoneChanged)
    Q_PROPERTY(bool pauseDuringDoNotDisturb READ pauseDuringDoNotDisturb WRITE
                   setPauseDuringDoNotDisturb NOTIFY pauseDuringDoNotDisturbChanged)
    Q_PROPERTY(bool pauseDuringScreenShare READ pauseDuringScreenShare WRITE
                   setPauseDuringScreenShare NOTIFY pauseDuringScreenShareChanged)
    Q_PROPERTY(bool pauseDuringFullScreen READ pauseDuringFullScreen WRITE setPauseDuringFullScreen
                   NOTIFY pauseDuringFullScreenChanged)
    Q_PROPERTY(QStringList meetingAppBundleIDs READ meetingAppBundleIDs WRITE setMeetingAppBundleIDs
                   NOTIFY meetingAppBundleIDsChanged)
    Q_PROPERTY(bool windDownEnabled READ windDownEnabled WRITE setWindDownEnabled NOTIFY
                   windDownEnabledChanged)
    Q_PROPERTY(
        qint64 windDownHour READ windDownHour WRITE setWindDownHour NOTIFY windDownHourChanged)
    Q_PROPERTY(qint64 windDownMinute READ windDownMinute WRITE setWindDownMinute NOTIFY
                   windDownMinuteChanged)
    Q_PROPERTY(QList<AppRule> appRules READ appRules WRITE setAppRules NOTIFY appRulesChanged)
    Q_PROPERTY(WorkSchedule workSchedule READ workSchedule WRITE setWorkSchedule NOTIFY
                   workScheduleChanged)
    Q_PROPERTY(QList<CustomReminder> customReminders READ customReminders WRITE setCustomReminders
                   NOTIFY customRemindersChanged)
    Q_PROPERTY(CalendarRules calendarRules READ calendarRules WRITE setCalendarRules NOTIFY
                   calendarRulesChanged)
    Q_PROPERTY(bool soundEnabled READ soundEnabled WRITE setSoundEnabled NOTIFY soundEnabledChanged)
    Q_PROPERTY(bool hasCompletedOnboarding READ hasCompletedOnboarding WRITE
                   setHasCompletedOnboarding NOTIFY hasCompletedOnboardingChanged)
    Q_PROPERTY(bool shareUsage READ shareUsage WRITE setShareUsage NOTIFY shareUsageChanged)
    Q_PROPERTY(bool shortcutsEnabled READ shortcutsEnabled WRITE setShortcutsEnabled NOTIFY
                   shortcutsEnabledChanged)
    Q_PROPERTY(
        bool launchAtLogin READ launchAtLogin WRITE setLaunchAtLogin NOTIFY launchAtLoginChanged)

public:
    using DailyGoals = QMap<QString, qint64>;
    // The stored goals: an object of whole counts by kind id; none when any count is not one.
    static std::optional<DailyGoals> dailyGoalsFromJson(const QJsonDocument& document);

    static const QStringList& defaultMeetingAppBundleIDs();
    // Identifiers dropped from the meeting list whenever it is loaded.
    static const QSet<QString>& retiredMeetingAppIDs();

    AppSettings(PreferenceStore& store, const Clock& clock, LoginItem& loginItem, HotKeys& hotKeys,
                QObject* parent = nullptr);

    // True while assigning a preset sets the two intervals.
    bool applyingPreset() const { return m_applyingPreset; }

    Preset preset() const { return m_preset; }
    qint64 waterIntervalMinutes() const { return m_waterIntervalMinutes; }
    qint64 breakIntervalMinutes() const { return m_breakIntervalMinutes; }
    bool waterEnabled() const { return m_waterEnabled; }
    bool movementEnabled() const { return m_movementEnabled; }
    qint64 minimumGapMinutes() const { return m_minimumGapMinutes; }
    ReminderStyle reminderStyle() const { return m_reminderStyle; }
    bool weeklyReportEnabled() const { return m_weeklyReportEnabled; }
    bool adaptiveEnabled() const { return m_adaptiveEnabled; }
    bool dailyGoalsEnabled() const { return m_dailyGoalsEnabled; }
    DailyGoals dailyGoals() const { return m_dailyGoals; }
    qint64 idleThresholdMinutes() const { return m_idleThresholdMinutes; }
    bool pauseDuringCalls() const { return m_pauseDuringCalls; }
    // A microphone recorded by another application counts as a call (while calls hold).
    bool pauseForMicrophone() const { return m_pauseForMicrophone; }
    bool pauseDuringDoNotDisturb() const { return m_pauseDuringDoNotDisturb; }
    bool pauseDuringScreenShare() const { return m_pauseDuringScreenShare; }
    bool pauseDuringFullScreen() const { return m_pauseDuringFullScreen; }
    QStringList meetingAppBundleIDs() const { return m_meetingAppBundleIDs; }
    bool windDownEnabled() const { return m_windDownEnabled; }
    qint64 windDownHour() const { return m_windDownHour; }
    qint64 windDownMinute() const { return m_windDownMinute; }
    QList<AppRule> appRules() const { return m_appRules; }
    WorkSchedule workSchedule() const { return m_workSchedule; }
    QList<CustomReminder> customReminders() const { return m_customReminders; }
    CalendarRules calendarRules() const { return m_calendarRules; }
    bool soundEnabled() const { return m_soundEnabled; }
    bool hasCompletedOnboarding() const { return m_hasCompletedOnboarding; }
    bool shareUsage() const { return m_shareUsage; }
    bool shortcutsEnabled() const { return m_shortcutsEnabled; }
    // Asks the session, not the preference store.
    bool launchAtLogin() const;

    // Picking a named preset also sets both intervals to its pair; custom keeps them.
    void setPreset(Preset value);
    // Changing an interval re-derives the preset the pair matches.
    void setWaterIntervalMinutes(qint64 value);
    void setBreakIntervalMinutes(qint64 value);
    void setWaterEnabled(bool value);
    void setMovementEnabled(bool value);
    void setMinimumGapMinutes(qint64 value);
    void setReminderStyle(ReminderStyle value);
    void setWeeklyReportEnabled(bool value);
    void setAdaptiveEnabled(bool value);
    void setDailyGoalsEnabled(bool value);
    void setDailyGoals(const DailyGoals& value);
    void setIdleThresholdMinutes(qint64 value);
    void setPauseDuringCalls(bool value);
    void setPauseForMicrophone(bool value);
    void setPauseDuringDoNotDisturb(bool value);
    void setPauseDuringScreenShare(bool value);
    void setPauseDuringFullScreen(bool value);
    void setMeetingAppBundleIDs(const QStringList& value);
    void setWindDownEnabled(bool value);
    void setWindDownHour(qint64 value);
    void setWindDownMinute(qint64 value);
    void setAppRules(const QList<AppRule>& value);
    void setWorkSchedule(const WorkSchedule& value);
    void setCustomReminders(const QList<CustomReminder>& value);
    void setCalendarRules(const CalendarRules& value);
    void setSoundEnabled(bool value);
    void setHasCompletedOnboarding(bool value);
    void setShareUsage(bool value);
    // Installs or removes the global shortcuts.
    void setShortcutsEnabled(bool value);
    void setLaunchAtLogin(bool value);

    // The end of the manual pause, kept so that it outlives a restart; none when not paused.
    std::optional<QDateTime> manualPauseUntil() const;
    void setManualPauseUntil(const std::optional<QDateTime>& until);

    // Today at the wind-down hour and minute; now when no such instant can be formed.
    QDateTime windDownTime() const;
    // Takes the local hour and minute of the instant.
    void setWindDownTime(const QDateTime& instant);

    // The active kinds: water and movement when enabled, then the enabled custom reminders in
    // stored order. May be empty.
    QList<NudgeKind> kinds() const;
    // The custom reminder behind a kind, enabled or not; none once it has been deleted.
    std::optional<CustomReminder> customReminder(const NudgeKind& kind) const;
    // Minutes between two reminders of a kind today, following the preset in force for
    // today's weekday; from 1 to a year, whatever is stored.
    qint64 intervalMinutes(const NudgeKind& kind) const;
    static constexpr qint64 maximumIntervalMinutes = 366 * 24 * 60;
    // Today's goal: the goal set for the kind, else how many of its reminders fit in a working day.
    qint64 goal(const NudgeKind& kind) const;

Q_SIGNALS:
    void presetChanged();
    void waterIntervalMinutesChanged();
    void breakIntervalMinutesChanged();
    void waterEnabledChanged();
    void movementEnabledChanged();
    void minimumGapMinutesChanged();
    void reminderStyleChanged();
    void weeklyReportEnabledChanged();
    void adaptiveEnabledChanged();
    void dailyGoalsEnabledChanged();
    void dailyGoalsChanged();
    void idleThresholdMinutesChanged();
    void pauseDuringCallsChanged();
    void pauseForMicrophoneChanged();
    void pauseDuringDoNotDisturbChanged();
    void pauseDuringScreenShareChanged();
    void pauseDuringFullScreenChanged();
    void meetingAppBundleIDsChanged();
    void windDownEnabledChanged();
    void windDownHourChanged();
    void windDownMinuteChanged();
    void appRulesChanged();
    void workScheduleChanged();
    void customRemindersChanged();
    void calendarRulesChanged();
    void soundEnabledChanged();
    void hasCompletedOnboardingChanged();
    void shareUsageChanged();
    void shortcutsEnabledChanged();
    void launchAtLoginChanged();
    // The autostart entry could not be written or removed; the reason is the system's.
    void launchAtLoginFailed(const QString& reason);

private:
    template <typename T> void assign(T& field, const T& value, void (AppSettings::*changed)());
    void syncPresetFromIntervals();

    PreferenceStore& m_store;
    const Clock& m_clock;
    LoginItem& m_loginItem;
    HotKeys& m_hotKeys;

    bool m_applyingPreset = false;
    Preset m_preset;
    qint64 m_waterIntervalMinutes;
    qint64 m_breakIntervalMinutes;
    bool m_waterEnabled;
    bool m_movementEnabled;
    qint64 m_minimumGapMinutes;
    ReminderStyle m_reminderStyle;
    bool m_weeklyReportEnabled;
    bool m_adaptiveEnabled;
    bool m_dailyGoalsEnabled;
    DailyGoals m_dailyGoals;
    qint64 m_idleThresholdMinutes;
    bool m_pauseDuringCalls;
    bool m_pauseForMicrophone;
    bool m_pauseDuringDoNotDisturb;
    bool m_pauseDuringScreenShare;
    bool m_pauseDuringFullScreen;
    QStringList m_meetingAppBundleIDs;
    bool m_windDownEnabled;
    qint64 m_windDownHour;
    qint64 m_windDownMinute;
    QList<AppRule> m_appRules;
    WorkSchedule m_workSchedule;
    QList<CustomReminder> m_customReminders;
    CalendarRules m_calendarRules;
    bool m_soundEnabled;
    bool m_hasCompletedOnboarding;
    bool m_shareUsage;
    bool m_shortcutsEnabled;
};
