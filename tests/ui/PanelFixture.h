#pragma once

#include "fakes/EngineHarness.h"
#include "ui/reminders/NudgePanelController.h"
#include "ui/reminders/ReminderContent.h"
#include "ui/reminders/Sound.h"

#include <QAbstractButton>

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
        for (QAbstractButton* b : controller.panel()->findChildren<QAbstractButton*>()) {
            if (b->accessibleName() == name)
                return b;
        }
        ADD_FAILURE() << "no button " << name.toStdString();
        return nullptr;
    }
    QString goalLine() const {
        return controller.panel()->findChild<ReminderContent*>()->goalLineText();
    }
    // Runs the delayed steps scheduled so far with this delay, oldest first.
    int runPending(int msecs) {
        int ran = 0;
        const auto steps = std::exchange(pending, {});
        for (const auto& [delay, step] : steps) {
            if (delay == msecs) {
                step();
                ++ran;
            } else {
                pending.append({delay, step});
            }
        }
        return ran;
    }

    CountingSound sound;
    QList<std::pair<int, std::function<void()>>> pending;
    NudgePanelController controller{settings, dayLog, sound, ViewFactory::standard()};
};
