#include "WaylandConnection.h"

#include "platform/Log.h"

#include <QSocketNotifier>

#include <wayland-client.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

namespace {

void onGlobal(void* data, wl_registry*, std::uint32_t name, const char* interface,
              std::uint32_t version) {
    static_cast<QList<WaylandConnection::Global>*>(data)->append(
        {name, QString::fromUtf8(interface), version});
}

void onGlobalRemove(void* data, wl_registry*, std::uint32_t name) {
    static_cast<QList<WaylandConnection::Global>*>(data)->removeIf(
        [name](const WaylandConnection::Global& global) { return global.name == name; });
}

const wl_registry_listener registryListener{onGlobal, onGlobalRemove};

} // namespace

WaylandConnection::WaylandConnection(QObject* parent)
    : QObject(parent) {
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return;
    m_display = wl_display_connect(nullptr);
    if (!m_display) {
        Log::write(u"Brevimar cannot connect to the Wayland compositor (%1)"_s.arg(
            QString::fromLocal8Bit(std::strerror(errno))));
        return;
    }
    m_registry = wl_display_get_registry(m_display);
    wl_registry_add_listener(m_registry, &registryListener, &m_globals);
    roundtrip();
    if (!m_display)
        return;
    m_notifier = new QSocketNotifier(wl_display_get_fd(m_display), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &WaylandConnection::readEvents);
}

WaylandConnection::~WaylandConnection() {
    if (m_registry)
        wl_registry_destroy(m_registry);
    if (m_display)
        wl_display_disconnect(m_display);
}

bool WaylandConnection::offers(const wl_interface& interface) const {
    return std::any_of(m_globals.begin(), m_globals.end(), [&](const Global& global) {
        return global.interface == QLatin1StringView(interface.name);
    });
}

void* WaylandConnection::bind(const wl_interface& interface, std::uint32_t maxVersion) {
    for (const Global& global : std::as_const(m_globals)) {
        if (global.interface == QLatin1StringView(interface.name))
            return bind(global, interface, maxVersion);
    }
    return nullptr;
}

void* WaylandConnection::bind(const Global& global, const wl_interface& interface,
                              std::uint32_t maxVersion) {
    if (!m_registry)
        return nullptr;
    return wl_registry_bind(m_registry, global.name, &interface,
                            std::min(global.version, maxVersion));
}

void WaylandConnection::flush() {
    if (m_display && wl_display_flush(m_display) < 0 && errno != EAGAIN)
        checkError();
}

void WaylandConnection::roundtrip() {
    if (m_display && wl_display_roundtrip(m_display) < 0)
        checkError();
}

void WaylandConnection::readEvents() {
    if (!m_display)
        return;
    while (wl_display_prepare_read(m_display) != 0)
        wl_display_dispatch_pending(m_display);
    wl_display_flush(m_display);
    // The socket is readable, so this does not wait.
    if (wl_display_read_events(m_display) < 0 || wl_display_dispatch_pending(m_display) < 0)
        checkError();
}

// Once the connection fails, every object on it is dead: it is let go at once so that nothing
// uses it again, and whoever kept state from it hears so.
bool WaylandConnection::checkError() {
    const int error = wl_display_get_error(m_display);
    if (error == 0)
        return false;
    Log::write(u"Brevimar lost the Wayland compositor (%1)"_s.arg(
        QString::fromLocal8Bit(std::strerror(error))));
    delete m_notifier;
    m_notifier = nullptr;
    Q_EMIT lost();
    wl_registry_destroy(m_registry);
    m_registry = nullptr;
    wl_display_disconnect(m_display);
    m_display = nullptr;
    m_globals.clear();
    return true;
}
