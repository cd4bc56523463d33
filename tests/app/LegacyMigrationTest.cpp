#include "app/Services.h"
#include "fakes/EventLog.h"
#include "fakes/FileSizeLimit.h"
#include "fakes/LogCapture.h"
#include "fakes/ManualClock.h"
#include "fakes/TemporaryXdg.h"
#include "fakes/WriteFile.h"

#include <QDirIterator>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString passLine = u"Brevimar: legacy migration pass complete (Ormanthe → Brevimar)"_s;

// An upgrading user's home: the earlier product's settings and data folder beside Brevimar's.
class LegacyMigrationTest : public ::testing::Test {
protected:
    QString earlierSettings() const { return xdg.configHome() + u"/tovanex/Ormanthe.conf"_s; }
    QString settingsFile() const { return xdg.configHome() + u"/tovanex/Brevimar.conf"_s; }
    QString earlierFolder() const { return xdg.dataHome() + u"/Ormanthe"_s; }
    QString folder() const { return xdg.dataHome() + u"/Brevimar"_s; }

    // A day log and an event log in the folder, as the product writes them.
    void keepHistory(const QString& where, int sips) {
        DayLog dayLog(clock, where);
        EventStore events(clock, where);
        for (int i = 0; i < sips; ++i) {
            dayLog.record(u"water"_s, true);
            events.log(EventStore::Action::done, NudgeKind::water());
        }
    }

    // Every file under the earlier places with its contents, to show they were only read.
    QMap<QString, QByteArray> earlierFiles() const {
        QMap<QString, QByteArray> files{{earlierSettings(), readFile(earlierSettings())}};
        QDirIterator entries(earlierFolder(), QDir::Files | QDir::Hidden,
                             QDirIterator::Subdirectories);
        while (entries.hasNext()) {
            const QString path = entries.next();
            files.insert(path, readFile(path));
        }
        return files;
    }

    TemporaryXdg xdg;
    LogCapture log;
    ManualClock clock{QDateTime(QDate(2026, 3, 4), QTime(10, 0))};
};

} // namespace

TEST_F(LegacyMigrationTest, WithoutEarlierDataTheFirstStartOnlySetsTheFlag) {
    { Services first(clock); }
    EXPECT_EQ(PreferenceStore(u"com.tovanex.Brevimar"_s).keys(),
              QStringList({u"migratedFromOrmanthe"_s}));
    { Services second(clock); }
    EXPECT_EQ(log.lines().count(passLine), 1);
}

// The files left unchanged and the answer carried over are end_to_end_upgrade's to check.
TEST_F(LegacyMigrationTest, TheFirstStartRunsOnTheMissingSettingsAndTheWholeEarlierFolder) {
    writeFile(earlierSettings(), "[General]\nwaterIntervalMinutes=50\nsoundEnabled=true\n"
                                 "meetingAppBundleIDs=us.zoom.Zoom, Slack\n");
    writeFile(settingsFile(), "[General]\nsoundEnabled=false\n");
    keepHistory(earlierFolder(), 2);
    writeFile(earlierFolder() + u"/.backup/notes/kept"_s, "x");
    writeFile(folder() + u".migrating/events.sqlite"_s, "left by a start that crashed");

    Services first(clock);
    EXPECT_EQ(first.settings.waterIntervalMinutes(), 50) << "read before the pass";
    EXPECT_EQ(first.settings.meetingAppBundleIDs(), QStringList({u"us.zoom.Zoom"_s, u"Slack"_s}));
    EXPECT_FALSE(first.settings.soundEnabled()) << "Brevimar's own value stays";
    EXPECT_EQ(first.dayLog.state().counts.value(u"water"_s), 2);
    EXPECT_EQ(eventLog(first.events), QStringList({u"done water"_s, u"done water"_s}));
    EXPECT_EQ(readFile(folder() + u"/.backup/notes/kept"_s), "x") << "hidden and nested";
    EXPECT_FALSE(QFile::exists(folder() + u".migrating"_s));
}

TEST_F(LegacyMigrationTest, TheDataFolderIsCopiedOnlyWholeAndOnlyWhenBrevimarHasNone) {
    keepHistory(earlierFolder(), 5);
    keepHistory(folder(), 1);
    {
        Services existing(clock);
        EXPECT_EQ(existing.dayLog.state().counts.value(u"water"_s), 1);
    }

    // A disk that fills up halfway through the copy: files may grow to 64 KiB only.
    QDir(folder()).removeRecursively();
    QFile::remove(settingsFile());
    writeFile(earlierFolder() + u"/large"_s, QByteArray(256 * 1024, 'x'));
    const auto before = earlierFiles();
    std::optional<Services> afterFailure;
    {
        const FileSizeLimit fullDisk(64 * 1024);
        afterFailure.emplace(clock);
    }
    EXPECT_EQ(afterFailure->dayLog.state().counts.value(u"water"_s), 0) << "started afresh";
    EXPECT_FALSE(QFile::exists(folder() + u"/large"_s));
    EXPECT_FALSE(QFile::exists(folder() + u".migrating"_s));
    EXPECT_EQ(earlierFiles(), before);
    EXPECT_TRUE(afterFailure->preferences.boolean(u"migratedFromOrmanthe"_s, false));
}
