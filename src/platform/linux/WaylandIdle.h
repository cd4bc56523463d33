#pragma once

#include <QElapsedTimer>
#include <QObject>

#include <chrono>
#include <optional>

class WaylandConnection;
struct ext_idle_notification_v1;
struct ext_idle_notifier_v1;
struct org_kde_kwin_idle;
struct org_kde_kwin_idle_timeout;
struct wl_seat;

// Time away as the compositor tells it. The idle protocols do not answer a question: they
// announce that no input came for a timeout, and that input came again, in any window. So the
// timeout is the idle threshold, and the time away is known only past it.
// ext-idle-notify-v1 where the compositor offers it, else KDE's idle protocol (sway 1.7, older
// Plasma).
class WaylandIdle final : public QObject {
    Q_OBJECT

public:
    explicit WaylandIdle(WaylandConnection& connection, QObject* parent = nullptr);
    ~WaylandIdle() override;
    WaylandIdle(const WaylandIdle&) = delete;
    WaylandIdle& operator=(const WaylandIdle&) = delete;

    bool isAvailable() const { return m_seat && (m_notifier || m_kdeIdle); }
    // The protocol that tells the time away, for the log.
    const char* protocolName() const;
    // Announces the time without input from this timeout on; a new one replaces the last.
    void watch(std::chrono::milliseconds timeout);
    // Past the timeout, the time since the last input; before it, zero. None when the
    // compositor tells nothing.
    std::optional<double> idleSeconds() const;

    // The compositor's announcements.
    void setIdle(bool idle);

Q_SIGNALS:
    void changed();

private:
    void dropTimeout();
    void release();

    WaylandConnection& m_connection;
    wl_seat* m_seat = nullptr;
    ext_idle_notifier_v1* m_notifier = nullptr;
    org_kde_kwin_idle* m_kdeIdle = nullptr;
    ext_idle_notification_v1* m_notification = nullptr;
    org_kde_kwin_idle_timeout* m_kdeTimeout = nullptr;
    std::chrono::milliseconds m_timeout{0};
    std::optional<QElapsedTimer> m_idleSince;
};
