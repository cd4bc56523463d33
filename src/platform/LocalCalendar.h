#pragma once

#include <QDate>
#include <QDateTime>

// Calendar arithmetic in the user's current time zone. Every function accepts an instant given
// in UTC or local time and answers for the local wall clock.
namespace LocalCalendar {

// Local midnight of the instant's day (the first existing instant of that day).
QDateTime startOfDay(const QDateTime& instant);
// 1 = Sunday, 2 = Monday … 7 = Saturday.
int weekday(const QDateTime& instant);
int weekday(QDate date);
int hour(const QDateTime& instant);
int minute(const QDateTime& instant);
// Minutes after local midnight on the wall clock: hour × 60 + minute.
int minutesAfterMidnight(const QDateTime& instant);
// The same wall-clock time a number of calendar days away (across daylight-saving changes).
QDateTime addDays(const QDateTime& instant, int days);
// The instant at hour:minute:00 on the local date. A wall time skipped by a daylight-saving
// change gives the next existing instant; one that occurs twice gives the first. Invalid when
// the hour or minute is out of range.
QDateTime atTime(QDate date, int hour, int minute);

} // namespace LocalCalendar
