#include "NotificationService.h"

#include "engine/RhythmEngine.h"
#include "platform/Log.h"
#include "settings/AppSettings.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTimer>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QString service = u"org.freedesktop.Notifications"_s;
const QString path = u"/org/freedesktop/Notifications"_s;
const QString interface = u"org.freedesktop.Notifications"_s;

QString identifierOf(const NudgeKind& kind) {
    return u"nudge-"_s + kind.id;
}

// Calls asynchronously and hands the reply to done. A call that fails at once (no bus at all)
// never makes a watcher signal, so it is answered here.
void callAsync(QDBusConnection& bus, const QDBusMessage& call, QObject* context,
               std::function<void(const QDBusPendingCall&)> done) {
    const QDBusPendingCall pending = bus.asyncCall(call);
    if (pending.isFinished()) {
        done(pending);
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(pending, context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context,
                     [done = std::move(done)](QDBusPendingCallWatcher* w) {
                         w->deleteLater();
                         done(*w);
                     });
}

} // namespace

NotificationService::NotificationService(QDBusConnection bus, AppSettings& settings,
                                         QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus))
    , m_settings(settings)
    , m_idsFile(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) +
                u"/brevimar-notifications.json"_s) {
    closeEarlierRun();
    // Answers arrive as signals on the connection that sent the notifications.
    m_bus.connect(service, path, interface, u"ActionInvoked"_s, this,
                  SLOT(actionInvoked(uint, QString)));
    m_bus.connect(service, path, interface, u"NotificationClosed"_s, this,
                  SLOT(notificationClosed(uint, uint)));
    // A server that restarts numbers its notifications afresh: the ids of the one before are
    // nobody's, or another program's, and must neither be replaced, closed nor answered.
    auto* watcher =
        new QDBusServiceWatcher(service, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this, [this] {
        m_serverIDs.clear();
        keepIDs();
        m_bodyMarkup.reset(); // and the next may read the body otherwise
    });
}

// Their buttons would answer nobody, and the next run could neither replace nor close them.
NotificationService::~NotificationService() {
    if (m_serverIDs.isEmpty() || !m_bus.isConnected())
        return;
    for (const uint id : std::as_const(m_serverIDs)) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(service, path, interface, u"CloseNotification"_s);
        call.setArguments({id});
        m_bus.send(call);
    }
    // Messages leave in order: once the bus has answered a question asked after them, they have
    // reached it, whenever the process ends.
    m_bus.interface()->isServiceRegistered(service);
    QFile::remove(m_idsFile);
}

// The ids are closed only while the server that gave them still runs: a server started since
// numbers afresh, and the same ids may be another program's.
void NotificationService::closeEarlierRun() {
    QFile file(m_idsFile);
    if (!m_bus.isConnected() || !file.open(QIODevice::ReadOnly))
        return;
    const QJsonObject kept = QJsonDocument::fromJson(file.readAll()).object();
    file.remove();
    const QString owner = m_bus.interface()->serviceOwner(service);
    if (owner.isEmpty() || kept.value(u"server"_s).toString() != serverKey(owner))
        return;
    const QJsonObject ids = kept.value(u"ids"_s).toObject();
    for (auto id = ids.begin(); id != ids.end(); ++id)
        close(uint(id.value().toInteger()));
}

// Unique names are numbered afresh by each bus, so the bus's own id goes with the name.
QString NotificationService::serverKey(const QString& uniqueName) {
    if (m_busID.isEmpty()) {
        const QDBusMessage call =
            QDBusMessage::createMethodCall(u"org.freedesktop.DBus"_s, u"/org/freedesktop/DBus"_s,
                                           u"org.freedesktop.DBus"_s, u"GetId"_s);
        const QDBusMessage reply = m_bus.call(call);
        if (reply.type() == QDBusMessage::ReplyMessage && !reply.arguments().isEmpty())
            m_busID = reply.arguments().constFirst().toString();
    }
    return m_busID + u' ' + uniqueName;
}

void NotificationService::keepIDs() {
    if (m_serverIDs.isEmpty()) {
        QFile::remove(m_idsFile);
        return;
    }
    QJsonObject ids;
    for (auto id = m_serverIDs.cbegin(); id != m_serverIDs.cend(); ++id)
        ids.insert(id.key(), qint64(id.value()));
    QSaveFile file(m_idsFile);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(QJsonDocument(QJsonObject{{u"server"_s, m_server}, {u"ids"_s, ids}})
                       .toJson(QJsonDocument::Compact));
        file.commit();
    }
}

void NotificationService::requestAuthorization() {
    const QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, interface, u"GetCapabilities"_s);
    callAsync(m_bus, call, this, [this](const QDBusPendingCall& pending) {
        const QDBusPendingReply<QStringList> reply = pending;
        learnCapabilities(reply);
        const bool reachable = !reply.isError();
        // Without the actions capability the buttons never show, so reminders cannot be answered.
        const bool granted = reachable && reply.value().contains(u"actions"_s);
        Log::write(u"Brevimar notification authorization granted=%1 error=%2"_s.arg(
            granted ? u"true"_s : u"false"_s, reachable ? u"none"_s : reply.error().message()));
        Log::write(u"Brevimar notification settings status=%1 alert=%2"_s.arg(granted ? 2 : 1)
                       .arg(reachable ? 2 : 0));
    });
}

// Servers that read markup in the body (dunst, Plasma) would take a "<" or "&" in a reminder's
// own message for it, so the body is escaped for them, and only for them. Deliveries wait for the
// answer.
void NotificationService::askCapabilities() {
    const QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, interface, u"GetCapabilities"_s);
    callAsync(m_bus, call, this,
              [this](const QDBusPendingCall& pending) { learnCapabilities(pending); });
}

void NotificationService::learnCapabilities(const QDBusPendingReply<QStringList>& reply) {
    m_bodyMarkup = !reply.isError() && reply.value().contains(u"body-markup"_s);
    for (const auto& post : std::exchange(m_awaitingCapabilities, {}))
        post();
}

void NotificationService::deliver(const NudgeKind& kind, const std::optional<QString>& reason) {
    // Notifications have no subtitle: the reason goes first in the body.
    const QString body = reason ? *reason + u'\n' + kind.notificationBody : kind.notificationBody;
    const QStringList actions{u"done"_s, tr("Done"),          u"snooze"_s, tr("Snooze 10 min"),
                              u"free"_s, tr("When I'm free"), u"skip"_s,   tr("Skip")};
    notify(identifierOf(kind), kind.notificationTitle, body, actions, m_settings.soundEnabled(),
           u"nudge "_s + kind.id);
}

void NotificationService::deliverWindDown(const QString& summary) {
    notify(u"winddown"_s, tr("Want to wrap up?"), tr("Today: %1.").arg(summary), {}, false,
           u"wind-down"_s);
}

void NotificationService::deliverWeeklyReport(const QString& text) {
    notify(u"weekly-report"_s, tr("Your week"), text, {}, false, u"weekly report"_s);
}

void NotificationService::deliverNotice(const QString& title, const QString& body) {
    notify(u"notice"_s, title, body, {}, false, u"notice"_s);
}

void NotificationService::notify(const QString& identifier, const QString& title,
                                 const QString& body, const QStringList& actions, bool sound,
                                 const QString& logName) {
    QVariantMap hints{{u"desktop-entry"_s, u"com.tovanex.Brevimar"_s},
                      {u"urgency"_s, QVariant::fromValue(uchar(1))}};
    if (sound)
        hints.insert(u"sound-name"_s, u"message-new-instant"_s);
    else
        hints.insert(u"suppress-sound"_s, true);
    const QList<QVariant> arguments{
        u"Brevimar"_s, uint(0), u"com.tovanex.Brevimar"_s, title, body, actions, hints, qint32(-1)};
    delete m_pending.take(identifier);
    // While Brevimar itself is in front, the notification comes a second later, so it does not
    // land under the pointer of a click that was meant for Brevimar's own window.
    if (QGuiApplication::applicationState() != Qt::ApplicationActive) {
        send(identifier, arguments, logName);
        return;
    }
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [=, this] {
        m_pending.remove(identifier);
        timer->deleteLater();
        send(identifier, arguments, logName);
    });
    m_pending.insert(identifier, timer);
    timer->start(1000);
}

void NotificationService::send(const QString& identifier, const QList<QVariant>& arguments,
                               const QString& logName) {
    // One live notification per identifier: while the server has not told the id of the last
    // one, a new Notify could not replace it, so the newest delivery waits for that answer.
    if (const auto flight = m_inFlight.find(identifier); flight != m_inFlight.end()) {
        flight->next = arguments;
        flight->nextLogName = logName;
        return;
    }
    m_inFlight.insert(identifier, {});
    if (m_bodyMarkup) {
        post(identifier, arguments, logName);
        return;
    }
    m_awaitingCapabilities.append([=, this] { post(identifier, arguments, logName); });
    if (m_awaitingCapabilities.size() == 1)
        askCapabilities();
}

void NotificationService::post(const QString& identifier, const QList<QVariant>& arguments,
                               const QString& logName) {
    if (m_inFlight.value(identifier).cleared) { // answered while the server was asked
        const InFlight flight = m_inFlight.take(identifier);
        if (!flight.next.isEmpty())
            send(identifier, flight.next, flight.nextLogName);
        return;
    }
    QList<QVariant> args = arguments;
    args[1] = m_serverIDs.value(identifier, 0); // replaces the kind's earlier notification
    if (*m_bodyMarkup)
        args[4] = args[4].toString().toHtmlEscaped();
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, u"Notify"_s);
    call.setArguments(args);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [=, this](QDBusPendingCallWatcher* w) {
                const QDBusPendingReply<uint> reply = *w;
                w->deleteLater();
                const InFlight flight = m_inFlight.take(identifier);
                if (reply.isError()) {
                    const QString failed =
                        logName.startsWith(u"nudge"_s) ? u" not delivered: "_s : u" failed: "_s;
                    Log::write(u"Brevimar "_s + logName + failed + reply.error().message());
                } else if (flight.cleared) {
                    // Answered or taken back while on its way: it must not stay on screen.
                    close(reply.value());
                } else {
                    m_server = serverKey(reply.reply().service());
                    m_serverIDs.insert(identifier, reply.value());
                    keepIDs();
                    Log::write(u"Brevimar "_s + logName + u" delivered"_s);
                }
                if (!flight.next.isEmpty())
                    send(identifier, flight.next, flight.nextLogName);
            });
}

void NotificationService::clear(const NudgeKind& kind) {
    const QString identifier = identifierOf(kind);
    delete m_pending.take(identifier);
    if (const auto flight = m_inFlight.find(identifier); flight != m_inFlight.end()) {
        flight->cleared = true;
        flight->next.clear();
    }
    if (const auto id = m_serverIDs.constFind(identifier); id != m_serverIDs.constEnd()) {
        close(*id);
        m_serverIDs.erase(id);
        keepIDs();
    }
}

void NotificationService::close(uint id) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(service, path, interface, u"CloseNotification"_s);
    call.setArguments({id});
    m_bus.asyncCall(call);
}

void NotificationService::actionInvoked(uint id, const QString& action) {
    const QString identifier = m_serverIDs.key(id);
    if (!identifier.startsWith(u"nudge-"_s) || !m_engine)
        return;
    const QString kindID = identifier.mid(6);
    const QList<NudgeKind> kinds = m_engine->kinds();
    const auto kind = std::find_if(kinds.begin(), kinds.end(),
                                   [&](const NudgeKind& k) { return k.id == kindID; });
    if (kind == kinds.end())
        return; // a custom reminder deleted since
    if (action == u"done")
        m_engine->done(*kind);
    else if (action == u"snooze")
        m_engine->snooze(*kind, 10);
    else if (action == u"free")
        m_engine->untilFree(*kind);
    else if (action == u"skip")
        m_engine->skip(*kind);
}

void NotificationService::notificationClosed(uint id, uint) {
    const QString identifier = m_serverIDs.key(id);
    if (!identifier.isEmpty()) {
        m_serverIDs.remove(identifier);
        keepIDs();
    }
}
