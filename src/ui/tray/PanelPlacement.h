#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the tray panel opens.
namespace PanelPlacement {

// Centred under the icon (above it when the tray sits at the bottom), or at the pointer when the
// icon rectangle is empty, then clamped to the available area.
QPoint near(const QSize& size, const QRect& icon, const QPoint& pointer, const QRect& available);
// The same on the screen of the icon or the pointer; in a Wayland session, which tells neither,
// the top-right corner of the screen in use.
QPoint forIcon(const QSize& size, const QRect& iconGeometry);
// Centred at the top of the available area of the screen in use, where a tray panel would drop
// from: for the panel as a window of its own, with no tray to open from.
QPoint atTopCentre(const QSize& size);

} // namespace PanelPlacement
