#include "WorkSchedule.h"

#include "JsonFields.h"
#include "platform/LocalCalendar.h"

#include <QJsonArray>

#include <climits>

using namespace Qt::StringLiterals;

bool WorkSchedule::isWorkTime(const QDateTime& instant) const {
    if (!enabled)
        return true;
    if (!days.contains(LocalCalendar::weekday(instant)))
        return false;
    const int minutes = LocalCalendar::minutesAfterMidnight(instant);
    return startMinutes <= minutes && minutes < endMinutes;
}

QJsonObject WorkSchedule::toJson() const {
    QJsonArray dayArray;
    for (const int day : days)
        dayArray.append(day);
    QJsonObject presets;
    for (const auto& [day, preset] : presetByDay)
        presets.insert(QString::number(day), preset.rawValue());
    return {{u"enabled"_s, enabled},
            {u"startMinutes"_s, startMinutes},
            {u"endMinutes"_s, endMinutes},
            {u"days"_s, dayArray},
            {u"presetByDay"_s, presets}};
}

std::optional<WorkSchedule> WorkSchedule::fromJson(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    const auto isEnabled = JsonFields::boolean(object, u"enabled"_s);
    const auto start = JsonFields::integer(object, u"startMinutes"_s);
    const auto end = JsonFields::integer(object, u"endMinutes"_s);
    const QJsonValue dayArray = object.value(u"days"_s);
    const QJsonValue presets = object.value(u"presetByDay"_s);
    if (!isEnabled || !start || !end || !dayArray.isArray() || !presets.isObject())
        return std::nullopt;

    WorkSchedule schedule;
    schedule.enabled = *isEnabled;
    schedule.startMinutes = *start;
    schedule.endMinutes = *end;
    schedule.days.clear();
    for (const QJsonValue& day : dayArray.toArray()) {
        const auto number = JsonFields::integer(day);
        if (!number || *number < INT_MIN || *number > INT_MAX)
            return std::nullopt;
        schedule.days.insert(int(*number));
    }
    const QJsonObject presetObject = presets.toObject();
    for (auto it = presetObject.begin(); it != presetObject.end(); ++it) {
        bool isNumber = false;
        const int day = it.key().toInt(&isNumber, 10);
        const auto preset = Preset::fromRawValue(it.value().toString());
        if (!isNumber || !it.value().isString() || !preset)
            return std::nullopt;
        schedule.presetByDay[day] = *preset;
    }
    return schedule;
}
