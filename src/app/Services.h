#pragma once

#include "automation/GlobalHotKeys.h"
#include "platform/Clock.h"
#include "platform/KeyGrabber.h"
#include "platform/linux/XdgAutostart.h"
#include "record/DayLog.h"
#include "record/EventStore.h"
#include "settings/AppSettings.h"
#include "settings/PreferenceStore.h"

#include <memory>

// The process-wide services, made on first use and kept until the process ends: the settings,
// today's tallies and the event log, with what they stand on.
class Services {
public:
    static Services& shared();
    // Tests make their own over temporary folders; the application uses shared().
    Services();

    SystemClock clock;
    PreferenceStore preferences{QStringLiteral("com.tovanex.Brevimar")};
    XdgAutostart autostart;
    std::unique_ptr<KeyGrabber> keyGrabber; // the desktop portal on Wayland, X11 otherwise
    GlobalHotKeys hotKeys;
    AppSettings settings{preferences, clock, autostart, hotKeys};
    DayLog dayLog;
    EventStore events;
};
