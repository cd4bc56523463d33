#pragma once

#include <QObject>
#include <QString>

#include <optional>

// Why reminders are held; no value means they may fire.
enum class HoldReason {
    idle,
    locked,
    call,
    screenShare,
    fullScreen,
    manualPause,
    doNotDisturb,
    meeting,
    appRule,
    offHours
};

// The case name, as stored in the event log ("screenShare").
QString rawValue(HoldReason reason);
// None for anything but the ten case names.
std::optional<HoldReason> holdReasonFromRawValue(const QString& raw);
// The short label of the menu: "On a call", or "Active" when nothing holds reminders.
QString label(const std::optional<HoldReason>& reason);

// What reminder scheduling needs of the working context: whether reminders are held and why, how
// long the user has been away from the input devices, and when the machine wakes from sleep.
class HoldState : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual std::optional<HoldReason> holdReason() const = 0;
    // Seconds since the last keyboard or pointer input in the session.
    virtual double idleSeconds() const = 0;
    // Whether off hours are all that holds reminders: the evening messages still come then.
    virtual bool onlyOffHours() const { return holdReason() == HoldReason::offHours; }

Q_SIGNALS:
    void holdReasonChanged();
    void didWake();
};
