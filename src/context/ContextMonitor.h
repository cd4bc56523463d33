#pragma once

#include "CalendarMonitor.h"
#include "HoldReason.h"
#include "settings/AppRule.h"

#include <QDateTime>
#include <QTimer>

#include <optional>

class AppSettings;
class Clock;
class EventStore;
class MediaProbe;
class SessionEvents;
class Workspace;

// Decides whether reminders are held and why, from the working context and the manual pause,
// and publishes the reason with its detail (the camera, application, event or rule).
class ContextMonitor : public HoldState {
    Q_OBJECT

public:
    // One sample of every signal, whatever the pause switches say.
    struct Signals {
        double idleSeconds = 0;
        std::optional<QString> camera;
        std::optional<QString> microphone; // the application recording
        bool microphoneSeen = true;
        std::optional<bool> doNotDisturb; // none where the desktop does not tell
        std::optional<QString> meetingApp;
        std::optional<QString> screenShare;
        std::optional<QString> fullScreenApp;
        std::optional<QString> calendarEvent;
    };

    struct Hold {
        std::optional<HoldReason> reason;
        std::optional<QString> detail;
        // Off hours hold, and no meeting or app rule would hold without them.
        bool onlyOffHours = false;
    };

    struct Collaborators {
        const Clock& clock;
        AppSettings& settings;
        EventStore& events;
        SessionEvents& session;
        Workspace& workspace;
        MediaProbe& media;
        CalendarStore& calendarStore;
    };

    explicit ContextMonitor(const Collaborators& collaborators, QObject* parent = nullptr);

    std::optional<HoldReason> holdReason() const override { return m_hold.reason; }
    bool onlyOffHours() const override { return m_hold.onlyOffHours; }
    std::optional<QString> holdDetail() const { return m_hold.detail; }
    std::optional<QDateTime> manualPauseUntil() const { return m_manualPauseUntil; }
    bool screenLocked() const { return m_screenLocked; }
    double idleSeconds() const override;
    CalendarMonitor& calendar() { return m_calendar; }

    // Polls every 15 seconds and follows the lock, Do Not Disturb, application switches, workspace
    // changes and application exits. Calling it again does nothing.
    void start();
    void refresh();
    Hold evaluate();
    Signals sampleSignals();

    // Holds reminders for a number of seconds, or until the coming midnight. The end is kept in
    // the settings, so a pause outlives a restart or a logout.
    void pause(double seconds, bool restOfDay = false);
    void resume();

Q_SIGNALS:
    void holdDetailChanged();
    void manualPauseUntilChanged();
    void screenLockedChanged();

private:
    std::optional<QString> frontmostMeetingApp() const;
    std::optional<AppRule> matchingAppRule() const;
    std::optional<QString> calendarEvent(const QDateTime& now);
    void setManualPauseUntil(std::optional<QDateTime> until);
    void setScreenLocked(bool locked);
    void refreshNowAndSoon();

    const Clock& m_clock;
    AppSettings& m_settings;
    EventStore& m_events;
    SessionEvents& m_session;
    Workspace& m_workspace;
    MediaProbe& m_media;
    CalendarMonitor m_calendar;

    Hold m_hold;
    std::optional<QDateTime> m_manualPauseUntil;
    bool m_screenLocked = false;
    QTimer* m_timer = nullptr;
};

// Samples every signal once a second while the settings window shows them.
class LiveSignals : public QObject {
    Q_OBJECT

public:
    explicit LiveSignals(ContextMonitor& monitor, QObject* parent = nullptr);

    const std::optional<ContextMonitor::Signals>& now() const { return m_now; }
    void start();
    void stop();
    bool isActive() const { return m_timer.isActive(); }

Q_SIGNALS:
    void changed();

private:
    void sample();

    ContextMonitor& m_monitor;
    std::optional<ContextMonitor::Signals> m_now;
    QTimer m_timer;
};
