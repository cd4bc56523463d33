#pragma once

#include "context/HoldReason.h"
#include "settings/NudgeKind.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QSet>

#include <optional>

class AppSettings;
class Clock;
class DayLog;
class EventStore;
class Notifier;
enum class ReminderStyle;
class NudgePanel;
class PreferenceStore;
class QTimer;

// Schedules every active reminder kind, fires the one that is due when nothing holds reminders,
// and takes the answers. Ticks every 20 seconds once started.
class RhythmEngine : public QObject {
    Q_OBJECT

public:
    using Instants = QHash<NudgeKind, QDateTime>;
    using Kinds = QSet<NudgeKind>;

    struct Collaborators {
        const Clock& clock;
        AppSettings& settings;
        PreferenceStore& preferences;
        DayLog& dayLog;
        EventStore& events;
        HoldState& context;
        Notifier& notifier;
        NudgePanel& panel;
    };

    // Schedules every kind from now, records the launch and reads today's last answers.
    explicit RhythmEngine(const Collaborators& collaborators, QObject* parent = nullptr);

    // Seconds in one configured minute: 60, or 1 in fast mode.
    static double minuteSeconds();

    const Instants& nextAt() const { return m_nextAt; }
    const Instants& awaiting() const { return m_awaiting; }
    const Kinds& unanswered() const { return m_unanswered; }
    const Kinds& parked() const { return m_parked; }

    void start();
    QList<NudgeKind> kinds() const;
    double intervalSeconds(const NudgeKind& kind) const;
    // When the kind is next due; now for a kind that is not scheduled.
    QDateTime nextDue(const NudgeKind& kind) const;

    void fire(const NudgeKind& kind);
    void restart(const NudgeKind& kind, const QDateTime& from);
    void respace();
    void sync();
    void tick();

    // Answers. Done is always accepted; the others act only while the kind awaits an answer.
    void done(const NudgeKind& kind);
    void snooze(const NudgeKind& kind, qint64 minutes);
    void untilFree(const NudgeKind& kind);
    void skip(const NudgeKind& kind);
    void expireCheck(const QDateTime& now);

    // The interval adjusted to how often the kind is answered at the candidate's hour.
    double adaptiveInterval(const NudgeKind& kind, const QDateTime& candidate);

    // The line under a reminder ("1 h 5 min since your last sip"), none when too recent.
    std::optional<QString> reasonText(const NudgeKind& kind) const;
    // "45 min", "1 h", "1 h 5 min".
    static QString duration(double seconds);

    void windDownCheck(const QDateTime& now);
    void weeklyReportCheck(const QDateTime& now);
    std::optional<QString> weeklyReportText() const;
    void previewWindDown();

Q_SIGNALS:
    void nextAtChanged();
    void awaitingChanged();
    void unansweredChanged();
    void parkedChanged();

private:
    struct HourCounts {
        qint64 fired = 0;
        qint64 done = 0;
    };
    using HourStats = QHash<QString, QHash<int, HourCounts>>;
    class Publisher;

    // The style reminders are shown in: the chosen one where the panel can place windows.
    ReminderStyle reminderStyle() const;
    void clear(const NudgeKind& kind);
    void unpark(const NudgeKind& kind);
    void holdChanged(const std::optional<HoldReason>& reason);
    const HourStats& hourStats();
    void presentMessage(const QString& title, const QString& message, const QString& icon,
                        const QString& tint, const std::function<void()>& deliver);

    const Clock& m_clock;
    AppSettings& m_settings;
    PreferenceStore& m_preferences;
    DayLog& m_dayLog;
    EventStore& m_events;
    HoldState& m_context;
    Notifier& m_notifier;
    NudgePanel& m_panel;

    Instants m_nextAt;
    Instants m_awaiting;
    Kinds m_unanswered;
    Kinds m_parked;
    Instants m_parkedSince;
    QTimer* m_timer = nullptr;
    bool m_wasHolding = false;
    std::optional<HoldReason> m_lastHoldReason;
    QHash<QString, QDateTime> m_lastLoggedAt;
    QDateTime m_activeSince;
    QDateTime m_statsFetched;
    HourStats m_stats;
    int m_publishDepth = 0;
};
