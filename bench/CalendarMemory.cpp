// Resident memory before and after the calendar store connects to Evolution Data Server, which
// is what switching calendar holds on costs the running application. Run it on a session bus
// where EDS can start: scripts/run-in-session build-release/bench/bench_calendar_memory
#include "platform/linux/EdsCalendarStore.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>

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
    EdsCalendarStore store;
    const long before = residentKilobytes();
    store.requestAccess([&](bool granted) {
        const QDateTime now = QDateTime::currentDateTime();
        const qsizetype events =
            granted ? store.events(now.addSecs(-3600), now.addSecs(21600)).size() : 0;
        const long after = residentKilobytes();
        std::printf("calendar holds off: %ld kB resident\n", before);
        std::printf("calendar holds on:  %ld kB resident (+%ld kB, access %s, %lld events)\n",
                    after, after - before, granted ? "granted" : "denied",
                    static_cast<long long>(events));
        QCoreApplication::quit();
    });
    return app.exec();
}
