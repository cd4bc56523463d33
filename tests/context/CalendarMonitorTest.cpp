#include "context/CalendarMonitor.h"
#include "fakes/FakeDesktop.h"
#include "fakes/QtPrinters.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QDateTime at(int hour, int minute, int second = 0) {
    return QDateTime(QDate(2026, 12, 7), QTime(hour, minute, second));
}

CalendarEvent event(const QString& title, const QDateTime& start, const QDateTime& end,
                    const QString& calendar = u"work"_s) {
    return CalendarEvent{calendar, title, start, end};
}

std::optional<QString> ask(CalendarMonitor& monitor, const QDateTime& now,
                           const std::set<QString>& ids = {}, bool skipFree = true,
                           bool skipAllDay = true) {
    return monitor.currentEvent(ids, skipFree, skipAllDay, now);
}

} // namespace

TEST(CalendarMonitor, EventsMatchWhileInProgressAndAsTheRulesSay) {
    FakeCalendarStore store;
    CalendarEvent free = event(u"Focus time"_s, at(9, 0), at(12, 0));
    free.free = true;
    CalendarEvent allDay = event(u"Conference"_s, at(0, 0), at(0, 0).addDays(1), u"home"_s);
    allDay.allDay = true;
    CalendarEvent cancelled = event(u"Cancelled sync"_s, at(10, 0), at(11, 0));
    cancelled.cancelled = true;
    store.eventList = {cancelled, free, allDay, event(u"Standup"_s, at(10, 0), at(11, 0))};
    CalendarMonitor monitor(store);

    EXPECT_EQ(ask(monitor, at(10, 0)), u"Standup"_s);
    EXPECT_EQ(ask(monitor, at(10, 59, 59)), u"Standup"_s);
    EXPECT_EQ(ask(monitor, at(11, 0)), std::nullopt);
    EXPECT_EQ(ask(monitor, at(11, 0), {}, false), u"Focus time"_s);
    EXPECT_EQ(ask(monitor, at(8, 30), {}, true, false), u"Conference"_s);
    EXPECT_EQ(ask(monitor, at(10, 30), {u"home"_s}, true, false), u"Conference"_s);
    EXPECT_EQ(ask(monitor, at(10, 30), {u"deleted"_s}), std::nullopt);

    store.eventList = {event(QString(), at(10, 0), at(11, 0))};
    store.change();
    EXPECT_EQ(ask(monitor, at(10, 30)), std::nullopt) << "an event without a title";
}

TEST(CalendarMonitor, TheCacheIsRefilledEveryFifteenMinutesOrAfterAChange) {
    FakeCalendarStore store;
    CalendarMonitor monitor(store);
    ask(monitor, at(10, 0));
    ask(monitor, at(10, 14));
    EXPECT_EQ(store.fetches, 1);
    ask(monitor, at(10, 20));
    EXPECT_EQ(store.fetches, 2);

    store.eventList.append(event(u"Walk-in"_s, at(10, 15), at(10, 45)));
    EXPECT_EQ(ask(monitor, at(10, 21)), std::nullopt) << "unseen until the store says so";
    store.change();
    EXPECT_EQ(ask(monitor, at(10, 21)), u"Walk-in"_s);
    EXPECT_EQ(store.fetches, 3);
}

TEST(CalendarMonitor, AccessIsAskedForOnceWhenFirstNeeded) {
    FakeCalendarStore store;
    store.current = CalendarStore::Status::notDetermined;
    store.calendarList = {{u"3"_s, u"work"_s}, {u"1"_s, u"Home"_s}, {u"2"_s, u"Family"_s}};
    store.eventList = {event(u"Standup"_s, at(10, 0), at(11, 0))};
    CalendarMonitor monitor(store);
    EXPECT_EQ(monitor.access(), CalendarMonitor::Access::notDetermined);
    EXPECT_TRUE(monitor.calendars().isEmpty());

    QSignalSpy accessChanged(&monitor, &CalendarMonitor::accessChanged);
    EXPECT_EQ(ask(monitor, at(10, 30)), u"Standup"_s);
    EXPECT_EQ(store.requests, 1);
    EXPECT_EQ(accessChanged.count(), 1);
    ASSERT_EQ(monitor.calendars().size(), 3);
    EXPECT_EQ(monitor.calendars()[0].title, u"Family"_s);
    EXPECT_EQ(monitor.calendars()[1].title, u"Home"_s);
    EXPECT_EQ(monitor.calendars()[2].title, u"work"_s);

    FakeCalendarStore none;
    none.current = CalendarStore::Status::notDetermined;
    none.grantOnRequest = false;
    none.eventList = store.eventList;
    CalendarMonitor denied(none);
    EXPECT_EQ(ask(denied, at(10, 30)), std::nullopt);
    EXPECT_EQ(ask(denied, at(10, 31)), std::nullopt);
    EXPECT_EQ(none.requests, 1);
    EXPECT_EQ(none.fetches, 0);
}
