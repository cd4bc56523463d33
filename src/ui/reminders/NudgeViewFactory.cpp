#include "NudgeViewFactory.h"

#include "MessageCardView.h"
#include "NotchCardView.h"
#include "NotchMessageView.h"
#include "NudgeCardView.h"

ViewFactory ViewFactory::standard() {
    ViewFactory factory;
    factory.card = [](const NudgeKind& kind, std::optional<QString> reason, qint64 count,
                      qint64 goal, ReminderActions actions) -> QWidget* {
        return new NudgeCardView(kind, std::move(reason), count, goal, std::move(actions));
    };
    factory.notchCard = [](const NudgeKind& kind, NotchGeometry geometry, NotchState& state,
                           std::optional<QString> reason, qint64 count, qint64 goal,
                           ReminderActions actions, double inset, double bodyHeight,
                           double wing) -> QWidget* {
        return new NotchCardView(kind, geometry, state, std::move(reason), count, goal,
                                 std::move(actions), false, false, inset, bodyHeight, wing);
    };
    factory.message = [](QString title, QString message, QString icon, QColor tint,
                         MessageActions actions) -> QWidget* {
        return new MessageCardView(std::move(title), std::move(message), std::move(icon), tint,
                                   std::move(actions));
    };
    factory.notchMessage = [](QString title, QString message, QString icon, QColor tint,
                              NotchGeometry geometry, NotchState& state,
                              MessageActions actions) -> QWidget* {
        return new NotchMessageView(std::move(title), std::move(message), std::move(icon), tint,
                                    geometry, state, std::move(actions));
    };
    return factory;
}
