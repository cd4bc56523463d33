#include "Preset.h"

using namespace Qt::StringLiterals;

namespace {

struct Row {
    QString raw;
    QString title;
    QString description;
    qint64 water;
    qint64 movement;
};

const Row& row(Preset::Value value) {
    static const std::array<Row, 4> rows{{
        {u"gentle"_s, u"Gentle"_s, u"Few nudges. Water every 60 min, move every 90."_s, 60, 90},
        {u"balanced"_s, u"Balanced"_s, u"Water every 45 min, move every 60."_s, 45, 60},
        {u"active"_s, u"Active"_s, u"Water every 30 min, move every 45."_s, 30, 45},
        {u"custom"_s, u"Custom"_s, u"Your own numbers."_s, 45, 60},
    }};
    return rows[size_t(value)];
}

} // namespace

Preset Preset::matching(qint64 waterMinutes, qint64 movementMinutes) {
    for (const Value named : {gentle, balanced, active}) {
        if (row(named).water == waterMinutes && row(named).movement == movementMinutes)
            return named;
    }
    return custom;
}

std::optional<Preset> Preset::fromRawValue(const QString& raw) {
    for (const Value value : all) {
        if (row(value).raw == raw)
            return Preset(value);
    }
    return std::nullopt;
}

QString Preset::rawValue() const {
    return row(m_value).raw;
}
QString Preset::title() const {
    return row(m_value).title;
}
QString Preset::description() const {
    return row(m_value).description;
}
qint64 Preset::waterMinutes() const {
    return row(m_value).water;
}
qint64 Preset::movementMinutes() const {
    return row(m_value).movement;
}
