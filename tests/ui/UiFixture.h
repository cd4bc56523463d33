#pragma once

#include "context/ContextMonitor.h"
#include "engine/RhythmEngine.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakePresentation.h"
#include "fakes/QtPrinters.h"
#include "fakes/StoredServices.h"
#include "ui/PanelModel.h"

#include <gtest/gtest.h>

// The real engine, context monitor, settings and day log in temporary folders, over a fake
// desktop. Monday 7 December 2026, 10:00 in Berlin; water every 30 minutes, movement every hour.
class UiFixture : public ::testing::Test, protected StoredServices {
protected:
    UiFixture()
        : StoredServices(at(10, 0)) {
        settings.setCustomReminders({});
        settings.setWaterIntervalMinutes(30);
        settings.setBreakIntervalMinutes(60);
        settings.setAdaptiveEnabled(false);
        engine.sync();
    }

    static QDateTime at(int hour, int minute) {
        return QDateTime(QDate(2026, 12, 7), QTime(hour, minute));
    }
    PanelModel model() { return PanelModel::build({engine, monitor, dayLog, settings, clock}); }
    PanelReminderRow row(const NudgeKind& kind) {
        for (const PanelReminderRow& r : model().rows) {
            if (r.kind == kind)
                return r;
        }
        ADD_FAILURE() << "no row for " << kind.id.toStdString();
        return {};
    }
    void startCall() { // a camera in use is a call
        media.camera = QStringLiteral("Zoom");
        monitor.refresh();
    }
    void endCall() {
        media.camera.reset();
        monitor.refresh();
    }

    FakeSession session;
    FakeWorkspace workspace;
    FakeMediaProbe media;
    FakeCalendarStore calendar;
    ContextMonitor monitor{{clock, settings, events, session, workspace, media, calendar}};
    FakeNotifier notifier;
    FakeNudgePanel panel;
    RhythmEngine engine{{clock, settings, preferences, dayLog, events, monitor, notifier, panel}};
};
