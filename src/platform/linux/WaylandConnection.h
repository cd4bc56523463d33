#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <cstdint>

struct wl_display;
struct wl_interface;
struct wl_registry;
class QSocketNotifier;

// A connection of Brevimar's own to the Wayland compositor, beside the XWayland one its windows
// are drawn through: the compositor tells on it what XWayland cannot, the idle time and the
// windows of native applications. Events are read as they arrive on the socket; nothing polls.
class WaylandConnection final : public QObject {
    Q_OBJECT

public:
    struct Global {
        std::uint32_t name = 0;
        QString interface;
        std::uint32_t version = 0;
    };

    // Connects to $WAYLAND_DISPLAY; without one, or when the compositor refuses, it is not
    // connected and binds nothing.
    explicit WaylandConnection(QObject* parent = nullptr);
    ~WaylandConnection() override;
    WaylandConnection(const WaylandConnection&) = delete;
    WaylandConnection& operator=(const WaylandConnection&) = delete;

    bool isConnected() const { return m_display != nullptr; }
    wl_display* display() const { return m_display; }

    // The globals the compositor offered at the start.
    const QList<Global>& globals() const { return m_globals; }
    bool offers(const wl_interface& interface) const;
    // Binds the first global of that interface at its version, at most maxVersion; null when
    // the compositor offers none.
    void* bind(const wl_interface& interface, std::uint32_t maxVersion);
    // Binds one global by its name, for interfaces offered more than once (outputs).
    void* bind(const Global& global, const wl_interface& interface, std::uint32_t maxVersion);

    // Sends the requests made since the last flush.
    void flush();
    // Sends what was asked and handles every answer before returning; for the start only.
    void roundtrip();

Q_SIGNALS:
    // The compositor went away or closed the connection; nothing it told stays true.
    void lost();

private:
    void readEvents();
    bool checkError();

    wl_display* m_display = nullptr;
    wl_registry* m_registry = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    QList<Global> m_globals;
};
