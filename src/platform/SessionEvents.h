#pragma once

#include <QObject>

#include <optional>

// The login session: how long the user has been away from the input devices, the screen lock, the
// desktop's Do Not Disturb, and the machine waking from sleep.
class SessionEvents : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Seconds since the last keyboard, pointer or other input; none when no source answers.
    virtual std::optional<double> idleSeconds() const = 0;
    // The time away that matters. Sources that announce idleness instead of answering how long
    // it has lasted (the Wayland compositors) watch for this much and no less.
    virtual void watchIdle(double thresholdSeconds) { Q_UNUSED(thresholdSeconds) }
    // Whether the desktop's Do Not Disturb is on; none where the desktop does not tell.
    virtual std::optional<bool> doNotDisturb() const { return std::nullopt; }

Q_SIGNALS:
    // An announcing source saw the user go idle or come back.
    void idleChanged();
    void screenLocked();
    void screenUnlocked();
    // Do Not Disturb went on or off, or the desktop began or stopped telling it.
    void doNotDisturbChanged();
    void woke();
};
