#include "platform/linux/EdsCalendarStore.h"
#include "fakes/LogCapture.h"
#include "fakes/QtPrinters.h"
#include "fakes/WriteFile.h"
#include "platform/linux/CalendarModule.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>
#include <libecal/libecal.h>

#include <csignal>
#include <cstdio>
#include <optional>
#include <tuple>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// The first activation of the EDS services takes seconds on a small machine.
constexpr int patience = 30000;

::testing::AssertionResult succeeded(GError*& error) {
    if (!error)
        return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << error->message;
    g_clear_error(&error);
    return failure;
}

QDateTime local(int month, int day, int hour = 0, int minute = 0) {
    return QDateTime(QDate(2024, month, day), QTime(hour, minute), Qt::LocalTime);
}

QStringList entries(const QList<CalendarInfo>& calendars) {
    QStringList result;
    for (const CalendarInfo& calendar : calendars)
        result.append(calendar.id + u'=' + calendar.title);
    return result;
}

QStringList described(const QList<CalendarEvent>& events) {
    QStringList result;
    for (const CalendarEvent& e : events)
        result.append(e.title + u' ' + e.start.toString(u"MM-dd HH:mm"_s) + u'-' +
                      e.end.toString(u"MM-dd HH:mm"_s) + (e.allDay ? u" all-day"_s : QString()) +
                      (e.free ? u" free"_s : QString()) +
                      (e.cancelled ? u" cancelled"_s : QString()));
    return result;
}

::testing::AssertionResult addEvents(ECalClient* client, std::initializer_list<const char*> texts) {
    GSList* components = nullptr;
    for (const char* text : texts)
        components = g_slist_append(components, i_cal_component_new_from_string(text));
    GError* error = nullptr;
    GSList* uids = nullptr;
    e_cal_client_create_objects_sync(client, components, E_CAL_OPERATION_FLAG_NONE, &uids, nullptr,
                                     &error);
    g_slist_free_full(uids, g_free);
    g_slist_free_full(components, g_object_unref);
    return succeeded(error);
}

// In a child process, whose GLib has not met a session bus yet: a bus without service files is a
// desktop without EDS installed.
[[noreturn]] void answerOnABusWithoutCalendars() {
    QTemporaryDir folder;
    const QString config = folder.filePath(u"bus.conf"_s);
    writeFile(config, "<busconfig><type>session</type><listen>unix:dir=" + folder.path().toUtf8() +
                          "</listen><auth>EXTERNAL</auth><policy context=\"default\"><allow "
                          "send_destination=\"*\"/><allow receive_sender=\"*\"/><allow "
                          "own=\"*\"/></policy></busconfig>");
    QProcess bus;
    bus.start(u"dbus-daemon"_s,
              {u"--nofork"_s, u"--print-address=1"_s, u"--config-file="_s + config});
    bus.waitForReadyRead(patience);
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.readLine().trimmed());

    EdsCalendarStore store;
    std::optional<bool> granted;
    store.requestAccess([&](bool answer) { granted = answer; });
    const bool answered = QTest::qWaitFor([&] { return granted.has_value(); }, patience);
    std::fprintf(stderr, "answered=%d granted=%d status=%d\n", answered,
                 int(granted.value_or(true)), int(store.status()));
    std::signal(SIGTERM, SIG_IGN); // GLib ends a process whose session bus goes away
    bus.kill();
    bus.waitForFinished();
    _exit(0); // GLib's worker threads are not this test's to tear down
}

} // namespace

TEST(EdsCalendarStoreDeathTest, WithoutACalendarServiceAccessIsDenied) {
    if (QStandardPaths::findExecutable(u"dbus-daemon"_s).isEmpty())
        GTEST_SKIP() << "dbus-daemon is not installed";
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(answerOnABusWithoutCalendars(), ::testing::ExitedWithCode(0),
                "answered=1 granted=0 status=2");
}

// An installation without the module, or with a broken one, has no calendar; it must not crash
// or leave calendar holds waiting for an answer.
TEST(CalendarModule, WithoutTheModuleAccessIsDenied) {
    LogCapture log;
    CalendarModule store(u"/nonexistent/brevimar-calendar-eds.so"_s);
    EXPECT_EQ(store.status(), CalendarStore::Status::notDetermined);
    std::optional<bool> granted;
    store.requestAccess([&](bool answer) { granted = answer; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return granted.has_value(); }, patience));
    EXPECT_FALSE(*granted);
    EXPECT_EQ(store.status(), CalendarStore::Status::denied);
    EXPECT_TRUE(store.events(local(3, 4), local(4, 8)).isEmpty());
    EXPECT_EQ(log.lines().filter(u"no calendar module"_s).size(), 1)
        << qPrintable(log.lines().join(u'\n'));
}

// Through the module, as the application uses it: its log lines and change signals reach the
// application.
TEST(EdsCalendarStore, ReadsExpandsAndFollowsALocalCalendar) {
    if (qEnvironmentVariableIsEmpty("BREVIMAR_IN_SESSION"))
        GTEST_SKIP() << "needs the private session bus of scripts/run-in-session";
    // The bus starts EDS with its own environment: hand it the throw-away home of this test.
    qputenv("GSETTINGS_BACKEND", "memory");
    ASSERT_EQ(QProcess::execute(u"dbus-update-activation-environment"_s,
                                {u"HOME"_s, u"XDG_CONFIG_HOME"_s, u"XDG_DATA_HOME"_s,
                                 u"XDG_CACHE_HOME"_s, u"GSETTINGS_BACKEND"_s, u"TZ"_s}),
              0);
    LogCapture log;

    CalendarModule store(u"" CALENDAR_MODULE ""_s);
    EXPECT_FALSE(QDBusConnection::sessionBus().interface()->isServiceRegistered(
        u"org.gnome.evolution.dataserver.Sources5"_s))
        << "EDS started before anyone asked for calendars";

    // The store asserts that GLib calls it back on this thread; a debug build checks it here.
    std::optional<bool> granted;
    store.requestAccess([&](bool answer) { granted = answer; });
    EXPECT_FALSE(granted.has_value()) << "the answer must come later";
    ASSERT_TRUE(QTest::qWaitFor([&] { return granted.has_value(); }, patience));
    ASSERT_TRUE(*granted) << qPrintable(log.lines().join(u'\n'));
    EXPECT_EQ(store.status(), CalendarStore::Status::granted);

    GError* error = nullptr;
    g_autoptr(ESourceRegistry) registry = e_source_registry_new_sync(nullptr, &error);
    ASSERT_TRUE(succeeded(error));
    QSignalSpy changed(&store, &CalendarStore::changed);
    const auto announced = [&] { return changed.count() > 0 || changed.wait(patience); };
    for (const auto& [uid, title, enabled] :
         {std::tuple{"brevimar-off", "Off", false}, std::tuple{"brevimar", "Work", true}}) {
        g_autoptr(ESource) scratch = e_source_new_with_uid(uid, nullptr, &error);
        ASSERT_TRUE(succeeded(error));
        e_source_set_parent(scratch, "local-stub");
        e_source_set_display_name(scratch, title);
        e_source_set_enabled(scratch, enabled);
        e_source_backend_set_backend_name(
            E_SOURCE_BACKEND(e_source_get_extension(scratch, E_SOURCE_EXTENSION_CALENDAR)),
            "local");
        e_source_registry_commit_source_sync(registry, scratch, nullptr, &error);
        ASSERT_TRUE(succeeded(error));
    }
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return entries(store.calendars()).contains(u"brevimar=Work"_s); }, patience));
    EXPECT_TRUE(announced()) << "a new calendar is a change";
    const QStringList calendars = entries(store.calendars());
    EXPECT_TRUE(calendars.contains(u"system-calendar=Personal"_s))
        << qPrintable(calendars.join(' '));
    for (const QString& left : {u"brevimar-off=Off"_s, u"system-address-book=Personal"_s})
        EXPECT_FALSE(calendars.contains(left)) << "disabled, or not a calendar";

    g_autoptr(ESource) source = e_source_registry_ref_source(registry, "brevimar");
    ECalClient* client = E_CAL_CLIENT(e_cal_client_connect_sync(
        source, E_CAL_CLIENT_SOURCE_TYPE_EVENTS, guint32(-1), nullptr, &error));
    ASSERT_TRUE(succeeded(error));
    // New York keeps winter time until 10 March, Berlin until 31 March.
    ASSERT_TRUE(addEvents(
        client,
        {"BEGIN:VEVENT\nUID:a\nSUMMARY:Planning\nDTSTART;TZID=America/New_York:20240304T090000\n"
         "DTEND;TZID=America/New_York:20240304T100000\nEND:VEVENT",
         "BEGIN:VEVENT\nUID:b\nSUMMARY:Focus\nDTSTART:20240305T080000Z\nDTEND:20240305T090000Z\n"
         "TRANSP:TRANSPARENT\nEND:VEVENT",
         "BEGIN:VEVENT\nUID:c\nSUMMARY:Holiday\nDTSTART;VALUE=DATE:20240306\n"
         "DTEND;VALUE=DATE:20240307\nEND:VEVENT",
         "BEGIN:VEVENT\nUID:d\nSUMMARY:Review\nDTSTART:20240307T140000\nDTEND:20240307T150000\n"
         "STATUS:CANCELLED\nEND:VEVENT",
         "BEGIN:VEVENT\nUID:e\nSUMMARY:Gym\nDTSTART;TZID=Europe/Berlin:20240311T180000\n"
         "DTEND;TZID=Europe/Berlin:20240311T190000\nRRULE:FREQ=WEEKLY;COUNT=4\n"
         "EXDATE;TZID=Europe/Berlin:20240318T180000\nEND:VEVENT",
         "BEGIN:VEVENT\nUID:e\nSUMMARY:Gym moved\n"
         "RECURRENCE-ID;TZID=Europe/Berlin:20240401T180000\n"
         "DTSTART;TZID=America/New_York:20240401T140000\n"
         "DTEND;TZID=America/New_York:20240401T150000\nEND:VEVENT"}));

    const QList<CalendarEvent> all = store.events(local(3, 4), local(4, 8));
    EXPECT_EQ(described(all), QStringList({
                                  u"Planning 03-04 15:00-03-04 16:00"_s,
                                  u"Focus 03-05 09:00-03-05 10:00 free"_s,
                                  u"Holiday 03-06 00:00-03-07 00:00 all-day"_s,
                                  u"Review 03-07 14:00-03-07 15:00 cancelled"_s, // floating
                                  u"Gym 03-11 18:00-03-11 19:00"_s,
                                  u"Gym 03-25 18:00-03-25 19:00"_s,
                                  u"Gym moved 04-01 20:00-04-01 21:00"_s,
                              }));
    for (const CalendarEvent& event : all)
        EXPECT_EQ(event.calendarID, u"brevimar"_s);
    // Overlap is exact although EDS is asked for a wider range.
    EXPECT_EQ(described(store.events(local(3, 4, 15, 30), local(3, 4, 15, 45))),
              QStringList({u"Planning 03-04 15:00-03-04 16:00"_s}));
    EXPECT_TRUE(store.events(local(3, 4, 16), local(3, 4, 17)).isEmpty()) << "ended at the start";
    EXPECT_TRUE(store.events(local(3, 4, 14), local(3, 4, 15)).isEmpty()) << "starts at the end";
    EXPECT_EQ(store.events(local(3, 6, 23, 30), local(3, 7)).size(), 1) << "until local midnight";

    changed.clear();
    ASSERT_TRUE(addEvents(client, {"BEGIN:VEVENT\nUID:f\nSUMMARY:Call\n"
                                   "DTSTART:20240305T170000Z\nDTEND:20240305T173000Z\n"
                                   "END:VEVENT"}));
    ASSERT_TRUE(announced()) << "an added event is a change";
    EXPECT_EQ(described(store.events(local(3, 5, 18), local(3, 5, 19))),
              QStringList({u"Call 03-05 18:00-03-05 18:30"_s}));

    changed.clear();
    e_cal_client_remove_object_sync(client, "f", nullptr, E_CAL_OBJ_MOD_ALL,
                                    E_CAL_OPERATION_FLAG_NONE, nullptr, &error);
    ASSERT_TRUE(succeeded(error));
    ASSERT_TRUE(announced()) << "a removed event is a change";
    EXPECT_TRUE(store.events(local(3, 5, 18), local(3, 5, 19)).isEmpty());

    changed.clear();
    g_object_unref(client);
    e_source_remove_sync(source, nullptr, &error);
    ASSERT_TRUE(succeeded(error));
    ASSERT_TRUE(announced()) << "a removed calendar is a change";
    EXPECT_FALSE(entries(store.calendars()).contains(u"brevimar=Work"_s));
    EXPECT_TRUE(store.events(local(3, 4), local(4, 8)).isEmpty());
    EXPECT_TRUE(log.lines().filter(u"Work"_s).isEmpty()) << qPrintable(log.lines().join(u'\n'));
}
