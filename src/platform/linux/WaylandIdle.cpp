#include "WaylandIdle.h"

#include "WaylandConnection.h"

#include <wayland-client.h>

#include "ext-idle-notify-v1-client.h"
#include "idle-client.h"

namespace {

void onExtIdled(void* data, ext_idle_notification_v1*) {
    static_cast<WaylandIdle*>(data)->setIdle(true);
}

void onExtResumed(void* data, ext_idle_notification_v1*) {
    static_cast<WaylandIdle*>(data)->setIdle(false);
}

const ext_idle_notification_v1_listener extListener{onExtIdled, onExtResumed};

void onKdeIdle(void* data, org_kde_kwin_idle_timeout*) {
    static_cast<WaylandIdle*>(data)->setIdle(true);
}

void onKdeResumed(void* data, org_kde_kwin_idle_timeout*) {
    static_cast<WaylandIdle*>(data)->setIdle(false);
}

const org_kde_kwin_idle_timeout_listener kdeListener{onKdeIdle, onKdeResumed};

} // namespace

WaylandIdle::WaylandIdle(WaylandConnection& connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection) {
    m_notifier =
        static_cast<ext_idle_notifier_v1*>(connection.bind(ext_idle_notifier_v1_interface, 1));
    if (!m_notifier)
        m_kdeIdle =
            static_cast<org_kde_kwin_idle*>(connection.bind(org_kde_kwin_idle_interface, 1));
    if (m_notifier || m_kdeIdle)
        m_seat = static_cast<wl_seat*>(connection.bind(wl_seat_interface, 1));
    connect(&connection, &WaylandConnection::lost, this, [this] {
        const bool wasIdle = m_idleSince.has_value();
        release();
        if (m_seat)
            wl_seat_destroy(m_seat);
        m_seat = nullptr;
        if (wasIdle)
            Q_EMIT changed();
    });
}

WaylandIdle::~WaylandIdle() {
    release();
    if (m_seat)
        wl_seat_destroy(m_seat);
}

void WaylandIdle::dropTimeout() {
    if (m_notification)
        ext_idle_notification_v1_destroy(m_notification);
    if (m_kdeTimeout)
        org_kde_kwin_idle_timeout_release(m_kdeTimeout);
    m_notification = nullptr;
    m_kdeTimeout = nullptr;
    m_idleSince.reset();
}

void WaylandIdle::release() {
    dropTimeout();
    if (m_notifier)
        ext_idle_notifier_v1_destroy(m_notifier);
    if (m_kdeIdle)
        org_kde_kwin_idle_destroy(m_kdeIdle);
    m_notifier = nullptr;
    m_kdeIdle = nullptr;
}

const char* WaylandIdle::protocolName() const {
    return m_notifier ? "ext-idle-notify-v1" : "org_kde_kwin_idle";
}

void WaylandIdle::watch(std::chrono::milliseconds timeout) {
    if (!isAvailable() || timeout == m_timeout)
        return;
    m_timeout = timeout;
    // The new timeout counts from now on; an idle state of the old one no longer holds.
    const bool wasIdle = m_idleSince.has_value();
    dropTimeout();
    const auto ms = std::uint32_t(timeout.count());
    if (m_notifier) {
        m_notification = ext_idle_notifier_v1_get_idle_notification(m_notifier, ms, m_seat);
        ext_idle_notification_v1_add_listener(m_notification, &extListener, this);
    } else {
        m_kdeTimeout = org_kde_kwin_idle_get_idle_timeout(m_kdeIdle, m_seat, ms);
        org_kde_kwin_idle_timeout_add_listener(m_kdeTimeout, &kdeListener, this);
    }
    m_connection.flush();
    if (wasIdle)
        Q_EMIT changed();
}

std::optional<double> WaylandIdle::idleSeconds() const {
    if (!isAvailable())
        return std::nullopt;
    if (!m_idleSince)
        return 0.0;
    return double(m_timeout.count() + m_idleSince->elapsed()) / 1000.0;
}

void WaylandIdle::setIdle(bool idle) {
    if (idle == m_idleSince.has_value())
        return;
    if (idle)
        m_idleSince.emplace().start();
    else
        m_idleSince.reset();
    Q_EMIT changed();
}
