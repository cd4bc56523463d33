#include "NudgeKind.h"

#include "JsonFields.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

const NudgeKind& NudgeKind::water() {
    return builtIns()[0];
}

const NudgeKind& NudgeKind::movement() {
    return builtIns()[1];
}

const QList<NudgeKind>& NudgeKind::builtIns() {
    // Read once, after main() has installed the user's language.
    const auto text = [](const char* source) {
        return QCoreApplication::translate("NudgeKind", source);
    };
    static const QList<NudgeKind> kinds{
        {u"water"_s, text(QT_TRANSLATE_NOOP("NudgeKind", "Water")),
         text(QT_TRANSLATE_NOOP("NudgeKind", "sip")), text(QT_TRANSLATE_NOOP("NudgeKind", "sips")),
         u"drop.fill"_s, u"blue"_s, text(QT_TRANSLATE_NOOP("NudgeKind", "Time for water")),
         text(QT_TRANSLATE_NOOP("NudgeKind", "A few sips. Then back to it.")), 0},
        {u"movement"_s, text(QT_TRANSLATE_NOOP("NudgeKind", "Move")),
         text(QT_TRANSLATE_NOOP("NudgeKind", "break")),
         text(QT_TRANSLATE_NOOP("NudgeKind", "breaks")), u"figure.walk"_s, u"green"_s,
         text(QT_TRANSLATE_NOOP("NudgeKind", "Stand up and move")),
         text(QT_TRANSLATE_NOOP("NudgeKind", "Two minutes. Stretch, walk, look out a window.")), 1},
    };
    return kinds;
}

QJsonObject NudgeKind::toJson() const {
    return {{u"id"_s, id},
            {u"title"_s, title},
            {u"verb"_s, verb},
            {u"verbPlural"_s, verbPlural},
            {u"icon"_s, icon},
            {u"tintName"_s, tintName},
            {u"notificationTitle"_s, notificationTitle},
            {u"notificationBody"_s, notificationBody},
            {u"priority"_s, priority}};
}

std::optional<NudgeKind> NudgeKind::fromJson(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    NudgeKind kind;
    const std::pair<QString, QString*> texts[] = {
        {u"id"_s, &kind.id},
        {u"title"_s, &kind.title},
        {u"verb"_s, &kind.verb},
        {u"verbPlural"_s, &kind.verbPlural},
        {u"icon"_s, &kind.icon},
        {u"tintName"_s, &kind.tintName},
        {u"notificationTitle"_s, &kind.notificationTitle},
        {u"notificationBody"_s, &kind.notificationBody},
    };
    for (const auto& [key, field] : texts) {
        const auto text = JsonFields::string(object, key);
        if (!text)
            return std::nullopt;
        *field = *text;
    }
    const auto priority = JsonFields::integer(object, u"priority"_s);
    if (!priority)
        return std::nullopt;
    kind.priority = *priority;
    return kind;
}
