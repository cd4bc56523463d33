#include "CustomReminder.h"

#include "JsonFields.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

const QList<CustomReminder>& CustomReminder::templates() {
    // Once added, a reminder's texts are the user's own; only the offered templates are translated.
    const auto text = [](const char* source) {
        return QCoreApplication::translate("CustomReminder", source);
    };
    static const QList<CustomReminder> list{
        {QUuid::createUuid(), text(QT_TRANSLATE_NOOP("CustomReminder", "Eye rest")),
         text(QT_TRANSLATE_NOOP("CustomReminder", "Look 20 feet away for 20 seconds.")),
         text(QT_TRANSLATE_NOOP("CustomReminder", "rest")),
         text(QT_TRANSLATE_NOOP("CustomReminder", "rests")), u"eye"_s, u"teal"_s, 20, true},
        {QUuid::createUuid(), text(QT_TRANSLATE_NOOP("CustomReminder", "Stretch")),
         text(QT_TRANSLATE_NOOP("CustomReminder", "Roll your shoulders, stretch your wrists.")),
         text(QT_TRANSLATE_NOOP("CustomReminder", "stretch")),
         text(QT_TRANSLATE_NOOP("CustomReminder", "stretches")), u"figure.flexibility"_s,
         u"purple"_s, 50, true},
        {QUuid::createUuid(), text(QT_TRANSLATE_NOOP("CustomReminder", "Posture")),
         text(QT_TRANSLATE_NOOP("CustomReminder", "Sit tall, drop your shoulders.")),
         text(QT_TRANSLATE_NOOP("CustomReminder", "check")),
         text(QT_TRANSLATE_NOOP("CustomReminder", "checks")), u"figure.stand"_s, u"orange"_s, 45,
         true},
        {QUuid::createUuid(), text(QT_TRANSLATE_NOOP("CustomReminder", "Meds")),
         text(QT_TRANSLATE_NOOP("CustomReminder", "Time for your medication.")),
         text(QT_TRANSLATE_NOOP("CustomReminder", "dose")),
         text(QT_TRANSLATE_NOOP("CustomReminder", "doses")), u"pills"_s, u"teal"_s, 240, true},
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
