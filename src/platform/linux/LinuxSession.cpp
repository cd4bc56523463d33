#include "LinuxSession.h"

#include "DoNotDisturb.h"
#include "WaylandConnection.h"
#include "WaylandIdle.h"
#include "platform/Log.h"

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include <xcb/screensaver.h>
#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The idle time is asked for on every poll of the main thread; a missing or hung service must
// cost a moment, not D-Bus's default 25 seconds.
constexpr int CallTimeoutMs = 200;

const QString LoginService = u"org.freedesktop.login1"_s;
const QString LoginPath = u"/org/freedesktop/login1"_s;
const QString LoginManager = u"org.freedesktop.login1.Manager"_s;
const QString LoginSession = u"org.freedesktop.login1.Session"_s;
const QString Properties = u"org.freedesktop.DBus.Properties"_s;
const QString LockedHint = u"LockedHint"_s;
const QString FreedesktopScreenSaver = u"org.freedesktop.ScreenSaver"_s;
const QString GnomeScreenSaver = u"org.gnome.ScreenSaver"_s;

QDBusMessage call(const QDBusConnection& bus, const QString& service, const QString& path,
                  const QString& interface, const QString& method,
                  const QVariantList& arguments = {}) {
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return bus.call(message, QDBus::Block, CallTimeoutMs);
}

std::optional<QVariant> firstReplyArgument(const QDBusMessage& reply) {
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    return reply.arguments().constFirst();
}

std::optional<std::uint64_t> millisecondsFrom(const QDBusMessage& reply) {
    const std::optional<QVariant> value = firstReplyArgument(reply);
    if (!value)
        return std::nullopt;
    bool ok = false;
    const qulonglong ms = value->toULongLong(&ok);
    if (!ok)
        return std::nullopt;
    return ms;
}

std::optional<QString> objectPathFrom(const QDBusMessage& reply) {
    const std::optional<QVariant> value = firstReplyArgument(reply);
    if (!value || value->metaType() != QMetaType::fromType<QDBusObjectPath>())
        return std::nullopt;
    return value->value<QDBusObjectPath>().path();
}

} // namespace

LinuxSession::LinuxSession(QDBusConnection sessionBus, QDBusConnection systemBus,
                           const QString& xDisplay, WaylandConnection* wayland, QObject* parent)
    : SessionEvents(parent)
    , m_sessionBus(std::move(sessionBus))
    , m_systemBus(std::move(systemBus)) {
    if (wayland && wayland->isConnected()) {
        m_waylandIdle = std::make_unique<WaylandIdle>(*wayland);
        if (m_waylandIdle->isAvailable())
            connect(m_waylandIdle.get(), &WaylandIdle::changed, this, &SessionEvents::idleChanged);
        else
            m_waylandIdle.reset();
    }
    if (!xDisplay.isEmpty())
        openDisplay(xDisplay);

    m_systemBus.connect(LoginService, LoginPath, LoginManager, u"PrepareForSleep"_s, this,
                        SLOT(onPrepareForSleep(bool)));
    // KDE sends ActiveChanged on /ScreenSaver as well as on the freedesktop path, so any path of
    // the owner counts; the repeats are absorbed by setLocked.
    m_sessionBus.connect(FreedesktopScreenSaver, QString(), FreedesktopScreenSaver,
                         u"ActiveChanged"_s, this, SLOT(onScreenSaverActiveChanged(bool)));
    m_sessionBus.connect(GnomeScreenSaver, QString(), GnomeScreenSaver, u"ActiveChanged"_s, this,
                         SLOT(onScreenSaverActiveChanged(bool)));
    watchLogindSession();
    m_doNotDisturb = std::make_unique<DoNotDisturb>(m_sessionBus);
    connect(m_doNotDisturb.get(), &DoNotDisturb::changed, this,
            &SessionEvents::doNotDisturbChanged);
}

LinuxSession::~LinuxSession() {
    if (m_x)
        xcb_disconnect(m_x);
}

QString LinuxSession::idleDisplayFromEnvironment() {
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
        qEnvironmentVariable("XDG_SESSION_TYPE") == u"wayland")
        return {};
    return qEnvironmentVariable("DISPLAY");
}

void LinuxSession::openDisplay(const QString& name) {
    int screenNumber = 0;
    xcb_connection_t* x = xcb_connect(name.toLocal8Bit().constData(), &screenNumber);
    if (xcb_connection_has_error(x)) {
        Log::write(u"Brevimar session cannot open the X display %1"_s.arg(name));
        xcb_disconnect(x);
        return;
    }
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(x, &xcb_screensaver_id);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (!extension || !extension->present || screens.rem == 0) {
        Log::write(u"Brevimar session the X display %1 has no screen saver extension"_s.arg(name));
        xcb_disconnect(x);
        return;
    }
    m_x = x;
    m_xRoot = screens.data->root;
}

void LinuxSession::watchLogindSession() {
    std::optional<QString> path = objectPathFrom(
        call(m_systemBus, LoginService, LoginPath, LoginManager, u"GetSession"_s, {u"auto"_s}));
    // Older logind knows no "auto"; when the desktop started us, the session of this process is
    // the same one.
    if (!path)
        path = objectPathFrom(call(m_systemBus, LoginService, LoginPath, LoginManager,
                                   u"GetSessionByPID"_s, {uint(getpid())}));
    if (!path) {
        Log::write(u"Brevimar session no logind session; the lock comes from the screen saver"_s);
        return;
    }
    m_loginSessionPath = *path;
    m_systemBus.connect(LoginService, m_loginSessionPath, Properties, u"PropertiesChanged"_s, this,
                        SLOT(onSessionPropertiesChanged(QString, QVariantMap, QStringList)));
    // Started while locked, the first unlock is the change that matters; nothing is announced
    // for a state nobody could have subscribed to yet.
    m_locked = readLockedHint().value_or(false);
}

std::optional<bool> LinuxSession::readLockedHint() const {
    const std::optional<QVariant> value =
        firstReplyArgument(call(m_systemBus, LoginService, m_loginSessionPath, Properties, u"Get"_s,
                                {LoginSession, LockedHint}));
    if (!value || value->metaType() != QMetaType::fromType<QDBusVariant>())
        return std::nullopt;
    const QVariant hint = value->value<QDBusVariant>().variant();
    if (hint.metaType() != QMetaType::fromType<bool>())
        return std::nullopt;
    return hint.toBool();
}

void LinuxSession::onSessionPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                              const QStringList& invalidated) {
    if (interface != LoginSession)
        return;
    const auto hint = changed.constFind(LockedHint);
    if (hint != changed.constEnd()) {
        setLocked(hint->toBool());
    } else if (invalidated.contains(LockedHint)) {
        if (const std::optional<bool> locked = readLockedHint())
            setLocked(*locked);
    }
}

void LinuxSession::onScreenSaverActiveChanged(bool active) {
    setLocked(active);
}

void LinuxSession::onPrepareForSleep(bool start) {
    if (!start)
        Q_EMIT woke();
}

// logind and the screen savers usually report the same lock, in either order.
void LinuxSession::setLocked(bool locked) {
    if (locked == m_locked)
        return;
    m_locked = locked;
    if (locked)
        Q_EMIT screenLocked();
    else
        Q_EMIT screenUnlocked();
}

std::optional<bool> LinuxSession::doNotDisturb() const {
    return m_doNotDisturb->isOn();
}

void LinuxSession::watchIdle(double thresholdSeconds) {
    // A second past the threshold, so that at the announcement the time away is already more
    // than the threshold and holds at once.
    if (m_waylandIdle)
        m_waylandIdle->watch(std::chrono::milliseconds(qint64(thresholdSeconds * 1000) + 1000));
}

QString LinuxSession::idleSourceName() const {
    if (m_waylandIdle && m_waylandIdle->isAvailable())
        return QString::fromLatin1(m_waylandIdle->protocolName());
    if (!idleSeconds())
        return u"none"_s;
    switch (m_idleSource) {
    case IdleSource::X11:
        return u"X11"_s;
    case IdleSource::Mutter:
        return u"org.gnome.Mutter.IdleMonitor"_s;
    case IdleSource::ScreenSaver:
    case IdleSource::ScreenSaverRoot:
        return u"org.freedesktop.ScreenSaver"_s;
    }
    return u"none"_s;
}

std::optional<double> LinuxSession::idleSeconds() const {
    if (m_waylandIdle && m_waylandIdle->isAvailable())
        return m_waylandIdle->idleSeconds();
    static constexpr std::array sources{IdleSource::X11, IdleSource::Mutter,
                                        IdleSource::ScreenSaver, IdleSource::ScreenSaverRoot};
    // The source that answered last time is asked first, so a desktop without the earlier ones
    // does not pay for their failures on every poll.
    std::optional<std::uint64_t> ms = idleMilliseconds(m_idleSource);
    for (auto source = sources.begin(); !ms && source != sources.end(); ++source) {
        if (*source == m_idleSource)
            continue;
        ms = idleMilliseconds(*source);
        if (ms)
            m_idleSource = *source;
    }
    if (!ms)
        return std::nullopt;
    return double(*ms) / 1000.0;
}

std::optional<std::uint64_t> LinuxSession::idleMilliseconds(IdleSource source) const {
    switch (source) {
    case IdleSource::X11: {
        if (!m_x || xcb_connection_has_error(m_x))
            return std::nullopt;
        // Taking the error here keeps it out of the event queue, which nobody reads.
        xcb_generic_error_t* error = nullptr;
        xcb_screensaver_query_info_reply_t* reply =
            xcb_screensaver_query_info_reply(m_x, xcb_screensaver_query_info(m_x, m_xRoot), &error);
        std::free(error);
        if (!reply)
            return std::nullopt;
        const std::uint64_t ms = reply->ms_since_user_input;
        std::free(reply);
        return ms;
    }
    case IdleSource::Mutter:
        return millisecondsFrom(call(m_sessionBus, u"org.gnome.Mutter.IdleMonitor"_s,
                                     u"/org/gnome/Mutter/IdleMonitor/Core"_s,
                                     u"org.gnome.Mutter.IdleMonitor"_s, u"GetIdletime"_s));
    case IdleSource::ScreenSaver:
        return millisecondsFrom(call(m_sessionBus, FreedesktopScreenSaver,
                                     u"/org/freedesktop/ScreenSaver"_s, FreedesktopScreenSaver,
                                     u"GetSessionIdleTime"_s));
    case IdleSource::ScreenSaverRoot:
        return millisecondsFrom(call(m_sessionBus, FreedesktopScreenSaver, u"/ScreenSaver"_s,
                                     FreedesktopScreenSaver, u"GetSessionIdleTime"_s));
    }
    return std::nullopt;
}
