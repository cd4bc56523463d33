#pragma once

#include <QObject>

#include <optional>

// The login session: how long the user has been away from the input devices, the screen lock, and
// the machine waking from sleep.
class SessionEvents : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Seconds since the last keyboard, pointer or other input; none when no source answers.
    virtual std::optional<double> idleSeconds() const = 0;

Q_SIGNALS:
    void screenLocked();
    void screenUnlocked();
    void woke();
};
