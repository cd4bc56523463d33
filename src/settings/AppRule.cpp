#include "AppRule.h"

#include "JsonFields.h"

using namespace Qt::StringLiterals;

QJsonObject AppRule::toJson() const {
    return {{u"id"_s, JsonFields::uuidText(id)},
            {u"bundleID"_s, bundleID},
            {u"name"_s, name},
            {u"mode"_s, mode == Mode::fullScreen ? u"fullScreen"_s : u"frontmost"_s}};
}

std::optional<AppRule> AppRule::fromJson(const QJsonValue& value) {
    const QJsonObject object = value.toObject();
    const auto id = JsonFields::uuid(object, u"id"_s);
    const auto bundleID = JsonFields::string(object, u"bundleID"_s);
    const auto name = JsonFields::string(object, u"name"_s);
    const auto mode = JsonFields::string(object, u"mode"_s);
    if (!id || !bundleID || !name || !mode)
        return std::nullopt;
    if (*mode != u"frontmost" && *mode != u"fullScreen")
        return std::nullopt;
    return AppRule{*id, *bundleID, *name,
                   *mode == u"fullScreen" ? Mode::fullScreen : Mode::frontmost};
}
