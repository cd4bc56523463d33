#pragma once

#include "Preset.h"

#include <QDateTime>
#include <QJsonObject>

#include <map>
#include <optional>
#include <set>

// When reminders may run, and an optional pace for each weekday (1 = Sunday … 7 = Saturday).
struct WorkSchedule {
    bool enabled = false;
    qint64 startMinutes = 540; // minutes after local midnight
    qint64 endMinutes = 1080;  // exclusive
    std::set<int> days{2, 3, 4, 5, 6};
    std::map<int, Preset> presetByDay;

    // Always true when the schedule is off; a start that is not before the end is never inside.
    bool isWorkTime(const QDateTime& instant) const;

    QJsonObject toJson() const;
    static std::optional<WorkSchedule> fromJson(const QJsonValue& value);

    bool operator==(const WorkSchedule&) const = default;
};
