#pragma once

#include <QHashFunctions>
#include <QJsonObject>
#include <QList>
#include <QString>

#include <optional>

// One recurring reminder: its wording, icon, tint and priority. Kinds are equal, and hash, by
// id alone, so a kind whose wording changed is still the same key.
struct NudgeKind {
    QString id; // "water", "movement" or "custom-" + a custom reminder's UUID
    QString title;
    QString verb; // singular counting word ("sip")
    QString verbPlural;
    QString icon; // symbol name
    QString tintName;
    QString notificationTitle;
    QString notificationBody;
    qint64 priority = 0; // higher fires first when several are due at once

    static const NudgeKind& water();
    static const NudgeKind& movement();
    // Water, then movement: the order of the active list and the tie order among equal priorities.
    static const QList<NudgeKind>& builtIns();

    QJsonObject toJson() const;
    // All nine members are required.
    static std::optional<NudgeKind> fromJson(const QJsonValue& value);

    bool operator==(const NudgeKind& other) const { return id == other.id; }
};

inline size_t qHash(const NudgeKind& kind, size_t seed = 0) {
    return qHash(kind.id, seed);
}
