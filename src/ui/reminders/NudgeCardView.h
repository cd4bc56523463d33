#pragma once

#include "NudgeViews.h"
#include "settings/NudgeKind.h"

#include <QWidget>

#include <optional>

class ReminderContent;

// The floating reminder card in the top-right corner: the reminder block on a translucent
// window-coloured card. Its size hint is the whole window, shadow margin included.
class NudgeCardView : public QWidget {
    Q_OBJECT

public:
    static constexpr int contentWidth = 308;
    static constexpr int padding = 16;
    static constexpr int cardWidth = contentWidth + 2 * padding;
    static constexpr double radius = 20;
    static constexpr int margin = 8;

    NudgeCardView(const NudgeKind& kind, std::optional<QString> reason, qint64 count, qint64 goal,
                  ReminderActions actions, bool previewCompleted = false,
                  QWidget* parent = nullptr);

    bool completed() const;
    ReminderContent* content() const { return m_content; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ReminderContent* m_content;
};

// The translucent card behind the floating views, inset by margin in the window: the window
// colour with a faint hairline, and a shadow in the margin.
void paintCardBackground(QPainter& painter, const QRectF& window, int margin, double radius,
                         const QPalette& palette);
