#pragma once

#include <QHash>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

class WaylandConnection;
struct org_kde_plasma_window;
struct org_kde_plasma_window_management;
struct wl_output;
struct zxdg_output_manager_v1;
struct zxdg_output_v1;
struct zwlr_foreign_toplevel_handle_v1;
struct zwlr_foreign_toplevel_manager_v1;

// The windows of the session, native and XWayland alike, as the compositor lists them to task
// bars: wlroots' foreign-toplevel protocol (sway, Hyprland, labwc, niri and others), else KDE
// Plasma's window management. Everything arrives as events; nothing is asked.
class WaylandToplevels final : public QObject {
    Q_OBJECT

public:
    struct Toplevel {
        QString appId;
        qint64 pid = 0; // where the compositor tells it (Plasma)
        bool activated = false;
        bool fullScreen = false;
        std::optional<QPoint> screen; // the top-left corner of its monitor
    };

    explicit WaylandToplevels(WaylandConnection& connection, QObject* parent = nullptr);
    ~WaylandToplevels() override;
    WaylandToplevels(const WaylandToplevels&) = delete;
    WaylandToplevels& operator=(const WaylandToplevels&) = delete;

    bool isAvailable() const { return m_wlr || m_plasma; }
    const char* protocolName() const;
    std::optional<Toplevel> activated() const;

Q_SIGNALS:
    // Another window came in front, or the one in front went.
    void activatedChanged();
    // The window in front entered or left full screen, or another monitor.
    void activatedStateChanged();

private:
    struct Listeners;
    friend struct Listeners;

    // A window is a handle of either protocol. Its state is told in pieces, then completed.
    struct Window {
        Toplevel state;
        Toplevel next;
        QRect geometry; // Plasma tells where a window is, not on which monitor
    };

    void complete(void* handle);
    void close(void* handle);
    void bindOutputs();
    void release();
    std::optional<QPoint> screenOf(const QRect& geometry) const;

    WaylandConnection& m_connection;
    zwlr_foreign_toplevel_manager_v1* m_wlr = nullptr;
    org_kde_plasma_window_management* m_plasma = nullptr;
    zxdg_output_manager_v1* m_xdgOutputs = nullptr;
    QHash<zxdg_output_v1*, wl_output*> m_outputOf;
    QHash<wl_output*, QPoint> m_outputs; // each monitor's top-left corner
    QHash<void*, Window> m_windows;
    void* m_activated = nullptr;
};
