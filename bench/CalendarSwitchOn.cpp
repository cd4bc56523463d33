// What switching calendar holds on costs the running application: the time from the first
// calendar question to its answer (loading the calendar module, connecting to Evolution Data
// Server, reading the next hours' events) and the resident memory it adds. make bench runs it
// twice on one session bus: first while the bus still has to start the calendar service, then
// with the service running, as on a desktop that has it.
//   scripts/run-in-session build-release/bench/bench_calendar_switch_on MODULE
#include "platform/linux/CalendarModule.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>

namespace {

long residentKilobytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    CalendarModule calendar(argc > 1 ? QString::fromLocal8Bit(argv[1])
                                     : CalendarModule::installedPath());
    const long before = residentKilobytes();
    QElapsedTimer clock;
    clock.start();
    calendar.requestAccess([&](bool granted) {
        const qint64 access = clock.elapsed();
        const QDateTime now = QDateTime::currentDateTime();
        const qsizetype events = calendar.events(now.addSecs(-3600), now.addSecs(21600)).size();
        std::printf("calendar holds on: first answer after %lld ms (access %s after %lld ms, "
                    "%lld events), resident %ld kB → %ld kB\n",
                    static_cast<long long>(clock.elapsed()), granted ? "granted" : "denied",
                    static_cast<long long>(access), static_cast<long long>(events), before,
                    residentKilobytes());
        QCoreApplication::quit();
    });
    return app.exec();
}
