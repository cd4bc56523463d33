#pragma once

#include <QString>

#include <array>
#include <optional>

// A named pace for the two built-in reminders.
class Preset {
public:
    enum Value { gentle, balanced, active, custom };

    constexpr Preset(Value value = balanced)
        : m_value(value) {}
    constexpr operator Value() const { return m_value; }

    // In the order the pickers list them.
    static constexpr std::array<Value, 4> all{gentle, balanced, active, custom};

    // The named preset whose pair is exactly (water, movement), else custom.
    static Preset matching(qint64 waterMinutes, qint64 movementMinutes);
    // None for anything but the four raw values, compared exactly.
    static std::optional<Preset> fromRawValue(const QString& raw);

    QString rawValue() const;
    QString title() const;
    QString description() const;
    // The interval pair; custom has none of its own and gives the pair used when nothing is
    // stored, 45 and 60.
    qint64 waterMinutes() const;
    qint64 movementMinutes() const;

private:
    Value m_value;
};
