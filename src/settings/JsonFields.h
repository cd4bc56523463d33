#pragma once

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

// Strict reads of JSON members for the stored records: a member that is missing or of another
// type gives no value, and the caller rejects the whole record.
namespace JsonFields {

std::optional<bool> boolean(const QJsonObject& object, const QString& key);
// Integral JSON numbers only; 5.0 counts, 5.5 does not.
std::optional<qint64> integer(const QJsonValue& value);
std::optional<qint64> integer(const QJsonObject& object, const QString& key);
std::optional<QString> string(const QJsonObject& object, const QString& key);
std::optional<QUuid> uuid(const QJsonObject& object, const QString& key);

// 36 characters, upper-case hexadecimal, hyphenated.
QString uuidText(const QUuid& id);
// Compact UTF-8 JSON text.
QByteArray encode(const QJsonDocument& document);
// The document held by the text; a null document when the text is not JSON.
QJsonDocument decode(const QByteArray& text);

// An array of records, each read by T::fromJson; none when any of them does not read.
template <typename T> std::optional<QList<T>> records(const QJsonDocument& document) {
    if (!document.isArray())
        return std::nullopt;
    QList<T> list;
    for (const QJsonValue& value : document.array()) {
        std::optional<T> record = T::fromJson(value);
        if (!record)
            return std::nullopt;
        list.append(*record);
    }
    return list;
}

} // namespace JsonFields
