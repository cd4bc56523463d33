#pragma once

#include "engine/NudgePanel.h"

// Stands in for the card and the top panel where Brevimar cannot place a window of its own
// (Wayland without XWayland): the engine then sends every reminder and message as a
// notification, and asks this panel for nothing.
class NotificationPanel final : public NudgePanel {
public:
    void show(const NudgeKind&, RhythmEngine&, const std::optional<QString>&) override {}
    void dismiss(const NudgeKind&) override {}
    bool showMessage(const QString&, const QString&, const QString&, const QString&) override {
        return false;
    }
    bool placesWindows() const override { return false; }
};
