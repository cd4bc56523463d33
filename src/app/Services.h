#pragma once

#include "automation/GlobalHotKeys.h"
#include "platform/Clock.h"
#include "platform/linux/X11KeyGrabber.h"
#include "platform/linux/XdgAutostart.h"
#include "record/DayLog.h"
#include "record/EventStore.h"
#include "settings/AppSettings.h"
#include "settings/PreferenceStore.h"

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
    X11KeyGrabber keyGrabber;
    GlobalHotKeys hotKeys;
    AppSettings settings{preferences, clock, autostart, hotKeys};
    DayLog dayLog;
    EventStore events;
};
