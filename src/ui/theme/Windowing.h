#pragma once

#include <QByteArray>
#include <QPoint>

#include <cstdint>
#include <functional>
#include <optional>

class QScreen;
class QWidget;
struct xcb_connection_t;

// How Brevimar's own windows meet the desktop: on which screen they open, whether Brevimar can
// place them at all, and the desktop's leave to bring one to the front.
namespace Windowing {

// A Wayland session. Brevimar's windows go through XWayland there, which knows neither where the
// tray icon is nor where the pointer is (only where it last crossed an X window).
bool wayland();
// Wayland without XWayland: Brevimar's windows are the compositor's to place and to focus, so a
// card can neither be put in a corner nor kept from taking the keyboard.
bool withoutXWayland();

// Qt's connection to the X server (XWayland's under Wayland). None without one, nor offscreen,
// where Qt answers as X11 all the same.
xcb_connection_t* x11Connection();
// An X atom by its name; none (0) when the server does not answer.
uint32_t internAtom(xcb_connection_t* connection, const QByteArray& name);

// The screen the user works on. On Wayland the one that shows the application in front, where the
// desktop tells it, else the primary screen; elsewhere the pointer's.
QScreen* screenInUse();

// Where the desktop tells which screen shows the application in front (the top-left corner of
// that screen), for as long as this lives: the application's workspace, or a test's.
class FrontmostScreen {
public:
    explicit FrontmostScreen(std::function<std::optional<QPoint>()> source);
    ~FrontmostScreen();
    FrontmostScreen(const FrontmostScreen&) = delete;
    FrontmostScreen& operator=(const FrontmostScreen&) = delete;

private:
    std::function<std::optional<QPoint>()> m_previous;
};

// The desktop's token that lets the window answering its request (a launcher's, a link's) come
// to the front, held while that request is handled.
class ActivationToken {
public:
    explicit ActivationToken(QByteArray token);
    ~ActivationToken();
    ActivationToken(const ActivationToken&) = delete;
    ActivationToken& operator=(const ActivationToken&) = delete;

    // The token of the request being handled; empty outside one.
    static QByteArray current();

private:
    QByteArray m_previous;
};

// Hands the token of the request being handled to the window about to be shown or raised.
void useActivationToken(QWidget* window);

} // namespace Windowing
