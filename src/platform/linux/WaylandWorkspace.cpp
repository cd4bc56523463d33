#include "WaylandWorkspace.h"

#include "GnomeInhibitors.h"
#include "WaylandToplevels.h"
#include "X11Workspace.h"

using namespace Qt::StringLiterals;

namespace {

const QString OwnId = u"com.tovanex.Brevimar"_s;

} // namespace

WaylandWorkspace::WaylandWorkspace(WaylandConnection& connection, X11Workspace& xwayland,
                                   GnomeInhibitors* gnome, QObject* parent)
    : Workspace(parent)
    , m_toplevels(std::make_unique<WaylandToplevels>(connection))
    , m_xwayland(xwayland)
    , m_gnome(gnome) {
    for (const auto change : {&Workspace::applicationActivated, &Workspace::spaceChanged,
                              &Workspace::applicationTerminated})
        connect(&m_xwayland, change, this, change);
    connect(m_toplevels.get(), &WaylandToplevels::activatedChanged, this,
            &Workspace::applicationActivated);
    connect(m_toplevels.get(), &WaylandToplevels::activatedStateChanged, this,
            &Workspace::spaceChanged);
    if (m_gnome)
        connect(m_gnome, &GnomeInhibitors::changed, this, &Workspace::spaceChanged);
}

WaylandWorkspace::~WaylandWorkspace() = default;

std::optional<RunningApplication> WaylandWorkspace::application(const QString& appId) const {
    if (appId.isEmpty() || appId == OwnId)
        return std::nullopt;
    // A native application's app id is its desktop entry's id by convention; an XWayland
    // window's is its WM_CLASS.
    RunningApplication application;
    application.id = m_entries.contains(appId) ? appId : m_entries.idForWindowClass(appId, appId);
    if (application.id.isEmpty())
        application.id = appId;
    application.name = m_entries.name(application.id);
    return application;
}

// XWayland's active window is none while a native window is in front, so when it names one,
// that is the window in front, and its process tells its application best.
std::optional<RunningApplication> WaylandWorkspace::frontmostApplication() const {
    if (std::optional<RunningApplication> x11 = m_xwayland.frontmostApplication())
        return x11;
    const std::optional<WaylandToplevels::Toplevel> front = m_toplevels->activated();
    if (!front)
        return std::nullopt;
    std::optional<RunningApplication> app = application(front->appId);
    if (app)
        app->pid = front->pid;
    return app;
}

std::optional<RunningApplication> WaylandWorkspace::fullScreenApplication() const {
    if (m_xwayland.frontmostApplication())
        return m_xwayland.fullScreenApplication();
    if (m_toplevels->isAvailable()) {
        const std::optional<WaylandToplevels::Toplevel> front = m_toplevels->activated();
        if (!front || !front->fullScreen)
            return std::nullopt;
        return application(front->appId).value_or(RunningApplication{});
    }
    if (m_gnome)
        return m_gnome->idleInhibitor();
    return std::nullopt;
}

std::optional<QPoint> WaylandWorkspace::frontmostScreen() const {
    const std::optional<WaylandToplevels::Toplevel> front = m_toplevels->activated();
    return front ? front->screen : std::nullopt;
}

bool WaylandWorkspace::seesEveryApplication() const {
    return m_toplevels->isAvailable();
}

QString WaylandWorkspace::sources() const {
    if (m_toplevels->isAvailable()) {
        const QString protocol = QString::fromLatin1(m_toplevels->protocolName());
        return u"the app in front from %1, full screen from %1"_s.arg(protocol);
    }
    QString sources = u"the app in front from XWayland only, full screen from XWayland"_s;
    if (m_gnome && m_gnome->isAvailable())
        sources += u" and org.gnome.SessionManager inhibitors"_s;
    return sources;
}
