#pragma once

#include "platform/Clock.h"

// A clock that moves only when the test moves it.
class ManualClock final : public Clock {
public:
    explicit ManualClock(QDateTime start = QDateTime(QDate(2026, 12, 7), QTime(10, 0)))
        : m_now(std::move(start)) {}

    QDateTime now() const override { return m_now.toLocalTime(); }
    void set(const QDateTime& instant) { m_now = instant; }
    void advance(double seconds) { m_now = m_now.addMSecs(qint64(seconds * 1000)); }

private:
    QDateTime m_now;
};
