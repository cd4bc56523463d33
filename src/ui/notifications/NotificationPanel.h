#pragma once

#include "engine/Notifier.h"
#include "engine/NudgePanel.h"

// Stands in for the card and the top panel where Brevimar cannot place a window of its own
// (Wayland without XWayland): reminders go out as notifications, and messages are turned down so
// that the engine sends them as notifications too.
class NotificationPanel final : public NudgePanel {
public:
    explicit NotificationPanel(Notifier& notifier)
        : m_notifier(notifier) {}

    void show(const NudgeKind& kind, RhythmEngine&, const std::optional<QString>& reason) override {
        m_notifier.deliver(kind, reason);
    }
    // The engine takes the notification away itself whenever it takes down the panel.
    void dismiss(const NudgeKind&) override {}
    bool showMessage(const QString&, const QString&, const QString&, const QString&) override {
        return false;
    }

private:
    Notifier& m_notifier;
};
