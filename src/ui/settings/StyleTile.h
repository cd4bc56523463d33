#pragma once

#include "settings/AppSettings.h"

#include <QAbstractButton>

// A reminder style to choose: a small drawing of a screen showing the style, its name under it,
// ringed and ticked while it is the chosen one.
class StyleTile : public QAbstractButton {
    Q_OBJECT

public:
    StyleTile(ReminderStyle style, const QString& title, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawStyle(QPainter& painter, const QRectF& screen) const;

    ReminderStyle m_style;
};
