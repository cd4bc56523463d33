#pragma once

#include "platform/Workspace.h"
#include "platform/linux/DesktopEntries.h"

#include <memory>

class GnomeInhibitors;
class WaylandConnection;
class WaylandToplevels;
class X11Workspace;

// The workspace of a Wayland session. The compositor lists the windows of every application
// where it offers a protocol for it; XWayland shows the X11 ones in any case, with their process,
// which tells their application better. GNOME lists none: there, applications that keep the
// screen awake stand in for the full-screen one.
class WaylandWorkspace final : public Workspace {
    Q_OBJECT

public:
    // gnome may be null; the X11 workspace reads XWayland, where there is one.
    WaylandWorkspace(WaylandConnection& connection, X11Workspace& xwayland, GnomeInhibitors* gnome,
                     QObject* parent = nullptr);
    ~WaylandWorkspace() override;

    std::optional<RunningApplication> frontmostApplication() const override;
    std::optional<RunningApplication> fullScreenApplication() const override;
    std::optional<QPoint> frontmostScreen() const override;
    bool seesEveryApplication() const override;
    // What tells the application in front and full screen, for the log.
    QString sources() const;

private:
    std::optional<RunningApplication> application(const QString& appId) const;

    std::unique_ptr<WaylandToplevels> m_toplevels;
    X11Workspace& m_xwayland;
    GnomeInhibitors* m_gnome;
    mutable DesktopEntries m_entries;
};
