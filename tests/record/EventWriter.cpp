// Logs "done" events as fast as it can into the folder given as the first argument. After every
// 50 it waits for the store and prints how many events are stored, one number a line.
#include "platform/Clock.h"
#include "record/EventStore.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    const SystemClock clock;
    EventStore store(clock, QString::fromLocal8Bit(argv[1]));
    const QDateTime past = QDateTime::fromSecsSinceEpoch(0);
    const QDateTime future = QDateTime::currentDateTime().addYears(1);
    for (;;) {
        for (int i = 0; i < 50; ++i)
            store.log(EventStore::Action::done, NudgeKind::water());
        std::printf("%lld\n", static_cast<long long>(store.events(past, future).size()));
        std::fflush(stdout);
    }
}
