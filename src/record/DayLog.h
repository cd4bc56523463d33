#pragma once

#include "settings/NudgeKind.h"

#include <QDateTime>
#include <QMap>
#include <QObject>
#include <QString>

class Clock;

// Today's tallies in a small JSON file, started afresh every calendar day.
class DayLog : public QObject {
    Q_OBJECT

public:
    struct State {
        QString date;                    // "yyyy-MM-dd", local
        QMap<QString, qint64> counts;    // "done" answers by kind id; missing means 0
        QMap<QString, QDateTime> lastAt; // the last "done" by kind id
        qint64 skipped = 0;              // all kinds together
        bool windDownFired = false;

        static State fresh(const QString& date);
        QByteArray toJson() const;
        // Also reads the earlier layout of the file; none when neither layout decodes.
        static std::optional<State> fromJson(const QByteArray& json);

        bool operator==(const State&) const = default;
    };

    // Reads folder/today.json; a missing, unreadable or old file gives a fresh day. Never writes,
    // nor makes the folder: the first save does, and keeps an unreadable file aside as
    // today.json.damaged.
    DayLog(const Clock& clock, const QString& folder, QObject* parent = nullptr);

    const State& state() const { return m_state; }
    QString todayString() const;
    QString fileName() const { return m_fileName; }

    // Starts a fresh day (and saves it) once the date has moved past the stored day. A clock set
    // back across midnight keeps counting into the stored day.
    void rollIfNeeded();
    // A "done" answer of a kind (counted, with its time) or a skip.
    void record(const QString& kindID, bool done);
    void markWindDownFired();
    // Replaces the file whole; a failure leaves the file stale until the next save and is logged
    // once until a save succeeds again.
    void save();

    // "3 sips · 1 break": today's count of each kind, in the given order.
    QString summary(const QList<NudgeKind>& kinds) const;

Q_SIGNALS:
    void stateChanged();

private:
    void setState(State state);

    const Clock& m_clock;
    QString m_fileName;
    State m_state;
    bool m_damaged = false; // the file on disk could not be read and is not kept aside yet
    bool m_saveFailing = false;
};
