#include "Windowing.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <utility>

#include <xcb/xcb.h>

namespace Windowing {

namespace {

std::function<std::optional<QPoint>()>& frontmostSource() {
    static std::function<std::optional<QPoint>()> source;
    return source;
}

QByteArray& heldToken() {
    static QByteArray held;
    return held;
}

} // namespace

// Brevimar runs on xcb under Wayland too, so the Qt platform cannot tell; the compositor's socket
// can.
bool wayland() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool withoutXWayland() {
    return wayland() && qEnvironmentVariableIsEmpty("DISPLAY");
}

xcb_connection_t* x11Connection() {
    const auto* x11 =
        qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

uint32_t internAtom(xcb_connection_t* connection, const QByteArray& name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(name.size()), name.constData()),
        nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

QScreen* screenInUse() {
    QScreen* primary = QGuiApplication::primaryScreen();
    if (!wayland()) {
        QScreen* pointer = QGuiApplication::screenAt(QCursor::pos());
        return pointer ? pointer : primary;
    }
    const auto& source = frontmostSource();
    if (const std::optional<QPoint> corner = source ? source() : std::nullopt) {
        for (QScreen* screen : QGuiApplication::screens()) {
            if (screen->geometry().topLeft() == *corner)
                return screen;
        }
    }
    return primary;
}

FrontmostScreen::FrontmostScreen(std::function<std::optional<QPoint>()> source)
    : m_previous(std::exchange(frontmostSource(), std::move(source))) {}

FrontmostScreen::~FrontmostScreen() {
    frontmostSource() = std::move(m_previous);
}

ActivationToken::ActivationToken(QByteArray token)
    : m_previous(std::exchange(heldToken(), std::move(token))) {}

ActivationToken::~ActivationToken() {
    heldToken() = std::move(m_previous);
}

QByteArray ActivationToken::current() {
    return heldToken();
}

// Qt's xcb platform takes a startup id only from DESKTOP_STARTUP_ID at start (any other way in is
// its private native interface) and writes it only onto windows made after that; the desktop's
// requests come long after the start, and the panel or the settings window is often made already.
// So the token goes onto the window here, before it is mapped. Mutter and KWin accept an
// activation token in _NET_STARTUP_ID for X11 windows, which is how a launcher or a link on a
// Wayland desktop lets XWayland's window come to the front; a window already on screen gets it
// too, since a change of the property asks for its activation as well.
void useActivationToken(QWidget* window) {
    const QByteArray current = ActivationToken::current();
    xcb_connection_t* connection = x11Connection();
    if (current.isEmpty() || !connection || !window)
        return;
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t startupId = internAtom(connection, "_NET_STARTUP_ID");
    const xcb_atom_t utf8 = internAtom(connection, "UTF8_STRING");
    if (startupId == XCB_ATOM_NONE || utf8 == XCB_ATOM_NONE)
        return;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, startupId, utf8, 8,
                        uint32_t(current.size()), current.constData());
    xcb_flush(connection);
}

} // namespace Windowing
