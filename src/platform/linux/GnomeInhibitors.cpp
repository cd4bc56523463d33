#include "GnomeInhibitors.h"

#include "platform/Log.h"

#include <QDBusMessage>
#include <QDBusReply>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Asked on the main thread, at start and whenever an inhibitor comes: a hung gnome-session must
// cost a moment, not D-Bus's default 25 seconds.
constexpr int CallTimeoutMs = 200;

// gnome-session's flag for "do not go idle"; the others (log out, switch user, suspend,
// automount) say nothing about someone watching the screen.
constexpr uint IdleFlag = 8;

const QString Service = u"org.gnome.SessionManager"_s;
const QString ManagerPath = u"/org/gnome/SessionManager"_s;
const QString InhibitorInterface = u"org.gnome.SessionManager.Inhibitor"_s;
const QString OwnAppId = u"com.tovanex.Brevimar"_s;

template <typename T>
QDBusReply<T> call(const QDBusConnection& bus, const QString& service, const QString& path,
                   const QString& interface, const QString& method,
                   const QVariantList& arguments = {}) {
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return QDBusReply<T>(bus.call(message, QDBus::Block, CallTimeoutMs));
}

// gnome-session lists its inhibitors in no particular order; each path ends in a serial number
// that grows with every inhibitor.
qulonglong serial(const QString& path) {
    qsizetype digits = path.size();
    while (digits > 0 && path.at(digits - 1).isDigit())
        --digits;
    return path.mid(digits).toULongLong();
}

bool sameAnswer(const std::optional<RunningApplication>& a,
                const std::optional<RunningApplication>& b) {
    if (!a || !b)
        return a.has_value() == b.has_value();
    return a->id == b->id && a->name == b->name;
}

} // namespace

GnomeInhibitors::GnomeInhibitors(QDBusConnection sessionBus, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(sessionBus)) {
    if (!m_bus.isConnected())
        return;
    const QDBusReply<bool> present =
        call<bool>(m_bus, u"org.freedesktop.DBus"_s, u"/org/freedesktop/DBus"_s,
                   u"org.freedesktop.DBus"_s, u"NameHasOwner"_s, {Service});
    if (!present.isValid() || !present.value())
        return;
    m_available = true;

    // Qt finds the slots' parameter types by name, which only a registered type has, and
    // nothing else may have registered this one yet: the connections would fail without a word.
    qRegisterMetaType<QDBusObjectPath>();
    // Followed before the list is read, so that none added in between is missed; one announced
    // and listed both is taken once.
    m_bus.connect(Service, ManagerPath, Service, u"InhibitorAdded"_s, this,
                  SLOT(onInhibitorAdded(QDBusObjectPath)));
    m_bus.connect(Service, ManagerPath, Service, u"InhibitorRemoved"_s, this,
                  SLOT(onInhibitorRemoved(QDBusObjectPath)));
    const QDBusReply<QList<QDBusObjectPath>> current =
        call<QList<QDBusObjectPath>>(m_bus, Service, ManagerPath, Service, u"GetInhibitors"_s);
    if (!current.isValid()) {
        complain(current.error());
        return;
    }
    QStringList paths;
    for (const QDBusObjectPath& path : current.value())
        paths.append(path.path());
    std::ranges::stable_sort(paths, {}, serial);
    for (const QString& path : std::as_const(paths))
        add(path);
}

std::optional<RunningApplication> GnomeInhibitors::idleInhibitor() const {
    if (m_idle.isEmpty())
        return std::nullopt;
    return m_idle.constLast().application;
}

void GnomeInhibitors::onInhibitorAdded(const QDBusObjectPath& path) {
    const std::optional<RunningApplication> before = idleInhibitor();
    add(path.path());
    publish(before);
}

void GnomeInhibitors::onInhibitorRemoved(const QDBusObjectPath& path) {
    const std::optional<RunningApplication> before = idleInhibitor();
    m_idle.removeIf([&](const Inhibitor& inhibitor) { return inhibitor.path == path.path(); });
    publish(before);
}

void GnomeInhibitors::add(const QString& path) {
    for (const Inhibitor& known : std::as_const(m_idle)) {
        if (known.path == path)
            return;
    }
    // An inhibitor released before it is asked about is no fault of the service.
    const auto failed = [this](const QDBusError& error) {
        if (error.isValid() && error.type() != QDBusError::UnknownObject &&
            error.type() != QDBusError::UnknownInterface &&
            error.type() != QDBusError::UnknownMethod)
            complain(error);
        return error.isValid();
    };
    const QDBusReply<uint> flags =
        call<uint>(m_bus, Service, path, InhibitorInterface, u"GetFlags"_s);
    if (failed(flags.error()) || !(flags.value() & IdleFlag))
        return;
    const QDBusReply<QString> reply =
        call<QString>(m_bus, Service, path, InhibitorInterface, u"GetAppId"_s);
    if (failed(reply.error()))
        return;
    // Older applications give their desktop file's name.
    QString appId = reply.value();
    if (appId.endsWith(u".desktop"))
        appId.chop(8);
    const RunningApplication application = applicationFor(appId);
    if (appId == OwnAppId || application.id == OwnAppId)
        return;
    m_idle.append({path, application});
}

// A service that answers badly once will again; one line says so.
void GnomeInhibitors::complain(const QDBusError& error) {
    if (m_complained)
        return;
    m_complained = true;
    Log::write(u"Brevimar workspace: gnome-session does not tell its inhibitors (%1)"_s.arg(
        error.message().simplified()));
}

// As a window's WM_CLASS is matched: the id of a desktop entry, else an entry's StartupWMClass.
RunningApplication GnomeInhibitors::applicationFor(const QString& appId) {
    RunningApplication application;
    application.id = m_entries.contains(appId) ? appId : m_entries.idForWindowClass(appId, {});
    application.name = m_entries.name(application.id);
    if (application.name.isEmpty())
        application.name = appId;
    return application;
}

void GnomeInhibitors::publish(const std::optional<RunningApplication>& before) {
    if (!sameAnswer(before, idleInhibitor()))
        Q_EMIT changed();
}
