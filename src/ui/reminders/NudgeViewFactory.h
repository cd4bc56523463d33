#pragma once

#include "NudgeViews.h"
#include "settings/NudgeKind.h"

#include <QColor>
#include <QString>

#include <functional>
#include <optional>

class QWidget;

// How the nudge panel controller makes the views it puts in its windows. The application uses the
// real card and top-panel views; tests hand in plain widgets with buttons they can press.
struct ViewFactory {
    std::function<QWidget*(const NudgeKind& kind, std::optional<QString> reason, qint64 count,
                           qint64 goal, ReminderActions actions)>
        card;
    std::function<QWidget*(const NudgeKind& kind, NotchGeometry geometry, NotchState& state,
                           std::optional<QString> reason, qint64 count, qint64 goal,
                           ReminderActions actions, double inset, double bodyHeight, double wing)>
        notchCard;
    std::function<QWidget*(QString title, QString message, QString icon, QColor tint,
                           MessageActions actions)>
        message;
    std::function<QWidget*(QString title, QString message, QString icon, QColor tint,
                           NotchGeometry geometry, NotchState& state, MessageActions actions)>
        notchMessage;

    // NudgeCardView, NotchCardView, MessageCardView and NotchMessageView.
    static ViewFactory standard();
};
