#include "Insights.h"

#include "platform/LocalCalendar.h"
#include "platform/Translations.h"

#include <QLocale>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

using namespace Qt::StringLiterals;
using Action = EventStore::Action;

namespace {

constexpr qint64 msPerHour = 3600 * 1000;
constexpr qint64 answerWindowMs = 3600 * 1000;
constexpr double heldForASentence = 1800;

// The holds that kept a reminder from interrupting something; idle, a locked screen, off hours
// and pauses are the user's own absence, not Brevimar's tact. Do Not Disturb asks for that tact.
// In the order that wins a tie.
const std::array<QString, 6> tactfulReasons{u"call"_s,       u"screenShare"_s, u"meeting"_s,
                                            u"fullScreen"_s, u"appRule"_s,     u"doNotDisturb"_s};

// The local calendar days from a first date on, with each day's start as milliseconds since 1970,
// so an event's day and hour cost a binary search and a division instead of a time-zone lookup.
class LocalDays {
public:
    LocalDays(QDate first, int count) {
        m_days.reserve(count + 1);
        for (int i = 0; i <= count; ++i) {
            const QDateTime start = first.addDays(i).startOfDay();
            m_days.push_back({start.toMSecsSinceEpoch(), start.offsetFromUtc(),
                              start.time().msecsSinceStartOfDay(), true});
        }
        // A day whose offset changes before its end (a daylight-saving change) is the only one
        // whose hours cannot be counted from its start.
        for (int i = 0; i < count; ++i)
            m_days[i].uniform = m_days[i].offset == m_days[i + 1].offset;
    }

    // The index of the day holding the instant: negative before the first, count() or more after
    // the last.
    int dayOf(qint64 ms) const {
        const auto after = std::upper_bound(m_days.begin(), m_days.end(), ms,
                                            [](qint64 t, const Start& d) { return t < d.ms; });
        return int(after - m_days.begin()) - 1;
    }
    int hourOf(int day, qint64 ms) const {
        if (day < qsizetype(m_days.size()) - 1 && m_days[day].uniform) {
            const Start& d = m_days[day];
            return int((d.wallMs + ms - d.ms) / msPerHour);
        }
        return LocalCalendar::hour(QDateTime::fromMSecsSinceEpoch(ms, Qt::UTC));
    }

private:
    struct Start {
        qint64 ms;
        int offset;
        int wallMs; // the wall time at the start, usually midnight
        bool uniform;
    };
    std::vector<Start> m_days;
};

// Everything one reminder kind gathers during the walk.
struct Tally {
    explicit Tally(int rangeDays)
        : done(rangeDays)
        , fired(rangeDays)
        , previousActive(rangeDays) {}

    std::vector<int> done;  // per day of the range
    std::vector<int> fired; // per day of the range
    std::array<int, 24> doneByHour{};
    std::vector<double> responses; // seconds
    std::optional<qint64> pendingFire;
    int pendingHour = 0;
    std::vector<bool> previousActive; // per day of the period before
    int previousDone = 0;
};

// The element at count ÷ 2 of the sorted times: the upper middle for an even count.
std::optional<double> median(std::vector<double> times) {
    if (times.empty())
        return std::nullopt;
    const auto middle = times.begin() + qsizetype(times.size() / 2);
    std::nth_element(times.begin(), middle, times.end());
    return *middle;
}

QString partOfDay(int hour) {
    if (hour >= 5 && hour <= 11)
        return Insights::tr("Mornings");
    if (hour >= 12 && hour <= 16)
        return Insights::tr("Afternoons");
    if (hour >= 17 && hour <= 20)
        return Insights::tr("Evenings");
    return Insights::tr("Late evenings");
}

} // namespace

Insights Insights::build(const QList<EventStore::Event>& events, const QList<NudgeKind>& kinds,
                         int rangeDays, const QDateTime& now) {
    rangeDays = std::max(rangeDays, 1);
    const QDate firstDay = now.toLocalTime().date().addDays(-(rangeDays - 1));
    // The period before and the range, as one run of days: the first rangeDays are the former.
    const LocalDays calendar(firstDay.addDays(-rangeDays), 2 * rangeDays);

    std::vector<Tally> tallies;
    QStringList kindIDs;
    // A handful of kinds: comparing ids (which mostly differ in length) beats hashing them.
    auto tallyOf = [&](const QString& id) -> Tally& {
        const qsizetype found = kindIDs.indexOf(id);
        if (found >= 0)
            return tallies[found];
        tallies.emplace_back(rangeDays);
        kindIDs.append(id);
        return tallies.back();
    };
    for (const NudgeKind& kind : kinds)
        tallyOf(kind.id);

    Insights result;
    result.rangeDays = rangeDays;
    const QLocale locale = Translations::locale();
    std::array<Hour, 24> hours{};
    std::vector<double> responses;
    QHash<QString, double> heldSeconds;
    std::optional<std::pair<qint64, QString>> openHold;
    int manualPauses = 0;

    for (const EventStore::Event& event : events) {
        const qint64 ms = event.at.toMSecsSinceEpoch();
        const int slot = calendar.dayOf(ms);
        if (slot < 0)
            continue;
        if (slot < rangeDays) {
            if (event.kind && (event.action == Action::fired || event.action == Action::done)) {
                Tally& tally = tallyOf(*event.kind);
                tally.previousActive[slot] = true;
                tally.previousDone += event.action == Action::done;
            }
            continue;
        }
        // A clock that ran fast leaves events after today: they count in everything but the days.
        const int day = slot - rangeDays;
        const bool dated = day < rangeDays;
        switch (event.action) {
        case Action::fired:
            if (event.kind) {
                Tally& tally = tallyOf(*event.kind);
                const int hour = calendar.hourOf(slot, ms);
                if (dated)
                    ++tally.fired[day];
                ++hours[hour].fired;
                ++result.totalFired;
                tally.pendingFire = ms;
                tally.pendingHour = hour;
            }
            break;
        case Action::done:
            if (event.kind) {
                Tally& tally = tallyOf(*event.kind);
                if (dated)
                    ++tally.done[day];
                ++tally.doneByHour[calendar.hourOf(slot, ms)];
                ++result.totalDone;
                // A done an hour or more after the fire is a fresh sip or break, not an answer.
                if (tally.pendingFire && ms - *tally.pendingFire < answerWindowMs) {
                    const double delay = double(ms - *tally.pendingFire) / 1000.0;
                    tally.responses.push_back(delay);
                    responses.push_back(delay);
                    ++hours[tally.pendingHour].answered;
                    ++result.totalAnswered;
                    tally.pendingFire.reset();
                }
            }
            break;
        case Action::skipped:
        case Action::snoozed:
            if (event.kind) {
                Tally& tally = tallyOf(*event.kind);
                if (tally.pendingFire) {
                    ++hours[tally.pendingHour].answered;
                    ++result.totalAnswered;
                    tally.pendingFire.reset();
                }
            }
            break;
        case Action::expired:
            if (event.kind)
                tallyOf(*event.kind).pendingFire.reset();
            break;
        case Action::holdStart:
            openHold.emplace(ms, event.meta.value_or(u"hold"_s));
            break;
        case Action::holdEnd:
            if (openHold) {
                heldSeconds[openHold->second] += double(ms - openHold->first) / 1000.0;
                openHold.reset();
            }
            break;
        case Action::pause:
            ++manualPauses;
            break;
        case Action::resume:
        case Action::windDown:
        case Action::weeklyReport:
        case Action::launch:
            break;
        }
    }

    // The tallies of the kinds asked about, in their order (a kind given twice shares one).
    std::vector<const Tally*> given;
    for (const NudgeKind& kind : kinds)
        given.push_back(&tallies[kindIDs.indexOf(kind.id)]);

    for (int h = 0; h < 24; ++h) {
        hours[h].hour = h;
        result.hours.append(hours[h]);
        result.missedByHour.append(hours[h].fired - hours[h].answered);
    }
    QList<int> dayDone(rangeDays, 0);
    for (int d = 0; d < rangeDays; ++d) {
        Day entry{firstDay.addDays(d).startOfDay(), {}, {}};
        for (qsizetype k = 0; k < kindIDs.size(); ++k) {
            if (tallies[k].done[d] > 0)
                entry.done.insert(kindIDs[k], tallies[k].done[d]);
            if (tallies[k].fired[d] > 0)
                entry.fired.insert(kindIDs[k], tallies[k].fired[d]);
            dayDone[d] += tallies[k].done[d];
        }
        result.days.append(std::move(entry));
    }
    for (qsizetype k = 0; k < kindIDs.size(); ++k)
        result.doneByHour.insert(
            kindIDs[k], QList<int>(tallies[k].doneByHour.begin(), tallies[k].doneByHour.end()));

    for (qsizetype k = 0; k < kinds.size(); ++k) {
        const Tally& tally = *given[k];
        KindStat stat{kinds[k], 0, 0, std::nullopt};
        for (int d = 0; d < rangeDays; ++d) {
            stat.total += tally.done[d];
            stat.activeDays += tally.done[d] + tally.fired[d] > 0;
        }
        const auto previousDays =
            std::count(tally.previousActive.begin(), tally.previousActive.end(), true);
        if (previousDays >= 2)
            stat.previousAverage = double(tally.previousDone) / double(previousDays);
        result.kindStats.append(stat);
    }

    if (result.totalFired > 0)
        result.answeredRate = double(result.totalAnswered) / double(result.totalFired);
    result.medianResponse = median(std::move(responses));
    result.activeDayCount =
        int(std::count_if(dayDone.begin(), dayDone.end(), [](int done) { return done > 0; }));

    const int minimumFired = std::max(5, result.totalFired * 3 / 100);
    const double overallMiss = result.answeredRate ? 1.0 - *result.answeredRate : 0.0;
    // Decimal thresholds compared in binary: a rate that is exactly on one counts as reaching it.
    constexpr double epsilon = 1e-9;
    QList<Hour> standouts;
    for (const Hour& hour : result.hours) {
        if (hour.fired < minimumFired)
            continue;
        const double miss = 1.0 - double(hour.answered) / double(hour.fired);
        if (miss + epsilon >= 0.5 && miss + epsilon >= overallMiss + 0.15)
            standouts.append(hour);
    }
    std::stable_sort(standouts.begin(), standouts.end(), [](const Hour& a, const Hour& b) {
        return a.fired - a.answered > b.fired - b.answered;
    });
    standouts.resize(std::min<qsizetype>(standouts.size(), 2));
    for (const Hour& hour : standouts)
        result.standoutHours.insert(hour.hour);

    if (result.activeDayCount < 3) {
        result.sentences = {
            tr("Insights need a few days of use. Keep the app running and check back.")};
        result.highlights = {
            tr("Give it a few days. Patterns show up here once there's enough to compare.")};
        return result;
    }

    // The best day counts only the kinds asked about; the first of equal days wins.
    int bestDay = -1;
    int bestTotal = 0;
    for (int d = 0; d < rangeDays; ++d) {
        if (dayDone[d] == 0)
            continue;
        int total = 0;
        for (qsizetype k = 0; k < kinds.size(); ++k)
            total += given[k]->done[d];
        if (bestDay < 0 || total > bestTotal) {
            bestDay = d;
            bestTotal = total;
        }
    }
    if (bestTotal >= 1)
        result.sentences.append(
            tr("Best day: %1 with %2.")
                .arg(locale.toString(result.days[bestDay].date.date(), tr("ddd, MMM d")),
                     doneOn(result.days[bestDay], kinds)));

    if (rangeDays >= 14 && result.activeDayCount >= 8) {
        std::array<int, 8> weekdayDone{}; // 1 = Sunday … 7 = Saturday
        std::array<int, 8> weekdayDays{};
        for (int d = 0; d < rangeDays; ++d) {
            if (dayDone[d] == 0)
                continue;
            const int weekday = LocalCalendar::weekday(firstDay.addDays(d));
            weekdayDone[weekday] += dayDone[d];
            ++weekdayDays[weekday];
        }
        int quietest = 0;
        int busiest = 0;
        auto average = [&](int w) { return double(weekdayDone[w]) / double(weekdayDays[w]); };
        for (int w = 1; w <= 7; ++w) {
            if (weekdayDays[w] == 0)
                continue;
            if (quietest == 0 || average(w) < average(quietest))
                quietest = w;
            if (busiest == 0 || average(w) > average(busiest))
                busiest = w;
        }
        // Qt counts weekdays from Monday = 1 to Sunday = 7.
        auto name = [&](int w) { return locale.dayName(w == 1 ? 7 : w - 1, QLocale::LongFormat); };
        if (average(quietest) * 1.3 < average(busiest))
            result.sentences.append(tr("%1s are your quietest day, %2s your most active.")
                                        .arg(name(quietest), name(busiest)));
    }

    if (!standouts.isEmpty()) {
        const Hour& worst = standouts.first();
        result.sentences.append(tr("Reminders around %1 go unanswered most: %2 of %3. If that's "
                                   "focus time, a longer interval there may suit you.")
                                    .arg(hourLabel(worst.hour),
                                         locale.toString(worst.fired - worst.answered),
                                         locale.toString(worst.fired)));
    }

    if (kinds.size() > 1) {
        qsizetype fast = -1;
        qsizetype slow = -1;
        std::vector<std::optional<double>> medians;
        for (qsizetype k = 0; k < kinds.size(); ++k) {
            medians.push_back(median(given[k]->responses));
            if (!medians[k])
                continue;
            if (fast < 0 || *medians[k] < *medians[fast])
                fast = k;
            if (slow < 0 || *medians[k] > *medians[slow])
                slow = k;
        }
        const auto timed = std::count_if(medians.begin(), medians.end(),
                                         [](const auto& m) { return m.has_value(); });
        if (timed >= 2 && *medians[slow] > 2 * *medians[fast])
            result.sentences.append(
                tr("You answer %1 reminders in about %2, %3 takes %4.")
                    .arg(kinds[fast].title.toLower(), formatDuration(*medians[fast]),
                         kinds[slow].title.toLower(), formatDuration(*medians[slow])));
    }

    double held = 0;
    QString leading;
    for (const QString& reason : tactfulReasons) {
        const double seconds = heldSeconds.value(reason);
        held += seconds;
        if (seconds > 0 && (leading.isEmpty() || seconds > heldSeconds.value(leading)))
            leading = reason;
    }
    const bool holdsWorthTelling = held >= heldForASentence && !leading.isEmpty();
    if (holdsWorthTelling)
        result.sentences.append(tr("Brevimar held reminders for %1 so they wouldn't interrupt you, "
                                   "mostly during %2.")
                                    .arg(formatHours(held), reasonPhrase(leading)));

    if (manualPauses > 2)
        result.sentences.append(tr("You paused reminders by hand %1 times. If it's always the same "
                                   "stretch, work hours in Settings can do it for you.")
                                    .arg(locale.toString(manualPauses)));

    const KindStat* trend = nullptr;
    double trendChange = 0;
    for (const KindStat& stat : result.kindStats) {
        if (!stat.previousAverage || stat.activeDays < 2)
            continue;
        const double change = double(stat.total) / stat.activeDays - *stat.previousAverage;
        if (std::abs(change) >= 1.0 && (!trend || std::abs(change) > std::abs(trendChange))) {
            trend = &stat;
            trendChange = change;
        }
    }
    if (trend)
        result.highlights.append(
            (trendChange > 0 ? tr("%1 is up to about %2 %3 a day, from %4 %5.")
                             : tr("%1 dipped to about %2 %3 a day, from %4 %5."))
                .arg(trend->kind.title, locale.toString(trend->total / trend->activeDays),
                     trend->kind.verbPlural, locale.toString(qint64(*trend->previousAverage)),
                     periodPhrase(rangeDays)));

    if (!standouts.isEmpty()) {
        const Hour& worst = standouts.first();
        result.highlights.append(tr("%1 are where you miss the most: %2 of %3 around %4.")
                                     .arg(partOfDay(worst.hour),
                                          locale.toString(worst.fired - worst.answered),
                                          locale.toString(worst.fired), hourLabel(worst.hour)));
    }

    if (holdsWorthTelling)
        result.highlights.append(tr("%1 held %2 of reminders, so nothing interrupted you.")
                                     .arg(reasonLabel(leading), formatHours(held)));

    if (result.highlights.size() < 3 && bestTotal >= 1)
        result.highlights.append(
            tr("Your best day was %1, with %2 done.")
                .arg(locale.toString(result.days[bestDay].date.date(), tr("dddd, MMM d")),
                     locale.toString(bestTotal)));

    result.highlights.resize(std::min<qsizetype>(result.highlights.size(), 3));
    return result;
}

QString Insights::formatDuration(double seconds) {
    const double minutes = seconds / 60.0;
    if (minutes < 1)
        return tr("under a minute");
    if (minutes < 60)
        return tr("%1 min").arg(Translations::locale().toString(qint64(std::lround(minutes))));
    return tr("%1 h").arg(Translations::locale().toString(minutes / 60.0, 'f', 1));
}

QString Insights::formatHours(double seconds) {
    const double hours = seconds / 3600.0;
    if (hours >= 1)
        return tr("%1 hours").arg(Translations::locale().toString(hours, 'f', 1));
    return tr("%1 min").arg(Translations::locale().toString(qint64(seconds / 60.0)));
}

QString Insights::joinList(const QStringList& texts) {
    if (texts.size() <= 1)
        return texts.join(QString());
    return tr("%1 and %2").arg(texts.first(texts.size() - 1).join(u", "_s), texts.last());
}

QString Insights::doneOn(const Day& day, const QList<NudgeKind>& kinds) {
    const QLocale locale = Translations::locale();
    QStringList counts;
    for (const NudgeKind& kind : kinds) {
        const int count = day.done.value(kind.id);
        if (count > 0)
            counts.append(
                tr("%1 %2", "count, counting word")
                    .arg(locale.toString(count), count == 1 ? kind.verb : kind.verbPlural));
    }
    return joinList(counts);
}

QString Insights::hourLabel(int hour) {
    return Translations::locale().toString(QTime(hour, 0), tr("h Ap", "hour of the day"));
}

QString Insights::reasonPhrase(const QString& reason) {
    static const QHash<QString, const char*> phrases{
        {u"idle"_s, QT_TR_NOOP("being away from the desk")},
        {u"locked"_s, QT_TR_NOOP("a locked screen")},
        {u"call"_s, QT_TR_NOOP("calls")},
        {u"screenShare"_s, QT_TR_NOOP("screen sharing")},
        {u"fullScreen"_s, QT_TR_NOOP("full-screen apps")},
        {u"manualPause"_s, QT_TR_NOOP("manual pauses")},
        {u"doNotDisturb"_s, QT_TR_NOOP("Do Not Disturb")},
        {u"meeting"_s, QT_TR_NOOP("calendar meetings")},
        {u"appRule"_s, QT_TR_NOOP("app rules")},
        {u"offHours"_s, QT_TR_NOOP("off hours")},
    };
    const char* phrase = phrases.value(reason);
    return phrase ? tr(phrase) : reason;
}

QString Insights::reasonLabel(const QString& reason) {
    static const QHash<QString, const char*> labels{
        {u"call"_s, QT_TR_NOOP("Calls")},
        {u"screenShare"_s, QT_TR_NOOP("Screen sharing")},
        {u"meeting"_s, QT_TR_NOOP("Meetings")},
        {u"fullScreen"_s, QT_TR_NOOP("Full-screen apps")},
        {u"appRule"_s, QT_TR_NOOP("Your app rules")},
        {u"doNotDisturb"_s, QT_TR_NOOP("Do Not Disturb")},
    };
    return tr(labels.value(reason, QT_TR_NOOP("Holds")));
}

QString Insights::periodPhrase(int rangeDays) {
    if (rangeDays < 8)
        return tr("last week");
    if (rangeDays < 32)
        return tr("the month before");
    return tr("the %1 days before").arg(Translations::locale().toString(rangeDays));
}
