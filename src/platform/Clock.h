#pragma once

#include <QDateTime>

// Every time decision asks a Clock, so tests can drive time by hand.
class Clock {
public:
    virtual ~Clock() = default;
    // The current instant, in local time.
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
