#include "Services.h"

#include "AppDelegate.h"
#include "LegacyMigration.h"
#include "platform/linux/PortalKeyGrabber.h"
#include "platform/linux/X11KeyGrabber.h"
#include "record/DataFolder.h"

#include <QCoreApplication>
#include <QDBusConnection>

namespace {

// The shortcuts reach whichever controller is running.
RhythmEngine* runningEngine() {
    AppDelegate* controller = AppDelegate::current();
    return controller && controller->running() ? &controller->engine() : nullptr;
}

ContextMonitor* runningContext() {
    AppDelegate* controller = AppDelegate::current();
    return controller && controller->running() ? &controller->context() : nullptr;
}

std::unique_ptr<KeyGrabber> desktopKeyGrabber() {
    // Under Wayland no program may grab keys for itself: the desktop hands out shortcuts through
    // the portal. X11 grabs there would only see keys typed into XWayland windows.
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return std::make_unique<PortalKeyGrabber>(QDBusConnection::sessionBus(),
                                                  QStringLiteral("com.tovanex.Brevimar"));
    return std::make_unique<X11KeyGrabber>();
}

QString dataFolderAfterMigration(PreferenceStore& preferences) {
    runLegacyMigration(preferences);
    return DataFolder::path();
}

} // namespace

Services::Services(const Clock& time)
    : clock(time)
    , dataFolder(dataFolderAfterMigration(preferences))
    , autostart(QCoreApplication::applicationFilePath())
    , keyGrabber(desktopKeyGrabber())
    , hotKeys(*keyGrabber, runningEngine, runningContext)
    , dayLog(clock, dataFolder)
    , events(clock, dataFolder) {}
