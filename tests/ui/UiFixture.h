#pragma once

#include "context/ContextMonitor.h"
#include "engine/RhythmEngine.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeHotKeys.h"
#include "fakes/FakeLoginItem.h"
#include "fakes/FakePresentation.h"
#include "fakes/ManualClock.h"
#include "fakes/QtPrinters.h"
#include "fakes/TemporaryXdg.h"
#include "record/DataFolder.h"
#include "record/DayLog.h"
#include "record/EventStore.h"
#include "settings/AppSettings.h"
#include "settings/PreferenceStore.h"
#include "ui/PanelModel.h"

#include <gtest/gtest.h>

// The real engine, context monitor, settings and day log in temporary folders, over a fake
// desktop. Monday 7 December 2026, 10:00 in Berlin; water every 30 minutes, movement every hour.
class UiFixture : public ::testing::Test {
protected:
    UiFixture() {
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

    TemporaryXdg xdg;
    ManualClock clock{at(10, 0)};
    FakeLoginItem loginItem;
    FakeHotKeys hotKeys;
    PreferenceStore preferences{QStringLiteral("com.tovanex.Brevimar")};
    AppSettings settings{preferences, clock, loginItem, hotKeys};
    DayLog dayLog{clock, DataFolder::path()};
    EventStore events{clock, DataFolder::path()};
    FakeSession session;
    FakeWorkspace workspace;
    FakeMediaProbe media;
    FakeCalendarStore calendar;
    ContextMonitor monitor{{clock, settings, events, session, workspace, media, calendar}};
    FakeNotifier notifier;
    FakeNudgePanel panel;
    RhythmEngine engine{{clock, settings, preferences, dayLog, events, monitor, notifier, panel}};
};
