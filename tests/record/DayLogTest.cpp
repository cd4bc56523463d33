#include "record/DayLog.h"
#include "fakes/LogCapture.h"
#include "fakes/ManualClock.h"
#include "fakes/QtPrinters.h"
#include "fakes/WriteFile.h"

#include <QDir>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class DayLogTest : public ::testing::Test {
protected:
    QString path() const { return QDir(folder).filePath(u"today.json"_s); }
    QByteArray file(const QString& suffix = {}) const { return readFile(path() + suffix); }

    QTemporaryDir dir;
    QString folder = dir.path() + u"/Brevimar"_s;
    ManualClock clock{QDateTime(QDate(2026, 12, 7), QTime(10, 0))};
};

} // namespace

TEST_F(DayLogTest, AnswersAreCountedSavedAndReadBack) {
    DayLog log(clock, folder);
    QSignalSpy changed(&log, &DayLog::stateChanged);
    log.record(u"water"_s, true);
    clock.advance(90);
    log.record(u"water"_s, true);
    log.record(u"movement"_s, false);
    log.markWindDownFired();
    log.markWindDownFired();
    EXPECT_EQ(changed.count(), 4);

    const DayLog::State& state = log.state();
    EXPECT_EQ(state.counts, (QMap<QString, qint64>{{u"water"_s, 2}}));
    EXPECT_EQ(state.lastAt, (QMap<QString, QDateTime>{{u"water"_s, clock.now()}}));
    EXPECT_EQ(state.skipped, 1);
    EXPECT_TRUE(state.windDownFired);
    // 09:01:30 UTC on 7 December 2026, in seconds since 2001-01-01 UTC.
    EXPECT_EQ(QJsonDocument::fromJson(file())[u"lastAt"_s][u"water"_s].toDouble(), 818326890.0);
    EXPECT_EQ(DayLog(clock, folder).state(), state);
}

TEST_F(DayLogTest, OnlyALaterDateStartsANewDay) {
    clock.set(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 50)));
    DayLog log(clock, folder);
    log.record(u"water"_s, true);
    log.record(u"water"_s, false);
    const QByteArray yesterday = file();

    clock.advance(20); // midnight
    EXPECT_EQ(DayLog(clock, folder).state(), DayLog::State::fresh(u"2026-12-07"_s));
    EXPECT_EQ(file(), yesterday) << "construction never writes";
    log.record(u"water"_s, true);
    EXPECT_EQ(log.state().counts.value(u"water"_s), 1);
    EXPECT_EQ(log.state().skipped, 0);

    // The clock set back across midnight keeps counting into the stored day, restarted or not.
    clock.advance(-3600);
    log.record(u"water"_s, true);
    EXPECT_EQ(log.state().date, u"2026-12-07"_s);
    EXPECT_EQ(log.state().counts.value(u"water"_s), 2);
    EXPECT_EQ(DayLog(clock, folder).state(), log.state());

    // A stored day far ahead is a clock that was wrong; it would never come round.
    clock.advance(-5 * 86400);
    log.record(u"water"_s, true);
    EXPECT_EQ(log.state().date, u"2026-12-01"_s);
}

TEST_F(DayLogTest, LegacyAndDamagedFiles) {
    writeFile(path(),
              R"({"date":"2026-12-07","sips":3,"breaks":0,"skipped":2,"lastSipAt":818326800,)"
              R"("windDownFired":true})");
    DayLog legacy(clock, folder);
    EXPECT_EQ(legacy.state().counts, (QMap<QString, qint64>{{u"water"_s, 3}, {u"movement"_s, 0}}));
    EXPECT_EQ(legacy.state().lastAt, (QMap<QString, QDateTime>{{u"water"_s, clock.now()}}));
    EXPECT_EQ(legacy.state().skipped, 2);
    EXPECT_TRUE(legacy.state().windDownFired);

    const QByteArray damaged[] = {
        R"({"date":"2026-12-07","counts":{"water":2},"lastAt":{},"skipped":1})",
        R"({"date":"2026-12-07","counts":{"water":"2"},"lastAt":{},"skipped":1,"windDownFired":false})",
        "\xff\xfe garbage",
    };
    for (const QByteArray& text : damaged) {
        writeFile(path(), text);
        LogCapture log;
        DayLog day(clock, folder);
        EXPECT_EQ(day.state(), DayLog::State::fresh(u"2026-12-07"_s)) << text.constData();
        day.record(u"water"_s, true);
        day.record(u"water"_s, true);
        EXPECT_EQ(file(u".damaged"_s), text) << "kept aside before the first save";
        EXPECT_EQ(log.lines().size(), 1);
    }
}

TEST_F(DayLogTest, AFailedSaveIsLoggedOnceAndKeptInMemory) {
    writeFile(folder, {}); // a file where the folder should be
    LogCapture log;
    DayLog day(clock, folder);
    day.record(u"water"_s, true);
    day.record(u"water"_s, true);
    EXPECT_EQ(day.state().counts.value(u"water"_s), 2);
    ASSERT_EQ(log.lines().size(), 1);
    EXPECT_TRUE(log.lines()[0].startsWith(u"Brevimar could not save "_s + path() + u": "_s));
}
