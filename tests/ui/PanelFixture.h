#pragma once

#include "fakes/EngineHarness.h"
#include "ui/NudgePanelController.h"
#include "ui/Sound.h"

#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

class CountingSound final : public Sound {
public:
    void play() override { ++plays; }
    int plays = 0;
};

// A plain view with one button per action, named after it.
inline QWidget* standIn(const QList<std::pair<QString, std::function<void()>>>& buttons) {
    auto* view = new QWidget;
    auto* layout = new QVBoxLayout(view);
    for (const auto& [name, action] : buttons) {
        auto* button = new QPushButton(name, view);
        button->setObjectName(name);
        button->setFocusPolicy(Qt::NoFocus);
        QObject::connect(button, &QPushButton::clicked, view, action);
        layout->addWidget(button);
    }
    return view;
}

// What the controller handed to the last reminder view it made; a state only to a top panel.
struct MadeView {
    std::optional<QString> reason;
    qint64 count = -1;
    qint64 goal = -1;
    NotchState* state = nullptr;
};

inline ViewFactory standInViews(MadeView& made) {
    const auto reminder = [&made](NotchState* state, std::optional<QString> reason, qint64 count,
                                  qint64 goal, const ReminderActions& a) {
        made = {reason, count, goal, state};
        return standIn({{QStringLiteral("Done"), a.done},
                        {QStringLiteral("Snooze"), a.snooze},
                        {QStringLiteral("Skip"), a.skip}});
    };
    const auto message = [](const MessageActions& a) {
        return standIn(
            {{QStringLiteral("Close"), a.close}, {QStringLiteral("History"), a.history}});
    };
    ViewFactory views;
    views.card = [reminder](const NudgeKind&, std::optional<QString> reason, qint64 count,
                            qint64 goal, ReminderActions actions) -> QWidget* {
        return reminder(nullptr, reason, count, goal, actions);
    };
    views.notchCard = [reminder](const NudgeKind&, NotchGeometry, NotchState& state,
                                 std::optional<QString> reason, qint64 count, qint64 goal,
                                 ReminderActions actions, double, double, double) -> QWidget* {
        return reminder(&state, reason, count, goal, actions);
    };
    views.message = [message](QString, QString, QString, QColor,
                              MessageActions actions) -> QWidget* { return message(actions); };
    views.notchMessage = [message](QString, QString, QString, QColor, NotchGeometry, NotchState&,
                                   MessageActions actions) -> QWidget* { return message(actions); };
    return views;
}

// The real engine over temporary folders, answering through the controller under test, whose
// views are the stand-ins above. Delayed steps wait in `pending` until a test runs them.
class PanelFixture : public ::testing::Test, protected EngineHarness {
protected:
    PanelFixture()
        : EngineHarness(at(10, 0)) {
        settings.setSoundEnabled(true);
        controller.setScheduler(later());
        panelInUse = &controller;
    }

    NudgePanelController::Scheduler later() {
        return [this](int msecs, std::function<void()> step) {
            pending.append({msecs, std::move(step)});
        };
    }
    QPushButton* button(const QString& name) const {
        return controller.panel() ? controller.panel()->findChild<QPushButton*>(name) : nullptr;
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
    MadeView made;
    QList<std::pair<int, std::function<void()>>> pending;
    NudgePanelController controller{settings, dayLog, sound, standInViews(made)};
};
