// The history window's first show at 90 days: read the events, build the insights, lay out and
// paint the first frame (offscreen).
#include "fakes/SimulatedUsage.h"
#include "fakes/StoredServices.h"
#include "ui/history/HistoryWindow.h"

#include <QAbstractButton>

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

void BM_HistoryFirstShow90Days(benchmark::State& state) {
    qputenv("TZ", "Europe/Berlin");
    tzset();
    StoredServices services(QDateTime(QDate(2026, 12, 7), QTime(20, 0)));
    services.settings.setCustomReminders({});
    const QList<EventStore::Event> events =
        simulatedUsage({.intervalMinutes = 30}, QDate(2026, 6, 11), 180);
    const HistoryWindow::EventSource source = [&](const QDateTime& from, const QDateTime& to) {
        QList<EventStore::Event> read;
        for (const EventStore::Event& e : events) {
            if (e.at >= from && e.at < to)
                read.append(e);
        }
        return read;
    };
    for (auto _ : state) {
        HistoryWindow window(services.settings, source, services.clock);
        for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
            if (button->text() == QStringLiteral("90 days"))
                button->click();
        }
        window.present();
        benchmark::DoNotOptimize(window.grab());
    }
    state.counters["events"] = double(events.size());
}
BENCHMARK(BM_HistoryFirstShow90Days)->Unit(benchmark::kMillisecond);

} // namespace
