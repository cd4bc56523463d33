#pragma once

#include "NudgeViews.h"
#include "Spring.h"

#include <QPainterPath>
#include <QPointer>
#include <QWidget>

class QVariantAnimation;

// Everything that changes while a notch panel opens or closes, so one animation can move it all.
struct NotchFrame {
    double width = 0;
    double height = 0;
    double topInset = 0;
    double radius = 12;
    double contentOpacity = 0;
    double contentScale = 1;
    double peekOpacity = 0;

    // Between a (t = 0) and b (t = 1); t may overshoot with a spring.
    static NotchFrame mix(const NotchFrame& a, const NotchFrame& b, double t);
    bool operator==(const NotchFrame&) const = default;
};

// A black panel that grows out of the top centre of the screen and holds one view. Closed it
// covers only the notch (or a small bar), open it shows its content below the notch height.
// The window stays at the open size; only the black shape inside it moves.
class NotchContainer : public QWidget {
    Q_OBJECT

public:
    static constexpr int openDelayMs = 50;
    static constexpr int closeMs = 280;
    static constexpr double noNotchWidth = 120;
    static constexpr double collapsedScale = 0.9;

    NotchContainer(NotchGeometry geometry, NotchState& state, double bodyHeight, QWidget* content,
                   double fullWidth, QWidget* parent = nullptr);

    // The width of the closed panel: the notch, or a small bar without one.
    static double baseWidth(const NotchGeometry& geometry);
    // How far the neck sits in from each side, so it lines up with the camera housing.
    static double topInset(double width, const NotchGeometry& geometry);
    static NotchFrame frameFor(bool expanded, const NotchGeometry& geometry, double bodyHeight,
                               double fullWidth);

    QSize sizeHint() const override;
    bool expanded() const;
    NotchFrame shownFrame() const { return m_shown; }
    NotchFrame targetFrame() const { return target(); }
    // Ends a running animation at its end state.
    void finishAnimation();
    // Moves a running animation to a point between 0 and 1 of its course (for pictures of it).
    void seekAnimation(double progress);
    // The black shape in widget coordinates.
    QPainterPath shapePath() const;

protected:
    // For views that build their content as a child after the panel exists (so it picks up the
    // panel's dark palette); they call setContent() and then retarget().
    NotchContainer(NotchGeometry geometry, NotchState& state, double bodyHeight, QSizeF frameSize,
                   QWidget* parent);
    void setContent(QWidget* content);
    virtual NotchFrame target() const;
    virtual QRectF contentRect() const;
    virtual Spring openingSpring() const;
    virtual void paintPeek(QPainter& painter, double opacity);
    // Moves towards the target frame, animated once on screen.
    void retarget();
    QRectF shapeRect() const;
    QSizeF frameSize() const { return m_frameSize; }

    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    NotchGeometry m_geometry;
    QPointer<NotchState> m_state;
    double m_bodyHeight;

private:
    void applyFrame(const NotchFrame& frame);
    void shapeWindow();

    double m_fullWidth = 0;
    QSizeF m_frameSize;
    QWidget* m_content = nullptr;
    NotchFrame m_shown;
    NotchFrame m_from;
    NotchFrame m_to;
    QVariantAnimation* m_animation;
    bool m_appeared = false;
};
