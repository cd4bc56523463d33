#include "AppDelegate.h"
#include "ApplicationService.h"
#include "LocalInstance.h"
#include "Services.h"
#include "automation/ActionsService.h"
#include "platform/Log.h"
#include "platform/Translations.h"
#include "platform/linux/CalendarModule.h"
#include "platform/linux/GnomeInhibitors.h"
#include "platform/linux/JournalWriter.h"
#include "platform/linux/LinuxMediaProbe.h"
#include "platform/linux/LinuxSession.h"
#include "platform/linux/WaylandConnection.h"
#include "platform/linux/WaylandWorkspace.h"
#include "platform/linux/X11Workspace.h"
#include "ui/theme/Accessibility.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QLockFile>
#include <QSocketNotifier>
#include <QStandardPaths>

#include <csignal>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString busName = u"com.tovanex.Brevimar"_s;
const QString objectPath = u"/com/tovanex/Brevimar"_s;

void logToStandardErrorAndJournal() {
    static const JournalWriter journal;
    static const bool alreadyInJournal = JournalWriter::standardErrorIsJournal();
    Log::setSink([](const QString& line) {
        Log::toStandardError(line);
        if (!alreadyInJournal)
            journal.send(line);
    });
}

// Hands the URLs to the instance that owns the bus name.
int handOverToRunningInstance(QDBusConnection& bus, const QStringList& urls) {
    const QString method = urls.isEmpty() ? u"Activate"_s : u"Open"_s;
    QDBusMessage call = QDBusMessage::createMethodCall(busName, objectPath,
                                                       u"org.freedesktop.Application"_s, method);
    // The token the launcher gave this start lets the running one raise its window.
    QVariantMap platformData;
    if (const QByteArray token = qgetenv("XDG_ACTIVATION_TOKEN"); !token.isEmpty())
        platformData.insert(u"activation-token"_s, QString::fromUtf8(token));
    if (const QByteArray id = qgetenv("DESKTOP_STARTUP_ID"); !id.isEmpty())
        platformData.insert(u"desktop-startup-id"_s, QString::fromUtf8(id));
    if (urls.isEmpty())
        call.setArguments({platformData});
    else
        call.setArguments({urls, platformData});
    if (bus.call(call).type() == QDBusMessage::ReplyMessage)
        return 0;
    Log::write(u"Brevimar is already running but does not answer"_s);
    return 1;
}

int signalPipe[2] = {-1, -1};

void writeToSignalPipe(int) {
    const char byte = 0;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
}

// The end of a session sends SIGTERM (SIGHUP with a terminal, SIGINT on Ctrl+C). Quitting the
// event loop lets main() unwind, so the event log finishes what is queued. A signal handler may
// do next to nothing, hence the pipe.
void quitOnSignals() {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [] {
        // Drained, or the pipe stays ready: whoever still runs the event loop while Brevimar
        // ends (the calendar client does, closing) would be woken for it forever.
        char bytes[16];
        while (::read(signalPipe[0], bytes, sizeof bytes) > 0) {
        }
        QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = writeToSignalPipe;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

} // namespace

int main(int argc, char** argv) {
    // The card and the top panel must be placed by the application itself, which Wayland does
    // not allow; XWayland does.
    if (!qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Brevimar"_s);
    QApplication::setOrganizationName(u"tovanex"_s);
    QApplication::setDesktopFileName(u"com.tovanex.Brevimar"_s);
    QApplication::setQuitOnLastWindowClosed(false);
    Accessibility::install();
    Translations::install();
    logToStandardErrorAndJournal();
    quitOnSignals();
    // Past a file-size limit a write should fail, as on a full disk, rather than end Brevimar.
    std::signal(SIGXFSZ, SIG_IGN);

    const QStringList urls = app.arguments().mid(1);
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString runtimeFolder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    // Two starts at once (autostart and a link at login) would both build everything, show two
    // icons and carry the earlier product's files over side by side. The later one waits here
    // until the first owns the name, then hands its URLs over. A lock whose process is gone is
    // taken over; one held by a start that hangs is passed over after a while.
    QLockFile starting(runtimeFolder + u"/brevimar-start.lock"_s);
    starting.setStaleLockTime(0);
    if (!starting.tryLock(30000))
        Log::write(u"Brevimar: another start does not finish; starting anyway"_s);
    LocalInstance local(runtimeFolder);
    if (bus.isConnected() && bus.interface()->isServiceRegistered(busName))
        return handOverToRunningInstance(bus, urls);
    if (!bus.isConnected()) {
        switch (local.claim(urls)) {
        case LocalInstance::Claim::first:
            // Said once here; every call that needs the bus would otherwise fail on its own.
            Log::write(u"Brevimar: no session bus (%1); running without notifications, "
                       "brevimarctl, D-Bus actions and the desktop's tray service"_s.arg(
                           bus.lastError().message()));
            break;
        case LocalInstance::Claim::handedOver:
            return 0;
        case LocalInstance::Claim::unreachable:
            Log::write(u"Brevimar is already running but does not answer"_s);
            return 1;
        }
    }

    // The tray icon before the rest, which it would otherwise wait for: the desktop shows the
    // plain drop while the settings, the event log and the desktop's services are reached.
    std::unique_ptr<MenuBarIcon> trayIcon;
    if (AppDelegate::trayHostPresent(bus)) {
        trayIcon = std::make_unique<MenuBarIcon>();
        trayIcon->show();
    }

    const SystemClock clock;
    Services services(clock);
    WaylandConnection wayland;
    LinuxSession session(bus, QDBusConnection::systemBus(),
                         LinuxSession::idleDisplayFromEnvironment(), &wayland);
    X11Workspace x11Workspace; // XWayland's, under Wayland
    std::optional<GnomeInhibitors> gnomeInhibitors;
    std::optional<WaylandWorkspace> waylandWorkspace;
    if (wayland.isConnected()) {
        gnomeInhibitors.emplace(bus);
        waylandWorkspace.emplace(wayland, x11Workspace, &*gnomeInhibitors);
    }
    Workspace& workspace =
        waylandWorkspace ? static_cast<Workspace&>(*waylandWorkspace) : x11Workspace;
    // What this desktop lets Brevimar see, said once: where it sees less, holds are missed.
    Log::write(u"Brevimar desktop: %1, idle from %2, %3"_s.arg(
        wayland.isConnected() ? u"Wayland"_s : u"X11"_s, session.idleSourceName(),
        waylandWorkspace ? waylandWorkspace->sources()
                         : u"the app in front and full screen from X11"_s));
    LinuxMediaProbe media;
    CalendarModule calendar(CalendarModule::installedPath());
    AppDelegate delegate(services, {session, workspace, media, calendar, bus}, std::move(trayIcon));

    const auto openURLs = [&delegate](const QStringList& uris) { delegate.open(uris); };
    QObject applicationObject;
    new ApplicationService(
        &applicationObject, [&delegate] { delegate.activate(); }, openURLs);
    auto* actions = new ActionsService(
        &applicationObject,
        [&delegate]() -> RhythmEngine* {
            return delegate.running() ? &delegate.engine() : nullptr;
        },
        delegate.context(), services.dayLog, services.settings);
    bus.registerObject(objectPath, &applicationObject);
    // Claimed only now, so whoever finds the name finds the objects behind it: a second start
    // or a D-Bus activation waiting for the name would otherwise call into nothing.
    if (bus.isConnected() && !bus.registerService(busName))
        return handOverToRunningInstance(bus, urls); // another start got there first
    starting.unlock();
    QObject::connect(&local, &LocalInstance::opened, &delegate,
                     [&delegate, openURLs](const QStringList& handed) {
                         if (handed.isEmpty())
                             delegate.activate();
                         else
                             openURLs(handed);
                     });

    delegate.applicationDidFinishLaunching();
    actions->watch(delegate.engine());
    openURLs(urls);
    const int status = app.exec();
    // What was delivered before the quit is still handled, an answer from a script included.
    QCoreApplication::sendPostedEvents();
    return status;
}
