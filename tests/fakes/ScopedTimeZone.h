#pragma once

#include <QByteArray>

#include <ctime>

// Switches the process's local time zone (TZ) for as long as it lives.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone)
        : m_previous(qgetenv("TZ")) {
        qputenv("TZ", zone);
        tzset();
    }
    ~ScopedTimeZone() {
        qputenv("TZ", m_previous);
        tzset();
    }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    QByteArray m_previous;
};
