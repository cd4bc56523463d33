#pragma once

#include "NotchContainer.h"

#include <QColor>

// A message (wind-down, weekly report) in the black panel at the top centre of the screen.
class NotchMessageView : public NotchContainer {
    Q_OBJECT

public:
    static constexpr double bodyHeight = 96;
    static constexpr double fullWidth = 470;
    static constexpr int iconSize = 32;

    NotchMessageView(const QString& title, const QString& message, const QString& icon,
                     const QColor& tint, NotchGeometry geometry, NotchState& state,
                     MessageActions actions, QWidget* parent = nullptr);
};
