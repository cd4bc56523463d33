// One refresh of the context monitor with every probe switched on, and the camera scan of /proc.
#include "context/ContextMonitor.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeHotKeys.h"
#include "fakes/FakeLoginItem.h"
#include "fakes/ManualClock.h"
#include "platform/linux/LinuxMediaProbe.h"
#include "record/EventStore.h"
#include "settings/AppSettings.h"
#include "settings/PreferenceStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A /proc of 400 processes with 20 open files each, and a sysfs with one camera nobody uses.
QString fakeTree(const QTemporaryDir& dir) {
    for (int pid = 1000; pid < 1400; ++pid) {
        const QString process = dir.path() + QStringLiteral("/proc/%1").arg(pid);
        QDir().mkpath(process + QStringLiteral("/fd"));
        QFile comm(process + QStringLiteral("/comm"));
        comm.open(QIODevice::WriteOnly);
        comm.write("worker\n");
        for (int fd = 0; fd < 20; ++fd)
            QFile::link(QStringLiteral("/tmp/file%1").arg(fd),
                        process + QStringLiteral("/fd/%1").arg(fd));
    }
    QDir().mkpath(dir.path() + QStringLiteral("/sys/class/video4linux/video0"));
    QDir().mkpath(dir.path() + QStringLiteral("/dev"));
    QFile node(dir.path() + QStringLiteral("/dev/video0"));
    node.open(QIODevice::WriteOnly);
    return dir.path();
}

void BM_RefreshEveryProbe(benchmark::State& state) {
    QTemporaryDir dir;
    const QString root = fakeTree(dir);
    qputenv("XDG_CONFIG_HOME", root.toLocal8Bit());
    ManualClock clock(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
    FakeLoginItem loginItem;
    FakeHotKeys hotKeys;
    PreferenceStore preferences(QStringLiteral("com.tovanex.Brevimar"));
    AppSettings settings(preferences, clock, loginItem, hotKeys);
    settings.setPauseDuringFullScreen(true);
    WorkSchedule schedule;
    schedule.enabled = true;
    settings.setWorkSchedule(schedule);
    CalendarRules rules;
    rules.enabled = true;
    settings.setCalendarRules(rules);
    settings.setAppRules({AppRule{QUuid::createUuid(), QStringLiteral("org.gnome.Nautilus"),
                                  QStringLiteral("Files"), AppRule::Mode::fullScreen}});
    EventStore events(clock, root + QStringLiteral("/data"));
    FakeSession session;
    FakeWorkspace workspace;
    workspace.frontmost =
        RunningApplication{1000, QStringLiteral("org.gnome.Nautilus"), QStringLiteral("Files")};
    LinuxMediaProbe media(root + QStringLiteral("/proc"), root + QStringLiteral("/sys"),
                          root + QStringLiteral("/dev"), QString());
    FakeCalendarStore calendar;
    for (int i = 0; i < 40; ++i)
        calendar.eventList.append({QStringLiteral("work"), QStringLiteral("Event"),
                                   clock.now().addSecs(600 + i * 300),
                                   clock.now().addSecs(900 + i * 300)});
    ContextMonitor monitor({clock, settings, events, session, workspace, media, calendar});
    monitor.refresh(); // fills the calendar cache
    for (auto _ : state)
        monitor.refresh();
    if (monitor.holdReason())
        state.SkipWithError("something held reminders; not every probe ran");
}
BENCHMARK(BM_RefreshEveryProbe)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// The full look through /proc that follows a camera being opened or closed.
void BM_CameraScanOfThisMachine(benchmark::State& state) {
    QTemporaryDir dir;
    QDir().mkpath(dir.path() + QStringLiteral("/class/video4linux/video0"));
    QFile node(dir.path() + QStringLiteral("/video0"));
    node.open(QIODevice::WriteOnly);
    node.close();
    LinuxMediaProbe media(QStringLiteral("/proc"), dir.path(), dir.path(), QString());
    for (auto _ : state) {
        node.open(QIODevice::ReadOnly); // someone opens the camera: look again
        node.close();
        benchmark::DoNotOptimize(media.cameraInUse());
    }
    state.counters["processes"] = double(
        QDir(QStringLiteral("/proc")).entryList({QStringLiteral("[0-9]*")}, QDir::Dirs).size());
}
BENCHMARK(BM_CameraScanOfThisMachine)->Unit(benchmark::kMillisecond);

} // namespace
