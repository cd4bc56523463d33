#include "AppDelegate.h"
#include "ApplicationService.h"
#include "LocalInstance.h"
#include "Services.h"
#include "automation/ActionsService.h"
#include "platform/Log.h"
#include "platform/linux/EdsCalendarStore.h"
#include "platform/linux/JournalWriter.h"
#include "platform/linux/LinuxMediaProbe.h"
#include "platform/linux/LinuxSession.h"
#include "platform/linux/X11Workspace.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QStandardPaths>

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

// Hands the URLs to the instance that owns the bus name; true when there is one.
bool handOverToRunningInstance(QDBusConnection& bus, const QStringList& urls) {
    const QString method = urls.isEmpty() ? u"Activate"_s : u"Open"_s;
    QDBusMessage call = QDBusMessage::createMethodCall(busName, objectPath,
                                                       u"org.freedesktop.Application"_s, method);
    if (urls.isEmpty())
        call.setArguments({QVariantMap()});
    else
        call.setArguments({urls, QVariantMap()});
    return bus.call(call).type() == QDBusMessage::ReplyMessage;
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
    logToStandardErrorAndJournal();

    const QStringList urls = app.arguments().mid(1);
    QDBusConnection bus = QDBusConnection::sessionBus();
    LocalInstance local(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation));
    if (bus.isConnected() && !bus.registerService(busName)) {
        if (handOverToRunningInstance(bus, urls))
            return 0;
        Log::write(u"Brevimar is already running but does not answer"_s);
        return 1;
    }
    if (!bus.isConnected()) {
        switch (local.claim(urls)) {
        case LocalInstance::Claim::first:
            break;
        case LocalInstance::Claim::handedOver:
            return 0;
        case LocalInstance::Claim::unreachable:
            Log::write(u"Brevimar is already running but does not answer"_s);
            return 1;
        }
    }

    LinuxSession session(bus, QDBusConnection::systemBus(),
                         LinuxSession::idleDisplayFromEnvironment());
    X11Workspace workspace;
    LinuxMediaProbe media;
    EdsCalendarStore calendar;
    AppDelegate delegate(Services::shared(), {session, workspace, media, calendar, bus});

    const auto openURLs = [&delegate](const QStringList& uris) { delegate.open(uris); };
    QObject applicationObject;
    new ApplicationService(&applicationObject, openURLs);
    Services& services = Services::shared();
    auto* actions = new ActionsService(
        &applicationObject,
        [&delegate]() -> RhythmEngine* {
            return delegate.running() ? &delegate.engine() : nullptr;
        },
        delegate.context(), services.dayLog, services.settings);
    bus.registerObject(objectPath, &applicationObject);
    QObject::connect(&local, &LocalInstance::opened, &delegate, openURLs);

    delegate.applicationDidFinishLaunching();
    actions->watch(delegate.engine());
    openURLs(urls);
    return app.exec();
}
