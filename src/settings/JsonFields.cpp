#include "JsonFields.h"

#include <cmath>

namespace JsonFields {

std::optional<bool> boolean(const QJsonObject& object, const QString& key) {
    const QJsonValue value = object.value(key);
    if (!value.isBool())
        return std::nullopt;
    return value.toBool();
}

std::optional<qint64> integer(const QJsonValue& value) {
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    // Beyond 2^63 the conversion is undefined; such numbers are not stored integers anyway.
    if (number != std::trunc(number) || std::abs(number) >= 9.2e18)
        return std::nullopt;
    return value.toInteger();
}

std::optional<qint64> integer(const QJsonObject& object, const QString& key) {
    return integer(object.value(key));
}

std::optional<QString> string(const QJsonObject& object, const QString& key) {
    const QJsonValue value = object.value(key);
    if (!value.isString())
        return std::nullopt;
    return value.toString();
}

std::optional<QUuid> uuid(const QJsonObject& object, const QString& key) {
    const std::optional<QString> text = string(object, key);
    if (!text || text->size() != 36)
        return std::nullopt;
    const QUuid id = QUuid::fromString(*text);
    if (id.isNull() && *text != QStringLiteral("00000000-0000-0000-0000-000000000000"))
        return std::nullopt;
    return id;
}

QString uuidText(const QUuid& id) {
    return id.toString(QUuid::WithoutBraces).toUpper();
}

QByteArray encode(const QJsonDocument& document) {
    return document.toJson(QJsonDocument::Compact);
}

QJsonDocument decode(const QByteArray& text) {
    QJsonParseError error{};
    QJsonDocument document = QJsonDocument::fromJson(text, &error);
    return error.error == QJsonParseError::NoError ? document : QJsonDocument();
}

} // namespace JsonFields
