#include "HoldReason.h"

#include <QCoreApplication>

#include <array>

using namespace Qt::StringLiterals;

namespace {

struct Names {
    QString raw;
    const char* label; // translated where it is shown
};

const std::array<Names, 10>& names() {
    static const std::array<Names, 10> table{{
        {u"idle"_s, QT_TRANSLATE_NOOP("HoldReason", "Away")},
        {u"locked"_s, QT_TRANSLATE_NOOP("HoldReason", "Locked")},
        {u"call"_s, QT_TRANSLATE_NOOP("HoldReason", "On a call")},
        {u"screenShare"_s, QT_TRANSLATE_NOOP("HoldReason", "Sharing")},
        {u"fullScreen"_s, QT_TRANSLATE_NOOP("HoldReason", "Full screen")},
        {u"manualPause"_s, QT_TRANSLATE_NOOP("HoldReason", "Paused")},
        {u"doNotDisturb"_s, QT_TRANSLATE_NOOP("HoldReason", "Do not disturb")},
        {u"meeting"_s, QT_TRANSLATE_NOOP("HoldReason", "Meeting")},
        {u"appRule"_s, QT_TRANSLATE_NOOP("HoldReason", "App rule")},
        {u"offHours"_s, QT_TRANSLATE_NOOP("HoldReason", "Off hours")},
    }};
    return table;
}

} // namespace

QString rawValue(HoldReason reason) {
    return names()[size_t(reason)].raw;
}

std::optional<HoldReason> holdReasonFromRawValue(const QString& raw) {
    for (size_t i = 0; i < names().size(); ++i) {
        if (names()[i].raw == raw)
            return HoldReason(i);
    }
    return std::nullopt;
}

QString label(const std::optional<HoldReason>& reason) {
    return reason ? QCoreApplication::translate("HoldReason", names()[size_t(*reason)].label)
                  : QCoreApplication::translate("HoldReason", "Active");
}
