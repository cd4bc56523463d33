#include "UrlCommand.h"

#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// The host as written (QUrl would lower-case it), or empty when the URL has none.
QString commandOf(const QString& url) {
    const QString prefix = u"brevimar://"_s;
    if (!url.startsWith(prefix))
        return {};
    const QString rest = url.mid(prefix.size());
    static const QRegularExpression authorityEnd(u"[/?#]"_s);
    QString authority = rest.left(rest.indexOf(authorityEnd));
    authority = authority.mid(authority.lastIndexOf(u'@') + 1);
    return authority.left(authority.indexOf(u':'));
}

// The longest pause the D-Bus action can be asked for; longer ones would overflow the clock.
constexpr qint64 longestPauseMinutes = std::numeric_limits<int>::max();

std::optional<qint64> minutesOf(const QUrl& url) {
    const QList<std::pair<QString, QString>> items = QUrlQuery(url).queryItems();
    const auto minutes = std::find_if(items.begin(), items.end(),
                                      [](const auto& item) { return item.first == u"minutes"; });
    if (minutes == items.end())
        return std::nullopt;
    static const QRegularExpression decimal(u"^[+-]?[0-9]+$"_s);
    if (!decimal.match(minutes->second).hasMatch())
        return std::nullopt;
    bool ok = false;
    const qint64 value = minutes->second.toLongLong(&ok, 10);
    if (!ok) // more digits than 64 bits hold
        return minutes->second.startsWith(u'-') ? 0 : longestPauseMinutes;
    return std::min(value, longestPauseMinutes);
}

} // namespace

std::optional<UrlCommand> UrlCommand::parse(const QString& text) {
    if (!text.startsWith(u"brevimar:"_s))
        return std::nullopt;
    const QUrl url(text);
    const QStringList path = url.path().split(u'/');
    // "/water" is the argument "water"; "/" alone or no path has none.
    const QString argument = path.size() >= 2 && path.first().isEmpty() ? path.at(1) : QString();
    return UrlCommand{commandOf(text), argument, minutesOf(url)};
}

bool UrlCommand::isKnown() const {
    static const QStringList commands{u"done"_s,   u"snooze"_s,  u"skip"_s,    u"pause"_s,
                                      u"resume"_s, u"history"_s, u"settings"_s};
    return commands.contains(name);
}

QString UrlCommand::forLog(const QString& text) {
    return QString::fromLatin1(QUrl::toPercentEncoding(text, ":/?#[]@!$&'()*+,;=%"));
}
