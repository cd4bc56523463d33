#pragma once

#include "app/AppDelegate.h"
#include "app/Services.h"
#include "fakes/EventLog.h"
#include "fakes/FakeDesktop.h"
#include "fakes/LogCapture.h"
#include "fakes/ManualClock.h"
#include "fakes/TemporaryXdg.h"

// The application's own services in temporary folders on a clock the test moves, over a fake
// desktop with no session bus.
struct AppServices {
    TemporaryXdg xdg;
    LogCapture log;
    ManualClock clock;
    Services services{clock};
    FakeSession session;
    FakeWorkspace workspace;
    FakeMediaProbe media;
    FakeCalendarStore calendar;
    Desktop desktop{session, workspace, media, calendar, QDBusConnection(QStringLiteral("none"))};
};
