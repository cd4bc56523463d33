#pragma once

#include "context/HoldReason.h"
#include "settings/NudgeKind.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

class AppSettings;
class Clock;
class ContextMonitor;
class DayLog;
class RhythmEngine;

// How a piece of panel text is coloured; the view turns these into real colours so the same
// model reads well on light and dark themes.
enum class PanelTone { secondary, tint, green, orange };

// What a button in a reminder row asks of the engine.
enum class RowAction { done, snooze, untilFree, skip, remindNow };

struct RowIcon {
    QString symbol;
    QString title; // what a screen reader calls it
    QString tooltip;
    RowAction action;
};

// One reminder kind in the panel, as it stands at the moment the panel was built.
struct PanelReminderRow {
    NudgeKind kind;
    QDateTime now;
    qint64 count = 0;
    qint64 goal = 0;
    bool goalsEnabled = false;
    QDateTime next;
    std::optional<QDateTime> last;
    bool held = false;
    bool awaiting = false;
    bool unanswered = false;
    bool parked = false;

    QString goalText;   // "3 of 8", "Goal met", "3 today"
    QString statusText; // "due now", "after this hold", "on hold", "in 25 min"
    PanelTone statusTone = PanelTone::secondary;
    QList<RowIcon> icons; // the small round buttons after the text
    bool prominentDone = false;
    QString doneTooltip;
    QString lastLogText; // the badge's tooltip
    bool tinted = false; // the row's background carries the kind's tint
};

// The status capsule in the header.
struct StatusPill {
    std::optional<HoldReason> reason;
    std::optional<QString> detail;
    QString label;
    PanelTone tone = PanelTone::green;
    QString tooltip;
};

struct PauseOption {
    QString title;
    double seconds = 0;
    bool restOfDay = false;
};

// Everything the tray panel shows, computed at one instant from the services it observes.
struct PanelModel {
    Q_DECLARE_TR_FUNCTIONS(PanelModel)

public:
    QString summary;
    QString subtitle;
    StatusPill pill;
    // Set while a manual pause runs: "Paused until 14:30". The pause menu shows otherwise.
    std::optional<QString> pausedUntil;
    QList<PanelReminderRow> rows;

    struct Sources {
        const RhythmEngine& engine;
        const ContextMonitor& monitor;
        const DayLog& dayLog;
        const AppSettings& settings;
        const Clock& clock;
    };
    static PanelModel build(const Sources& sources);

    static const QList<PauseOption>& pauseOptions();

    // "now", "in 5 min", "in 1 h", "in 1 h 1 min"; minutes are rounded up.
    static QString relativeTime(const QDateTime& now, const QDateTime& target);
    // The badge's tooltip: how long ago the kind was last logged, minutes rounded down.
    static QString lastLogText(const QDateTime& now, const std::optional<QDateTime>& last,
                               bool unanswered);
    // The pill's tooltip for a hold reason; none means reminders run.
    static QString statusDescription(const std::optional<HoldReason>& reason,
                                     const std::optional<QString>& detail);
};
