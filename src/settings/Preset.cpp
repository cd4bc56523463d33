#include "Preset.h"

#include <QCoreApplication>

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
    const auto text = [](const char* source) {
        return QCoreApplication::translate("Preset", source);
    };
    static const std::array<Row, 4> rows{{
        {u"gentle"_s, text(QT_TRANSLATE_NOOP("Preset", "Gentle")),
         text(QT_TRANSLATE_NOOP("Preset", "Few nudges. Water every 60 min, move every 90.")), 60,
         90},
        {u"balanced"_s, text(QT_TRANSLATE_NOOP("Preset", "Balanced")),
         text(QT_TRANSLATE_NOOP("Preset", "Water every 45 min, move every 60.")), 45, 60},
        {u"active"_s, text(QT_TRANSLATE_NOOP("Preset", "Active")),
         text(QT_TRANSLATE_NOOP("Preset", "Water every 30 min, move every 45.")), 30, 45},
        {u"custom"_s, text(QT_TRANSLATE_NOOP("Preset", "Custom")),
         text(QT_TRANSLATE_NOOP("Preset", "Your own numbers.")), 45, 60},
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
