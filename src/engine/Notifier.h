#pragma once

#include "settings/NudgeKind.h"

#include <QString>

#include <optional>

// Reminders and messages as desktop notifications.
class Notifier {
public:
    virtual ~Notifier() = default;
    // Shows a reminder of the kind, replacing an earlier one of the same kind.
    virtual void deliver(const NudgeKind& kind, const std::optional<QString>& reason) = 0;
    // Takes the kind's notification away, if there is one.
    virtual void clear(const NudgeKind& kind) = 0;
    virtual void deliverWindDown(const QString& summary) = 0;
    virtual void deliverWeeklyReport(const QString& text) = 0;
};
