#include "LocalCalendar.h"

#include <QTimeZone>

namespace LocalCalendar {

QDateTime startOfDay(const QDateTime& instant) {
    return instant.toLocalTime().date().startOfDay();
}

int weekday(QDate date) {
    return date.dayOfWeek() % 7 + 1;
}

int weekday(const QDateTime& instant) {
    return weekday(instant.toLocalTime().date());
}

int hour(const QDateTime& instant) {
    return instant.toLocalTime().time().hour();
}

int minute(const QDateTime& instant) {
    return instant.toLocalTime().time().minute();
}

int minutesAfterMidnight(const QDateTime& instant) {
    const QTime time = instant.toLocalTime().time();
    return time.hour() * 60 + time.minute();
}

QDateTime addDays(const QDateTime& instant, int days) {
    return instant.toLocalTime().addDays(days);
}

QDateTime atTime(QDate date, int hour, int minute) {
    const QTime wall(hour, minute);
    if (!date.isValid() || !wall.isValid())
        return {};
    const QDateTime guess(date, wall);
    const QTimeZone zone = QTimeZone::systemTimeZone();
    if (!guess.isValid() || guess.date() != date || guess.time() != wall) {
        // Skipped by a spring-forward change: the next existing instant is the transition.
        const auto transition = zone.nextTransition(date.startOfDay().addSecs(-1));
        return transition.atUtc.isValid() ? transition.atUtc.toLocalTime() : QDateTime();
    }
    // A wall time repeated by a fall-back change also exists one offset step earlier.
    const auto previous = zone.previousTransition(guess);
    if (previous.atUtc.isValid()) {
        const int step = zone.offsetFromUtc(previous.atUtc.addSecs(-1)) - previous.offsetFromUtc;
        if (step > 0) {
            const QDateTime earlier = guess.addSecs(-step);
            if (earlier.toLocalTime().time() == wall && earlier.toLocalTime().date() == date)
                return earlier.toLocalTime();
        }
    }
    return guess;
}

} // namespace LocalCalendar
