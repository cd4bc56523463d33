// The engine's tick and sync with 20 active kinds, and a refresh of the answer statistics.
#include "engine/RhythmEngine.h"
#include "fakes/FakeHoldState.h"
#include "fakes/FakeHotKeys.h"
#include "fakes/FakeLoginItem.h"
#include "fakes/FakePresentation.h"
#include "fakes/LogCapture.h"
#include "fakes/ManualClock.h"
#include "record/DayLog.h"
#include "record/EventStore.h"
#include "settings/AppSettings.h"
#include "settings/PreferenceStore.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// An engine with water, movement and 18 custom kinds over 5 000 events of the last 14 days.
struct Bench {
    Bench() {
        qputenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit());
        QList<CustomReminder> reminders;
        for (int i = 0; i < 18; ++i) {
            CustomReminder reminder;
            reminder.intervalMinutes = 20 + i * 5;
            reminders.append(reminder);
        }
        settings.setCustomReminders(reminders);
        const QList<NudgeKind> kinds = settings.kinds();
        const QDateTime now = clock.now();
        for (int i = 0; i < 5000; ++i) {
            clock.set(now.addSecs(-qint64(i) * 14 * 86400 / 5000));
            events.log(i % 3 ? EventStore::Action::fired : EventStore::Action::done,
                       kinds[i % kinds.size()]);
        }
        clock.set(now);
        events.events(now.addDays(-1), now); // waits until every insert is done
    }

    QTemporaryDir dir;
    LogCapture quiet;
    ManualClock clock;
    FakeLoginItem loginItem;
    FakeHotKeys hotKeys;
    PreferenceStore preferences{QStringLiteral("com.tovanex.Brevimar")};
    AppSettings settings{preferences, clock, loginItem, hotKeys};
    DayLog dayLog{clock, dir.path()};
    EventStore events{clock, dir.path()};
    FakeHoldState context;
    FakeNotifier notifier;
    FakeNudgePanel panel;
    RhythmEngine engine{{clock, settings, preferences, dayLog, events, context, notifier, panel}};
};

void BM_TickWarmCache(benchmark::State& state) {
    Bench bench;
    for (auto _ : state) {
        bench.clock.advance(0.001); // nothing comes due: the ordinary tick
        bench.engine.tick();
    }
}
BENCHMARK(BM_TickWarmCache)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_Sync(benchmark::State& state) {
    Bench bench;
    for (auto _ : state)
        bench.engine.sync();
}
BENCHMARK(BM_Sync)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_StatisticsRefresh(benchmark::State& state) {
    Bench bench;
    for (auto _ : state) {
        bench.clock.advance(601); // the cached statistics have gone stale
        benchmark::DoNotOptimize(
            bench.engine.adaptiveInterval(NudgeKind::water(), bench.clock.now()));
    }
}
BENCHMARK(BM_StatisticsRefresh)->Unit(benchmark::kMillisecond)->Iterations(50);

} // namespace
