#pragma once

#include <QPainterPath>
#include <QRectF>

// The outline of a black panel that grows out of the top edge of the screen. With a top inset it
// keeps a neck as wide as the camera housing and flares into a wider body below it, so the panel
// reads as part of the notch; without one it is a plain bar with rounded bottom corners.
struct NotchShape {
    double topInset = 0;
    double radius = 12;

    // How deep the neck reaches before the body flares out.
    static constexpr double maxNeckDepth = 26;

    QPainterPath path(const QRectF& rect) const;
};
