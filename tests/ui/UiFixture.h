#pragma once

#include "fakes/EngineHarness.h"
#include "ui/tray/PanelModel.h"

#include <gtest/gtest.h>

// The real engine and context monitor over a fake desktop, Monday 7 December 2026, 10:00 in
// Berlin; water every 30 minutes, movement every hour.
class UiFixture : public ::testing::Test, protected EngineHarness {
protected:
    UiFixture()
        : EngineHarness(at(10, 0)) {
        settings.setWaterIntervalMinutes(30);
        settings.setBreakIntervalMinutes(60);
        settings.setAdaptiveEnabled(false);
        holdByMonitor = true;
        engine().sync();
    }

    PanelModel model() { return PanelModel::build({engine(), monitor(), dayLog, settings, clock}); }
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
        monitor().refresh();
    }
    void endCall() {
        media.camera.reset();
        monitor().refresh();
    }
};
