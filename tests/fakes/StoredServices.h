#pragma once

#include "fakes/FakeHotKeys.h"
#include "fakes/FakeLoginItem.h"
#include "fakes/ManualClock.h"
#include "fakes/TemporaryXdg.h"
#include "record/DataFolder.h"
#include "record/DayLog.h"
#include "record/EventStore.h"
#include "settings/AppSettings.h"
#include "settings/PreferenceStore.h"

// The real settings, day log and event log over fresh temporary folders, with a clock the test
// moves by hand: what every fixture that runs an engine stands on.
struct StoredServices {
    explicit StoredServices(QDateTime start)
        : clock(std::move(start)) {}

    TemporaryXdg xdg;
    ManualClock clock;
    FakeLoginItem loginItem;
    FakeHotKeys hotKeys;
    PreferenceStore preferences{QStringLiteral("com.tovanex.Brevimar")};
    AppSettings settings{preferences, clock, loginItem, hotKeys};
    DayLog dayLog{clock, DataFolder::path()};
    EventStore events{clock, DataFolder::path()};
};
