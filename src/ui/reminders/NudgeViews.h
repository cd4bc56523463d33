#pragma once

#include <QObject>

#include <functional>

// What the nudge panel controller and the views inside its windows share.

// The camera housing of a display, or the top bar's height where there is none (always none on
// Linux displays, but the views are drawn from these numbers either way).
struct NotchGeometry {
    bool hasNotch = false;
    double notchWidth = 200;
    double notchHeight = 24;
};

// Whether a panel at the top of the screen is open; one fresh state per panel. The views open it
// shortly after they appear, the controller closes it before taking the panel down.
class NotchState : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool expanded READ expanded WRITE setExpanded NOTIFY expandedChanged)

public:
    using QObject::QObject;

    bool expanded() const { return m_expanded; }
    void setExpanded(bool expanded) {
        if (expanded == m_expanded)
            return;
        m_expanded = expanded;
        Q_EMIT expandedChanged();
    }

Q_SIGNALS:
    void expandedChanged();

private:
    bool m_expanded = false;
};

// The answers of a reminder view; the controller fills them with calls to the engine.
struct ReminderActions {
    std::function<void()> done;
    std::function<void()> snooze;
    std::function<void()> untilFree;
    std::function<void()> skip;
};

// The buttons of a message view.
struct MessageActions {
    std::function<void()> close;
    std::function<void()> history;
};
