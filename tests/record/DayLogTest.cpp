#include "record/DayLog.h"
#include "fakes/ManualClock.h"
#include "fakes/QtPrinters.h"
#include "fakes/WriteFile.h"
#include "settings/CustomReminder.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class DayLogTest : public ::testing::Test {
protected:
    QString path() const { return QDir(folder).filePath(u"today.json"_s); }

    QByteArray file() const {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

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
    EXPECT_EQ(state.date, u"2026-12-07"_s);
    EXPECT_EQ(state.counts, (QMap<QString, qint64>{{u"water"_s, 2}}));
    EXPECT_EQ(state.lastAt.keys(), QStringList({u"water"_s}));
    EXPECT_EQ(state.lastAt.value(u"water"_s), clock.now());
    EXPECT_EQ(state.skipped, 1);
    EXPECT_TRUE(state.windDownFired);

    const QJsonObject json = QJsonDocument::fromJson(file()).object();
    EXPECT_EQ(json.keys(),
              QStringList({u"counts"_s, u"date"_s, u"lastAt"_s, u"skipped"_s, u"windDownFired"_s}));
    // 09:01:30 UTC on 7 December 2026, in seconds since 2001-01-01 UTC.
    EXPECT_EQ(json[u"lastAt"_s][u"water"_s].toDouble(), 818326890.0);
    EXPECT_EQ(DayLog(clock, folder).state(), state);
}

TEST_F(DayLogTest, AFileFromYesterdayIsIgnoredUntilTheFirstChange) {
    clock.set(QDateTime(QDate(2026, 12, 6), QTime(23, 59)));
    DayLog(clock, folder).record(u"water"_s, true);
    const QByteArray yesterday = file();

    clock.advance(60); // midnight
    DayLog log(clock, folder);
    EXPECT_EQ(log.state(), DayLog::State::fresh(u"2026-12-07"_s));
    EXPECT_EQ(file(), yesterday) << "construction never writes";

    log.record(u"water"_s, true);
    EXPECT_EQ(log.state().counts.value(u"water"_s), 1);
    EXPECT_TRUE(file().contains("\"2026-12-07\""));
}

TEST_F(DayLogTest, RecordingJustAfterMidnightStartsTheNewDay) {
    clock.set(QDateTime(QDate(2026, 12, 6), QTime(23, 59, 50)));
    DayLog log(clock, folder);
    log.record(u"water"_s, true);
    log.record(u"water"_s, false);
    clock.advance(20);
    QSignalSpy changed(&log, &DayLog::stateChanged);
    log.record(u"water"_s, true);
    EXPECT_EQ(log.state().date, u"2026-12-07"_s);
    EXPECT_EQ(log.state().counts.value(u"water"_s), 1);
    EXPECT_EQ(log.state().skipped, 0);
    EXPECT_EQ(changed.count(), 2);
}

TEST_F(DayLogTest, LegacyAndDamagedFiles) {
    writeFile(path(),
              R"({"date":"2026-12-07","sips":3,"breaks":0,"skipped":2,"lastSipAt":818326800,)"
              R"("windDownFired":true})");
    DayLog legacy(clock, folder);
    EXPECT_EQ(legacy.state().counts, (QMap<QString, qint64>{{u"water"_s, 3}, {u"movement"_s, 0}}));
    EXPECT_EQ(legacy.state().lastAt.keys(), QStringList({u"water"_s}));
    EXPECT_EQ(legacy.state().lastAt.value(u"water"_s), clock.now());
    EXPECT_EQ(legacy.state().skipped, 2);
    EXPECT_TRUE(legacy.state().windDownFired);

    const QByteArray damaged[] = {
        R"({"date":"2026-12-07","counts":{"water":2},"lastAt":{},"skipped":1})",
        R"({"date":"2026-12-07","sips":3,"breaks":0,"skipped":2})",
        R"({"date":"2026-12-07","counts":{"water":"2"},"lastAt":{},"skipped":1,"windDownFired":false})",
        R"({"date":"2026-12-07","counts":{"water":2},"lastAt":{},"sk)",
        "",
        "\xff\xfe garbage",
    };
    for (const QByteArray& text : damaged) {
        writeFile(path(), text);
        EXPECT_EQ(DayLog(clock, folder).state(), DayLog::State::fresh(u"2026-12-07"_s))
            << text.constData();
        EXPECT_EQ(file(), text);
    }
}

TEST_F(DayLogTest, SummaryUsesTheSingularOnlyForOne) {
    DayLog log(clock, folder);
    log.record(u"water"_s, true);
    CustomReminder eyes = CustomReminder::templates()[0];
    EXPECT_EQ(log.summary({NudgeKind::water(), NudgeKind::movement(), eyes.asKind()}),
              u"1 sip \u00B7 0 breaks \u00B7 0 rests"_s);
    log.record(u"water"_s, true);
    EXPECT_EQ(log.summary({NudgeKind::water()}), u"2 sips"_s);
    EXPECT_EQ(log.summary({}), QString());
}
