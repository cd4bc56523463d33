// Insights over 90 days of a heavy user: 200 000 events in the range and the period before.
#include "fakes/SimulatedUsage.h"
#include "record/Insights.h"

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

void BM_Insights90Days(benchmark::State& state) {
    // A zone with daylight saving, as most users have; the range holds October's change.
    qputenv("TZ", "Europe/Berlin");
    tzset();
    SimulatedUser user{.intervalMinutes = 5, .startHour = 7, .endHour = 22};
    for (const char* id : {"custom-eyes", "custom-stretch"})
        user.kinds.append({QString::fromLatin1(id),
                           QStringLiteral("Eyes"),
                           QStringLiteral("rest"),
                           QStringLiteral("rests"),
                           {},
                           {},
                           {},
                           {},
                           0});
    const QDateTime now(QDate(2026, 12, 7), QTime(20, 0));
    const QList<EventStore::Event> events = simulatedUsage(user, now.date().addDays(-179), 180);
    for (auto _ : state)
        benchmark::DoNotOptimize(Insights::build(events, user.kinds, 90, now));
    state.counters["events"] = double(events.size());
}
BENCHMARK(BM_Insights90Days)->Unit(benchmark::kMillisecond);

} // namespace
