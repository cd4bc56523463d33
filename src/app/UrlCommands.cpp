#include "UrlCommands.h"

#include "AppDelegate.h"
#include "UrlCommand.h"
#include "platform/Log.h"

using namespace Qt::StringLiterals;

namespace UrlCommands {

void handle(const QString& text, AppDelegate& controller) {
    const std::optional<UrlCommand> parsed = UrlCommand::parse(text);
    if (!parsed)
        return;
    const QString& command = parsed->name;
    const QString& argument = parsed->argument;

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
        const std::optional<qint64> minutes = parsed->minutes;
        // Real minutes, whatever the fast mode says; none, zero or less is the rest of today,
        // as the D-Bus action has it.
        const bool restOfDay = !minutes || *minutes < 1;
        controller.context().pause(restOfDay ? 0 : double(*minutes) * 60, restOfDay);
    } else if (command == u"resume") {
        controller.context().resume();
    } else {
        Log::write(u"Brevimar: unknown URL "_s + UrlCommand::forLog(text));
    }
}

} // namespace UrlCommands
