#include "CalendarRules.h"

#include "JsonFields.h"

#include <QJsonArray>

using namespace Qt::StringLiterals;

QJsonObject CalendarRules::toJson() const {
    QJsonArray ids;
    for (const QString& id : calendarIDs)
        ids.append(id);
    return {{u"enabled"_s, enabled},
            {u"calendarIDs"_s, ids},
            {u"skipFreeEvents"_s, skipFreeEvents},
            {u"skipAllDay"_s, skipAllDay}};
}

std::optional<CalendarRules> CalendarRules::fromJson(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    const auto isEnabled = JsonFields::boolean(object, u"enabled"_s);
    const QJsonValue ids = object.value(u"calendarIDs"_s);
    const auto skipFree = JsonFields::boolean(object, u"skipFreeEvents"_s);
    const auto skipAllDay = JsonFields::boolean(object, u"skipAllDay"_s);
    if (!isEnabled || !ids.isArray() || !skipFree || !skipAllDay)
        return std::nullopt;
    CalendarRules rules{*isEnabled, {}, *skipFree, *skipAllDay};
    for (const QJsonValue& id : ids.toArray()) {
        if (!id.isString())
            return std::nullopt;
        rules.calendarIDs.insert(id.toString());
    }
    return rules;
}
