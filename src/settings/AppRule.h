#pragma once

#include <QJsonObject>
#include <QString>
#include <QUuid>

#include <optional>

// Holds reminders while one application is in front, or in front and full screen.
struct AppRule {
    enum class Mode { frontmost, fullScreen };

    QUuid id = QUuid::createUuid();
    QString bundleID; // the application's desktop-entry id
    QString name;     // its display name
    Mode mode = Mode::frontmost;

    QJsonObject toJson() const;
    static std::optional<AppRule> fromJson(const QJsonValue& value);

    bool operator==(const AppRule&) const = default;
};
