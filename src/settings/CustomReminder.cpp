#include "CustomReminder.h"

#include "JsonFields.h"

using namespace Qt::StringLiterals;

const QList<CustomReminder>& CustomReminder::templates() {
    static const QList<CustomReminder> list{
        {QUuid::createUuid(), u"Eye rest"_s, u"Look 20 feet away for 20 seconds."_s, u"rest"_s,
         u"rests"_s, u"eye"_s, u"teal"_s, 20, true},
        {QUuid::createUuid(), u"Stretch"_s, u"Roll your shoulders, stretch your wrists."_s,
         u"stretch"_s, u"stretches"_s, u"figure.flexibility"_s, u"purple"_s, 50, true},
        {QUuid::createUuid(), u"Posture"_s, u"Sit tall, drop your shoulders."_s, u"check"_s,
         u"checks"_s, u"figure.stand"_s, u"orange"_s, 45, true},
        {QUuid::createUuid(), u"Meds"_s, u"Time for your medication."_s, u"dose"_s, u"doses"_s,
         u"pills"_s, u"teal"_s, 240, true},
    };
    return list;
}

QString CustomReminder::kindID() const {
    return u"custom-"_s + JsonFields::uuidText(id);
}

NudgeKind CustomReminder::asKind() const {
    return {kindID(), title, unit, unitPlural, icon, tintName, title, message, 0};
}

QJsonObject CustomReminder::toJson() const {
    return {{u"id"_s, JsonFields::uuidText(id)},
            {u"title"_s, title},
            {u"message"_s, message},
            {u"unit"_s, unit},
            {u"unitPlural"_s, unitPlural},
            {u"icon"_s, icon},
            {u"tintName"_s, tintName},
            {u"intervalMinutes"_s, intervalMinutes},
            {u"enabled"_s, enabled}};
}

std::optional<CustomReminder> CustomReminder::fromJson(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    const auto id = JsonFields::uuid(object, u"id"_s);
    const auto title = JsonFields::string(object, u"title"_s);
    const auto message = JsonFields::string(object, u"message"_s);
    const auto unit = JsonFields::string(object, u"unit"_s);
    const auto unitPlural = JsonFields::string(object, u"unitPlural"_s);
    const auto icon = JsonFields::string(object, u"icon"_s);
    const auto tintName = JsonFields::string(object, u"tintName"_s);
    const auto interval = JsonFields::integer(object, u"intervalMinutes"_s);
    const auto isEnabled = JsonFields::boolean(object, u"enabled"_s);
    if (!id || !title || !message || !unit || !unitPlural || !icon || !tintName || !interval ||
        !isEnabled)
        return std::nullopt;
    return CustomReminder{*id,   *title,    *message,  *unit,     *unitPlural,
                          *icon, *tintName, *interval, *isEnabled};
}
