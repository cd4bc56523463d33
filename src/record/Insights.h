#pragma once

#include "record/EventStore.h"
#include "settings/NudgeKind.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

// What the history window shows for a range of days: per-day and per-hour counts, per-kind totals
// against the period before, how often and how fast reminders are answered, and a few plain
// sentences. Built from the event log alone, in the local time zone; never writes anything.
struct Insights {
    Q_DECLARE_TR_FUNCTIONS(Insights)

public:
    struct Day {
        QDateTime date;            // local start of the day
        QHash<QString, int> done;  // by kind id
        QHash<QString, int> fired; // by kind id
    };
    struct Hour {
        int hour = 0;
        int fired = 0;
        int answered = 0;
    };
    struct KindStat {
        NudgeKind kind;
        int total = 0;      // done in the range
        int activeDays = 0; // days with a fire or a done of the kind
        // Done per active day in the period before; none with fewer than two active days there.
        std::optional<double> previousAverage;
    };

    int rangeDays = 0;
    QList<Day> days;           // one per calendar day of the range, oldest first
    QList<Hour> hours;         // hours 0 to 23
    QList<KindStat> kindStats; // in the order the kinds were given
    QSet<int> standoutHours;   // at most two
    std::optional<double> answeredRate;
    std::optional<double> medianResponse; // seconds from a fire to its done
    QStringList sentences;
    QStringList highlights;                // at most three
    QHash<QString, QList<int>> doneByHour; // 24 counts by kind id
    QList<int> missedByHour;               // fired minus answered, 24 entries
    int activeDayCount = 0;                // days with at least one done
    int totalFired = 0;
    int totalAnswered = 0; // fires answered by a done within the hour, a snooze or a skip
    int totalDone = 0;

    // The range is the last rangeDays calendar days up to and including now's day; events must
    // cover it and the equally long period before, oldest first. Events dated after now's day (a
    // clock that ran fast) count in every figure but the days'.
    static Insights build(const QList<EventStore::Event>& events, const QList<NudgeKind>& kinds,
                          int rangeDays, const QDateTime& now);

    // "under a minute", "4 min", "1.5 h"
    static QString formatDuration(double seconds);
    // "1.5 hours", "59 min"
    static QString formatHours(double seconds);
    // "a", "a and b", "a, b and c"
    static QString joinList(const QStringList& texts);
    // What was done on a day, in the kinds' order: "3 sips and 1 break"; empty when nothing was.
    static QString doneOn(const Day& day, const QList<NudgeKind>& kinds);
    // "2 PM" in the user's locale
    static QString hourLabel(int hour);
    // A hold reason's raw value as it reads in a sentence ("calls") and as a label ("Calls").
    static QString reasonPhrase(const QString& reason);
    static QString reasonLabel(const QString& reason);
    // "last week", "the month before", "the 90 days before"
    static QString periodPhrase(int rangeDays);
};
