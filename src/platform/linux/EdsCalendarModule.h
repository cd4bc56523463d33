#pragma once

#include <QString>

class CalendarStore;

// What the calendar module and the application that loads it agree on.
namespace EdsCalendarModule {

inline constexpr char fileName[] = "brevimar-calendar-eds.so";
inline constexpr char entry[] = "brevimar_create_calendar_store";
// The module keeps its own log; its lines are handed to the application's through log.
using Create = CalendarStore* (*)(void (*log)(const QString& line));

} // namespace EdsCalendarModule
