#include "PortalKeyGrabber.h"

#include "platform/Log.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

using namespace Qt::StringLiterals;

namespace {

const QString portalService = u"org.freedesktop.portal.Desktop"_s;
const QString portalPath = u"/org/freedesktop/portal/desktop"_s;
const QString shortcutsInterface = u"org.freedesktop.portal.GlobalShortcuts"_s;

// One entry of the portal's shortcut lists: the id and its properties.
struct PortalShortcut {
    QString id;
    QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut) {
    argument.beginStructure();
    argument << shortcut.id << shortcut.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut) {
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.properties;
    argument.endStructure();
    return argument;
}

// Receives the Response signal of one request object, then goes away.
class PendingRequest : public QObject {
    Q_OBJECT

public:
    PendingRequest(QDBusConnection bus, std::function<void(uint, const QVariantMap&)> answer,
                   QObject* parent)
        : QObject(parent)
        , m_bus(std::move(bus))
        , m_answer(std::move(answer)) {}

    void listen(const QString& path) {
        if (!m_path.isEmpty())
            m_bus.disconnect(portalService, m_path, u"org.freedesktop.portal.Request"_s,
                             u"Response"_s, this, SLOT(response(uint, QVariantMap)));
        m_path = path;
        m_bus.connect(portalService, m_path, u"org.freedesktop.portal.Request"_s, u"Response"_s,
                      this, SLOT(response(uint, QVariantMap)));
    }
    const QString& path() const { return m_path; }

public Q_SLOTS:
    void response(uint code, const QVariantMap& results) {
        m_bus.disconnect(portalService, m_path, u"org.freedesktop.portal.Request"_s, u"Response"_s,
                         this, SLOT(response(uint, QVariantMap)));
        deleteLater();
        m_answer(code, results);
    }

private:
    QDBusConnection m_bus;
    std::function<void(uint, const QVariantMap&)> m_answer;
    QString m_path;
};

} // namespace

Q_DECLARE_METATYPE(PortalShortcut)

PortalKeyGrabber::PortalKeyGrabber(const QDBusConnection& bus, const QString& appId,
                                   QObject* parent)
    : KeyGrabber(parent)
    , m_bus(bus)
    , m_appId(appId) {
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    // Qt D-Bus finds the slot's argument types by name, and knows this one's only once it is
    // registered.
    qRegisterMetaType<QDBusObjectPath>();
    m_bus.connect(portalService, portalPath, shortcutsInterface, u"Activated"_s, this,
                  SLOT(activated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
    m_bus.connect(portalService, portalPath, shortcutsInterface, u"Deactivated"_s, this,
                  SLOT(deactivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
}

void PortalKeyGrabber::grab(const QList<GlobalShortcut>& shortcuts) {
    // A program outside a sandbox tells the portal which application it is before anything else;
    // portals too old to know this answer with an error, which changes nothing.
    if (!std::exchange(m_registered, true)) {
        m_bus.asyncCall(QDBusMessage::createMethodCall(portalService, portalPath,
                                                       u"org.freedesktop.host.portal.Registry"_s,
                                                       u"Register"_s)
                        << m_appId << QVariantMap());
    }
    const quint64 generation = m_generation;
    request(u"CreateSession"_s, {},
            [this, generation, shortcuts](uint code, const QVariantMap& results) {
                const QString session = results.value(u"session_handle"_s).toString();
                if (generation != m_generation) {
                    closeSession(session);
                    return;
                }
                if (code != 0 || session.isEmpty()) {
                    fail(u"the desktop did not open a shortcuts session"_s);
                    return;
                }
                m_session = session;
                bind(shortcuts);
            });
}

void PortalKeyGrabber::bind(const QList<GlobalShortcut>& shortcuts) {
    QList<PortalShortcut> wanted;
    for (const GlobalShortcut& shortcut : shortcuts) {
        wanted.append({shortcut.id,
                       {{u"description"_s, shortcut.description},
                        {u"preferred_trigger"_s, u"CTRL+ALT+LOGO+"_s + shortcut.letter}}});
    }
    const quint64 generation = m_generation;
    request(
        u"BindShortcuts"_s,
        {QVariant::fromValue(QDBusObjectPath(m_session)), QVariant::fromValue(wanted), QString()},
        [this, generation](uint code, const QVariantMap& results) {
            if (generation != m_generation)
                return;
            if (code == 1) {
                fail(u"the shortcuts were declined"_s);
                return;
            }
            if (code != 0) {
                fail(u"the desktop did not bind the shortcuts"_s);
                return;
            }
            QStringList ids;
            const auto bound = qdbus_cast<QList<PortalShortcut>>(results.value(u"shortcuts"_s));
            for (const PortalShortcut& shortcut : bound)
                ids.append(shortcut.id);
            Q_EMIT grabbed(ids);
        });
}

void PortalKeyGrabber::release() {
    ++m_generation;
    m_held.clear();
    closeSession(std::exchange(m_session, QString()));
}

void PortalKeyGrabber::closeSession(const QString& session) {
    if (session.isEmpty())
        return;
    m_bus.asyncCall(QDBusMessage::createMethodCall(
        portalService, session, u"org.freedesktop.portal.Session"_s, u"Close"_s));
}

// Some desktops repeat Activated while the keys are held; the shortcut counts again only after
// its Deactivated, or once a desktop that never sends that has been quiet about it for a while.
void PortalKeyGrabber::activated(const QDBusObjectPath& session, const QString& id,
                                 qulonglong timestamp, const QVariantMap&) {
    if (m_session.isEmpty() || session.path() != m_session)
        return;
    const auto held = m_held.constFind(id);
    const bool repeat = held != m_held.constEnd() && timestamp - *held < KeyRepeatGapMs;
    m_held.insert(id, timestamp);
    if (!repeat)
        Q_EMIT pressed(id);
}

void PortalKeyGrabber::deactivated(const QDBusObjectPath& session, const QString& id, qulonglong,
                                   const QVariantMap&) {
    if (session.path() == m_session)
        m_held.remove(id);
}

void PortalKeyGrabber::request(const QString& method, QVariantList arguments, Answer answer) {
    // The request object's path can be told in advance, so its answer cannot slip past unheard.
    const QString token = u"brevimar%1"_s.arg(++m_requests);
    QString sender = m_bus.baseService().mid(1);
    sender.replace(u'.', u'_');
    auto* pending = new PendingRequest(m_bus, std::move(answer), this);
    pending->listen(u"%1/request/%2/%3"_s.arg(portalPath, sender, token));

    QVariantMap options{{u"handle_token"_s, token}};
    if (method == u"CreateSession")
        options.insert(u"session_handle_token"_s, token);
    arguments.append(options);
    QDBusMessage call =
        QDBusMessage::createMethodCall(portalService, portalPath, shortcutsInterface, method);
    call.setArguments(arguments);
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), pending);
    const quint64 generation = m_generation;
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [=, this] {
        const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        watcher->deleteLater();
        if (reply.isError()) {
            pending->deleteLater();
            if (generation == m_generation)
                fail(u"the desktop offers no global shortcuts (%1)"_s.arg(reply.error().message()));
            return;
        }
        // An older portal may have chosen another path.
        if (reply.value().path() != pending->path())
            pending->listen(reply.value().path());
    });
}

void PortalKeyGrabber::fail(const QString& why) {
    Log::write(u"Brevimar shortcuts: "_s + why);
    Q_EMIT grabbed({});
}

#include "PortalKeyGrabber.moc"
