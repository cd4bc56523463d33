#pragma once

#include "settings/NudgeKind.h"

#include <QString>

#include <optional>

class RhythmEngine;

// Reminders and messages on the floating card or the panel at the top of the screen.
class NudgePanel {
public:
    virtual ~NudgePanel() = default;
    // Shows a reminder whose buttons answer it through the engine; replaces what is shown.
    virtual void show(const NudgeKind& kind, RhythmEngine& engine,
                      const std::optional<QString>& reason) = 0;
    // Takes the panel down if it shows this kind.
    virtual void dismiss(const NudgeKind& kind) = 0;
    // Shows a message card; false while a reminder is on screen.
    virtual bool showMessage(const QString& title, const QString& message, const QString& icon,
                             const QString& tint) = 0;
    // False where the desktop lets no window of Brevimar's be placed or kept from taking the
    // keyboard (Wayland without XWayland): every reminder is then a notification.
    virtual bool placesWindows() const { return true; }
};
