#include "SettingsFixture.h"
#include "ui/settings/GeneralPane.h"
#include "ui/settings/HistoryExport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimeEdit>

using namespace Qt::StringLiterals;
using Tab = SettingsWindow::Tab;

namespace {

class SettingsPanesTest : public SettingsFixture {
protected:
    GeneralPane& general() { return static_cast<GeneralPane&>(pane(Tab::general)); }
    static void finish(HistoryExport* job) {
        ASSERT_TRUE(job);
        QSignalSpy finished(job, &HistoryExport::finished);
        ASSERT_TRUE(finished.wait(10000));
    }
    static QByteArray contents(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : "(none)";
    }
    QMessageBox* message() { return general().findChild<QMessageBox*>(); }

    QTemporaryDir out;
};

} // namespace

// The file holds exactly the store's export; an empty log gives an empty file.
TEST_F(SettingsPanesTest, ExportWritesTheLogAsItsTextOrAnEmptyFile) {
    events.log(EventStore::Action::done, NudgeKind::water(), u"a/\"b\"\n"_s);
    const QString path = out.filePath(u"Brevimar-history.jsonl"_s);
    finish(general().exportHistory(path));
    EXPECT_EQ(contents(path), events.exportJSONL());
    EXPECT_FALSE(message());

    EventStore empty(clock, out.filePath(u"empty"_s));
    const QString emptyPath = out.filePath(u"empty.jsonl"_s);
    HistoryExport job(empty, emptyPath);
    job.start();
    finish(&job);
    EXPECT_EQ(contents(emptyPath), QByteArray());
}

// Nothing is written when the save dialog or the export is cancelled; a file that cannot be
// written is told with its path and reason, and nothing of it is left behind.
TEST_F(SettingsPanesTest, ACancelledOrFailedExportLeavesNothing) {
    EXPECT_FALSE(general().exportHistory({}));
    const QString path = out.filePath(u"cancelled.jsonl"_s);
    HistoryExport job(events, path);
    job.cancel();
    job.start();
    finish(&job);

    const QString taken = out.filePath(u"taken"_s); // a folder where the file should go
    QDir(out.path()).mkdir(u"taken"_s);
    finish(general().exportHistory(taken));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{u"taken"_s});
    ASSERT_TRUE(message());
    EXPECT_TRUE(message()->text().contains(taken));
    EXPECT_FALSE(message()->informativeText().isEmpty());
}

TEST_F(SettingsPanesTest, ALaunchAtLoginThatCannotBeWrittenSaysWhyAndGoesBack) {
    loginItem.failure = u"Read-only file system"_s;
    auto* launch = control<QCheckBox>(Tab::general, u"Launch at login"_s);
    launch->click();
    EXPECT_FALSE(launch->isChecked());
    ASSERT_TRUE(message());
    EXPECT_EQ(message()->informativeText(), u"Read-only file system"_s);
}

// The hours, days and paces show only while the schedule is on, and each writes the schedule.
TEST_F(SettingsPanesTest, WorkHoursControlsFollowTheSwitchAndWriteTheSchedule) {
    QWidget& schedule = pane(Tab::schedule);
    auto* from = control<QTimeEdit>(Tab::schedule, u"From"_s);
    EXPECT_FALSE(from->isVisibleTo(&schedule));
    control<QCheckBox>(Tab::schedule, u"Only remind me during work hours"_s)->click();
    EXPECT_TRUE(from->isVisibleTo(&schedule));

    const QLocale locale;
    static_cast<QAbstractButton*>(control(Tab::schedule, locale.standaloneDayName(Qt::Saturday)))
        ->click();
    static_cast<QAbstractButton*>(control(Tab::schedule, locale.standaloneDayName(Qt::Monday)))
        ->click();
    auto* friday =
        control<QComboBox>(Tab::schedule, u"Pace on "_s + locale.standaloneDayName(Qt::Friday));
    friday->setCurrentIndex(1);
    Q_EMIT friday->activated(1);
    from->setTime(QTime(8, 15));
    const WorkSchedule written = settings.workSchedule();
    EXPECT_TRUE(written.enabled);
    EXPECT_EQ(written.days, (std::set{3, 4, 5, 6, 7})) << "Saturday added, Monday removed";
    EXPECT_EQ(written.presetByDay, (std::map<int, Preset>{{6, Preset::gentle}}));
    EXPECT_EQ(written.startMinutes, 8 * 60 + 15);

    friday->setCurrentIndex(0);
    Q_EMIT friday->activated(0);
    EXPECT_TRUE(settings.workSchedule().presetByDay.empty()) << "Same as always removes the day";
}

// Pressing the tile already chosen must not leave it unmarked.
TEST_F(SettingsPanesTest, AStyleTileStaysMarkedWhenPressedAgain) {
    auto* notch = control<QAbstractButton>(Tab::alerts, u"Notch"_s);
    notch->click();
    notch->click();
    EXPECT_EQ(settings.reminderStyle(), ReminderStyle::notch);
    EXPECT_TRUE(notch->isChecked());
    EXPECT_FALSE(control<QAbstractButton>(Tab::alerts, u"Floating card"_s)->isChecked());
}

TEST_F(SettingsPanesTest, CheckForUpdatesShowsOnlyWithAnUpdaterAndFollowsTheWindow) {
    int checks = 0;
    checkForUpdates = [&checks] { ++checks; };
    auto* check = control<QPushButton>(Tab::general, u"Check for Updates…"_s);
    EXPECT_FALSE(check->isHidden());
    EXPECT_FALSE(check->isEnabled());
    window().setCanCheckForUpdates(true);
    check->click();
    EXPECT_EQ(checks, 1);

    checkForUpdates = {};
    SettingsWindow withoutUpdater(parts());
    withoutUpdater.showTab(Tab::general);
    for (const QPushButton* button :
         withoutUpdater.pane(Tab::general)->findChildren<QPushButton*>())
        EXPECT_TRUE(button->text() != u"Check for Updates…"_s || button->isHidden());
}
