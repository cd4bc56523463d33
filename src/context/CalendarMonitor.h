#pragma once

#include "platform/CalendarStore.h"

#include <QDateTime>
#include <QList>
#include <QObject>

#include <optional>
#include <set>

// Answers whether the user is in a calendar event that should hold reminders. Events of the
// hour behind and the six hours ahead are kept in memory and fetched again at most every 15
// minutes, or at once after the calendar changed.
class CalendarMonitor : public QObject {
    Q_OBJECT

public:
    enum class Access { notDetermined, granted, denied };

    explicit CalendarMonitor(CalendarStore& store, QObject* parent = nullptr);

    Access access() const { return m_access; }
    // Sorted by title, upper case before lower case.
    const QList<CalendarInfo>& calendars() const { return m_calendars; }

    void refreshAccess();
    void requestAccess();
    void loadCalendars();

    // The title of the first event in progress at now that the rules let through. The first
    // question asks for access when that has not been done yet.
    std::optional<QString> currentEvent(const std::set<QString>& calendarIDs, bool skipFreeEvents,
                                        bool skipAllDay, const QDateTime& now);
    void refillCache(const QDateTime& now);

Q_SIGNALS:
    void accessChanged();
    void calendarsChanged();

private:
    void setAccess(Access access);

    CalendarStore& m_store;
    Access m_access = Access::notDetermined;
    bool m_requesting = false;
    QList<CalendarInfo> m_calendars;
    QList<CalendarEvent> m_cached;
    QDateTime m_cacheWindowEnd; // invalid: the cache must be filled
};
