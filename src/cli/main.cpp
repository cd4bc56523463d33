// brevimarctl: Brevimar's actions from a shell, over D-Bus.
#include "app/UrlCommand.h"
#include "platform/Clock.h"
#include "platform/HotKeys.h"
#include "platform/LoginItem.h"
#include "platform/Translations.h"
#include "record/DataFolder.h"
#include "record/DayLog.h"
#include "settings/AppSettings.h"
#include "settings/PreferenceStore.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDateTime>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <optional>

using namespace Qt::StringLiterals;

namespace {

const char* const usage = QT_TRANSLATE_NOOP(
    "brevimarctl",
    "usage: brevimarctl COMMAND\n"
    "\n"
    "  log KIND          log a reminder as done        brevimarctl log water\n"
    "  pause [MINUTES]   pause reminders (30; 0 = rest of today)   brevimarctl pause 45\n"
    "  resume            resume reminders              brevimarctl resume\n"
    "  today             today's counts                brevimarctl today\n"
    "  kinds             the reminder kinds: id and title      brevimarctl kinds\n"
    "  status [--json]   what holds reminders and what comes next  brevimarctl status --json\n"
    "  open URL          hand a brevimar:// URL to Brevimar    brevimarctl open brevimar://resume\n"
    "\n"
    "Exits 0 on success, 1 when Brevimar isn't running, 2 on a usage error or an unknown KIND.\n");

void print(const QString& text) {
    std::printf("%s\n", qPrintable(text));
}

int usageError() {
    std::fputs(qPrintable(QCoreApplication::translate("brevimarctl", usage)), stderr);
    return 2;
}

// Only `open` may have the bus start Brevimar: a status bar asking every minute must not bring
// back an application the user has quit.
QDBusMessage call(const QString& interface, const QString& method, const QVariantList& args = {},
                  bool mayStart = false) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        u"com.tovanex.Brevimar"_s, u"/com/tovanex/Brevimar"_s, interface, method);
    message.setArguments(args);
    message.setAutoStartService(mayStart);
    return QDBusConnection::sessionBus().call(message, QDBus::Block, 5000);
}

QDBusMessage action(const QString& method, const QVariantList& args = {}) {
    return call(u"com.tovanex.Brevimar.Actions"_s, method, args);
}

bool answered(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ReplyMessage;
}

int notRunning() {
    print(QCoreApplication::translate("brevimarctl", "Brevimar isn't running."));
    return 1;
}

// The configured kinds as (id, title), or nothing when Brevimar does not answer.
std::optional<QList<std::pair<QString, QString>>> reminderKinds() {
    const QDBusMessage reply = action(u"ReminderKinds"_s);
    if (!answered(reply))
        return std::nullopt;
    QList<std::pair<QString, QString>> kinds;
    const QDBusArgument list = reply.arguments().value(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        std::pair<QString, QString> kind;
        list.beginStructure();
        list >> kind.first >> kind.second;
        list.endStructure();
        kinds.append(kind);
    }
    list.endArray();
    return kinds;
}

// Without the application, today's counts come straight from the day log.
int todayFromDayLog() {
    class NoLoginItem final : public LoginItem {
    public:
        bool isEnabled() const override { return false; }
        bool setEnabled(bool, QString&) override { return false; }
    } loginItem;
    class NoHotKeys final : public HotKeys {
    public:
        void install() override {}
        void uninstall() override {}
    } hotKeys;
    const SystemClock clock;
    PreferenceStore preferences(u"com.tovanex.Brevimar"_s);
    AppSettings settings(preferences, clock, loginItem, hotKeys);
    const DayLog dayLog(clock, DataFolder::path());
    print(QCoreApplication::translate("brevimarctl", "Today: %1.")
              .arg(dayLog.summary(settings.kinds())));
    return 0;
}

// Status values arrive as plain values or, for the maps, still marshalled.
QJsonValue jsonOf(const QVariant& value) {
    if (value.canConvert<QDBusArgument>()) {
        QVariantMap map;
        value.value<QDBusArgument>() >> map;
        return QJsonObject::fromVariantMap(map);
    }
    return QJsonValue::fromVariant(value);
}

QString text(const QJsonValue& value) {
    if (value.isObject())
        return QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
    if (value.isArray())
        return value.toVariant().toStringList().join(u", "_s);
    return value.toVariant().toString();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Translations::install();
    const QStringList args = app.arguments().mid(1);
    const QString verb = args.value(0);
    if (verb == u"--help" || verb == u"-h" || verb == u"help") {
        std::fputs(qPrintable(QCoreApplication::translate("brevimarctl", usage)), stdout);
        return 0;
    }

    if (verb == u"log" && args.size() == 2) {
        // The action gives a kind it does not know the same answer as a missing application.
        const auto kinds = reminderKinds();
        if (!kinds)
            return notRunning();
        QStringList ids;
        for (const auto& [id, title] : *kinds)
            ids.append(id);
        if (!ids.contains(args[1])) {
            std::fprintf(stderr, "%s\n",
                         qPrintable(QCoreApplication::translate(
                                        "brevimarctl",
                                        "brevimarctl: no reminder kind \"%1\"; the kinds are %2.")
                                        .arg(args[1], ids.join(u", "_s))));
            return 2;
        }
        const QDBusMessage reply = action(u"LogReminderAsDone"_s, {args[1]});
        if (!answered(reply))
            return notRunning();
        print(reply.arguments().value(0).toString());
        return reply.arguments().value(0).toString() ==
                       QCoreApplication::translate("ActionsService", "Brevimar isn't running.")
                   ? 1
                   : 0;
    }
    if (verb == u"pause" && args.size() <= 2) {
        bool ok = true;
        const int minutes = args.size() == 2 ? args[1].toInt(&ok) : 30;
        if (!ok)
            return usageError();
        const QDBusMessage reply = action(u"PauseReminders"_s, {minutes});
        if (!answered(reply))
            return notRunning();
        print(reply.arguments().value(0).toString());
        return 0;
    }
    if (verb == u"resume" && args.size() == 1) {
        const QDBusMessage reply = action(u"ResumeReminders"_s);
        if (!answered(reply))
            return notRunning();
        print(reply.arguments().value(0).toString());
        return 0;
    }
    if (verb == u"today" && args.size() == 1) {
        const QDBusMessage reply = action(u"TodaySummary"_s);
        if (!answered(reply))
            return todayFromDayLog();
        print(reply.arguments().value(1).toString());
        return 0;
    }
    if (verb == u"kinds" && args.size() == 1) {
        const auto kinds = reminderKinds();
        if (!kinds)
            return notRunning();
        for (const auto& [id, title] : *kinds)
            print(id + u'\t' + title);
        return 0;
    }
    if (verb == u"status" && (args.size() == 1 || (args.size() == 2 && args[1] == u"--json"))) {
        const QDBusMessage reply = action(u"Status"_s);
        if (!answered(reply))
            return notRunning();
        const QDBusArgument argument = reply.arguments().value(0).value<QDBusArgument>();
        QVariantMap status;
        argument >> status;
        QJsonObject json;
        for (auto it = status.begin(); it != status.end(); ++it)
            json.insert(it.key(), jsonOf(it.value()));
        if (args.size() == 2) {
            print(QString::fromUtf8(QJsonDocument(json).toJson(QJsonDocument::Compact)));
        } else {
            for (auto it = json.begin(); it != json.end(); ++it)
                print(it.key() + u": "_s + text(it.value()));
        }
        return 0;
    }
    if (verb == u"open" && args.size() == 2) {
        // Anything else would start Brevimar for nothing and still report success.
        const std::optional<UrlCommand> command = UrlCommand::parse(args[1]);
        if (!command || !command->isKnown()) {
            std::fprintf(
                stderr, "%s\n",
                qPrintable(QCoreApplication::translate(
                               "brevimarctl", "brevimarctl: \"%1\" is not a Brevimar link; "
                                              "links are like brevimar://done/water.")
                               .arg(args[1])));
            return 2;
        }
        const QDBusMessage reply = call(u"org.freedesktop.Application"_s, u"Open"_s,
                                        {QStringList{args[1]}, QVariantMap()}, true);
        return answered(reply) ? 0 : notRunning();
    }
    return usageError();
}
