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
        return u"Nothing logged yet"_s;
    if (rows.first().goalsEnabled && everyGoalMet)
        return u"Every goal met today"_s;
    if (sum == 1)
        return u"1 small win today"_s;
    return u"%1 small wins today"_s.arg(sum);
}

QString goalText(const PanelReminderRow& row) {
    if (!row.goalsEnabled)
        return u"%1 today"_s.arg(row.count);
    if (row.count >= row.goal)
        return u"Goal met"_s;
    return u"%1 of %2"_s.arg(row.count).arg(row.goal);
}

void describeStatus(PanelReminderRow& row) {
    if (row.parked) {
        row.statusText = u"after this hold"_s;
        row.statusTone = PanelTone::orange;
    } else if (row.awaiting) {
        row.statusText = u"due now"_s;
        row.statusTone = PanelTone::tint;
    } else if (row.held) {
        row.statusText = u"on hold"_s;
        row.statusTone = PanelTone::orange;
    } else {
        row.statusText = PanelModel::relativeTime(row.now, row.next);
        row.statusTone = PanelTone::secondary;
    }
}

QList<RowIcon> rowIcons(const PanelReminderRow& row) {
    if (row.awaiting) {
        return {{u"zzz"_s, u"Snooze 10 min"_s, u"Snooze 10 min"_s, RowAction::snooze},
                {u"hourglass"_s, u"When I'm free"_s,
                 u"When I'm free: after the current hold ends"_s, RowAction::untilFree},
                {u"forward.end"_s, u"Skip"_s, u"Skip this one"_s, RowAction::skip}};
    }
    if (row.parked) {
        return {{u"bolt"_s, u"Remind me now"_s, u"Remind me now instead of waiting"_s,
                 RowAction::remindNow}};
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
        return u"Today"_s;
    return soonest->kind.title + u' ' + PanelModel::relativeTime(now, soonest->next);
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
        row.doneTooltip = row.awaiting ? u"Log that you did it"_s : u"Log it now"_s;
        row.lastLogText = lastLogText(now, row.last, row.unanswered);
        row.tinted = row.awaiting;
        model.rows.append(row);
    }

    model.summary = model.rows.isEmpty() ? u"Nothing logged yet"_s : goalSummary(model.rows);

    // The monitor drops a pause that has run out on its next poll; until then it no longer counts.
    const std::optional<QDateTime> pauseEnd = s.monitor.manualPauseUntil();
    if (pauseEnd && *pauseEnd > now) {
        model.pausedUntil =
            u"Paused until "_s +
            QLocale::system().toString(pauseEnd->toLocalTime().time(), QLocale::ShortFormat);
    }

    if (model.pausedUntil)
        model.subtitle = *model.pausedUntil;
    else if (reason)
        model.subtitle = u"Reminders wait, then start fresh"_s;
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
        {u"For 30 Minutes"_s, 1800, false},
        {u"For 1 Hour"_s, 3600, false},
        {u"For the Rest of the Day"_s, 0, true},
    };
    return options;
}

QString PanelModel::relativeTime(const QDateTime& now, const QDateTime& target) {
    const double seconds = double(now.msecsTo(target)) / 1000.0;
    const auto minutes = qint64(std::ceil(seconds / 60.0));
    if (minutes < 1)
        return u"now"_s;
    if (minutes < 60)
        return u"in %1 min"_s.arg(minutes);
    const qint64 hours = minutes / 60;
    const qint64 rest = minutes % 60;
    if (rest == 0)
        return u"in %1 h"_s.arg(hours);
    return u"in %1 h %2 min"_s.arg(hours).arg(rest);
}

QString PanelModel::lastLogText(const QDateTime& now, const std::optional<QDateTime>& last,
                                bool unanswered) {
    if (unanswered)
        return u"The last one went unanswered."_s;
    if (!last)
        return u"Nothing logged today."_s;
    const auto minutes = qint64(std::floor(double(last->msecsTo(now)) / 60000.0));
    if (minutes <= 0)
        return u"Last logged just now."_s;
    if (minutes < 60)
        return u"Last logged %1 min ago."_s.arg(minutes);
    return u"Last logged %1 h %2 min ago."_s.arg(minutes / 60).arg(minutes % 60);
}

QString PanelModel::statusDescription(const std::optional<HoldReason>& reason,
                                      const std::optional<QString>& detail) {
    if (!reason)
        return u"Reminders are running."_s;
    switch (*reason) {
    case HoldReason::idle:
        return u"No keyboard or mouse for a while. Reminders restart fresh when you're back."_s;
    case HoldReason::locked:
        return u"The screen is locked. Reminders wait and start fresh when you unlock."_s;
    case HoldReason::call:
        return u"Reminders hold while %1 is going. Edit the meeting-app list in Settings › Pauses."_s
            .arg(detail.value_or(u"a call"_s));
    case HoldReason::screenShare:
        return u"Reminders hold while the screen is shared."_s;
    case HoldReason::fullScreen:
        return u"Reminders hold while %1 is full screen."_s.arg(detail.value_or(u"an app"_s));
    case HoldReason::manualPause:
        return u"Paused by you."_s;
    case HoldReason::meeting:
        return u"Calendar says you're in %1."_s.arg(detail.value_or(u"a meeting"_s));
    case HoldReason::appRule:
        return u"Your rule for %1 is holding reminders."_s.arg(detail.value_or(u"this app"_s));
    case HoldReason::offHours:
        return u"Outside your work hours. Reminders resume when they start."_s;
    }
    return u"Reminders are running."_s;
}
