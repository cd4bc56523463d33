#include "NotchContainer.h"

#include "NotchShape.h"
#include "ui/theme/Theme.h"

#include <QPainter>
#include <QShowEvent>
#include <QTimer>
#include <QVariantAnimation>

#include <algorithm>

using namespace Theme;

NotchFrame NotchFrame::mix(const NotchFrame& a, const NotchFrame& b, double t) {
    const auto at = [t](double from, double to) { return from + (to - from) * t; };
    return {at(a.width, b.width),
            at(a.height, b.height),
            at(a.topInset, b.topInset),
            at(a.radius, b.radius),
            at(a.contentOpacity, b.contentOpacity),
            at(a.contentScale, b.contentScale),
            at(a.peekOpacity, b.peekOpacity)};
}

NotchContainer::NotchContainer(NotchGeometry geometry, NotchState& state, double bodyHeight,
                               QWidget* content, double fullWidth, QWidget* parent)
    : NotchContainer(geometry, state, bodyHeight,
                     QSizeF(fullWidth, geometry.notchHeight + bodyHeight), parent) {
    m_fullWidth = fullWidth;
    setContent(content);
    retarget();
}

NotchContainer::NotchContainer(NotchGeometry geometry, NotchState& state, double bodyHeight,
                               QSizeF frameSize, QWidget* parent)
    : QWidget(parent)
    , m_geometry(geometry)
    , m_state(&state)
    , m_bodyHeight(bodyHeight)
    , m_fullWidth(frameSize.width())
    , m_frameSize(frameSize)
    , m_animation(new QVariantAnimation(this)) {
    setAttribute(Qt::WA_TranslucentBackground);
    // The panel is black on every desktop, so its texts are always the dark scheme's.
    setPalette(darkPalette());
    setAutoFillBackground(false);
    resize(sizeHint());
    m_animation->setStartValue(0.0);
    m_animation->setEndValue(1.0);
    connect(m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        applyFrame(NotchFrame::mix(m_from, m_to, value.toDouble()));
    });
    connect(m_animation, &QVariantAnimation::finished, this, [this] { applyFrame(m_to); });
    connect(&state, &NotchState::expandedChanged, this, &NotchContainer::retarget);
}

void NotchContainer::setContent(QWidget* content) {
    m_content = content;
    if (!content)
        return;
    content->setParent(this);
    content->setAttribute(Qt::WA_TranslucentBackground);
    content->setGeometry(contentRect().toAlignedRect());
    content->hide();
}

double NotchContainer::baseWidth(const NotchGeometry& geometry) {
    return geometry.hasNotch ? geometry.notchWidth : noNotchWidth;
}

double NotchContainer::topInset(double width, const NotchGeometry& geometry) {
    return geometry.hasNotch ? std::max((width - geometry.notchWidth) / 2, 0.0) : 0.0;
}

NotchFrame NotchContainer::frameFor(bool expanded, const NotchGeometry& geometry, double bodyHeight,
                                    double fullWidth) {
    NotchFrame frame;
    frame.width = expanded ? fullWidth : baseWidth(geometry);
    frame.height = geometry.notchHeight + (expanded ? bodyHeight : 0);
    frame.topInset = topInset(frame.width, geometry);
    frame.radius = expanded ? 22 : 12;
    frame.contentOpacity = expanded ? 1 : 0;
    frame.contentScale = expanded ? 1 : collapsedScale;
    return frame;
}

QSize NotchContainer::sizeHint() const {
    return QSizeF(std::ceil(m_frameSize.width()), std::ceil(m_frameSize.height())).toSize();
}

bool NotchContainer::expanded() const {
    return m_state && m_state->expanded();
}

NotchFrame NotchContainer::target() const {
    return frameFor(expanded(), m_geometry, m_bodyHeight, m_fullWidth);
}

QRectF NotchContainer::contentRect() const {
    const double left = (m_frameSize.width() - m_fullWidth) / 2;
    return {left + 18, m_geometry.notchHeight + 8, m_fullWidth - 36, m_bodyHeight - 8 - 14};
}

Spring NotchContainer::openingSpring() const {
    return Spring::notchContainer();
}

void NotchContainer::paintPeek(QPainter&, double) {}

void NotchContainer::retarget() {
    const NotchFrame to = target();
    if (to == m_to && (m_animation->state() == QAbstractAnimation::Running || m_shown == to))
        return;
    m_to = to;
    if (!isVisible()) {
        m_animation->stop();
        applyFrame(to);
        return;
    }
    m_animation->stop();
    m_from = m_shown;
    if (expanded()) {
        const Spring spring = openingSpring();
        m_animation->setEasingCurve(spring.curve);
        m_animation->setDuration(spring.durationMs);
    } else {
        m_animation->setEasingCurve(QEasingCurve::InQuad);
        m_animation->setDuration(closeMs);
    }
    m_animation->start();
}

void NotchContainer::finishAnimation() {
    m_animation->stop();
    applyFrame(m_to);
}

void NotchContainer::seekAnimation(double progress) {
    if (m_animation->state() != QAbstractAnimation::Running)
        return;
    m_animation->pause();
    m_animation->setCurrentTime(qRound(progress * m_animation->duration()));
}

void NotchContainer::applyFrame(const NotchFrame& frame) {
    m_shown = frame;
    if (m_content) {
        // The live content only while it stands still at full size; during a transition a
        // picture of it is drawn scaled and faded instead.
        const bool live = m_animation->state() == QAbstractAnimation::Stopped &&
                          frame.contentOpacity >= 0.999 && frame.contentScale >= 0.999;
        m_content->setVisible(live);
    }
    shapeWindow();
    update();
}

void NotchContainer::shapeWindow() {
    // The window keeps the size of the open panel; only the black shape may take the pointer, so
    // clicks on the transparent rest reach the windows below. That takes the shape on the
    // top-level window itself: a mask on a child inside it only moves the clicks to the parent.
    // One pixel more keeps the antialiased edge.
    const QRegion shape(shapePath().toFillPolygon().toPolygon());
    QWidget* top = window();
    const QRegion region =
        shape.isEmpty() ? QRegion(0, 0, 1, 1)
                        : shape.united(shape.translated(1, 1)).united(shape.translated(-1, -1));
    const QRegion placed = region.translated(mapTo(top, QPoint(0, 0)));
    if (top->mask() != placed)
        top->setMask(placed);
    if (top != this && !mask().isEmpty())
        clearMask(); // from before the panel was put into its window
}

QRectF NotchContainer::shapeRect() const {
    return {(m_frameSize.width() - m_shown.width) / 2, 0, m_shown.width, m_shown.height};
}

QPainterPath NotchContainer::shapePath() const {
    return NotchShape{m_shown.topInset, m_shown.radius}.path(shapeRect());
}

void NotchContainer::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    shapeWindow(); // the window it now lives in
    if (m_appeared || event->spontaneous())
        return;
    m_appeared = true;
    QTimer::singleShot(openDelayMs, this, [this] {
        if (m_state)
            m_state->setExpanded(true);
    });
}

void NotchContainer::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (m_shown.width <= 0 || m_shown.height <= 0)
        return;
    const QPainterPath path = shapePath();
    painter.fillPath(path, Qt::black);
    painter.setClipPath(path);
    const double peek = std::clamp(m_shown.peekOpacity, 0.0, 1.0);
    if (peek > 0.001)
        paintPeek(painter, peek);
    const double opacity = std::clamp(m_shown.contentOpacity, 0.0, 1.0);
    if (m_content && !m_content->isVisible() && opacity > 0.001) {
        const QPixmap picture = m_content->grab();
        const QRectF area = contentRect();
        const double scale = m_shown.contentScale;
        painter.save();
        painter.setOpacity(opacity);
        painter.translate(area.center().x(), area.top());
        painter.scale(scale, scale);
        painter.drawPixmap(QPointF(-area.width() / 2, 0), picture);
        painter.restore();
    }
}
