#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

// One occurrence of a calendar event (recurring events come expanded).
struct CalendarEvent {
    QString calendarID;
    QString title; // empty when the event has none
    QDateTime start;
    QDateTime end;
    bool allDay = false;
    bool free = false;      // availability "free" (transparent)
    bool cancelled = false; // status cancelled
};

struct CalendarInfo {
    QString id;
    QString title;
};

// The user's calendars, read only.
class CalendarStore : public QObject {
    Q_OBJECT

public:
    enum class Status { notDetermined, granted, denied };

    using QObject::QObject;

    virtual Status status() const = 0;
    // Connects to the calendar service; done(granted) runs later on the main thread.
    virtual void requestAccess(std::function<void(bool granted)> done) = 0;
    virtual QList<CalendarInfo> calendars() = 0;
    // Occurrences of every calendar that overlap [from, to), in the store's order.
    virtual QList<CalendarEvent> events(const QDateTime& from, const QDateTime& to) = 0;

Q_SIGNALS:
    // Something in the store changed: events or calendars added, edited or removed.
    void changed();
};
