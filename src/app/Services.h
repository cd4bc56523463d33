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
// The earlier product's settings and history are carried over before anything reads them, so
// the first start after an upgrade already runs on them: the settings, the day log and the event
// log open what was copied.
class Services {
public:
    explicit Services(const Clock& time);

    const Clock& clock;
    PreferenceStore preferences{QStringLiteral("com.tovanex.Brevimar")};
    const QString dataFolder; // once the earlier product's files are carried over
    XdgAutostart autostart;
    std::unique_ptr<KeyGrabber> keyGrabber; // the desktop portal on Wayland, X11 otherwise
    GlobalHotKeys hotKeys;
    AppSettings settings{preferences, clock, autostart, hotKeys};
    DayLog dayLog;
    EventStore events;
    const BundleInfo bundle = BundleInfo::main();
    UsageReporter usage{clock, settings, events, preferences, bundle};
};
