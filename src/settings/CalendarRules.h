#pragma once

#include <QJsonObject>
#include <QString>

#include <optional>
#include <set>

// Holds reminders during calendar events.
struct CalendarRules {
    bool enabled = false;
    std::set<QString> calendarIDs; // empty: every calendar
    bool skipFreeEvents = true;
    bool skipAllDay = true;

    QJsonObject toJson() const;
    static std::optional<CalendarRules> fromJson(const QJsonValue& value);

    bool operator==(const CalendarRules&) const = default;
};
