#include "BundleInfo.h"

#include <QFile>
#include <QHostAddress>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

using namespace Qt::StringLiterals;

BundleInfo BundleInfo::main() {
    QFile file(u":/bundle/Info.json"_s);
    const QJsonObject info = file.open(QIODevice::ReadOnly)
                                 ? QJsonDocument::fromJson(file.readAll()).object()
                                 : QJsonObject();
    const auto text = [&info](const QString& key, const QString& fallback) {
        const QJsonValue value = info.value(key);
        return value.isString() && !value.toString().isEmpty() ? value.toString() : fallback;
    };
    return {text(u"CFBundleShortVersionString"_s, u"?"_s), text(u"CFBundleVersion"_s, u"?"_s),
            text(u"SUFeedURL"_s, {}), text(u"BrevimarUsageEndpoint"_s, {})};
}

bool BundleInfo::isSafeAddress(const QUrl& url) {
    if (url.scheme() == u"https")
        return true;
    return url.scheme() == u"http" &&
           (QHostAddress(url.host()).isLoopback() ||
            url.host().compare(u"localhost"_s, Qt::CaseInsensitive) == 0);
}
