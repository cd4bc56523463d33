// The stored JSON records of the settings: each decoder is given the same text, and whatever
// decodes must come back unchanged through the stored form.
#include "Check.h"
#include "settings/AppSettings.h"
#include "settings/JsonFields.h"

#include <QJsonArray>

#include <cstdint>

namespace {

QJsonDocument stored(const QJsonDocument& document) {
    return JsonFields::decode(JsonFields::encode(document));
}

template <typename T> void roundTripRecord(const QJsonDocument& document) {
    const std::optional<T> record = T::fromJson(document.object());
    if (record)
        check(T::fromJson(stored(QJsonDocument(record->toJson())).object()) == record,
              "a record round trip");
}

template <typename T> void roundTripList(const QJsonDocument& document) {
    const std::optional<QList<T>> list = JsonFields::records<T>(document);
    if (!list)
        return;
    QJsonArray array;
    for (const T& record : *list)
        array.append(record.toJson());
    check(JsonFields::records<T>(stored(QJsonDocument(array))) == list, "a list round trip");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QJsonDocument document =
        JsonFields::decode(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    roundTripRecord<WorkSchedule>(document);
    roundTripRecord<CalendarRules>(document);
    roundTripList<AppRule>(document);
    roundTripList<CustomReminder>(document);
    if (const auto goals = AppSettings::dailyGoalsFromJson(document)) {
        QJsonObject object;
        for (auto it = goals->begin(); it != goals->end(); ++it)
            object.insert(it.key(), it.value());
        check(AppSettings::dailyGoalsFromJson(stored(QJsonDocument(object))) == goals,
              "daily goals round trip");
    }
    return 0;
}
