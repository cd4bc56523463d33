#include "PanelPlacement.h"

#include "ui/theme/Windowing.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace PanelPlacement {

QPoint near(const QSize& size, const QRect& icon, const QPoint& pointer, const QRect& available) {
    constexpr int gap = 4;
    int x = 0;
    int top = 0;
    int bottom = 0;
    if (icon.isEmpty()) {
        x = pointer.x() - size.width() / 2;
        top = bottom = pointer.y();
    } else {
        x = icon.left() + (icon.width() - size.width()) / 2;
        top = icon.top();
        bottom = icon.bottom() + 1;
    }
    int y = bottom + gap;
    // A tray at the bottom of the screen opens upwards.
    if (y + size.height() > available.bottom() + 1 && (top + bottom) / 2 > available.center().y())
        y = top - gap - size.height();
    x = std::clamp(x, available.left(),
                   std::max(available.left(), available.right() + 1 - size.width()));
    y = std::clamp(y, available.top(),
                   std::max(available.top(), available.bottom() + 1 - size.height()));
    return {x, y};
}

namespace {

QRect availableOn(const QScreen* screen, const QSize& size) {
    return screen ? screen->availableGeometry() : QRect(QPoint(0, 0), size);
}

} // namespace

QPoint forIcon(const QSize& size, const QRect& iconGeometry) {
    // A Wayland session learns neither the icon's place nor the pointer's (through XWayland the
    // pointer is where it last crossed an X window), so the panel takes the corner where trays
    // usually are, on the screen in use.
    if (Windowing::wayland()) {
        const QRect available = availableOn(Windowing::screenInUse(), size);
        return {available.right() + 1 - size.width() - 8, available.top() + 8};
    }
    const QPoint pointer = QCursor::pos();
    QScreen* screen =
        iconGeometry.isEmpty() ? nullptr : QGuiApplication::screenAt(iconGeometry.center());
    if (!screen)
        screen = QGuiApplication::screenAt(pointer);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return near(size, iconGeometry, pointer, availableOn(screen, size));
}

QPoint atTopCentre(const QSize& size) {
    const QRect available = availableOn(Windowing::screenInUse(), size);
    return {available.left() + (available.width() - size.width()) / 2, available.top()};
}

} // namespace PanelPlacement
