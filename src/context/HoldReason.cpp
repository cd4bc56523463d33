#include "HoldReason.h"

#include <array>

using namespace Qt::StringLiterals;

QString rawValue(HoldReason reason) {
    static const std::array<QString, 9> names{u"idle"_s,        u"locked"_s,     u"call"_s,
                                              u"screenShare"_s, u"fullScreen"_s, u"manualPause"_s,
                                              u"meeting"_s,     u"appRule"_s,    u"offHours"_s};
    return names[size_t(reason)];
}
