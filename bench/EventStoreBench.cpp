// The caller's cost of logging, range queries over a two-year log and the export, whole and
// streamed to a file.
#include "platform/Clock.h"
#include "record/EventStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QUuid>

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/resource.h>

namespace {

constexpr int eventCount = 200000;
const QDateTime firstDay(QDate(2025, 1, 1), QTime(0, 0));

// A folder holding 200 000 events spread evenly over two years, written once per run.
const QString& populatedFolder() {
    static QTemporaryDir dir;
    static const QString folder = [] {
        const QString path = dir.path() + QStringLiteral("/Brevimar");
        const SystemClock clock;
        { EventStore create(clock, path); }
        sqlite3* db = nullptr;
        sqlite3_open(QDir(path).filePath(QStringLiteral("events.sqlite")).toUtf8().constData(),
                     &db);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO events VALUES (?, ?, ?, ?, ?)", -1, &insert, nullptr);
        const double start = double(firstDay.toSecsSinceEpoch());
        const double step = 2 * 365 * 86400.0 / eventCount;
        const char* actions[] = {"fired", "done", "snoozed", "expired"};
        for (int i = 0; i < eventCount; ++i) {
            const QByteArray id =
                QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper().toUtf8();
            sqlite3_bind_text(insert, 1, id.constData(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_double(insert, 2, start + i * step);
            sqlite3_bind_text(insert, 3, actions[i % 4], -1, SQLITE_STATIC);
            sqlite3_bind_text(insert, 4, i % 2 ? "water" : "movement", -1, SQLITE_STATIC);
            if (i % 4 == 2)
                sqlite3_bind_text(insert, 5, "10", -1, SQLITE_STATIC);
            else
                sqlite3_bind_null(insert, 5);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        return path;
    }();
    return folder;
}

void BM_LogCallerCost(benchmark::State& state) {
    QTemporaryDir dir;
    const SystemClock clock;
    EventStore store(clock, dir.path());
    for (auto _ : state)
        store.log(EventStore::Action::done, NudgeKind::water());
}
BENCHMARK(BM_LogCallerCost)->Iterations(20000)->Repetitions(5)->ReportAggregatesOnly();

void BM_EventsRange(benchmark::State& state) {
    const SystemClock clock;
    EventStore store(clock, populatedFolder());
    const QDateTime from = firstDay.addDays(400);
    const QDateTime to = from.addDays(int(state.range(0)));
    qsizetype rows = 0;
    for (auto _ : state)
        rows = store.events(from, to).size();
    state.counters["rows"] = double(rows);
}
BENCHMARK(BM_EventsRange)->Arg(1)->Arg(180)->Unit(benchmark::kMillisecond);

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Page by page into a file, as the settings window exports: the peak should barely move. Runs
// before the whole-text export, whose peak would hide this one's.
void BM_ExportStreamedToFile(benchmark::State& state) {
    const SystemClock clock;
    EventStore store(clock, populatedFolder());
    QTemporaryDir out;
    const long before = peakKilobytes();
    qint64 bytes = 0;
    for (auto _ : state) {
        QSaveFile file(out.filePath(QStringLiteral("history.jsonl")));
        file.open(QIODevice::WriteOnly);
        store.exportJSONL([&](const QByteArray& text, qint64, qint64) {
            return file.write(text) == text.size();
        });
        file.commit();
        bytes = QFileInfo(file.fileName()).size();
    }
    state.counters["MB"] = double(bytes) / 1e6;
    state.counters["peakGrowthMB"] = double(peakKilobytes() - before) / 1024.0;
}
BENCHMARK(BM_ExportStreamedToFile)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ExportJSONL(benchmark::State& state) {
    const SystemClock clock;
    EventStore store(clock, populatedFolder());
    const long before = peakKilobytes();
    qsizetype bytes = 0;
    for (auto _ : state)
        bytes = store.exportJSONL().size();
    state.counters["MB"] = double(bytes) / 1e6;
    state.counters["peakGrowthMB"] = double(peakKilobytes() - before) / 1024.0;
}
BENCHMARK(BM_ExportJSONL)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    populatedFolder();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
