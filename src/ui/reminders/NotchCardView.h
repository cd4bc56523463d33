#pragma once

#include "NotchContainer.h"
#include "ReminderContent.h"
#include "settings/NudgeKind.h"

#include <optional>

// The reminder as a black panel out of the top centre of the screen. It opens fully, folds to a
// slim "peek" strip (ring and title beside the notch) after a few seconds, and opens again while
// the pointer rests on it.
class NotchCardView : public NotchContainer {
    Q_OBJECT

public:
    enum class Mode { closed, peek, full };

    static constexpr int settleDelayMs = 5000;
    static constexpr double noNotchPeekWidth = 168;

    NotchCardView(const NudgeKind& kind, NotchGeometry geometry, NotchState& state,
                  std::optional<QString> reason, qint64 count, qint64 goal, ReminderActions actions,
                  bool previewPeek = false, bool previewCompleted = false, double inset = 20,
                  double bodyHeight = 132, double wing = 92, QWidget* parent = nullptr);

    static Mode modeFor(bool expanded, bool completed, bool hovering, bool settled);
    static double widthFor(Mode mode, const NotchGeometry& geometry, double inset, double wing);
    static double heightFor(Mode mode, const NotchGeometry& geometry, double bodyHeight);
    static NotchFrame frameFor(Mode mode, const NotchGeometry& geometry, double inset,
                               double bodyHeight, double wing);

    Mode mode() const;
    bool settled() const { return m_settled; }
    bool hovering() const { return m_hovering; }
    bool completed() const;
    ReminderContent* content() const { return m_content; }

public Q_SLOTS:
    // Folds to peek unless the pointer is on the panel or Done was pressed (the timer's work).
    void settle();
    void setHovering(bool hovering);

protected:
    NotchFrame target() const override;
    QRectF contentRect() const override;
    Spring openingSpring() const override;
    void paintPeek(QPainter& painter, double opacity) override;
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    NudgeKind m_kind;
    qint64 m_count;
    qint64 m_goal;
    double m_inset;
    double m_wing;
    bool m_settled = false;
    bool m_hovering = false;
    bool m_timersStarted = false;
    ReminderContent* m_content = nullptr;
};
