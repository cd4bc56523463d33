#include "CalendarMonitor.h"

#include <algorithm>

CalendarMonitor::CalendarMonitor(CalendarStore& store, QObject* parent)
    : QObject(parent)
    , m_store(store) {
    refreshAccess();
    connect(&m_store, &CalendarStore::changed, this, [this] {
        m_cached.clear();
        m_cacheWindowEnd = QDateTime();
    });
}

void CalendarMonitor::refreshAccess() {
    switch (m_store.status()) {
    case CalendarStore::Status::notDetermined:
        setAccess(Access::notDetermined);
        return;
    case CalendarStore::Status::denied:
        setAccess(Access::denied);
        return;
    case CalendarStore::Status::granted:
        setAccess(Access::granted);
        loadCalendars();
        return;
    }
}

void CalendarMonitor::requestAccess() {
    if (m_requesting)
        return;
    m_requesting = true;
    m_store.requestAccess([this](bool granted) {
        m_requesting = false;
        setAccess(granted ? Access::granted : Access::denied);
        if (granted)
            loadCalendars();
    });
}

void CalendarMonitor::loadCalendars() {
    QList<CalendarInfo> calendars = m_store.calendars();
    std::stable_sort(
        calendars.begin(), calendars.end(),
        [](const CalendarInfo& a, const CalendarInfo& b) { return a.title < b.title; });
    const bool changed = calendars.size() != m_calendars.size() ||
                         !std::equal(calendars.begin(), calendars.end(), m_calendars.begin(),
                                     [](const CalendarInfo& a, const CalendarInfo& b) {
                                         return a.id == b.id && a.title == b.title;
                                     });
    m_calendars = std::move(calendars);
    if (changed)
        Q_EMIT calendarsChanged();
}

std::optional<QString> CalendarMonitor::currentEvent(const std::set<QString>& calendarIDs,
                                                     bool skipFreeEvents, bool skipAllDay,
                                                     const QDateTime& now) {
    // Nothing asks the user for calendar access on Linux; connecting to the calendar service is
    // the asking, done the first time calendar holds need an answer.
    if (m_access == Access::notDetermined)
        requestAccess();
    if (m_access != Access::granted)
        return std::nullopt;
    if (!m_cacheWindowEnd.isValid() || now >= m_cacheWindowEnd)
        refillCache(now);
    for (const CalendarEvent& event : std::as_const(m_cached)) {
        if (event.start > now || event.end <= now)
            continue;
        if ((skipAllDay && event.allDay) || (skipFreeEvents && event.free) || event.cancelled)
            continue;
        if (!calendarIDs.empty() && !calendarIDs.contains(event.calendarID))
            continue;
        if (event.title.isEmpty())
            return std::nullopt;
        return event.title;
    }
    return std::nullopt;
}

void CalendarMonitor::refillCache(const QDateTime& now) {
    m_cached = m_store.events(now.addSecs(-3600), now.addSecs(21600));
    m_cacheWindowEnd = now.addSecs(900);
}

void CalendarMonitor::setAccess(Access access) {
    if (access == m_access)
        return;
    m_access = access;
    Q_EMIT accessChanged();
}
