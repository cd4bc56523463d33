#pragma once

#include "app/AppDelegate.h"
#include "app/Services.h"
#include "fakes/FakeDesktop.h"
#include "fakes/LogCapture.h"
#include "fakes/TemporaryXdg.h"

// The application's own services in temporary folders, over a fake desktop with no session bus.
struct AppServices {
    TemporaryXdg xdg;
    LogCapture log;
    Services services;
    FakeSession session;
    FakeWorkspace workspace;
    FakeMediaProbe media;
    FakeCalendarStore calendar;
    Desktop desktop{session, workspace, media, calendar, QDBusConnection(QStringLiteral("none"))};
};
