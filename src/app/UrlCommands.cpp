#include "UrlCommands.h"

#include "AppDelegate.h"
#include "platform/Log.h"

#include <QRegularExpression>
#include <QUrl>
#include <QUrlQuery>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

// The host as written (QUrl would lower-case it), or empty when the URL has none.
QString commandOf(const QString& url) {
    const QString prefix = u"brevimar://"_s;
    if (!url.startsWith(prefix))
        return {};
    const QString rest = url.mid(prefix.size());
    const qsizetype end = rest.indexOf(QRegularExpression(u"[/?#]"_s));
    return end < 0 ? rest : rest.left(end);
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

namespace UrlCommands {

void handle(const QString& text, AppDelegate& controller) {
    if (!text.startsWith(u"brevimar:"_s))
        return;
    const QUrl url(text);
    const QString command = commandOf(text);
    const QStringList path = url.path().split(u'/');
    // "/water" is the argument "water"; "/" alone or no path has none.
    const QString argument = path.size() >= 2 && path.first().isEmpty() ? path.at(1) : QString();

    if (command == u"history") {
        controller.showHistory();
    } else if (command == u"settings") {
        controller.showSettings();
    } else if (command == u"done" || command == u"snooze" || command == u"skip") {
        RhythmEngine& engine = controller.engine();
        const QList<NudgeKind> kinds = engine.kinds();
        const auto kind = std::find_if(kinds.begin(), kinds.end(),
                                       [&](const NudgeKind& k) { return k.id == argument; });
        if (argument.isEmpty() || kind == kinds.end())
            return;
        if (command == u"done")
            engine.done(*kind);
        else if (command == u"snooze")
            engine.snooze(*kind, 10);
        else
            engine.skip(*kind);
    } else if (command == u"pause") {
        const std::optional<qint64> minutes = minutesOf(url);
        // Real minutes, whatever the fast mode says; none, zero or less is the rest of today,
        // as the D-Bus action has it.
        const bool restOfDay = !minutes || *minutes < 1;
        controller.context().pause(restOfDay ? 0 : double(*minutes) * 60, restOfDay);
    } else if (command == u"resume") {
        controller.context().resume();
    } else {
        Log::write(u"Brevimar: unknown URL "_s + text);
    }
}

} // namespace UrlCommands
