#pragma once

#include "automation/BundleInfo.h"
#include "automation/GlobalHotKeys.h"
#include "automation/UsageReporter.h"
#include "platform/Clock.h"
#include "platform/KeyGrabber.h"
#include "platform/linux/XdgAutostart.h"
#include "record/DayLog.h"
#include "record/EventStore.h"
#include "settings/AppSettings.h"
#include "settings/PreferenceStore.h"

#include <memory>

// The process-wide services: the settings, today's tallies and the event log, with what they
// stand on. main() makes one after the QApplication and lets it go before, so the event log's
// queued writes are finished while the application still exists.
//
// The data folder is handed to the day log and the event log only once the settings have been
// read and the earlier product's settings and history carried over, so on the first start
// after an upgrade the stores open the copied history.
class Services {
public:
    explicit Services(const Clock& time);

    const Clock& clock;
    PreferenceStore preferences{QStringLiteral("com.tovanex.Brevimar")};
    XdgAutostart autostart;
    std::unique_ptr<KeyGrabber> keyGrabber; // the desktop portal on Wayland, X11 otherwise
    GlobalHotKeys hotKeys;
    AppSettings settings{preferences, clock, autostart, hotKeys};
    const QString dataFolder;
    DayLog dayLog;
    EventStore events;
    const BundleInfo bundle = BundleInfo::main();
    UsageReporter usage{clock, settings, events, preferences, bundle};
};
