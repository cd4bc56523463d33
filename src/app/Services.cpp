#include "Services.h"

#include "AppDelegate.h"
#include "record/DataFolder.h"

#include <QCoreApplication>

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

} // namespace

Services::Services()
    : autostart(QCoreApplication::applicationFilePath())
    , hotKeys(keyGrabber, runningEngine, runningContext)
    , dayLog(clock, DataFolder::path())
    , events(clock, DataFolder::path()) {}

Services& Services::shared() {
    // Destroyed only at exit, after the event loop: the event log then writes what is still queued.
    static Services services;
    return services;
}
