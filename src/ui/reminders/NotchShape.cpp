#include "NotchShape.h"

#include <algorithm>

QPainterPath NotchShape::path(const QRectF& rect) const {
    const double t = topInset;
    const double r = radius;
    const double minX = rect.left();
    const double maxX = rect.right();
    const double minY = rect.top();
    const double maxY = rect.bottom();
    QPainterPath path;
    if (t <= 0) {
        path.moveTo(minX, minY);
        path.lineTo(maxX, minY);
        path.lineTo(maxX, maxY - r);
        path.quadTo(maxX, maxY, maxX - r, maxY);
        path.lineTo(minX + r, maxY);
        path.quadTo(minX, maxY, minX, maxY - r);
        path.closeSubpath();
        return path;
    }
    const double c = std::min(t, maxNeckDepth);
    path.moveTo(minX + t, minY);
    path.lineTo(maxX - t, minY);
    path.quadTo(maxX - t, minY + c, maxX - t + c, minY + c);
    path.lineTo(maxX - r, minY + c);
    path.quadTo(maxX, minY + c, maxX, minY + c + r);
    path.lineTo(maxX, maxY - r);
    path.quadTo(maxX, maxY, maxX - r, maxY);
    path.lineTo(minX + r, maxY);
    path.quadTo(minX, maxY, minX, maxY - r);
    path.lineTo(minX, minY + c + r);
    path.quadTo(minX, minY + c, minX + r, minY + c);
    path.lineTo(minX + t - c, minY + c);
    path.quadTo(minX + t, minY + c, minX + t, minY);
    path.closeSubpath();
    return path;
}
