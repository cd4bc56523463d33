#pragma once

#include "platform/LocalCalendar.h"
#include "record/EventStore.h"

#include <QDateTime>
#include <QList>

#include <algorithm>
#include <random>

// Someone who works Monday to Friday, a short Saturday morning, never on Sunday. Every kind fires
// on its interval through the working hours; most reminders are done within minutes (water
// quicker than a break), some snoozed first, a few skipped, and in the focus hour most expire.
// A call holds reminders every working day, and Friday starts with a manual pause.
struct SimulatedUser {
    QList<NudgeKind> kinds = NudgeKind::builtIns();
    int intervalMinutes = 45;
    int startHour = 9;
    int endHour = 18;
    int focusHour = 14;
    unsigned seed = 1;
};

// The user's events on the given days, oldest first, instants in UTC as the event store gives them.
inline QList<EventStore::Event> simulatedUsage(const SimulatedUser& user, QDate first, int days) {
    using Action = EventStore::Action;
    std::mt19937 random(user.seed);
    auto chance = [&](double p) { return std::uniform_real_distribution<>(0, 1)(random) < p; };
    auto seconds = [&](int low, int high) {
        return std::uniform_int_distribution<>(low, high)(random);
    };
    QList<EventStore::Event> events;
    auto add = [&](const QDateTime& at, Action action, std::optional<QString> kind = {},
                   std::optional<QString> meta = {}) {
        events.append({QString::number(events.size()), at, action, kind, meta});
    };

    for (int d = 0; d < days; ++d) {
        const QDate date = first.addDays(d);
        const int weekday = LocalCalendar::weekday(date);
        if (weekday == 1)
            continue;
        const int endHour = weekday == 7 ? user.startHour + 3 : user.endHour;
        const QDateTime start = LocalCalendar::atTime(date, user.startHour, 0).toUTC();
        add(start, Action::launch);
        if (weekday == 6)
            add(start.addSecs(60), Action::pause, {}, start.addSecs(1800).toString(Qt::ISODate));
        const QDateTime call = start.addSecs(seconds(3600, 3 * 3600));
        add(call, Action::holdStart, {}, QStringLiteral("call"));
        add(call.addSecs(seconds(1200, 3600)), Action::holdEnd);

        for (qsizetype k = 0; k < user.kinds.size(); ++k) {
            const QString kind = user.kinds[k].id;
            // Breaks take longer to get round to than a sip.
            const int slowest = k == 0 ? 300 : 900;
            for (QDateTime at = start.addSecs(seconds(60, 600) + 300 * k);
                 LocalCalendar::hour(at) < endHour; at = at.addSecs(user.intervalMinutes * 60)) {
                add(at, Action::fired, kind);
                if (chance(LocalCalendar::hour(at) == user.focusHour ? 0.8 : 0.1)) {
                    add(at.addSecs(seconds(300, 900)), Action::expired, kind,
                        QStringLiteral("timeout"));
                } else if (chance(0.2)) {
                    add(at.addSecs(seconds(20, 120)), Action::snoozed, kind, QStringLiteral("10"));
                    add(at.addSecs(seconds(720, 1500)), Action::done, kind);
                } else if (chance(0.1)) {
                    add(at.addSecs(seconds(20, 120)), Action::skipped, kind);
                } else {
                    add(at.addSecs(seconds(30, slowest)), Action::done, kind);
                }
            }
        }
    }
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return a.at < b.at; });
    return events;
}
