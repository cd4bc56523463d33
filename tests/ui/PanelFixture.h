#pragma once

#include "FindWidget.h"
#include "fakes/EngineHarness.h"
#include "ui/reminders/NudgePanelController.h"
#include "ui/reminders/ReminderContent.h"
#include "ui/reminders/Sound.h"

#include <gtest/gtest.h>

class CountingSound final : public Sound {
public:
    void play() override { ++plays; }
    int plays = 0;
};

// The real engine over temporary folders, answering through the controller under test and the
// application's own views. Delayed steps wait in `pending` until a test runs them.
class PanelFixture : public ::testing::Test, protected EngineHarness {
protected:
    PanelFixture()
        : EngineHarness(at(10, 0)) {
        settings.setSoundEnabled(true);
        controller.setScheduler([this](int msecs, std::function<void()> step) {
            pending.append({msecs, std::move(step)});
        });
        panelInUse = &controller;
    }

    QAbstractButton* button(const QString& name) const {
        return findWidget(*controller.panel(), name);
    }
    QString goalLine() const {
        return controller.panel()->findChild<ReminderContent*>()->goalLineText();
    }
    // Runs the delayed steps scheduled so far with this delay, oldest first.
    int runPending(int msecs) {
        QList<std::function<void()>> due;
        pending.removeIf([&](const auto& entry) {
            if (entry.first == msecs)
                due.append(entry.second);
            return entry.first == msecs;
        });
        for (const auto& step : due)
            step();
        return int(due.size());
    }

    CountingSound sound;
    QList<std::pair<int, std::function<void()>>> pending;
    NudgePanelController controller{settings, dayLog, sound, ViewFactory::standard()};
};
