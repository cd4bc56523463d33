#include "RhythmEngine.h"

#include "Notifier.h"
#include "NudgePanel.h"
#include "platform/Clock.h"
#include "platform/FastMode.h"
#include "platform/LocalCalendar.h"
#include "platform/Log.h"
#include "record/DayLog.h"
#include "record/EventStore.h"
#include "settings/AppSettings.h"
#include "settings/PreferenceStore.h"

#include <QTimer>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;
using Action = EventStore::Action;

namespace {

// Parked kinds wait here: never due by time, and last when kinds are spaced.
const QDateTime farFuture = QDateTime::fromMSecsSinceEpoch(64092211200000, Qt::UTC); // 4001

// A parked kind comes back after twice its interval, but never later than this.
constexpr double parkedReleaseLimitSeconds = 5400;
constexpr qint64 statsLifetimeMSecs = 600 * 1000;

QDateTime addSeconds(const QDateTime& instant, double seconds) {
    return instant.addMSecs(std::llround(seconds * 1000.0));
}

double secondsBetween(const QDateTime& from, const QDateTime& to) {
    return double(from.msecsTo(to)) / 1000.0;
}

} // namespace

// Publishes nextAt, awaiting, unanswered and parked once an operation is over, and only what it
// really changed. Operations nest (a tick fires, firing restarts); the outermost one publishes.
class RhythmEngine::Publisher {
public:
    explicit Publisher(RhythmEngine& engine)
        : m_engine(engine)
        , m_outermost(engine.m_publishDepth++ == 0)
        , m_nextAt(engine.m_nextAt)
        , m_awaiting(engine.m_awaiting)
        , m_unanswered(engine.m_unanswered)
        , m_parked(engine.m_parked) {}

    ~Publisher() {
        --m_engine.m_publishDepth;
        if (!m_outermost)
            return;
        if (m_nextAt != m_engine.m_nextAt)
            Q_EMIT m_engine.nextAtChanged();
        if (m_awaiting != m_engine.m_awaiting)
            Q_EMIT m_engine.awaitingChanged();
        if (m_unanswered != m_engine.m_unanswered)
            Q_EMIT m_engine.unansweredChanged();
        if (m_parked != m_engine.m_parked)
            Q_EMIT m_engine.parkedChanged();
    }

    Publisher(const Publisher&) = delete;
    Publisher& operator=(const Publisher&) = delete;

private:
    RhythmEngine& m_engine;
    bool m_outermost;
    Instants m_nextAt;
    Instants m_awaiting;
    Kinds m_unanswered;
    Kinds m_parked;
};

RhythmEngine::RhythmEngine(const Collaborators& c, QObject* parent)
    : QObject(parent)
    , m_clock(c.clock)
    , m_settings(c.settings)
    , m_preferences(c.preferences)
    , m_dayLog(c.dayLog)
    , m_events(c.events)
    , m_context(c.context)
    , m_notifier(c.notifier)
    , m_panel(c.panel)
    , m_lastHoldReason(c.context.holdReason())
    , m_activeSince(c.clock.now()) {
    sync();
    if (!qEnvironmentVariableIsSet("BREVIMAR_SNAPSHOT"))
        m_events.log(Action::launch);

    const QDateTime now = m_clock.now();
    for (const EventStore::Event& event : m_events.events(LocalCalendar::startOfDay(now), now)) {
        if (event.action == Action::done && event.kind)
            m_lastLoggedAt.insert(*event.kind, event.at);
    }

    for (const auto changed :
         {&AppSettings::waterIntervalMinutesChanged, &AppSettings::breakIntervalMinutesChanged,
          &AppSettings::minimumGapMinutesChanged, &AppSettings::customRemindersChanged,
          &AppSettings::workScheduleChanged, &AppSettings::waterEnabledChanged,
          &AppSettings::movementEnabledChanged})
        connect(&m_settings, changed, this, &RhythmEngine::sync);
    connect(&m_context, &HoldState::holdReasonChanged, this, [this] {
        const std::optional<HoldReason> reason = m_context.holdReason();
        if (reason == m_lastHoldReason)
            return;
        m_lastHoldReason = reason;
        holdChanged(reason);
    });
    connect(&m_context, &HoldState::didWake, this, &RhythmEngine::sync);
}

double RhythmEngine::minuteSeconds() {
    return fastMode() ? 1.0 : 60.0;
}

void RhythmEngine::start() {
    if (m_timer)
        return;
    sync();
    m_timer = new QTimer(this);
    m_timer->setTimerType(Qt::CoarseTimer);
    m_timer->setInterval(fastMode() ? 2000 : 20000);
    connect(m_timer, &QTimer::timeout, this, &RhythmEngine::tick);
    m_timer->start();
}

QList<NudgeKind> RhythmEngine::kinds() const {
    return m_settings.kinds();
}

double RhythmEngine::intervalSeconds(const NudgeKind& kind) const {
    return double(m_settings.intervalMinutes(kind)) * minuteSeconds();
}

QDateTime RhythmEngine::nextDue(const NudgeKind& kind) const {
    return m_nextAt.value(kind, m_clock.now());
}

void RhythmEngine::fire(const NudgeKind& kind) {
    const Publisher publish(*this);
    const QDateTime now = m_clock.now();
    const ReminderStyle style = reminderStyle();
    Log::write(u"Brevimar fire %1 style=%2"_s.arg(kind.id, reminderStyleRawValue(style)));
    m_awaiting.insert(kind, now);
    m_unanswered.remove(kind);
    unpark(kind);
    m_events.log(Action::fired, kind);
    const std::optional<QString> reason = reasonText(kind);
    if (style == ReminderStyle::notification)
        m_notifier.deliver(kind, reason);
    else
        m_panel.show(kind, *this, reason);
    restart(kind, now);
}

ReminderStyle RhythmEngine::reminderStyle() const {
    return m_panel.placesWindows() ? m_settings.reminderStyle() : ReminderStyle::notification;
}

void RhythmEngine::restart(const NudgeKind& kind, const QDateTime& from) {
    const Publisher publish(*this);
    const QDateTime candidate = addSeconds(from, intervalSeconds(kind));
    m_nextAt.insert(kind, addSeconds(from, adaptiveInterval(kind, candidate)));
    respace();
}

void RhythmEngine::respace() {
    const Publisher publish(*this);
    const double gap = double(m_settings.minimumGapMinutes()) * minuteSeconds();
    const QDateTime now = m_clock.now();
    QList<NudgeKind> ordered = kinds();
    std::stable_sort(ordered.begin(), ordered.end(), [&](const NudgeKind& a, const NudgeKind& b) {
        return m_nextAt.value(a, now) < m_nextAt.value(b, now);
    });
    std::optional<QDateTime> previous;
    for (const NudgeKind& kind : ordered) {
        QDateTime t = m_nextAt.value(kind, now);
        if (previous && secondsBetween(*previous, t) < gap) {
            t = addSeconds(*previous, gap);
            m_nextAt.insert(kind, t);
        }
        previous = t;
    }
}

void RhythmEngine::sync() {
    const Publisher publish(*this);
    const QDateTime now = m_clock.now();
    const QList<NudgeKind> active = kinds();
    m_nextAt.removeIf([&](const auto& entry) { return !active.contains(entry.key()); });
    for (const NudgeKind& kind : active) {
        if (m_parked.contains(kind))
            continue;
        const QDateTime candidate = addSeconds(now, intervalSeconds(kind));
        m_nextAt.insert(kind, addSeconds(now, adaptiveInterval(kind, candidate)));
    }
    respace();
}

void RhythmEngine::tick() {
    const Publisher publish(*this);
    m_dayLog.rollIfNeeded();
    const QDateTime now = m_clock.now();
    expireCheck(now);

    if (const std::optional<HoldReason> reason = m_context.holdReason()) {
        if (!m_wasHolding) {
            Log::write(u"Brevimar hold: %1 idle=%2s"_s.arg(
                rawValue(*reason), QString::number(qint64(m_context.idleSeconds()))));
        }
        m_wasHolding = true;
        // The evening messages belong to the hours that work hours leave out.
        if (m_context.onlyOffHours()) {
            windDownCheck(now);
            weeklyReportCheck(now);
        }
        return;
    }
    if (m_wasHolding) {
        sync();
        m_wasHolding = false;
        m_activeSince = now;
        if (!m_parked.isEmpty()) {
            for (const NudgeKind& kind : std::as_const(m_parked))
                m_nextAt.insert(kind, now);
            m_parked.clear();
            m_parkedSince.clear();
            respace();
        }
        return;
    }

    for (const NudgeKind& kind : Kinds(m_parked)) {
        const QDateTime since = m_parkedSince.value(kind, now);
        const double limit = std::min(2 * intervalSeconds(kind), parkedReleaseLimitSeconds);
        if (secondsBetween(since, now) >= limit) {
            unpark(kind);
            m_nextAt.insert(kind, now);
        }
    }

    QList<NudgeKind> due;
    for (const NudgeKind& kind : kinds()) {
        const auto next = m_nextAt.constFind(kind);
        if (next != m_nextAt.constEnd() && now >= *next)
            due.append(kind);
    }
    std::stable_sort(due.begin(), due.end(), [](const NudgeKind& a, const NudgeKind& b) {
        return a.priority > b.priority;
    });
    if (!due.isEmpty()) {
        fire(due.first());
        const double gap = double(m_settings.minimumGapMinutes()) * minuteSeconds();
        for (qsizetype i = 1; i < due.size(); ++i)
            m_nextAt.insert(due[i], addSeconds(now, double(i) * gap));
    }

    windDownCheck(now);
    weeklyReportCheck(now);
}

// Answers ---------------------------------------------------------------------------------------

void RhythmEngine::clear(const NudgeKind& kind) {
    m_awaiting.remove(kind);
    m_notifier.clear(kind);
    m_panel.dismiss(kind);
}

void RhythmEngine::unpark(const NudgeKind& kind) {
    m_parked.remove(kind);
    m_parkedSince.remove(kind);
}

void RhythmEngine::done(const NudgeKind& kind) {
    const Publisher publish(*this);
    const QDateTime now = m_clock.now();
    unpark(kind);
    clear(kind);
    m_unanswered.remove(kind);
    m_lastLoggedAt.insert(kind.id, now);
    m_dayLog.record(kind.id, true);
    m_events.log(Action::done, kind);
    restart(kind, now);
}

void RhythmEngine::snooze(const NudgeKind& kind, qint64 minutes) {
    if (!m_awaiting.contains(kind))
        return;
    const Publisher publish(*this);
    clear(kind);
    m_events.log(Action::snoozed, kind, QString::number(minutes));
    m_nextAt.insert(kind, addSeconds(m_clock.now(), double(minutes) * minuteSeconds()));
    respace();
}

void RhythmEngine::untilFree(const NudgeKind& kind) {
    if (!m_awaiting.contains(kind))
        return;
    const Publisher publish(*this);
    clear(kind);
    m_events.log(Action::snoozed, kind, u"free"_s);
    m_parked.insert(kind);
    m_parkedSince.insert(kind, m_clock.now());
    m_nextAt.insert(kind, farFuture);
    respace();
}

void RhythmEngine::skip(const NudgeKind& kind) {
    if (!m_awaiting.contains(kind))
        return;
    const Publisher publish(*this);
    unpark(kind);
    clear(kind);
    m_dayLog.record(kind.id, false);
    m_events.log(Action::skipped, kind);
    restart(kind, m_clock.now());
}

void RhythmEngine::expireCheck(const QDateTime& now) {
    const Publisher publish(*this);
    const bool notificationStyle = reminderStyle() == ReminderStyle::notification;
    const double timeout = double(m_settings.minimumGapMinutes()) * minuteSeconds();
    const std::optional<HoldReason> reason = m_context.holdReason();
    for (auto it = m_awaiting.constBegin(); it != m_awaiting.constEnd();) {
        const NudgeKind kind = it.key();
        const bool timedOut = notificationStyle && secondsBetween(it.value(), now) >= timeout;
        ++it; // clearing removes the entry
        if (!timedOut && !reason)
            continue;
        clear(kind);
        m_unanswered.insert(kind);
        m_events.log(Action::expired, kind, reason ? rawValue(*reason) : u"timeout"_s);
    }
}

void RhythmEngine::holdChanged(const std::optional<HoldReason>& reason) {
    if (reason)
        m_events.log(Action::holdStart, std::nullopt, rawValue(*reason));
    else
        m_events.log(Action::holdEnd);
}

// Adaptive timing -------------------------------------------------------------------------------

const RhythmEngine::HourStats& RhythmEngine::hourStats() {
    const QDateTime now = m_clock.now();
    if (m_statsFetched.isValid() && m_statsFetched.msecsTo(now) < statsLifetimeMSecs)
        return m_stats;
    HourStats stats;
    for (const EventStore::Event& event : m_events.events(LocalCalendar::addDays(now, -14), now)) {
        if (!event.kind || (event.action != Action::fired && event.action != Action::done))
            continue;
        HourCounts& counts = stats[*event.kind][LocalCalendar::hour(event.at)];
        if (event.action == Action::fired)
            ++counts.fired;
        else
            ++counts.done;
    }
    m_stats = std::move(stats);
    m_statsFetched = now;
    return m_stats;
}

double RhythmEngine::adaptiveInterval(const NudgeKind& kind, const QDateTime& candidate) {
    const double base = intervalSeconds(kind);
    if (!m_settings.adaptiveEnabled())
        return base;
    const int hour = LocalCalendar::hour(candidate);
    const HourStats& stats = hourStats();
    const auto byHour = stats.constFind(kind.id);
    if (byHour == stats.constEnd() || !byHour->contains(hour))
        return base;
    const HourCounts counts = byHour->value(hour);
    if (counts.fired < 3)
        return base;
    const double rate = double(counts.done) / double(counts.fired);
    const double factor = rate >= 0.7 ? 0.9 : rate <= 0.3 ? 1.3 : 1.0;
    if (factor == 1.0)
        return base;
    Log::write(u"Brevimar adaptive %1 hour %2: %3/%4 answered \u2192 \u00D7%5"_s.arg(
        kind.id, QString::number(hour), QString::number(counts.done), QString::number(counts.fired),
        QString::number(factor)));
    return std::clamp(base * factor, 0.75 * base, 1.5 * base);
}

// Texts -----------------------------------------------------------------------------------------

std::optional<QString> RhythmEngine::reasonText(const NudgeKind& kind) const {
    const QDateTime now = m_clock.now();
    if (kind.id == NudgeKind::movement().id) {
        const qint64 minutes = m_activeSince.secsTo(now) / 60;
        if (minutes < 10)
            return std::nullopt;
        return tr("you've been at the desk for %1").arg(duration(double(minutes) * 60));
    }
    const auto last = m_lastLoggedAt.constFind(kind.id);
    // Yesterday's last answer says nothing about today.
    if (last == m_lastLoggedAt.constEnd() || *last < LocalCalendar::startOfDay(now))
        return tr("first one today");
    const qint64 minutes = last->secsTo(now) / 60;
    if (minutes < 10)
        return std::nullopt;
    return tr("%1 since your last %2").arg(duration(double(minutes) * 60), kind.verb);
}

QString RhythmEngine::duration(double seconds) {
    const qint64 minutes = qint64(seconds / 60);
    if (minutes < 60)
        return tr("%1 min").arg(minutes);
    const qint64 hours = minutes / 60;
    const qint64 rest = minutes % 60;
    return rest == 0 ? tr("%1 h").arg(hours)
                     : tr("%1 h %2 min").arg(QString::number(hours), QString::number(rest));
}

// Wind-down and weekly report -------------------------------------------------------------------

void RhythmEngine::presentMessage(const QString& title, const QString& message, const QString& icon,
                                  const QString& tint, const std::function<void()>& deliver) {
    if (reminderStyle() != ReminderStyle::notification &&
        m_panel.showMessage(title, message, icon, tint))
        return;
    deliver();
}

void RhythmEngine::windDownCheck(const QDateTime& now) {
    if (!m_settings.windDownEnabled() || m_dayLog.state().windDownFired)
        return;
    const qint64 nowMinutes = LocalCalendar::minutesAfterMidnight(now);
    const qint64 target = m_settings.windDownHour() * 60 + m_settings.windDownMinute();
    if (nowMinutes < target || nowMinutes >= target + 30)
        return;
    m_dayLog.markWindDownFired();
    m_events.log(Action::windDown);
    previewWindDown();
}

void RhythmEngine::previewWindDown() {
    const QString summary = m_dayLog.summary(kinds());
    presentMessage(tr("Want to wrap up?"), tr("Today: %1.").arg(summary), u"sunset.fill"_s,
                   u"orange"_s, [&] { m_notifier.deliverWindDown(summary); });
}

void RhythmEngine::weeklyReportCheck(const QDateTime& now) {
    if (!m_settings.weeklyReportEnabled())
        return;
    if (LocalCalendar::weekday(now) != 1 || LocalCalendar::hour(now) != 18)
        return;
    int weekYear = 0;
    const int week = now.toLocalTime().date().weekNumber(&weekYear);
    const QString key =
        u"weeklyReport-%1-W%2"_s.arg(QString::number(weekYear), QString::number(week));
    if (m_preferences.boolean(key, false))
        return;
    const std::optional<QString> text = weeklyReportText();
    if (!text)
        return;
    m_preferences.setBoolean(key, true);
    m_events.log(Action::weeklyReport);
    presentMessage(tr("Your week"), *text, u"calendar"_s, u"blue"_s,
                   [&] { m_notifier.deliverWeeklyReport(*text); });
}

std::optional<QString> RhythmEngine::weeklyReportText() const {
    const QDateTime now = m_clock.now();
    const QDateTime weekAgo = LocalCalendar::addDays(now, -7);
    const QDateTime twoWeeksAgo = LocalCalendar::addDays(now, -14);
    if (!weekAgo.isValid() || !twoWeeksAgo.isValid())
        return std::nullopt;
    const QList<EventStore::Event> thisWeek = m_events.events(weekAgo, now);
    const QList<EventStore::Event> lastWeek = m_events.events(twoWeeksAgo, weekAgo);

    const auto rate = [](const QList<EventStore::Event>& events,
                         const NudgeKind& kind) -> std::optional<double> {
        qint64 fired = 0;
        qint64 done = 0;
        for (const EventStore::Event& event : events) {
            if (event.kind != kind.id)
                continue;
            fired += event.action == Action::fired;
            done += event.action == Action::done;
        }
        if (fired == 0)
            return std::nullopt;
        return double(done) / double(fired);
    };

    QStringList lines;
    QList<double> changes;
    std::optional<std::pair<QString, double>> steadiest;
    for (const NudgeKind& kind : kinds()) {
        const std::optional<double> r = rate(thisWeek, kind);
        if (!r)
            continue;
        lines.append(kind.title + u' ' + QString::number(qint64(std::round(*r * 100))) + u'%');
        if (const std::optional<double> p = rate(lastWeek, kind))
            changes.append(*r - *p);
        if (!steadiest || *r > steadiest->second)
            steadiest = std::pair(kind.title, *r);
    }
    if (lines.isEmpty())
        return std::nullopt;

    QString text = lines.join(u" \u00B7 "_s);
    if (!changes.isEmpty()) {
        double sum = 0;
        for (const double change : changes)
            sum += change;
        const double average = sum / double(changes.size());
        const qint64 points = qint64(std::round(std::abs(average) * 100));
        if (points >= 3) {
            text +=
                average > 0
                    ? u". Up %1 points on last week."_s.arg(points)
                    : u". Down %1 on last week \u2014 no guilt, next week is fresh."_s.arg(points);
        }
    }
    if (steadiest)
        text += u" Steadiest: "_s + steadiest->first + u'.';
    return text;
}
