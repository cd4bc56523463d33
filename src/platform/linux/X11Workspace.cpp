#include "X11Workspace.h"

#include "platform/Log.h"

#include <QAbstractEventDispatcher>
#include <QFile>
#include <QSocketNotifier>

#include <xcb/randr.h>
#include <xcb/res.h>
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>
#include <xcb/xcb_icccm.h>

#include <cstdlib>
#include <unistd.h>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

// xcb hands out replies allocated with malloc.
template <typename T> struct Reply {
    T* data = nullptr;
    explicit Reply(T* reply)
        : data(reply) {}
    ~Reply() { std::free(data); }
    Reply(const Reply&) = delete;
    Reply& operator=(const Reply&) = delete;
    T* operator->() const { return data; }
    explicit operator bool() const { return data != nullptr; }
};

QByteArray readProcFile(const QString& procRoot, qint64 pid, const QString& name) {
    QFile file(u"%1/%2/%3"_s.arg(procRoot).arg(pid).arg(name));
    // /proc files report no size, so read to the end rather than by size.
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// systemd's unit-name escaping: "\x2d" for each '-' that belongs to the name itself.
QString unescapeUnitName(const QString& text) {
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\\' && i + 3 < text.size() && text.at(i + 1) == u'x') {
            bool ok = false;
            const int code = text.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                plain += QChar(code);
                i += 3;
                continue;
            }
        }
        plain += text.at(i);
    }
    return plain;
}

struct ScopeName {
    QString launcher;
    QString id;
};

// Desktops start each application in a unit of its own, named by the convention
// "app[-<launcher>]-<id>-<random>.scope" or "app[-<launcher>]-<id>[@<random>].service", with
// any '-' inside the launcher or id escaped.
ScopeName scopeFromCgroup(const QByteArray& cgroup) {
    for (const QByteArray& line : cgroup.split('\n')) {
        const QStringList parts = QString::fromUtf8(line).section(u':', 2).split(u'/');
        for (auto it = parts.crbegin(); it != parts.crend(); ++it) {
            QString unit = *it;
            if (!unit.startsWith(u"app-"))
                continue;
            unit.remove(0, 4);
            if (unit.endsWith(u".scope")) {
                unit.chop(6);
                const qsizetype random = unit.lastIndexOf(u'-');
                if (random <= 0)
                    continue;
                unit.truncate(random);
            } else if (unit.endsWith(u".service")) {
                unit.chop(8);
                const qsizetype random = unit.indexOf(u'@');
                if (random == 0)
                    continue;
                if (random > 0)
                    unit.truncate(random);
            } else {
                continue;
            }
            const qsizetype dash = unit.indexOf(u'-');
            if (dash < 0)
                return {QString(), unescapeUnitName(unit)};
            return {unescapeUnitName(unit.left(dash)), unescapeUnitName(unit.mid(dash + 1))};
        }
    }
    return {};
}

QString flatpakInfoName(const QByteArray& info) {
    bool inApplication = false;
    for (const QByteArray& raw : info.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.startsWith('[')) {
            inApplication = line == "[Application]";
            continue;
        }
        if (inApplication && line.startsWith("name="))
            return QString::fromUtf8(line.mid(5)).trimmed();
    }
    return {};
}

// GIO_LAUNCHED_DESKTOP_FILE is inherited by every child of the launched program, so it speaks
// for this process only when the PID stored with it is this process's own.
QString launchedDesktopFile(const QByteArray& environment, qint64 pid) {
    QString file;
    bool samePid = false;
    for (const QByteArray& variable : environment.split('\0')) {
        if (variable.startsWith("GIO_LAUNCHED_DESKTOP_FILE="))
            file = QString::fromLocal8Bit(variable.mid(26));
        else if (variable.startsWith("GIO_LAUNCHED_DESKTOP_FILE_PID="))
            samePid = variable.mid(30).toLongLong() == pid;
    }
    return samePid ? file : QString();
}

QString idFromDesktopFileName(const QString& name) {
    if (name.startsWith(u'/'))
        return DesktopEntries::idForPath(name);
    return name.endsWith(u".desktop") ? name.chopped(8) : name;
}

QString propertyText(xcb_connection_t* connection, xcb_get_property_cookie_t cookie) {
    const Reply reply(xcb_get_property_reply(connection, cookie, nullptr));
    if (!reply || reply->format != 8)
        return {};
    const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.data));
    const int length = xcb_get_property_value_length(reply.data);
    return QString::fromUtf8(bytes, length).section(QChar(0), 0, 0);
}

} // namespace

struct X11Workspace::Connection {
    xcb_connection_t* connection = nullptr;
    xcb_ewmh_connection_t ewmh{};
    bool ewmhReady = false;
    int screen = 0;
    xcb_window_t root = XCB_NONE;
    xcb_atom_t gtkApplicationId = XCB_NONE;
    xcb_atom_t kdeDesktopFile = XCB_NONE;
    bool hasResClientIds = false;
    bool hasRandrMonitors = false;

    ~Connection() {
        if (ewmhReady)
            xcb_ewmh_connection_wipe(&ewmh);
        xcb_disconnect(connection);
    }

    xcb_atom_t intern(const char* name) const {
        const Reply reply(xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, qstrlen(name), name), nullptr));
        return reply ? reply->atom : XCB_NONE;
    }
};

X11Workspace::X11Workspace(const QString& displayName, QString procRoot, QObject* parent)
    : Workspace(parent)
    , m_procRoot(std::move(procRoot)) {
    // Switching with Alt+Tab passes through several windows; only where it ends counts.
    m_activationDelay.setSingleShot(true);
    m_activationDelay.setInterval(200);
    connect(&m_activationDelay, &QTimer::timeout, this, &X11Workspace::reportActivation);
    m_changed.setSingleShot(true);
    m_changed.setInterval(0);
    connect(&m_changed, &QTimer::timeout, this, &X11Workspace::checkChanges);

    auto x = std::make_unique<Connection>();
    const QByteArray name = displayName.toLocal8Bit();
    x->connection = xcb_connect(name.isEmpty() ? nullptr : name.constData(), &x->screen);
    if (xcb_connection_has_error(x->connection)) {
        Log::write(u"Brevimar workspace: cannot connect to the X display %1"_s.arg(
            name.isEmpty() ? qEnvironmentVariable("DISPLAY") : displayName));
        return;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(x->connection));
    for (int i = 0; i < x->screen && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!screens.rem)
        return;
    x->root = screens.data->root;

    xcb_prefetch_extension_data(x->connection, &xcb_res_id);
    xcb_prefetch_extension_data(x->connection, &xcb_randr_id);
    x->ewmhReady = xcb_ewmh_init_atoms_replies(
        &x->ewmh, xcb_ewmh_init_atoms(x->connection, &x->ewmh), nullptr);
    if (!x->ewmhReady) {
        Log::write(u"Brevimar workspace: the X display does not answer"_s);
        return;
    }
    x->gtkApplicationId = x->intern("_GTK_APPLICATION_ID");
    x->kdeDesktopFile = x->intern("_KDE_NET_WM_DESKTOP_FILE");

    // Asking for a PID by window needs XRes 1.2; the monitor list needs RandR 1.5.
    if (xcb_get_extension_data(x->connection, &xcb_res_id)->present) {
        const Reply version(xcb_res_query_version_reply(
            x->connection, xcb_res_query_version(x->connection, 1, 2), nullptr));
        x->hasResClientIds = version && (version->server_major > 1 || (version->server_major == 1 &&
                                                                       version->server_minor >= 2));
    }
    if (xcb_get_extension_data(x->connection, &xcb_randr_id)->present) {
        const Reply version(xcb_randr_query_version_reply(
            x->connection, xcb_randr_query_version(x->connection, 1, 5), nullptr));
        x->hasRandrMonitors =
            version && (version->major_version > 1 ||
                        (version->major_version == 1 && version->minor_version >= 5));
    }

    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(x->connection, x->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(x->connection);
    m_x = std::move(x);

    // What is on screen now is the starting point, not a change.
    xcb_ewmh_get_current_desktop_reply(&m_x->ewmh,
                                       xcb_ewmh_get_current_desktop(&m_x->ewmh, m_x->screen),
                                       &m_currentDesktop, nullptr);
    checkClients();
    if (const Active* now = active())
        m_activeKey = now->pid ? now->pid : -qint64(now->window);

    m_notifier =
        new QSocketNotifier(xcb_get_file_descriptor(m_x->connection), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { readEvents(true); });
    // A reply can pull events off the socket along with it; those would wait in xcb's queue
    // without the socket ever becoming readable for them.
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(thread()))
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                [this] { readEvents(false); });
}

X11Workspace::~X11Workspace() = default;

bool X11Workspace::isConnected() const {
    return m_x && !xcb_connection_has_error(m_x->connection);
}

void X11Workspace::readEvents(bool fromSocket) const {
    if (!isConnected())
        return;
    xcb_connection_t* connection = m_x->connection;
    while (xcb_generic_event_t* event = fromSocket ? xcb_poll_for_event(connection)
                                                   : xcb_poll_for_queued_event(connection)) {
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event);
            if (change->window == m_x->root) {
                if (change->atom == m_x->ewmh._NET_ACTIVE_WINDOW) {
                    m_active.reset();
                    m_activationDelay.start();
                } else if (change->atom == m_x->ewmh._NET_CURRENT_DESKTOP) {
                    m_desktopChanged = true;
                    m_changed.start();
                } else if (change->atom == m_x->ewmh._NET_CLIENT_LIST) {
                    m_clientsChanged = true;
                    m_changed.start();
                }
            }
        }
        std::free(event);
    }
    if (xcb_connection_has_error(connection)) {
        if (m_notifier)
            m_notifier->setEnabled(false);
        m_activationDelay.stop();
        m_active.reset();
        Log::write(u"Brevimar workspace: lost the X display"_s);
    }
}

void X11Workspace::reportActivation() {
    const Active* now = active();
    const qint64 key = now ? (now->pid ? now->pid : -qint64(now->window)) : 0;
    // Another window of the same application is no new activation, and neither is the focus
    // leaving every window.
    if (key == m_activeKey)
        return;
    m_activeKey = key;
    if (key != 0)
        Q_EMIT applicationActivated();
}

void X11Workspace::checkChanges() {
    if (!isConnected())
        return;
    if (std::exchange(m_desktopChanged, false))
        checkDesktop();
    if (std::exchange(m_clientsChanged, false))
        checkClients();
}

void X11Workspace::checkDesktop() {
    uint32_t desktop = 0;
    if (!xcb_ewmh_get_current_desktop_reply(
            &m_x->ewmh, xcb_ewmh_get_current_desktop(&m_x->ewmh, m_x->screen), &desktop, nullptr))
        return;
    if (desktop == m_currentDesktop)
        return;
    m_currentDesktop = desktop;
    Q_EMIT spaceChanged();
}

void X11Workspace::checkClients() {
    xcb_ewmh_get_windows_reply_t list{};
    if (!xcb_ewmh_get_client_list_reply(
            &m_x->ewmh, xcb_ewmh_get_client_list(&m_x->ewmh, m_x->screen), &list, nullptr))
        return;
    QSet<quint32> clients;
    clients.reserve(list.windows_len);
    for (uint32_t i = 0; i < list.windows_len; ++i)
        clients.insert(list.windows[i]);
    xcb_ewmh_get_windows_reply_wipe(&list);
    const bool closed = !(m_clients - clients).isEmpty();
    m_clients = std::move(clients);
    if (closed)
        Q_EMIT applicationTerminated();
}

const X11Workspace::Active* X11Workspace::active() const {
    // A change announced since the event loop last read the socket counts too.
    readEvents(true);
    if (!isConnected())
        return nullptr;
    if (!m_active) {
        xcb_window_t window = XCB_NONE; // left so when no window manager names one
        xcb_ewmh_get_active_window_reply(
            &m_x->ewmh, xcb_ewmh_get_active_window(&m_x->ewmh, m_x->screen), &window, nullptr);
        m_active = Active{window, window == XCB_NONE ? 0 : windowPid(window), std::nullopt};
    }
    return m_active->window == XCB_NONE ? nullptr : &*m_active;
}

qint64 X11Workspace::windowPid(quint32 window) const {
    uint32_t pid = 0;
    if (xcb_ewmh_get_wm_pid_reply(&m_x->ewmh, xcb_ewmh_get_wm_pid(&m_x->ewmh, window), &pid,
                                  nullptr) &&
        pid != 0)
        return pid;
    if (!m_x->hasResClientIds)
        return 0;
    // The server knows which local process opened the connection that created the window.
    xcb_res_client_id_spec_t client{window, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
    const Reply reply(xcb_res_query_client_ids_reply(
        m_x->connection, xcb_res_query_client_ids(m_x->connection, 1, &client), nullptr));
    if (!reply)
        return 0;
    for (auto it = xcb_res_query_client_ids_ids_iterator(reply.data); it.rem;
         xcb_res_client_id_value_next(&it)) {
        // Each value starts with the client and mask it answers for.
        const auto* answered = reinterpret_cast<const xcb_res_client_id_spec_t*>(it.data);
        if ((answered->mask & XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID) &&
            xcb_res_client_id_value_value_length(it.data) > 0)
            return *xcb_res_client_id_value_value(it.data);
    }
    return 0;
}

// The monitors RandR was asked for, else the whole root window.
QList<QRect> X11Workspace::monitors(const std::optional<unsigned int>& randrSequence) const {
    QList<QRect> list;
    if (randrSequence) {
        const Reply reply(xcb_randr_get_monitors_reply(
            m_x->connection, xcb_randr_get_monitors_cookie_t{*randrSequence}, nullptr));
        if (reply) {
            for (auto it = xcb_randr_get_monitors_monitors_iterator(reply.data); it.rem;
                 xcb_randr_monitor_info_next(&it))
                list.append(QRect(it.data->x, it.data->y, it.data->width, it.data->height));
        }
    }
    if (list.isEmpty()) {
        // Asked afresh rather than taken from the connection setup, which a resize makes stale.
        const Reply root(xcb_get_geometry_reply(
            m_x->connection, xcb_get_geometry(m_x->connection, m_x->root), nullptr));
        if (root)
            list.append(QRect(0, 0, root->width, root->height));
    }
    return list;
}

std::optional<RunningApplication> X11Workspace::frontmostApplication() const {
    const Active* now = active();
    if (!now)
        return std::nullopt;
    if (now->application)
        return now->application;
    const xcb_window_t window = now->window;
    xcb_connection_t* connection = m_x->connection;
    const auto gtkCookie = xcb_get_property(connection, 0, window, m_x->gtkApplicationId,
                                            XCB_GET_PROPERTY_TYPE_ANY, 0, 256);
    const auto kdeCookie = xcb_get_property(connection, 0, window, m_x->kdeDesktopFile,
                                            XCB_GET_PROPERTY_TYPE_ANY, 0, 1024);
    const auto classCookie = xcb_icccm_get_wm_class(connection, window);

    WindowClues clues;
    clues.pid = now->pid;
    clues.gtkApplicationId = propertyText(connection, gtkCookie);
    clues.kdeDesktopFile = propertyText(connection, kdeCookie);
    xcb_icccm_get_wm_class_reply_t windowClass{};
    if (xcb_icccm_get_wm_class_reply(connection, classCookie, &windowClass, nullptr)) {
        clues.wmInstance = QString::fromLocal8Bit(windowClass.instance_name);
        clues.wmClass = QString::fromLocal8Bit(windowClass.class_name);
        xcb_icccm_get_wm_class_reply_wipe(&windowClass);
    }

    RunningApplication application;
    application.pid = clues.pid;
    application.id = applicationId(clues, m_procRoot, m_entries);
    application.name = m_entries.name(application.id);
    m_active->application = application;
    return application;
}

std::optional<RunningApplication> X11Workspace::fullScreenApplication() const {
    if (!isFrontmostFullScreen())
        return std::nullopt;
    return frontmostApplication().value_or(RunningApplication{});
}

bool X11Workspace::isFrontmostFullScreen() const {
    const Active* now = active();
    if (!now || now->pid == getpid())
        return false;
    const xcb_window_t window = now->window;

    xcb_connection_t* connection = m_x->connection;
    xcb_ewmh_connection_t* ewmh = &m_x->ewmh;
    const auto typeCookie = xcb_ewmh_get_wm_window_type(ewmh, window);
    const auto stateCookie = xcb_ewmh_get_wm_state(ewmh, window);
    const auto geometryCookie = xcb_get_geometry(connection, window);
    const auto positionCookie = xcb_translate_coordinates(connection, window, m_x->root, 0, 0);
    // Sent with the rest, so that the whole question waits for the X server once.
    std::optional<unsigned int> monitorsSequence;
    if (m_x->hasRandrMonitors)
        monitorsSequence = xcb_randr_get_monitors(connection, m_x->root, 1).sequence;

    const auto hasAtom = [](xcb_ewmh_get_atoms_reply_t& atoms, xcb_atom_t wanted) {
        bool found = false;
        for (uint32_t i = 0; i < atoms.atoms_len; ++i)
            found = found || atoms.atoms[i] == wanted;
        xcb_ewmh_get_atoms_reply_wipe(&atoms);
        return found;
    };
    xcb_ewmh_get_atoms_reply_t types{};
    const bool isDesktop = xcb_ewmh_get_wm_window_type_reply(ewmh, typeCookie, &types, nullptr) &&
                           hasAtom(types, ewmh->_NET_WM_WINDOW_TYPE_DESKTOP);
    xcb_ewmh_get_atoms_reply_t states{};
    const bool markedFullScreen =
        xcb_ewmh_get_wm_state_reply(ewmh, stateCookie, &states, nullptr) &&
        hasAtom(states, ewmh->_NET_WM_STATE_FULLSCREEN);
    // The client window itself, not the frame the window manager wraps around it: a maximised
    // window with a title bar has a frame as large as the monitor, yet is not full screen.
    const Reply geometry(xcb_get_geometry_reply(connection, geometryCookie, nullptr));
    const Reply position(xcb_translate_coordinates_reply(connection, positionCookie, nullptr));

    if (isDesktop || markedFullScreen || !geometry || !position) {
        if (monitorsSequence)
            xcb_discard_reply(connection, *monitorsSequence);
        return markedFullScreen && !isDesktop;
    }
    return coversOneMonitor(
        QRect(position->dst_x, position->dst_y, geometry->width, geometry->height),
        monitors(monitorsSequence));
}

QString X11Workspace::applicationId(const WindowClues& clues, const QString& procRoot,
                                    DesktopEntries& entries) {
    if (clues.pid > 0) {
        const ScopeName scope = scopeFromCgroup(readProcFile(procRoot, clues.pid, u"cgroup"_s));
        if (scope.launcher == u"flatpak" && !scope.id.isEmpty())
            return scope.id;
        const QString flatpak =
            flatpakInfoName(readProcFile(procRoot, clues.pid, u"root/.flatpak-info"_s));
        if (!flatpak.isEmpty())
            return flatpak;
        if (!scope.id.isEmpty())
            return scope.id;
    }
    if (!clues.gtkApplicationId.isEmpty())
        return clues.gtkApplicationId;
    if (!clues.kdeDesktopFile.isEmpty())
        return idFromDesktopFileName(clues.kdeDesktopFile);
    if (clues.pid > 0) {
        const QString launched =
            launchedDesktopFile(readProcFile(procRoot, clues.pid, u"environ"_s), clues.pid);
        if (!launched.isEmpty())
            return idFromDesktopFileName(launched);
    }
    return entries.idForWindowClass(clues.wmInstance, clues.wmClass);
}

bool X11Workspace::coversOneMonitor(const QRect& window, const QList<QRect>& monitors) {
    return window.isValid() && monitors.contains(window);
}
