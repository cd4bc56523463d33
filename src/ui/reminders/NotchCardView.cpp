#include "NotchCardView.h"

#include "ui/theme/Symbols.h"
#include "ui/theme/Theme.h"

#include <QMouseEvent>
#include <QPainter>
#include <QShowEvent>
#include <QTimer>
#include <QtMath>

#include <algorithm>

using namespace Theme;

namespace {

constexpr double blockWidth = 308;

double fullWidth(const NotchGeometry& geometry, double inset, double wing) {
    return std::max(NotchContainer::baseWidth(geometry) + 2 * wing + 20, 2 * inset + blockWidth);
}

double peekWidth(const NotchGeometry& geometry, double wing) {
    return geometry.hasNotch ? geometry.notchWidth + 2 * wing : NotchCardView::noNotchPeekWidth;
}

// The title at its size, made up to a quarter smaller when the space is short, then cut.
void drawFittedTitle(QPainter& painter, const QRectF& box, const QString& title, QFont font,
                     Qt::Alignment alignment) {
    const double natural = QFontMetricsF(font).horizontalAdvance(title);
    if (natural > box.width()) {
        const double scale = std::max(box.width() / natural, 0.75);
        font.setPointSizeF(font.pointSizeF() * scale);
    }
    painter.setFont(font);
    const QString shown = QFontMetricsF(font).elidedText(title, Qt::ElideRight, box.width());
    painter.drawText(box, alignment | Qt::AlignVCenter, shown);
}

} // namespace

NotchCardView::NotchCardView(const NudgeKind& kind, NotchGeometry geometry, NotchState& state,
                             std::optional<QString> reason, qint64 count, qint64 goal,
                             ReminderActions actions, bool previewPeek, bool previewCompleted,
                             double inset, double bodyHeight, double wing, QWidget* parent)
    : NotchContainer(geometry, state, bodyHeight,
                     QSizeF(std::max(fullWidth(geometry, inset, wing), peekWidth(geometry, wing)),
                            geometry.notchHeight + bodyHeight),
                     parent)
    , m_kind(kind)
    , m_count(count)
    , m_goal(goal)
    , m_inset(inset)
    , m_wing(wing)
    , m_settled(previewPeek) {
    setMouseTracking(true);
    m_content = new ReminderContent(fullWidth(geometry, inset, wing) - 2 * inset, kind,
                                    std::move(reason), count, goal, std::move(actions), this);
    m_content->limitHeight(qFloor(bodyHeight - 14));
    if (previewCompleted)
        m_content->showCompleted();
    // Done keeps the panel open until the engine takes it down.
    connect(m_content, &ReminderContent::completedChanged, this, &NotchCardView::retarget);
    setContent(m_content);
    retarget();
}

NotchCardView::Mode NotchCardView::modeFor(bool expanded, bool completed, bool hovering,
                                           bool settled) {
    if (!expanded)
        return Mode::closed;
    if (completed || hovering)
        return Mode::full;
    return settled ? Mode::peek : Mode::full;
}

double NotchCardView::widthFor(Mode mode, const NotchGeometry& geometry, double inset,
                               double wing) {
    switch (mode) {
    case Mode::closed:
        return baseWidth(geometry);
    case Mode::peek:
        return peekWidth(geometry, wing);
    case Mode::full:
        return fullWidth(geometry, inset, wing);
    }
    return baseWidth(geometry);
}

double NotchCardView::heightFor(Mode mode, const NotchGeometry& geometry, double bodyHeight) {
    return geometry.notchHeight + (mode == Mode::full ? bodyHeight : 0);
}

NotchFrame NotchCardView::frameFor(Mode mode, const NotchGeometry& geometry, double inset,
                                   double bodyHeight, double wing) {
    NotchFrame frame;
    frame.width = widthFor(mode, geometry, inset, wing);
    frame.height = heightFor(mode, geometry, bodyHeight);
    frame.topInset = mode == Mode::full ? topInset(frame.width, geometry) : 0;
    frame.radius = mode == Mode::full ? 26 : 12;
    frame.contentOpacity = mode == Mode::full ? 1 : 0;
    frame.contentScale = mode == Mode::full ? 1 : 0.92;
    frame.peekOpacity = mode == Mode::peek ? 1 : 0;
    return frame;
}

NotchCardView::Mode NotchCardView::mode() const {
    return modeFor(expanded(), completed(), m_hovering, m_settled);
}

bool NotchCardView::completed() const {
    return m_content && m_content->completed();
}

void NotchCardView::settle() {
    m_settled = true;
    retarget();
}

void NotchCardView::setHovering(bool hovering) {
    if (hovering == m_hovering)
        return;
    m_hovering = hovering;
    retarget();
}

NotchFrame NotchCardView::target() const {
    return frameFor(mode(), m_geometry, m_inset, m_bodyHeight, m_wing);
}

QRectF NotchCardView::contentRect() const {
    const double full = fullWidth(m_geometry, m_inset, m_wing);
    const double left = (frameSize().width() - full) / 2 + m_inset;
    const double height = m_content ? m_content->height() : m_bodyHeight;
    return {left, m_geometry.notchHeight + 14, full - 2 * m_inset, height};
}

Spring NotchCardView::openingSpring() const {
    return Spring::notch();
}

void NotchCardView::paintPeek(QPainter& painter, double opacity) {
    painter.save();
    painter.setOpacity(opacity);
    const double height = m_geometry.notchHeight;
    const double width = peekWidth(m_geometry, m_wing);
    const QRectF strip((frameSize().width() - width) / 2, 0, width, height);
    const double ringSize = std::min(height - 6, 22.0);
    const double fraction = GoalRing::fraction(m_count, m_goal, false);
    painter.setPen(readableOn(Symbols::tint(m_kind.tintName), Qt::black));
    if (m_geometry.hasNotch) {
        const QRectF leftWing(strip.left(), 0, m_wing, height);
        const QRectF ring(leftWing.center().x() - ringSize / 2, (height - ringSize) / 2, ringSize,
                          ringSize);
        GoalRing::paint(painter, ring, m_kind, Qt::black, fraction, 0, 2.25);
        const QRectF rightWing(strip.right() - m_wing, 0, m_wing, height);
        drawFittedTitle(painter, rightWing.adjusted(6, 0, -6, 0), m_kind.title,
                        sizedFont(this, 13, QFont::DemiBold), Qt::AlignHCenter);
    } else {
        constexpr double padding = 12;
        constexpr double gap = 8;
        const QFont font = sizedFont(this, 12.5, QFont::DemiBold);
        const double room = strip.width() - 2 * padding - ringSize - gap;
        const double natural = QFontMetricsF(font).horizontalAdvance(m_kind.title);
        const double titleWidth = std::min(natural, room);
        const double left = strip.left() + (strip.width() - ringSize - gap - titleWidth) / 2;
        GoalRing::paint(painter, QRectF(left, (height - ringSize) / 2, ringSize, ringSize), m_kind,
                        Qt::black, fraction, 0, 2);
        drawFittedTitle(painter, QRectF(left + ringSize + gap, 0, room, height), m_kind.title, font,
                        Qt::AlignLeft);
    }
    painter.restore();
}

void NotchCardView::showEvent(QShowEvent* event) {
    NotchContainer::showEvent(event);
    if (m_timersStarted || event->spontaneous())
        return;
    m_timersStarted = true;
    QTimer::singleShot(settleDelayMs, this, &NotchCardView::settle);
}

void NotchCardView::mouseMoveEvent(QMouseEvent* event) {
    // Only the black shape counts: the rest of the window is see-through.
    setHovering(shapePath().contains(event->position()));
    NotchContainer::mouseMoveEvent(event);
}

void NotchCardView::leaveEvent(QEvent* event) {
    setHovering(false);
    NotchContainer::leaveEvent(event);
}
