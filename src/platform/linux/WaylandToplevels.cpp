#include "WaylandToplevels.h"

#include "WaylandConnection.h"

#include <wayland-client.h>

#include "plasma-window-management-client.h"
#include "wlr-foreign-toplevel-management-unstable-v1-client.h"
#include "xdg-output-unstable-v1-client.h"

#include <unistd.h>

namespace {

// Plasma is bound at the last version whose events are all handled here.
constexpr std::uint32_t PlasmaVersion = 10;

} // namespace

struct WaylandToplevels::Listeners {
    static WaylandToplevels& self(void* data) { return *static_cast<WaylandToplevels*>(data); }

    // Outputs: only where each monitor begins in the layout. wlroots tells that only through
    // xdg-output, its wl_output saying 0,0 for every monitor.
    static void outputGeometry(void* data, wl_output* output, std::int32_t x, std::int32_t y,
                               std::int32_t, std::int32_t, std::int32_t, const char*, const char*,
                               std::int32_t) {
        if (!self(data).m_xdgOutputs)
            self(data).m_outputs[output] = QPoint(x, y);
    }
    static void outputMode(void*, wl_output*, std::uint32_t, std::int32_t, std::int32_t,
                           std::int32_t) {}
    static void outputDone(void*, wl_output*) {}
    static void outputScale(void*, wl_output*, std::int32_t) {}
    static void outputText(void*, wl_output*, const char*) {}
    static void xdgPosition(void* data, zxdg_output_v1* xdgOutput, std::int32_t x, std::int32_t y) {
        WaylandToplevels& toplevels = self(data);
        toplevels.m_outputs[toplevels.m_outputOf.value(xdgOutput)] = QPoint(x, y);
    }
    static void xdgSize(void*, zxdg_output_v1*, std::int32_t, std::int32_t) {}
    static void xdgDone(void*, zxdg_output_v1*) {}
    static void xdgText(void*, zxdg_output_v1*, const char*) {}
    static constexpr zxdg_output_v1_listener xdgOutput{xdgPosition, xdgSize, xdgDone, xdgText,
                                                       xdgText};

    static constexpr wl_output_listener output{outputGeometry, outputMode, outputDone,
                                               outputScale,    outputText, outputText};

    // wlroots
    static void wlrToplevel(void* data, zwlr_foreign_toplevel_manager_v1*,
                            zwlr_foreign_toplevel_handle_v1* handle) {
        self(data).m_windows.insert(handle, {});
        zwlr_foreign_toplevel_handle_v1_add_listener(handle, &wlrHandle, data);
    }
    static void wlrFinished(void* data, zwlr_foreign_toplevel_manager_v1* manager) {
        zwlr_foreign_toplevel_manager_v1_destroy(manager);
        self(data).m_wlr = nullptr;
    }
    static constexpr zwlr_foreign_toplevel_manager_v1_listener wlrManager{wlrToplevel, wlrFinished};

    static void wlrTitle(void*, zwlr_foreign_toplevel_handle_v1*, const char*) {}
    static void wlrAppId(void* data, zwlr_foreign_toplevel_handle_v1* handle, const char* id) {
        self(data).m_windows[handle].next.appId = QString::fromUtf8(id);
    }
    static void wlrOutputEnter(void* data, zwlr_foreign_toplevel_handle_v1* handle,
                               wl_output* output) {
        WaylandToplevels& toplevels = self(data);
        toplevels.m_windows[handle].next.screen = toplevels.m_outputs.value(output);
    }
    static void wlrOutputLeave(void* data, zwlr_foreign_toplevel_handle_v1* handle,
                               wl_output* output) {
        WaylandToplevels& toplevels = self(data);
        Toplevel& next = toplevels.m_windows[handle].next;
        if (next.screen == toplevels.m_outputs.value(output))
            next.screen.reset();
    }
    static void wlrState(void* data, zwlr_foreign_toplevel_handle_v1* handle, wl_array* states) {
        Toplevel& next = self(data).m_windows[handle].next;
        next.activated = next.fullScreen = false;
        const auto* state = static_cast<const std::uint32_t*>(states->data);
        for (std::size_t i = 0; i < states->size / sizeof *state; ++i) {
            next.activated |= state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
            next.fullScreen |= state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_FULLSCREEN;
        }
    }
    static void wlrDone(void* data, zwlr_foreign_toplevel_handle_v1* handle) {
        self(data).complete(handle);
    }
    static void wlrClosed(void* data, zwlr_foreign_toplevel_handle_v1* handle) {
        self(data).close(handle);
        zwlr_foreign_toplevel_handle_v1_destroy(handle);
    }
    static void wlrParent(void*, zwlr_foreign_toplevel_handle_v1*,
                          zwlr_foreign_toplevel_handle_v1*) {}
    static constexpr zwlr_foreign_toplevel_handle_v1_listener wlrHandle{
        wlrTitle, wlrAppId, wlrOutputEnter, wlrOutputLeave,
        wlrState, wlrDone,  wlrClosed,      wlrParent};

    // KDE Plasma
    static void plasmaShowDesktop(void*, org_kde_plasma_window_management*, std::uint32_t) {}
    static void plasmaWindow(void* data, org_kde_plasma_window_management* management,
                             std::uint32_t id) {
        org_kde_plasma_window* window = org_kde_plasma_window_management_get_window(management, id);
        self(data).m_windows.insert(window, {});
        org_kde_plasma_window_add_listener(window, &plasmaHandle, data);
    }
    static org_kde_plasma_window_management_listener plasmaManagement() {
        org_kde_plasma_window_management_listener listener{};
        listener.show_desktop_changed = plasmaShowDesktop;
        listener.window = plasmaWindow;
        return listener;
    }

    static Toplevel& plasmaNext(void* data, org_kde_plasma_window* window) {
        return self(data).m_windows[window].next;
    }
    static void plasmaAppId(void* data, org_kde_plasma_window* window, const char* id) {
        plasmaNext(data, window).appId = QString::fromUtf8(id);
        self(data).complete(window);
    }
    static void plasmaState(void* data, org_kde_plasma_window* window, std::uint32_t flags) {
        Toplevel& next = plasmaNext(data, window);
        next.activated = flags & ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_ACTIVE;
        next.fullScreen = flags & ORG_KDE_PLASMA_WINDOW_MANAGEMENT_STATE_FULLSCREEN;
        self(data).complete(window);
    }
    static void plasmaGeometry(void* data, org_kde_plasma_window* window, std::int32_t x,
                               std::int32_t y, std::uint32_t width, std::uint32_t height) {
        WaylandToplevels& toplevels = self(data);
        toplevels.m_windows[window].next.screen =
            toplevels.screenOf(QRect(x, y, int(width), int(height)));
        toplevels.complete(window);
    }
    static void plasmaPid(void* data, org_kde_plasma_window* window, std::uint32_t pid) {
        plasmaNext(data, window).pid = pid;
        self(data).complete(window);
    }
    static void plasmaUnmapped(void* data, org_kde_plasma_window* window) {
        self(data).close(window);
        org_kde_plasma_window_destroy(window);
    }
    static void plasmaInitialState(void* data, org_kde_plasma_window* window) {
        self(data).complete(window);
    }
    static org_kde_plasma_window_listener plasmaWindowListener() {
        // The events not named here are not wanted, but each needs a function to be sent to.
        org_kde_plasma_window_listener listener{};
        listener.title_changed = [](void*, org_kde_plasma_window*, const char*) {};
        listener.app_id_changed = plasmaAppId;
        listener.state_changed = plasmaState;
        listener.virtual_desktop_changed = [](void*, org_kde_plasma_window*, std::int32_t) {};
        listener.themed_icon_name_changed = [](void*, org_kde_plasma_window*, const char*) {};
        listener.unmapped = plasmaUnmapped;
        listener.initial_state = plasmaInitialState;
        listener.parent_window = [](void*, org_kde_plasma_window*, org_kde_plasma_window*) {};
        listener.geometry = plasmaGeometry;
        listener.icon_changed = [](void*, org_kde_plasma_window*) {};
        listener.pid_changed = plasmaPid;
        listener.virtual_desktop_entered = [](void*, org_kde_plasma_window*, const char*) {};
        listener.virtual_desktop_left = [](void*, org_kde_plasma_window*, const char*) {};
        listener.application_menu = [](void*, org_kde_plasma_window*, const char*, const char*) {};
        return listener;
    }
    static const org_kde_plasma_window_management_listener plasma;
    static const org_kde_plasma_window_listener plasmaHandle;
};

const org_kde_plasma_window_management_listener WaylandToplevels::Listeners::plasma =
    plasmaManagement();
const org_kde_plasma_window_listener WaylandToplevels::Listeners::plasmaHandle =
    plasmaWindowListener();

WaylandToplevels::WaylandToplevels(WaylandConnection& connection, QObject* parent)
    : QObject(parent)
    , m_connection(connection) {
    if (connection.offers(zwlr_foreign_toplevel_manager_v1_interface)) {
        bindOutputs();
        m_wlr = static_cast<zwlr_foreign_toplevel_manager_v1*>(
            connection.bind(zwlr_foreign_toplevel_manager_v1_interface, 3));
        zwlr_foreign_toplevel_manager_v1_add_listener(m_wlr, &Listeners::wlrManager, this);
    } else if (connection.offers(org_kde_plasma_window_management_interface)) {
        bindOutputs();
        m_plasma = static_cast<org_kde_plasma_window_management*>(
            connection.bind(org_kde_plasma_window_management_interface, PlasmaVersion));
        org_kde_plasma_window_management_add_listener(m_plasma, &Listeners::plasma, this);
    }
    // The windows there are now, before anyone asks.
    connection.roundtrip();
    connect(&connection, &WaylandConnection::lost, this, [this] {
        const bool hadActivated = m_activated != nullptr;
        release();
        if (hadActivated)
            Q_EMIT activatedChanged();
    });
}

WaylandToplevels::~WaylandToplevels() {
    release();
}

void WaylandToplevels::bindOutputs() {
    m_xdgOutputs = static_cast<zxdg_output_manager_v1*>(
        m_connection.bind(zxdg_output_manager_v1_interface, 3));
    for (const WaylandConnection::Global& global : m_connection.globals()) {
        if (global.interface != QLatin1StringView(wl_output_interface.name))
            continue;
        auto* output = static_cast<wl_output*>(m_connection.bind(global, wl_output_interface, 2));
        m_outputs.insert(output, {});
        wl_output_add_listener(output, &Listeners::output, this);
        if (m_xdgOutputs) {
            zxdg_output_v1* xdgOutput = zxdg_output_manager_v1_get_xdg_output(m_xdgOutputs, output);
            zxdg_output_v1_add_listener(xdgOutput, &Listeners::xdgOutput, this);
            m_outputOf.insert(xdgOutput, output);
        }
    }
}

void WaylandToplevels::release() {
    for (auto window = m_windows.keyBegin(); window != m_windows.keyEnd(); ++window) {
        if (m_wlr)
            zwlr_foreign_toplevel_handle_v1_destroy(
                static_cast<zwlr_foreign_toplevel_handle_v1*>(*window));
        else
            org_kde_plasma_window_destroy(static_cast<org_kde_plasma_window*>(*window));
    }
    m_windows.clear();
    m_activated = nullptr;
    if (m_wlr)
        zwlr_foreign_toplevel_manager_v1_destroy(m_wlr);
    if (m_plasma)
        org_kde_plasma_window_management_destroy(m_plasma);
    m_wlr = nullptr;
    m_plasma = nullptr;
    for (auto xdgOutput = m_outputOf.keyBegin(); xdgOutput != m_outputOf.keyEnd(); ++xdgOutput)
        zxdg_output_v1_destroy(*xdgOutput);
    m_outputOf.clear();
    if (m_xdgOutputs)
        zxdg_output_manager_v1_destroy(m_xdgOutputs);
    m_xdgOutputs = nullptr;
    for (auto output = m_outputs.keyBegin(); output != m_outputs.keyEnd(); ++output)
        wl_output_destroy(*output);
    m_outputs.clear();
}

const char* WaylandToplevels::protocolName() const {
    return m_wlr ? "zwlr_foreign_toplevel_manager_v1" : "org_kde_plasma_window_management";
}

std::optional<WaylandToplevels::Toplevel> WaylandToplevels::activated() const {
    if (!m_activated)
        return std::nullopt;
    return m_windows.value(m_activated).state;
}

std::optional<QPoint> WaylandToplevels::screenOf(const QRect& geometry) const {
    // The monitor whose top-left corner is the nearest one above and left of the window's
    // centre: the layouts compositors make have no gaps.
    std::optional<QPoint> best;
    const QPoint centre = geometry.center();
    for (const QPoint& corner : m_outputs) {
        if (corner.x() <= centre.x() && corner.y() <= centre.y() &&
            (!best || (centre - corner).manhattanLength() < (centre - *best).manhattanLength()))
            best = corner;
    }
    return best;
}

void WaylandToplevels::complete(void* handle) {
    Window& window = m_windows[handle];
    const Toplevel before = window.state;
    window.state = window.next;
    if (window.state.activated && m_activated != handle && window.state.pid != qint64(getpid())) {
        m_activated = handle;
        Q_EMIT activatedChanged();
        return;
    }
    if (!window.state.activated && m_activated == handle) {
        m_activated = nullptr;
        Q_EMIT activatedChanged();
        return;
    }
    if (m_activated == handle &&
        (before.fullScreen != window.state.fullScreen || before.screen != window.state.screen ||
         before.appId != window.state.appId))
        Q_EMIT activatedStateChanged();
}

void WaylandToplevels::close(void* handle) {
    m_windows.remove(handle);
    if (m_activated == handle) {
        m_activated = nullptr;
        Q_EMIT activatedChanged();
    }
}
