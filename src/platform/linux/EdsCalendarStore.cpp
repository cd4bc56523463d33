#include "EdsCalendarStore.h"

#include "platform/Log.h"

#include <QAbstractEventDispatcher>
#include <QSet>
#include <QThread>
#include <QTimeZone>

#include <libecal/libecal.h>

#include <map>
#include <utility>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

// The registry's bus name in EDS 3.x; the object exists even when nothing serves it, so its
// absence is learned from the bus.
constexpr char registryService[] = "org.gnome.evolution.dataserver.Sources5";

// Long enough for a remote calendar that is online to sync before the first answer, short enough
// that an offline account does not freeze the application: one that misses it opens offline, and
// the view reports its events once it syncs. Local calendars never report "connected", so they
// are not waited for at all.
constexpr guint32 remoteConnectWaitSeconds = 1;
constexpr guint32 noWait = guint32(-1);

// EDS answers "occurs in range" in its own default zone (UTC), so floating and all-day events
// near the edges would be missed; ask for a day more on each side and cut exactly afterwards.
constexpr qint64 rangeSlackSeconds = 24 * 60 * 60;

class ErrorSlot {
public:
    ErrorSlot() = default;
    ~ErrorSlot() { clear(); }
    ErrorSlot(const ErrorSlot&) = delete;
    ErrorSlot& operator=(const ErrorSlot&) = delete;

    GError** out() {
        clear();
        return &m_error;
    }
    explicit operator bool() const { return m_error != nullptr; }
    QString message() {
        if (!m_error)
            return u"unknown error"_s;
        g_dbus_error_strip_remote_error(m_error);
        return QString::fromUtf8(m_error->message);
    }
    void clear() { g_clear_error(&m_error); }

private:
    GError* m_error = nullptr;
};

QString sourceTitle(ESource* source) {
    return QString::fromUtf8(e_source_get_display_name(source));
}

QString sourceID(ESource* source) {
    return QString::fromUtf8(e_source_get_uid(source));
}

// Calendars, and the online accounts that group them: disabling or removing an account takes
// its calendars away without a signal for each.
bool mattersForCalendars(ESource* source) {
    return e_source_has_extension(source, E_SOURCE_EXTENSION_CALENDAR) ||
           e_source_has_extension(source, E_SOURCE_EXTENSION_COLLECTION);
}

QByteArray systemZoneID() {
    return QTimeZone::systemTimeZoneId();
}

ICalTimezone* systemZone(const QByteArray& id) {
    ICalTimezone* zone =
        id.isEmpty() ? nullptr : i_cal_timezone_get_builtin_timezone(id.constData());
    return zone ? zone : e_cal_util_get_system_timezone();
}

QDateTime toDateTime(ICalTime* time) {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    i_cal_time_get_date(time, &year, &month, &day);
    if (i_cal_time_is_date(time))
        return QDateTime(QDate(year, month, day), QTime(0, 0), Qt::LocalTime);
    ICalTimezone* zone =
        i_cal_time_is_utc(time) ? i_cal_timezone_get_utc_timezone() : i_cal_time_get_timezone(time);
    if (zone)
        return QDateTime::fromSecsSinceEpoch(i_cal_time_as_timet_with_zone(time, zone));
    // A floating time means the same wall-clock time wherever the user is.
    i_cal_time_get_time(time, &hour, &minute, &second);
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::LocalTime);
}

bool isTransparent(ICalComponent* component) {
    ICalProperty* property = i_cal_component_get_first_property(component, I_CAL_TRANSP_PROPERTY);
    if (!property)
        return false;
    const ICalPropertyTransp transp = i_cal_property_get_transp(property);
    g_object_unref(property);
    return transp == I_CAL_TRANSP_TRANSPARENT || transp == I_CAL_TRANSP_TRANSPARENTNOCONFLICT;
}

bool overlaps(const CalendarEvent& event, const QDateTime& from, const QDateTime& to) {
    if (event.end <= event.start) // a moment, not a span
        return event.start >= from && event.start < to;
    return event.start < to && event.end > from;
}

struct InstanceSink {
    QString calendarID;
    QDateTime from;
    QDateTime to;
    QList<CalendarEvent>* events;
};

gboolean collectInstance(ICalComponent* component, ICalTime* start, ICalTime* end, gpointer data,
                         GCancellable*, GError**) {
    auto* sink = static_cast<InstanceSink*>(data);
    CalendarEvent event;
    event.calendarID = sink->calendarID;
    event.title = QString::fromUtf8(i_cal_component_get_summary(component));
    event.allDay = i_cal_time_is_date(start);
    event.start = toDateTime(start);
    event.end = toDateTime(end);
    event.free = isTransparent(component);
    event.cancelled = i_cal_component_get_status(component) == I_CAL_STATUS_CANCELLED;
    if (overlaps(event, sink->from, sink->to))
        sink->events->append(event);
    return TRUE;
}

GList* enabledCalendars(ESourceRegistry* registry) {
    GList* sources = e_source_registry_list_enabled(registry, E_SOURCE_EXTENSION_CALENDAR);
    return g_list_sort(sources, [](gconstpointer a, gconstpointer b) {
        return e_source_compare_by_display_name(static_cast<ESource*>(const_cast<gpointer>(a)),
                                                static_cast<ESource*>(const_cast<gpointer>(b)));
    });
}

} // namespace

struct EdsCalendarStore::Private {
    struct Connection {
        ECalClient* client = nullptr;
        ECalClientView* view = nullptr; // null when the calendar cannot be watched
        QByteArray zoneID;
    };

    // Outlives the store when it is destroyed while the registry is still being reached.
    struct RegistryRequest {
        GCancellable* cancellable;
        Private* owner;
        ~RegistryRequest() { g_object_unref(cancellable); }
    };

    explicit Private(EdsCalendarStore* store)
        : q(store) {}
    ~Private();
    Private(const Private&) = delete;
    Private& operator=(const Private&) = delete;

    void connectRegistry();
    void finishConnecting(ESourceRegistry* reached, const QString& failure);
    ECalClient* clientFor(ESource* source);
    void release(Connection& connection);
    void drop(const QString& uid);
    void noteChange();
    void reportOnce(ESource* source, const QString& line);

    static void busReady(GObject*, GAsyncResult* result, gpointer data);
    static void serviceStarted(GObject* bus, GAsyncResult* result, gpointer data);
    static void registryReady(GObject*, GAsyncResult* result, gpointer data);
    static void sourceEdited(ESourceRegistry*, ESource* source, gpointer data);
    static void sourceGone(ESourceRegistry*, ESource* source, gpointer data);
    static void viewChanged(ECalClientView*, gpointer, gpointer data);
    static void backendDied(EClient* client, gpointer data);
    // GLib calls back from the main context of the thread that asked, which Qt's event loop runs.
    static Private* onOwnThread(gpointer data) {
        auto* d = static_cast<Private*>(data);
        Q_ASSERT(QThread::currentThread() == d->q->thread());
        return d;
    }

    EdsCalendarStore* q;
    Status status = Status::notDetermined;
    ESourceRegistry* registry = nullptr;
    GCancellable* connecting = nullptr;
    std::vector<std::function<void(bool)>> waiting;
    std::map<QString, Connection> connections; // by source UID
    QSet<QString> reported;                    // sources whose failure is already in the log
    bool changePending = false;
};

EdsCalendarStore::Private::~Private() {
    if (connecting) {
        g_cancellable_cancel(connecting);
        g_object_unref(connecting);
    }
    for (auto& [uid, connection] : connections)
        release(connection);
    if (registry) {
        g_signal_handlers_disconnect_by_data(registry, this);
        g_object_unref(registry);
    }
}

void EdsCalendarStore::Private::connectRegistry() {
    // GLib answers in the thread's default main context; only Qt's GLib event dispatcher runs
    // it, and without it the answer would never come.
    const QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher || !dispatcher->inherits("QEventDispatcherGlib")) {
        QMetaObject::invokeMethod(
            q,
            [this] {
                finishConnecting(nullptr, u"the event loop does not run GLib (QT_NO_GLIB?)"_s);
            },
            Qt::QueuedConnection);
        connecting = g_cancellable_new(); // marks the request as under way
        return;
    }
    connecting = g_cancellable_new();
    g_bus_get(G_BUS_TYPE_SESSION, connecting, &Private::busReady,
              new RegistryRequest{G_CANCELLABLE(g_object_ref(connecting)), this});
}

void EdsCalendarStore::Private::busReady(GObject*, GAsyncResult* result, gpointer data) {
    std::unique_ptr<RegistryRequest> request(static_cast<RegistryRequest*>(data));
    ErrorSlot error;
    GDBusConnection* bus = g_bus_get_finish(result, error.out());
    if (g_cancellable_is_cancelled(request->cancellable)) {
        if (bus)
            g_object_unref(bus);
        return;
    }
    if (!bus) {
        request->owner->finishConnecting(nullptr, error.message());
        return;
    }
    GCancellable* cancellable = request->cancellable;
    g_dbus_connection_call(
        bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "StartServiceByName", g_variant_new("(su)", registryService, 0U), G_VARIANT_TYPE("(u)"),
        G_DBUS_CALL_FLAGS_NONE, -1, cancellable, &Private::serviceStarted, request.release());
    g_object_unref(bus);
}

void EdsCalendarStore::Private::serviceStarted(GObject* bus, GAsyncResult* result, gpointer data) {
    std::unique_ptr<RegistryRequest> request(static_cast<RegistryRequest*>(data));
    ErrorSlot error;
    GVariant* reply = g_dbus_connection_call_finish(G_DBUS_CONNECTION(bus), result, error.out());
    if (reply)
        g_variant_unref(reply);
    if (g_cancellable_is_cancelled(request->cancellable))
        return;
    if (!reply) {
        request->owner->finishConnecting(nullptr, error.message());
        return;
    }
    GCancellable* cancellable = request->cancellable;
    e_source_registry_new(cancellable, &Private::registryReady, request.release());
}

void EdsCalendarStore::Private::registryReady(GObject*, GAsyncResult* result, gpointer data) {
    const std::unique_ptr<RegistryRequest> request(static_cast<RegistryRequest*>(data));
    ErrorSlot error;
    ESourceRegistry* reached = e_source_registry_new_finish(result, error.out());
    if (g_cancellable_is_cancelled(request->cancellable)) {
        if (reached)
            g_object_unref(reached);
        return;
    }
    onOwnThread(request->owner)->finishConnecting(reached, reached ? QString() : error.message());
}

void EdsCalendarStore::Private::finishConnecting(ESourceRegistry* reached, const QString& failure) {
    g_clear_object(&connecting);
    registry = reached;
    if (registry) {
        status = Status::granted;
        g_signal_connect(registry, "source-added", G_CALLBACK(&Private::sourceEdited), this);
        g_signal_connect(registry, "source-changed", G_CALLBACK(&Private::sourceEdited), this);
        g_signal_connect(registry, "source-enabled", G_CALLBACK(&Private::sourceEdited), this);
        g_signal_connect(registry, "source-removed", G_CALLBACK(&Private::sourceGone), this);
        g_signal_connect(registry, "source-disabled", G_CALLBACK(&Private::sourceGone), this);
    } else {
        status = Status::denied;
        Log::write(u"Brevimar calendar: no calendar service: "_s + failure);
    }
    const bool granted = registry != nullptr;
    // Queued, so a callback that deletes the store does not pull it from under this loop.
    for (auto& done : std::exchange(waiting, {}))
        QMetaObject::invokeMethod(
            q, [done = std::move(done), granted] { done(granted); }, Qt::QueuedConnection);
}

ECalClient* EdsCalendarStore::Private::clientFor(ESource* source) {
    const QString uid = sourceID(source);
    const QByteArray zoneID = systemZoneID();
    if (const auto found = connections.find(uid); found != connections.end()) {
        Connection& connection = found->second;
        if (connection.zoneID != zoneID) {
            connection.zoneID = zoneID;
            if (ICalTimezone* zone = systemZone(zoneID))
                e_cal_client_set_default_timezone(connection.client, zone);
        }
        return connection.client;
    }

    ErrorSlot error;
    const bool remote = e_source_has_extension(source, E_SOURCE_EXTENSION_AUTHENTICATION);
    EClient* opened =
        e_cal_client_connect_sync(source, E_CAL_CLIENT_SOURCE_TYPE_EVENTS,
                                  remote ? remoteConnectWaitSeconds : noWait, nullptr, error.out());
    if (!opened) {
        reportOnce(source, u"Brevimar calendar: cannot open "_s + sourceTitle(source) + u": "_s +
                               error.message());
        return nullptr;
    }
    Connection connection;
    connection.client = E_CAL_CLIENT(opened);
    connection.zoneID = zoneID;
    // Floating times and dates are the user's wall clock, not UTC.
    if (ICalTimezone* zone = systemZone(zoneID))
        e_cal_client_set_default_timezone(connection.client, zone);
    g_signal_connect(connection.client, "backend-died", G_CALLBACK(&Private::backendDied), this);

    ECalClientView* view = nullptr;
    if (e_cal_client_get_view_sync(connection.client, "#t", &view, nullptr, error.out())) {
        // Without this the view would first announce every existing event as added.
        e_cal_client_view_set_flags(view, E_CAL_CLIENT_VIEW_FLAGS_NONE, error.out());
        for (const char* signal : {"objects-added", "objects-modified", "objects-removed"})
            g_signal_connect(view, signal, G_CALLBACK(&Private::viewChanged), this);
        e_cal_client_view_start(view, error.out());
    }
    if (error) {
        // Its events are still read on every query; only changes go unnoticed until then.
        Log::write(u"Brevimar calendar: cannot watch "_s + sourceTitle(source) + u": "_s +
                   error.message());
        if (view) {
            g_signal_handlers_disconnect_by_data(view, this);
            g_object_unref(view);
        }
        view = nullptr;
    }
    connection.view = view;
    connections.emplace(uid, connection);
    reported.remove(uid);
    return connection.client;
}

void EdsCalendarStore::Private::release(Connection& connection) {
    if (connection.view) {
        g_signal_handlers_disconnect_by_data(connection.view, this);
        g_object_unref(connection.view); // disposing it ends the view in the backend too
    }
    g_signal_handlers_disconnect_by_data(connection.client, this);
    g_object_unref(connection.client);
    connection = {};
}

void EdsCalendarStore::Private::drop(const QString& uid) {
    if (const auto found = connections.find(uid); found != connections.end()) {
        release(found->second);
        connections.erase(found);
    }
}

void EdsCalendarStore::Private::noteChange() {
    // A sync or an import touches many events at once; one signal per turn of the loop is
    // enough, and emitting later keeps listeners out of EDS's signal emission.
    if (changePending)
        return;
    changePending = true;
    QMetaObject::invokeMethod(
        q,
        [this] {
            changePending = false;
            Q_EMIT q->changed();
        },
        Qt::QueuedConnection);
}

void EdsCalendarStore::Private::reportOnce(ESource* source, const QString& line) {
    // events() is asked again and again; a broken calendar is worth one line, not one a minute.
    const QString uid = sourceID(source);
    if (reported.contains(uid))
        return;
    reported.insert(uid);
    Log::write(line);
}

void EdsCalendarStore::Private::sourceEdited(ESourceRegistry*, ESource* source, gpointer data) {
    Private* d = onOwnThread(data);
    d->reported.remove(sourceID(source));
    if (mattersForCalendars(source))
        d->noteChange();
}

void EdsCalendarStore::Private::sourceGone(ESourceRegistry*, ESource* source, gpointer data) {
    Private* d = onOwnThread(data);
    const QString uid = sourceID(source);
    d->drop(uid);
    d->reported.remove(uid);
    if (mattersForCalendars(source))
        d->noteChange();
}

void EdsCalendarStore::Private::viewChanged(ECalClientView*, gpointer, gpointer data) {
    onOwnThread(data)->noteChange();
}

void EdsCalendarStore::Private::backendDied(EClient* client, gpointer data) {
    // The next query connects again, to whichever backend EDS starts in its place.
    Private* d = onOwnThread(data);
    for (const auto& [uid, connection] : d->connections) {
        if (E_CLIENT(connection.client) == client) {
            d->drop(uid);
            return;
        }
    }
}

EdsCalendarStore::EdsCalendarStore(QObject* parent)
    : CalendarStore(parent)
    , m_d(std::make_unique<Private>(this)) {}

EdsCalendarStore::~EdsCalendarStore() = default;

CalendarStore::Status EdsCalendarStore::status() const {
    return m_d->status;
}

void EdsCalendarStore::requestAccess(std::function<void(bool granted)> done) {
    if (m_d->status == Status::granted) {
        if (done)
            QMetaObject::invokeMethod(
                this, [done = std::move(done)] { done(true); }, Qt::QueuedConnection);
        return;
    }
    // Denied is asked again: the calendar service may have been installed or started since.
    if (done)
        m_d->waiting.push_back(std::move(done));
    if (!m_d->connecting)
        m_d->connectRegistry();
}

QList<CalendarInfo> EdsCalendarStore::calendars() {
    QList<CalendarInfo> result;
    if (!m_d->registry)
        return result;
    GList* sources = enabledCalendars(m_d->registry);
    for (GList* link = sources; link; link = link->next) {
        auto* source = static_cast<ESource*>(link->data);
        result.append({sourceID(source), sourceTitle(source)});
    }
    g_list_free_full(sources, g_object_unref);
    return result;
}

QList<CalendarEvent> EdsCalendarStore::events(const QDateTime& from, const QDateTime& to) {
    QList<CalendarEvent> result;
    if (!m_d->registry || !from.isValid() || !to.isValid() || from >= to)
        return result;
    GList* sources = enabledCalendars(m_d->registry);

    QSet<QString> present;
    for (GList* link = sources; link; link = link->next)
        present.insert(sourceID(static_cast<ESource*>(link->data)));
    for (auto it = m_d->connections.begin(); it != m_d->connections.end();) {
        if (present.contains(it->first)) {
            ++it;
        } else {
            m_d->release(it->second);
            it = m_d->connections.erase(it);
        }
    }

    const auto start = time_t(from.toSecsSinceEpoch() - rangeSlackSeconds);
    const auto end = time_t(to.toSecsSinceEpoch() + rangeSlackSeconds);
    for (GList* link = sources; link; link = link->next) {
        auto* source = static_cast<ESource*>(link->data);
        ECalClient* client = m_d->clientFor(source);
        if (!client)
            continue;
        InstanceSink sink{sourceID(source), from, to, &result};
        e_cal_client_generate_instances_sync(client, start, end, nullptr, &collectInstance, &sink);
    }
    g_list_free_full(sources, g_object_unref);
    return result;
}
