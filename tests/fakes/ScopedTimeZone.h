#pragma once

#include "fakes/ScopedEnv.h"

#include <ctime>

// Switches the process's local time zone (TZ) for as long as it lives.
class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone)
        : m_zone("TZ", QString::fromLatin1(zone)) {
        tzset();
    }

private:
    struct Reread {
        ~Reread() { tzset(); }
    } m_reread; // destroyed after m_zone has put TZ back
    ScopedEnv m_zone;
};
