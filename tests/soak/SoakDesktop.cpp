// The screen saver and logind for the soak, which no program on a virtual display offers: the
// screen saver on the session bus, logind on the bus DBUS_SYSTEM_BUS_ADDRESS names (a private
// one, never the machine's). Each line read from standard input sends one signal: lock, unlock,
// sleep or wake.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QSocketNotifier>

#include <cstdio>
#include <unistd.h>

using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QDBusConnection session = QDBusConnection::sessionBus();
    QDBusConnection system = QDBusConnection::systemBus();
    if (!session.registerService(u"org.freedesktop.ScreenSaver"_s) ||
        !system.registerService(u"org.freedesktop.login1"_s)) {
        std::fputs("soak_desktop: cannot own the screen saver and logind names\n", stderr);
        return 1;
    }
    const auto saver = [&](bool active) {
        session.send(QDBusMessage::createSignal(u"/org/freedesktop/ScreenSaver"_s,
                                                u"org.freedesktop.ScreenSaver"_s,
                                                u"ActiveChanged"_s)
                     << active);
    };
    const auto sleep = [&](bool start) {
        system.send(QDBusMessage::createSignal(u"/org/freedesktop/login1"_s,
                                               u"org.freedesktop.login1.Manager"_s,
                                               u"PrepareForSleep"_s)
                    << start);
    };
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[256];
        const ssize_t size = read(STDIN_FILENO, buffer, sizeof buffer);
        if (size <= 0) {
            app.quit();
            return;
        }
        for (const QByteArray& line : QByteArray(buffer, size).split('\n')) {
            if (line == "lock" || line == "unlock")
                saver(line == "lock");
            else if (line == "sleep" || line == "wake")
                sleep(line == "sleep");
        }
    });
    return app.exec();
}
