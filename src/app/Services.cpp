#include "Services.h"

#include "record/DataFolder.h"

#include <QCoreApplication>

Services::Services()
    : autostart(QCoreApplication::applicationFilePath())
    , dayLog(clock, DataFolder::path())
    , events(clock, DataFolder::path()) {}

Services& Services::shared() {
    // Destroyed only at exit, after the event loop: the event log then writes what is still queued.
    static Services services;
    return services;
}
