#include "Windowing.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <utility>

namespace Windowing {

namespace {

std::function<std::optional<QPoint>()>& frontmostSource() {
    static std::function<std::optional<QPoint>()> source;
    return source;
}

} // namespace

// Brevimar runs on xcb under Wayland too, so the Qt platform cannot tell; the compositor's socket
// can.
bool wayland() {
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
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

} // namespace Windowing
