#pragma once

#include "NudgeViews.h"

#include <QColor>
#include <QWidget>

// A short message in the floating card's place: the wind-down summary or the weekly report, with
// a way to the history and a way out.
class MessageCardView : public QWidget {
    Q_OBJECT

public:
    static constexpr int cardWidth = 372;
    static constexpr int padding = 14;
    static constexpr double radius = 14;
    static constexpr int margin = 6;
    static constexpr int tileSize = 36;

    MessageCardView(const QString& title, const QString& message, const QString& icon,
                    const QColor& tint, MessageActions actions, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
