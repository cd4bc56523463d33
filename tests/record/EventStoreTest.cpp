#include "record/EventStore.h"
#include "fakes/FileSizeLimit.h"
#include "fakes/LogCapture.h"
#include "fakes/ManualClock.h"
#include "fakes/QtPrinters.h"
#include "fakes/WriteFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QUuid>

#include <gtest/gtest.h>

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

using namespace Qt::StringLiterals;
using Action = EventStore::Action;

namespace {

// The first column of the first row, from a connection of its own.
QString sql(const QString& folder, const char* statement) {
    sqlite3* db = nullptr;
    sqlite3_stmt* query = nullptr;
    sqlite3_open(QDir(folder).filePath(u"events.sqlite"_s).toUtf8().constData(), &db);
    sqlite3_prepare_v2(db, statement, -1, &query, nullptr);
    const auto* text = sqlite3_step(query) == SQLITE_ROW ? sqlite3_column_text(query, 0) : nullptr;
    const QString result =
        text ? QString::fromUtf8(reinterpret_cast<const char*>(text)) : QString();
    sqlite3_finalize(query);
    sqlite3_close(db);
    return result;
}

QDateTime at(int hour, int minute = 0, int second = 0) {
    return QDateTime(QDate(2026, 12, 7), QTime(hour, minute, second));
}

class EventStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString folder = dir.path() + u"/Brevimar"_s;
    ManualClock clock{at(9)};
};

} // namespace

TEST_F(EventStoreTest, RangesIncludeTheirStartAndExcludeTheirEnd) {
    EventStore store(clock, folder);
    store.log(Action::launch);
    clock.advance(0.25);
    store.log(Action::fired, NudgeKind::water());
    store.log(Action::snoozed, NudgeKind::water(), u"10"_s);
    clock.set(at(10));
    store.log(Action::holdStart, std::nullopt, u"call"_s);

    const QList<EventStore::Event> events = store.events(at(9), at(10));
    ASSERT_EQ(events.size(), 3);
    EXPECT_EQ(events[0].action, Action::launch);
    EXPECT_EQ(events[0].at, at(9));
    EXPECT_EQ(events[1].at, at(9).addMSecs(250));
    EXPECT_EQ(events[1].action, Action::fired) << "equal instants keep the order of logging";
    EXPECT_EQ(events[2].action, Action::snoozed);
    EXPECT_EQ(events[0].id, QUuid(events[0].id).toString(QUuid::WithoutBraces).toUpper());

    EXPECT_EQ(store.events(at(10), at(10, 0, 1)).size(), 1);
    EXPECT_TRUE(store.events(at(10, 0, 1), at(11)).isEmpty());
}

TEST_F(EventStoreTest, ExportWritesOneSortedObjectALine) {
    EventStore store(clock, folder);
    EXPECT_EQ(store.exportJSONL(), QByteArray());

    clock.set(QDateTime(QDate(2026, 12, 7), QTime(9, 30, 15, 900)));
    store.log(Action::weeklyReport);
    clock.advance(60);
    store.log(Action::pause, std::nullopt, u"until \"lunch\"\n2026/12/07\t\\"_s);
    store.log(Action::expired, NudgeKind::movement(), u"screenShare"_s);

    const QList<EventStore::Event> events = store.events(at(0), at(23));
    ASSERT_EQ(events.size(), 3);
    const QByteArray expected =
        "{\"action\":\"weekly_report\",\"at\":\"2026-12-07T08:30:15Z\",\"id\":\"" +
        events[0].id.toUtf8() +
        "\"}\n"
        "{\"action\":\"pause\",\"at\":\"2026-12-07T08:31:15Z\",\"id\":\"" +
        events[1].id.toUtf8() +
        "\",\"meta\":\"until \\\"lunch\\\"\\n2026\\/12\\/07\\t\\\\\"}\n"
        "{\"action\":\"expired\",\"at\":\"2026-12-07T08:31:15Z\",\"id\":\"" +
        events[2].id.toUtf8() + "\",\"kind\":\"movement\",\"meta\":\"screenShare\"}";
    EXPECT_EQ(store.exportJSONL(), expected);
}

// A page ends inside a run of events at the same instant: every event still comes once, in order.
TEST_F(EventStoreTest, TheExportHandsOverPagesThatJoinIntoTheWholeLog) {
    { const EventStore created(clock, folder); }
    sql(folder, "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < 2500) "
                "INSERT INTO events SELECT printf('E%05d', 2500 - x), 1796630400 + x / 3, 'done', "
                "'water', NULL FROM n;");
    EventStore store(clock, folder);
    int pages = 0;
    QByteArray joined;
    store.exportJSONL([&](const QByteArray& text, qint64 exported, qint64 total) {
        ++pages;
        joined += text;
        EXPECT_EQ(total, 2500);
        return exported < 2000; // stops after the second page
    });
    EXPECT_EQ(pages, 2);

    const QList<QByteArray> lines = store.exportJSONL().split('\n');
    const QList<EventStore::Event> all = store.events(at(0), at(23));
    ASSERT_EQ(lines.size(), all.size());
    for (qsizetype i = 0; i < lines.size(); ++i)
        ASSERT_TRUE(lines[i].contains(all[i].id.toUtf8())) << i;
    EXPECT_TRUE(store.exportJSONL().startsWith(joined));
}

TEST_F(EventStoreTest, ADamagedFileIsMovedAsideOnceAndAFreshOneStarted) {
    const QByteArray damaged = QByteArray("not a database ").repeated(100);
    writeFile(QDir(folder).filePath(u"events.sqlite"_s), damaged);
    writeFile(QDir(folder).filePath(u"events.sqlite.corrupt-2026-12-07"_s), "earlier today");
    LogCapture log;
    EventStore(clock, folder).log(Action::done, NudgeKind::water());
    EventStore reopened(clock, folder);
    EXPECT_EQ(reopened.events(at(0), at(23)).size(), 1);
    EXPECT_EQ(sql(folder, "PRAGMA journal_mode"), u"wal"_s);
    EXPECT_EQ(readFile(QDir(folder).filePath(u"events.sqlite.corrupt-2026-12-07-2"_s)), damaged);
    EXPECT_EQ(log.lines().size(), 1) << "once, not again on reopening";
}

// Rows written by another writer or a later version.
TEST_F(EventStoreTest, AnIdStoredAlreadyKeepsItsRowAndUnknownActionsAreLeftOut) {
    EventStore(clock, folder).events(at(0), at(1));
    sql(folder, "INSERT INTO events VALUES ('X', 1796630400.5, 'teleported', NULL, NULL);");
    // Another writer stores each id just before the store inserts it.
    sql(folder, "CREATE TRIGGER twin BEFORE INSERT ON events BEGIN "
                "INSERT INTO events VALUES (NEW.id, 1796630400, 'launch', NULL, 'first'); END;");
    LogCapture log;
    EventStore store(clock, folder);
    store.log(Action::done, NudgeKind::water());
    const QList<EventStore::Event> events = store.events(at(0), at(23));
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0].meta, u"first"_s);
    EXPECT_FALSE(store.exportJSONL().contains("teleported"));
    EXPECT_TRUE(log.lines().isEmpty()) << "ignored without an error";
}

TEST_F(EventStoreTest, AnUnwritableFolderLeavesTheStoreInert) {
    writeFile(folder, {}); // a file where the folder should be
    LogCapture log;
    EventStore store(clock, folder);
    store.log(Action::launch);
    EXPECT_TRUE(store.events(at(0), at(23)).isEmpty());
    EXPECT_EQ(store.exportJSONL(), QByteArray());
    EXPECT_EQ(log.lines(), QStringList({u"Brevimar: cannot open events.sqlite"_s}));
}

// A first start on a full disk leaves a file without its table; once there is room again the
// store must make it and write, not fail until the next start.
TEST_F(EventStoreTest, AStoreOpenedOnAFullDiskWritesOnceThereIsRoom) {
    LogCapture log;
    std::optional<FileSizeLimit> fullDisk(std::in_place, 0);
    EventStore store(clock, folder);
    store.log(Action::launch);
    store.log(Action::fired, NudgeKind::water());
    EXPECT_TRUE(store.events(at(0), at(23)).isEmpty());
    fullDisk.reset();
    store.log(Action::done, NudgeKind::water());
    EXPECT_EQ(store.events(at(0), at(23)).size(), 1);
    // Once at the start and once for the failing writes, however many there were.
    EXPECT_EQ(log.lines().size(), 2) << log.lines().join(u'\n').toStdString();
}

TEST_F(EventStoreTest, AKilledWriterLosesNothingItSawStored) {
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t writer = fork();
    if (writer == 0) { // logs until it is killed, telling how many events it sees stored
        EventStore store(clock, folder);
        for (;;) {
            for (int i = 0; i < 50; ++i)
                store.log(Action::done, NudgeKind::water());
            const qint64 stored = store.events(at(0), at(23)).size();
            if (write(pipeEnds[1], &stored, sizeof stored) != sizeof stored)
                _exit(1);
        }
    }
    qint64 seen = 0;
    while (seen < 2000 && read(pipeEnds[0], &seen, sizeof seen) == sizeof seen)
        continue;
    kill(writer, SIGKILL); // mid-write
    waitpid(writer, nullptr, 0);
    ASSERT_GE(seen, 2000);
    EXPECT_EQ(sql(folder, "PRAGMA integrity_check"), u"ok"_s);
    EXPECT_GE(EventStore(clock, folder).events(at(0), at(23)).size(), seen);
}
