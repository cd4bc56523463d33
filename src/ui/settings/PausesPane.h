#pragma once

#include "AppChooser.h"
#include "SettingsParts.h"
#include "platform/linux/DesktopEntries.h"

#include <QWidget>

class LiveSignals;
namespace SettingsForm {
class Switch;
}
class QComboBox;
class QLabel;
class QMenu;
class QToolButton;
class QVBoxLayout;
class SessionEvents;
class Workspace;

// What holds reminders: the live status, one row per condition with what its signal shows right
// now, the meeting applications, the calendar choices and the application rules, with a note where
// the desktop keeps Brevimar from seeing what a row needs. The signals are sampled every second,
// but only while the pane is on screen.
class PausesPane : public QWidget {
    Q_OBJECT

public:
    PausesPane(const SettingsParts& parts, QWidget* parent = nullptr);

    // What the application chooser brought back: listed once as a meeting app, or a new rule that
    // holds reminders while it is in front.
    void addMeetingApp(const AppChooser::Choice& app);
    void addAppRule(const AppChooser::Choice& app);

    const LiveSignals& liveSignals() const { return *m_live; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    class ConditionRow;

    QWidget* statusLine(QWidget* parent);
    QWidget* meetingApps(QWidget* parent);
    QWidget* calendarRows(QWidget* parent);
    QWidget* appRules(QWidget* parent);
    void showStatus();
    // The notes on what this desktop lets Brevimar see, read again whenever the pane shows.
    void showLimits();
    void showSignals();
    void listMeetingApps();
    void listCalendars();
    void showCalendarChoice();
    void listAppRules();
    QString meetingAppName(const QString& id);

    AppSettings& m_settings;
    ContextMonitor& m_context;
    const Workspace& m_workspace;
    const SessionEvents& m_session;
    LiveSignals* m_live;
    DesktopEntries m_entries;

    QLabel* m_statusSymbol = nullptr;
    QLabel* m_statusTitle = nullptr;
    QLabel* m_statusSentence = nullptr;
    ConditionRow* m_call = nullptr;
    ConditionRow* m_microphone = nullptr;
    ConditionRow* m_doNotDisturb = nullptr;
    ConditionRow* m_sharing = nullptr;
    ConditionRow* m_fullScreen = nullptr;
    ConditionRow* m_calendar = nullptr;
    ConditionRow* m_idle = nullptr;
    QLabel* m_fullScreenNote = nullptr;
    QLabel* m_microphoneNote = nullptr;
    QLabel* m_doNotDisturbNote = nullptr;
    QLabel* m_idleNote = nullptr;
    QLabel* m_rulesNote = nullptr;
    bool m_idleSeen = true;
    QVBoxLayout* m_meetingLines = nullptr;
    QVBoxLayout* m_calendarAccess = nullptr;
    QVBoxLayout* m_calendarLines = nullptr;
    QLabel* m_calendarDetail = nullptr;
    QWidget* m_calendarList = nullptr;
    QVBoxLayout* m_ruleLines = nullptr;
    QList<SettingsForm::Switch*> m_switches;
    QList<QComboBox*> m_ruleModes;
    QToolButton* m_removeRule = nullptr;
};
