#pragma once

#include <QPoint>

#include <functional>
#include <optional>

class QScreen;

// How Brevimar's own windows meet the desktop: on which screen they open.
namespace Windowing {

// A Wayland session. Brevimar's windows go through XWayland there, which knows neither where the
// tray icon is nor where the pointer is (only where it last crossed an X window).
bool wayland();

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

} // namespace Windowing
