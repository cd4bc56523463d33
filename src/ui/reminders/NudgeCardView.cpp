#include "NudgeCardView.h"

#include "ReminderContent.h"
#include "ui/theme/Theme.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

void paintCardBackground(QPainter& painter, const QRectF& window, int margin, double radius,
                         const QPalette& palette) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card = window.adjusted(margin, margin, -margin, -margin);
    QPainterPath shape;
    shape.addRoundedRect(card, radius, radius);
    // A soft shadow in the margin, a little lower than the card, as from a light above; frameless
    // windows get none from the window manager.
    QPainterPath around;
    around.addRect(window);
    painter.setClipPath(around.subtracted(shape));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 6));
    for (int spread = margin; spread > 0; --spread) {
        const QRectF layer = card.adjusted(-spread, -spread, spread, spread).translated(0, 1.5);
        painter.drawRoundedRect(layer, radius + spread, radius + spread);
    }
    painter.setClipping(false);
    // There is no system glass on Linux; a nearly opaque window colour stands in for the material.
    painter.fillPath(shape, Theme::withAlpha(palette.color(QPalette::Window), 0.96));
    painter.setPen(QPen(Theme::withAlpha(Theme::primaryText(palette), 0.08), 1));
    painter.setBrush(Qt::NoBrush);
    const QRectF line = card.adjusted(0.5, 0.5, -0.5, -0.5);
    painter.drawRoundedRect(line, radius - 0.5, radius - 0.5);
    painter.restore();
}

NudgeCardView::NudgeCardView(const NudgeKind& kind, std::optional<QString> reason, qint64 count,
                             qint64 goal, ReminderActions actions, bool previewCompleted,
                             QWidget* parent)
    : QWidget(parent)
    , m_content(new ReminderContent(contentWidth, kind, std::move(reason), count, goal,
                                    std::move(actions), this)) {
    setAttribute(Qt::WA_TranslucentBackground);
    auto* layout = new QVBoxLayout(this);
    const int inset = margin + padding;
    layout->setContentsMargins(inset, inset, inset, inset);
    layout->addWidget(m_content);
    if (previewCompleted)
        m_content->showCompleted();
    resize(sizeHint());
}

bool NudgeCardView::completed() const {
    return m_content->completed();
}

QSize NudgeCardView::sizeHint() const {
    return {cardWidth + 2 * margin, m_content->height() + 2 * (padding + margin)};
}

void NudgeCardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintCardBackground(painter, rect(), margin, radius, palette());
}
