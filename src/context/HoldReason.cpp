#include "HoldReason.h"

#include <array>

using namespace Qt::StringLiterals;

namespace {

struct Names {
    QString raw;
    QString label;
};

const std::array<Names, 9>& names() {
    static const std::array<Names, 9> table{{
        {u"idle"_s, u"Away"_s},
        {u"locked"_s, u"Locked"_s},
        {u"call"_s, u"On a call"_s},
        {u"screenShare"_s, u"Sharing"_s},
        {u"fullScreen"_s, u"Full screen"_s},
        {u"manualPause"_s, u"Paused"_s},
        {u"meeting"_s, u"Meeting"_s},
        {u"appRule"_s, u"App rule"_s},
        {u"offHours"_s, u"Off hours"_s},
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
    return reason ? names()[size_t(*reason)].label : u"Active"_s;
}
