#include "TrayHostWatcher.h"

#include "ui/theme/Windowing.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>

#include <xcb/xcb.h>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

const QString trayService = u"org.kde.StatusNotifierWatcher"_s;

// The tray of the screen Brevimar is on, as DISPLAY names it (":0.1" is screen 1).
xcb_atom_t traySelection(xcb_connection_t* connection) {
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen))
        free(host);
    else
        screen = 0;
    return Windowing::internAtom(connection, "_NET_SYSTEM_TRAY_S" + QByteArray::number(screen));
}

bool x11TrayPresent() {
    xcb_connection_t* connection = Windowing::x11Connection();
    if (!connection)
        return false;
    const xcb_atom_t selection = traySelection(connection);
    if (selection == xcb_atom_t(XCB_ATOM_NONE))
        return false;
    xcb_get_selection_owner_reply_t* owner = xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, selection), nullptr);
    const bool present = owner && owner->owner != XCB_NONE;
    free(owner);
    return present;
}

} // namespace

bool TrayHostWatcher::present(const QDBusConnection& bus) {
    return (bus.isConnected() && bus.interface()->isServiceRegistered(trayService)) ||
           x11TrayPresent();
}

TrayHostWatcher::TrayHostWatcher(const QDBusConnection& bus, QObject* parent)
    : QObject(parent) {
    if (bus.isConnected()) {
        auto* watcher = new QDBusServiceWatcher(trayService, bus,
                                                QDBusServiceWatcher::WatchForRegistration, this);
        connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &TrayHostWatcher::appear);
    }
    // An X11 tray that takes the selection announces it on the root window with a MANAGER
    // message, which Qt's connection already receives.
    if (xcb_connection_t* connection = Windowing::x11Connection()) {
        m_managerAtom = Windowing::internAtom(connection, "MANAGER");
        m_selectionAtom = traySelection(connection);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
}

TrayHostWatcher::~TrayHostWatcher() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool TrayHostWatcher::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_CLIENT_MESSAGE)
        return false;
    const auto* client = static_cast<const xcb_client_message_event_t*>(message);
    if (client->type == m_managerAtom && client->format == 32 &&
        client->data.data32[1] == m_selectionAtom) {
        // Not from inside Qt's event handling, where the icon would be made.
        QMetaObject::invokeMethod(this, &TrayHostWatcher::appear, Qt::QueuedConnection);
    }
    return false;
}

void TrayHostWatcher::appear() {
    if (m_appeared)
        return;
    m_appeared = true;
    Q_EMIT appeared();
}
