#pragma once

#include "settings/NudgeKind.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class Clock;

// The permanent log of everything that happens to reminders, one SQLite table. Writes are queued
// to a worker thread and never wait; queries wait for the queue, so they see every event logged
// before them.
class EventStore {
public:
    enum class Action {
        fired,
        done,
        skipped,
        snoozed,
        expired,
        holdStart,
        holdEnd,
        pause,
        resume,
        windDown,
        weeklyReport,
        launch
    };

    struct Event {
        QString id; // upper-case UUID
        QDateTime at;
        Action action = Action::launch;
        std::optional<QString> kind; // a reminder kind's id
        std::optional<QString> meta;
    };

    static QString rawValue(Action action);
    static std::optional<Action> actionFromRawValue(const QString& raw);

    // Opens (or creates) folder/events.sqlite. A file that is not a readable database is moved
    // aside to events.sqlite.corrupt-<UTC date> and a fresh one started. When opening fails the
    // store stays inert: logging does nothing and queries return nothing.
    EventStore(const Clock& clock, const QString& folder);
    ~EventStore();
    EventStore(const EventStore&) = delete;
    EventStore& operator=(const EventStore&) = delete;

    void log(Action action, const std::optional<NudgeKind>& kind = std::nullopt,
             const std::optional<QString>& meta = std::nullopt);
    // Events with from <= at < to, oldest first.
    QList<Event> events(const QDateTime& from, const QDateTime& to) const;
    // Every event as one compact JSON object a line, keys sorted, no line feed after the last.
    QByteArray exportJSONL() const;
    // The same text handed to write a page of events at a time, with the number of events so
    // far and in all, so that a long log is never held whole and logging carries on between
    // pages. Runs on the caller's thread; write returns false to stop. False when stopped.
    using ExportPage = std::function<bool(const QByteArray& text, qint64 exported, qint64 total)>;
    bool exportJSONL(const ExportPage& write) const;

private:
    class Worker;

    const Clock& m_clock;
    bool m_insertFailing = false; // touched on the worker's thread only
    std::unique_ptr<Worker> m_worker;
};
