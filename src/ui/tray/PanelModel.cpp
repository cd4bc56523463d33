#include "PanelModel.h"

#include "context/ContextMonitor.h"
#include "engine/RhythmEngine.h"
#include "platform/Clock.h"
#include "record/DayLog.h"
#include "settings/AppSettings.h"

#include <QLocale>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

QString goalSummary(const QList<PanelReminderRow>& rows) {
    qint64 sum = 0;
    bool everyGoalMet = true;
    for (const PanelReminderRow& row : rows) {
        sum += row.count;
        everyGoalMet = everyGoalMet && row.count >= row.goal;
    }
    if (sum == 0)
        return PanelModel::tr("Nothing logged yet");
    if (rows.first().goalsEnabled && everyGoalMet)
        return PanelModel::tr("Every goal met today");
    // English in the code has two forms; other languages give every count but one its own.
    if (sum == 1)
        return PanelModel::tr("1 small win today");
    return PanelModel::tr("%n small wins today", nullptr, int(sum));
}

QString goalText(const PanelReminderRow& row) {
    if (!row.goalsEnabled)
        return PanelModel::tr("%1 today").arg(row.count);
    if (row.count >= row.goal)
        return PanelModel::tr("Goal met");
    return PanelModel::tr("%1 of %2").arg(row.count).arg(row.goal);
}

void describeStatus(PanelReminderRow& row) {
    if (row.parked) {
        row.statusText = PanelModel::tr("after this hold");
        row.statusTone = PanelTone::orange;
    } else if (row.awaiting) {
        row.statusText = PanelModel::tr("due now");
        row.statusTone = PanelTone::tint;
    } else if (row.held) {
        row.statusText = PanelModel::tr("on hold");
        row.statusTone = PanelTone::orange;
    } else {
        row.statusText = PanelModel::relativeTime(row.now, row.next);
        row.statusTone = PanelTone::secondary;
    }
}

QList<RowIcon> rowIcons(const PanelReminderRow& row) {
    if (row.awaiting) {
        return {{u"zzz"_s, PanelModel::tr("Snooze 10 min"), PanelModel::tr("Snooze 10 min"),
                 RowAction::snooze},
                {u"hourglass"_s, PanelModel::tr("When I'm free"),
                 PanelModel::tr("When I'm free: after the current hold ends"),
                 RowAction::untilFree},
                {u"forward.end"_s, PanelModel::tr("Skip"), PanelModel::tr("Skip this one"),
                 RowAction::skip}};
    }
    if (row.parked) {
        return {{u"bolt"_s, PanelModel::tr("Remind me now"),
                 PanelModel::tr("Remind me now instead of waiting"), RowAction::remindNow}};
    }
    return {};
}

// The kind that comes next among those still on their clock, first in list order on a tie.
QString nextUp(const QList<PanelReminderRow>& rows, const QDateTime& now) {
    const PanelReminderRow* soonest = nullptr;
    for (const PanelReminderRow& row : rows) {
        if (row.awaiting || row.parked)
            continue;
        if (!soonest || row.next < soonest->next)
            soonest = &row;
    }
    if (!soonest)
        return PanelModel::tr("Today");
    return PanelModel::tr("%1 %2", "kind title, relative time")
        .arg(soonest->kind.title, PanelModel::relativeTime(now, soonest->next));
}

} // namespace

PanelModel PanelModel::build(const Sources& s) {
    const QDateTime now = s.clock.now();
    const DayLog::State& day = s.dayLog.state();
    const std::optional<HoldReason> reason = s.monitor.holdReason();

    PanelModel model;
    for (const NudgeKind& kind : s.engine.kinds()) {
        PanelReminderRow row;
        row.kind = kind;
        row.now = now;
        row.count = day.counts.value(kind.id, 0);
        row.goal = s.settings.goal(kind);
        row.goalsEnabled = s.settings.dailyGoalsEnabled();
        row.next = s.engine.nextDue(kind);
        const auto last = day.lastAt.constFind(kind.id);
        if (last != day.lastAt.constEnd())
            row.last = *last;
        row.held = reason.has_value();
        row.awaiting = s.engine.awaiting().contains(kind);
        row.unanswered = s.engine.unanswered().contains(kind);
        row.parked = s.engine.parked().contains(kind);

        row.goalText = goalText(row);
        describeStatus(row);
        row.icons = rowIcons(row);
        row.prominentDone = row.awaiting;
        row.doneTooltip = row.awaiting ? tr("Log that you did it") : tr("Log it now");
        row.lastLogText = lastLogText(now, row.last, row.unanswered);
        row.tinted = row.awaiting;
        model.rows.append(row);
    }

    model.summary = model.rows.isEmpty() ? tr("Nothing logged yet") : goalSummary(model.rows);

    // The monitor drops a pause that has run out on its next poll; until then it no longer counts.
    const std::optional<QDateTime> pauseEnd = s.monitor.manualPauseUntil();
    if (pauseEnd && *pauseEnd > now) {
        model.pausedUntil = tr("Paused until %1")
                                .arg(QLocale::system().toString(pauseEnd->toLocalTime().time(),
                                                                QLocale::ShortFormat));
    }

    if (model.pausedUntil)
        model.subtitle = *model.pausedUntil;
    else if (reason)
        model.subtitle = tr("Reminders wait, then start fresh");
    else
        model.subtitle = nextUp(model.rows, now);

    model.pill.reason = reason;
    model.pill.detail = s.monitor.holdDetail();
    model.pill.label = label(reason);
    model.pill.tone = reason ? PanelTone::orange : PanelTone::green;
    model.pill.tooltip = statusDescription(reason, model.pill.detail);
    return model;
}

const QList<PauseOption>& PanelModel::pauseOptions() {
    static const QList<PauseOption> options{
        {tr("For 30 Minutes"), 1800, false},
        {tr("For 1 Hour"), 3600, false},
        {tr("For the Rest of the Day"), 0, true},
    };
    return options;
}

QString PanelModel::relativeTime(const QDateTime& now, const QDateTime& target) {
    const double seconds = double(now.msecsTo(target)) / 1000.0;
    const auto minutes = qint64(std::ceil(seconds / 60.0));
    if (minutes < 1)
        return tr("now");
    if (minutes < 60)
        return tr("in %1 min").arg(minutes);
    const qint64 hours = minutes / 60;
    const qint64 rest = minutes % 60;
    if (rest == 0)
        return tr("in %1 h").arg(hours);
    return tr("in %1 h %2 min").arg(hours).arg(rest);
}

QString PanelModel::lastLogText(const QDateTime& now, const std::optional<QDateTime>& last,
                                bool unanswered) {
    if (unanswered)
        return tr("The last one went unanswered.");
    if (!last)
        return tr("Nothing logged today.");
    const auto minutes = qint64(std::floor(double(last->msecsTo(now)) / 60000.0));
    if (minutes <= 0)
        return tr("Last logged just now.");
    if (minutes < 60)
        return tr("Last logged %1 min ago.").arg(minutes);
    return tr("Last logged %1 h %2 min ago.").arg(minutes / 60).arg(minutes % 60);
}

QString PanelModel::statusDescription(const std::optional<HoldReason>& reason,
                                      const std::optional<QString>& detail) {
    if (!reason)
        return tr("Reminders are running.");
    switch (*reason) {
    case HoldReason::idle:
        return tr("No keyboard or mouse for a while. Reminders restart fresh when you're back.");
    case HoldReason::locked:
        return tr("The screen is locked. Reminders wait and start fresh when you unlock.");
    case HoldReason::call:
        return tr("Reminders hold while %1 is going. Edit the meeting-app list in Settings › "
                  "Pauses.")
            .arg(detail.value_or(tr("a call")));
    case HoldReason::screenShare:
        return tr("Reminders hold while the screen is shared.");
    case HoldReason::fullScreen:
        return tr("Reminders hold while %1 is full screen.").arg(detail.value_or(tr("an app")));
    case HoldReason::manualPause:
        return tr("Paused by you.");
    case HoldReason::doNotDisturb:
        return tr("Reminders hold while Do Not Disturb is on.");
    case HoldReason::meeting:
        return tr("Calendar says you're in %1.").arg(detail.value_or(tr("a meeting")));
    case HoldReason::appRule:
        return tr("Your rule for %1 is holding reminders.").arg(detail.value_or(tr("this app")));
    case HoldReason::offHours:
        return tr("Outside your work hours. Reminders resume when they start.");
    }
    return tr("Reminders are running.");
}
