// The settings window's first show: build the window and its first pane, lay out and paint the
// first frame (offscreen); then every other pane made and drawn as the user clicks through.
#include "fakes/EngineHarness.h"
#include "ui/settings/SettingsWindow.h"

#include <benchmark/benchmark.h>

#include <ctime>

namespace {

struct Running : EngineHarness {
    Running() { engine().start(); }
    SettingsParts parts() {
        return {settings,
                monitor(),
                engine(),
                events,
                clock,
                workspace,
                session,
                QStringLiteral("1.0"),
                QStringLiteral("Build 1"),
                {}};
    }
};

void BM_SettingsFirstShow(benchmark::State& state) {
    qputenv("TZ", "Europe/Berlin");
    tzset();
    Running app;
    for (auto _ : state) {
        SettingsWindow window(app.parts());
        window.present();
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(BM_SettingsFirstShow)->Unit(benchmark::kMillisecond);

void BM_SettingsEveryPane(benchmark::State& state) {
    Running app;
    for (auto _ : state) {
        SettingsWindow window(app.parts());
        window.present();
        for (int tab = 1; tab < 5; ++tab) {
            window.showTab(SettingsWindow::Tab(tab));
            benchmark::DoNotOptimize(window.grab());
        }
    }
}
BENCHMARK(BM_SettingsEveryPane)->Unit(benchmark::kMillisecond);

} // namespace
