#pragma once

#include "NudgeKind.h"

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

// A reminder kind of the user's own.
struct CustomReminder {
    QUuid id = QUuid::createUuid();
    QString title = QStringLiteral("Stretch");
    QString message = QStringLiteral("Roll your shoulders, open your chest.");
    QString unit = QStringLiteral("stretch");
    QString unitPlural = QStringLiteral("stretches");
    QString icon = QStringLiteral("figure.flexibility");
    QString tintName = QStringLiteral("orange");
    qint64 intervalMinutes = 90;
    bool enabled = true;

    // Eye rest, Stretch, Posture and Meds; each made once per process with its own id.
    static const QList<CustomReminder>& templates();

    // "custom-" + the id as upper-case text: stays the same across renames.
    QString kindID() const;
    NudgeKind asKind() const;

    QJsonObject toJson() const;
    static std::optional<CustomReminder> fromJson(const QJsonValue& value);

    bool operator==(const CustomReminder&) const = default;
};
