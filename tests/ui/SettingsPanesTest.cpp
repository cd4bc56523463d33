#include "SettingsFixture.h"
#include "fakes/ScopedEnv.h"
#include "fakes/WriteFile.h"
#include "settings/AppSettings.h"
#include "ui/settings/GeneralPane.h"
#include "ui/settings/HistoryExport.h"
#include "ui/settings/PausesPane.h"
#include "ui/settings/SettingsForm.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

using namespace Qt::StringLiterals;
using SettingsForm::Stepper;
using Tab = SettingsWindow::Tab;

// The settings panes over the real engine: what each control writes and what each shows.

namespace {

QStringList visibleNames(const QListWidget& list) {
    QStringList names;
    for (int row = 0; row < list.count(); ++row) {
        if (!list.item(row)->isHidden())
            names.append(list.item(row)->text());
    }
    return names;
}

class SettingsPanesTest : public SettingsFixture {
protected:
    // After the rows were remade and the closed editor went away.
    template <typename T = QWidget> T* find(const QString& name) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return control<T>(Tab::reminders, name);
    }
    void press(const QString& button) { find<QAbstractButton>(button)->click(); }
    void step(const QString& stepper, int times) {
        Stepper* found = find<Stepper>(stepper);
        for (int i = 0; i < std::abs(times); ++i)
            found->step(times > 0 ? 1 : -1);
    }
    void add(const QString& menuItem) {
        for (QAction* action : find<QPushButton>(u"Add Reminder"_s)->menu()->actions()) {
            if (action->text() == menuItem)
                return action->trigger();
        }
        ADD_FAILURE() << "no menu item " << menuItem.toStdString();
    }

    PausesPane& pauses() { return static_cast<PausesPane&>(pane(Tab::pauses)); }
    QStringList texts() { return labelTexts(pauses()); }

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

    // A turn of the wheel up (1) or down (-1), delivered as the desktop does: to what lies under
    // the pointer near the widget's corner, such as a time field's text.
    static void wheel(QWidget* over, int direction) {
        QWidget* under = over->childAt(8, 8) ? over->childAt(8, 8) : over;
        QWheelEvent turn({4, 4}, under->mapToGlobal(QPointF(4, 4)), {}, {0, 120 * direction},
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        // Sent, it would be marked as made by the program, which Qt hands to no parent.
        QSpontaneKeyEvent::setSpontaneous(&turn);
        qApp->notify(under, &turn);
    }

    QTemporaryDir out;
};

} // namespace

// A step of 1, or no bounds, would let the gap reach 9 or 35.
TEST_F(SettingsPanesTest, RemindersGapStepperMovesByFiveBetweenFiveAndThirty) {
    Stepper* gap = find<Stepper>(u"At least 10 min between reminders"_s);
    gap->step(-1);
    EXPECT_EQ(settings.minimumGapMinutes(), 5);
    gap->step(-1);
    EXPECT_EQ(gap->value(), 5);
    for (int i = 0; i < 7; ++i)
        gap->step(1);
    EXPECT_EQ(settings.minimumGapMinutes(), 30);
    settings.setMinimumGapMinutes(15);
    EXPECT_EQ(gap->value(), 15) << "follows a change made elsewhere";
}

// Each preset chosen is written; showing a change made elsewhere writes nothing.
TEST_F(SettingsPanesTest, RemindersPaceWritesTheChosenPresetOnly) {
    auto* pace = find<QComboBox>(u"Pace"_s);
    for (const Preset preset : {Preset::gentle, Preset::balanced, Preset::active}) {
        settings.setWaterIntervalMinutes(35);
        pace->setCurrentIndex(int(preset)); // as showing a change made elsewhere does
        EXPECT_EQ(settings.preset(), Preset::custom);
        Q_EMIT pace->activated(int(preset));
        EXPECT_EQ(settings.preset(), preset);
    }
}

// Water to 60 beside movement 90 is the gentle pair; an untouched goal must stay unset so that it
// keeps following the interval, a changed one is kept under the kind's id.
TEST_F(SettingsPanesTest, RemindersSavingABuiltInWritesItsIntervalAndOnlyAChangedGoal) {
    settings.setBreakIntervalMinutes(90);
    press(u"Edit Water"_s);
    step(u"Every 30 min"_s, 6);
    press(u"Save"_s);
    EXPECT_EQ(settings.waterIntervalMinutes(), 60);
    EXPECT_EQ(find<QComboBox>(u"Pace"_s)->currentText(), u"Gentle"_s);
    EXPECT_TRUE(settings.dailyGoals().isEmpty());

    press(u"Edit Move"_s);
    step(u"Goal: 5 a day"_s, 1);
    press(u"Save"_s);
    EXPECT_EQ(settings.dailyGoals(), (AppSettings::DailyGoals{{u"movement"_s, 6}}));
    EXPECT_EQ(settings.breakIntervalMinutes(), 90);
}

// Each template add is a new reminder of its own; a blank name cannot be added; Delete, Save and
// the row's switch change only their own reminder, and its goal is kept under its kind's id.
TEST_F(SettingsPanesTest, RemindersAddingFromTemplatesDeletingAndSwitchingCustomReminders) {
    add(u"Posture"_s);
    press(u"Add"_s);
    add(u"Posture"_s);
    press(u"Add"_s);
    const QList<CustomReminder> added = settings.customReminders();
    ASSERT_EQ(added.size(), 2);
    EXPECT_EQ(added[1].title, u"Posture"_s);
    EXPECT_NE(added[0].id, added[1].id);

    add(u"Custom…"_s);
    find<QLineEdit>(u"Name"_s)->setText(u" \t "_s);
    EXPECT_FALSE(find<QPushButton>(u"Add"_s)->isEnabled());
    press(u"Cancel"_s);

    press(u"Edit Posture"_s);
    press(u"Delete Reminder"_s);
    press(u"Edit Posture"_s);
    find<QLineEdit>(u"Name"_s)->setText(u"Sit tall"_s);
    step(u"Goal: 10 a day"_s, 1);
    press(u"Save"_s);
    ASSERT_EQ(settings.customReminders().size(), 1);
    EXPECT_EQ(settings.customReminders()[0].id, added[1].id);
    EXPECT_EQ(settings.customReminders()[0].title, u"Sit tall"_s);
    const QString goalKey = u"custom-"_s + added[1].id.toString(QUuid::WithoutBraces).toUpper();
    EXPECT_EQ(settings.dailyGoals(), (AppSettings::DailyGoals{{goalKey, 11}}));
    press(u"Sit tall"_s);
    EXPECT_FALSE(settings.customReminders()[0].enabled);
}

// Catches the row's switch or its editor's Save deleting the control under the keyboard.
TEST_F(SettingsPanesTest, RemindersKeyboardStaysOnItsRowAfterTheSwitchAndTheEditor) {
    window().present();
    QApplication::setActiveWindow(&window());
    find<QCheckBox>(u"Water"_s)->setFocus();
    QTest::keyClick(find<QCheckBox>(u"Water"_s), Qt::Key_Space);
    EXPECT_EQ(QApplication::focusWidget(), find<QCheckBox>(u"Water"_s));
    QTest::keyClick(&window(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), find(u"Edit Water"_s));

    QTest::keyClick(find(u"Edit Water"_s), Qt::Key_Space);
    step(u"Every 30 min"_s, 1);
    press(u"Save"_s);
    EXPECT_EQ(window().focusWidget(), find(u"Edit Water"_s));
}

// The Reminders pane is taller than the window (nine tenths of the 600-pixel offscreen screen) and
// scrolls rather than squeezing its rows. Scrolling it with the pointer over a picker changes
// nothing (the Custom pace would become Active, its pair gone); a focused picker takes the wheel.
TEST_F(SettingsPanesTest, PickersTakeTheWheelOnlyWithTheFocus) {
    settings.setWindDownEnabled(true);
    pauses().addAppRule({u"zed"_s, u"Zed Editor"_s});
    window().present();
    QApplication::setActiveWindow(&window());
    const QByteArray stored = contents(preferences.fileName());
    auto* pace = find<QComboBox>(u"Pace"_s);
    QCoreApplication::processEvents();
    QScrollBar* bar = window().findChild<QScrollArea*>()->verticalScrollBar();
    bar->setValue(bar->maximum());
    wheel(pace, 1);
    EXPECT_LT(bar->value(), bar->maximum());
    wheel(control<QComboBox>(Tab::pauses, u"Zed Editor"_s), -1);
    for (const QString& picker :
         {u"Daily summary time"_s, u"Pace on "_s + QLocale().standaloneDayName(Qt::Friday)})
        wheel(control(Tab::schedule, picker), -1);
    EXPECT_EQ(contents(preferences.fileName()), stored);

    find<QComboBox>(u"Pace"_s)->setFocus();
    wheel(pace, 1);
    EXPECT_EQ(settings.preset(), Preset::active);
}

// At 10:40 water's 10:30 has passed without a tick and starts now; movement keeps the engine's
// 11:00 rather than now plus an hour; a time exactly four hours ahead still counts.
TEST_F(SettingsPanesTest, RemindersNextFourHoursProjectsFromTheEnginesTimes) {
    advanceMinutes(40);
    QStringList expected{u"Next 4 hours"_s};
    for (const QString& next : u"Water 10:40,Move 11:00,Water 11:10,Water 11:40,Move 12:00,"
                               u"Water 12:10,Water 12:40,Move 13:00,Water 13:10,Water 13:40,"
                               u"Move 14:00,Water 14:10,Water 14:40"_s.split(u',')) {
        const QTime at = QTime::fromString(next.section(u' ', 1), u"HH:mm"_s);
        expected << next.section(u' ', 0, 0)
                 << QLocale::system().toString(at, QLocale::ShortFormat);
    }
    expected
        << u"If nothing holds them. Calls, screen sharing and time away push reminders later."_s;

    EXPECT_EQ(labelTexts(*pane(Tab::reminders).findChild<QWidget*>(u"upcoming"_s)), expected);
}

// On a day with a pace of its own the row says the day's interval, the one its goal and "Next 4
// hours" count with.
TEST_F(SettingsPanesTest, RemindersRowShowsTheIntervalOfADayPacedOnItsOwn) {
    WorkSchedule schedule = settings.workSchedule();
    schedule.presetByDay[2] = Preset::gentle; // Monday, today
    settings.setWorkSchedule(schedule);
    EXPECT_TRUE(labelTexts(*find<QCheckBox>(u"Water"_s)->parentWidget())
                    .contains(u"Every 60 min today · 8 a day"_s));
}

// A pane left behind by a closed window would tell a failed launch at login once more for every
// window opened and closed before. The next window opens on the tab the last one was left on.
TEST_F(SettingsPanesTest, AClosedWindowLeavesNoPaneAnsweringAndTheNextOpensOnItsTab) {
    for (int opened = 0; opened < 3; ++opened) {
        SettingsWindow shown(parts());
        for (const Tab tab :
             {Tab::reminders, Tab::general, Tab::pauses, Tab::schedule, Tab::alerts})
            shown.showTab(tab);
    }
    EXPECT_EQ(window().tab(), Tab::alerts);
    loginItem.failure = u"Read-only file system"_s;
    control<QCheckBox>(Tab::general, u"Launch at login"_s)->click();
    const QWidgetList all = QApplication::allWidgets();
    EXPECT_EQ(std::ranges::count_if(all, [](QWidget* w) { return qobject_cast<QMessageBox*>(w); }),
              1);
}

// Catches a step rule that skips 15, keeps stepping by one above it, or does not come back.
TEST_F(SettingsPanesTest, PausesIdleStepperMovesByOneBelowFifteenAndByFiveFromThere) {
    auto* idle = pauses().findChild<Stepper*>();
    ASSERT_NE(idle, nullptr);
    const auto walk = [&](int direction) {
        QList<int> values{idle->value()};
        for (int moved = -1; moved != idle->value();) {
            moved = idle->value();
            idle->step(direction);
            if (idle->value() != moved)
                values.append(idle->value());
            EXPECT_EQ(settings.idleThresholdMinutes(), idle->value());
        }
        return values;
    };
    walk(-1);
    QList<int> expected{2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                        14, 15, 20, 25, 30, 35, 40, 45, 50, 55, 60};
    EXPECT_EQ(walk(1), expected);
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(walk(-1), expected);
}

// The signals are sampled only while a person can see them: not for a hidden window, not behind
// another tab. The status line and the call row follow the camera from the first sample, and the
// microphone row names what records.
TEST_F(SettingsPanesTest, PausesLiveSignalsPollOnlyOnScreenAndShowTheHold) {
    const LiveSignals& live = pauses().liveSignals();
    EXPECT_FALSE(live.isActive()) << "the window is not shown yet";
    EXPECT_EQ(media.questions, 0);
    EXPECT_TRUE(texts().contains(u"Reminders are running"_s));

    startCall();
    media.microphone = u"OBS Studio"_s;
    window().present();
    EXPECT_TRUE(live.isActive());
    EXPECT_TRUE(texts().contains(u"Holding reminders"_s));
    EXPECT_TRUE(texts().contains(u"Camera on"_s)) << "sampled at once";
    EXPECT_TRUE(texts().contains(u"Microphone: OBS Studio"_s));
    media.microphone.reset();
    endCall();
    EXPECT_TRUE(texts().contains(u"Reminders are running"_s));

    window().showTab(Tab::general);
    EXPECT_FALSE(live.isActive());
    window().showTab(Tab::pauses);
    EXPECT_TRUE(live.isActive());
    window().hide();
    EXPECT_FALSE(live.isActive());
}

// Access can be given while calendar holds are off. Once given, each calendar is a switch that
// narrows the holds to the ones chosen; without a calendar service the row says so.
TEST_F(SettingsPanesTest, PausesCalendarRowsGiveAccessAndChooseCalendars) {
    calendar.current = CalendarStore::Status::notDetermined;
    calendar.calendarList = {{u"work"_s, u"Work"_s}, {u"home"_s, u"Home"_s}};
    monitor().calendar().refreshAccess();
    control<QPushButton>(Tab::pauses, u"Allow Access…"_s)->click();
    EXPECT_EQ(calendar.requests, 1);

    control<QCheckBox>(Tab::pauses, u"In a calendar event"_s)->click();
    control<QCheckBox>(Tab::pauses, u"Work"_s)->click();
    EXPECT_TRUE(texts().contains(u"1 selected"_s));
    control<QCheckBox>(Tab::pauses, u"Skip all-day events"_s)->click();
    EXPECT_EQ(settings.calendarRules(), (CalendarRules{true, {u"work"_s}, true, false}));
    control<QCheckBox>(Tab::pauses, u"Work"_s)->click();
    EXPECT_TRUE(texts().contains(u"All"_s));

    calendar.current = CalendarStore::Status::denied;
    monitor().calendar().refreshAccess();
    EXPECT_EQ(texts().filter(u"No calendar service was found"_s).size(), 1);
}

// The status line says what holds reminders, naming the rule or the event.
TEST_F(SettingsPanesTest, PausesStatusSaysWhatHoldsReminders) {
    pauses().addAppRule({u"zed"_s, u"Zed Editor"_s});
    workspace.frontmost = RunningApplication{1, u"zed"_s, u"Zed Editor"_s};
    monitor().refresh();
    EXPECT_TRUE(texts().contains(u"Your rule for Zed Editor holds them."_s));
    settings.setCalendarRules({true, {}, true, true});
    calendar.eventList = {{u"work"_s, u"Standup"_s, clock.now(), clock.now().addSecs(600)}};
    calendar.change();
    monitor().refresh();
    EXPECT_TRUE(texts().contains(u"You're in “Standup”."_s));
}

// Where the desktop lets Brevimar see less, the rows that miss something say so; on GNOME the
// full-screen row names what stands in for the applications it cannot see.
TEST_F(SettingsPanesTest, PausesRowsSayWhatThisDesktopKeepsFromBrevimar) {
    const auto shown = [this](const QString& text) {
        qsizetype count = 0;
        for (const QLabel* label : pauses().findChildren<QLabel*>())
            count += label->text() == text && label->isVisibleTo(&pauses());
        return count;
    };
    const QString onlyX11 = u"On this desktop only X11 applications are seen."_s;
    const QString noIdle = u"Time away isn't seen on this desktop."_s;
    const QString noDoNotDisturb = u"Do Not Disturb isn't seen on this desktop."_s;
    const QString noMicrophone =
        u"Microphones aren't seen on this computer: Brevimar reads them from PipeWire."_s;
    window().present();
    EXPECT_EQ(shown(onlyX11) + shown(noIdle) + shown(noDoNotDisturb) + shown(noMicrophone), 0);

    const ScopedEnv gnome("XDG_CURRENT_DESKTOP", u"ubuntu:GNOME"_s);
    workspace.seesEvery = false;
    session.idle.reset();
    session.dnd.reset();
    media.seesMic = false;
    window().hide();
    window().present();
    EXPECT_EQ(shown(onlyX11), 1) << "beside the app rules";
    EXPECT_EQ(shown(u"On this desktop only X11 applications are seen, and those that keep the "
                    u"screen awake."_s),
              1);
    EXPECT_EQ(shown(noIdle), 1);
    EXPECT_EQ(shown(noDoNotDisturb), 1);
    EXPECT_EQ(shown(noMicrophone), 1);
    EXPECT_EQ(shown(u"Not seen"_s), 3) << "rather than no time away, recording or Do Not Disturb";
}

// Restore Defaults gives back the default list in its order; a removed app goes, and an app
// chosen twice is listed once.
TEST_F(SettingsPanesTest, PausesMeetingAppsRestoreRemoveAndAddOnce) {
    settings.setMeetingAppBundleIDs({});
    control<QAbstractButton>(Tab::pauses, u"Restore Defaults"_s)->click();
    EXPECT_EQ(settings.meetingAppBundleIDs(), AppSettings::defaultMeetingAppBundleIDs());
    EXPECT_TRUE(texts().contains(u"Microsoft Teams (classic)"_s));

    control<QToolButton>(Tab::pauses, u"Remove"_s)->click();
    EXPECT_EQ(settings.meetingAppBundleIDs(), AppSettings::defaultMeetingAppBundleIDs().mid(1));
    EXPECT_FALSE(texts().contains(u"Zoom"_s)) << "the removed line is gone";

    pauses().addMeetingApp({u"us.zoom.Zoom"_s, u"Zoom"_s});
    pauses().addMeetingApp({u"us.zoom.Zoom"_s, u"Zoom"_s});
    EXPECT_EQ(settings.meetingAppBundleIDs().count(u"us.zoom.Zoom"_s), 1);
}

// The chooser offers what an application menu offers, in the user's data folder, the system's
// and Flatpak's exports; its choice becomes an app rule and a meeting app named as the desktop
// entry names it.
TEST_F(SettingsPanesTest, PausesChosenAppBecomesAnAppRuleOrAMeetingApp) {
    const QString system = xdg.dataHome() + u"/system"_s;
    ScopedEnv dataDirs{"XDG_DATA_DIRS", system};
    const auto entry = [](const QString& path, const QByteArray& keys) {
        writeFile(path, "[Desktop Entry]\nType=Application\n" + keys +
                            "\n[Desktop Action new]\n"
                            "Name=Not this one\n");
    };
    entry(system + u"/applications/zed.desktop"_s, "Name=Zed Editor\nIcon=zed");
    entry(system + u"/applications/kde/konsole.desktop"_s, "Name=Konsole");
    entry(system + u"/applications/settings-helper.desktop"_s, "Name=Helper\nNoDisplay=true");
    entry(xdg.dataHome() + u"/applications/konsole.desktop"_s, "Name=Gone\nHidden=true");
    entry(xdg.dataHome() + u"/flatpak/exports/share/applications/org.flat.Meet.desktop"_s,
          "Name=alpha Meet");

    AppChooser chooser(u"Pick an app."_s, DesktopEntries().applications());
    EXPECT_EQ(visibleNames(*chooser.list()),
              (QStringList{u"alpha Meet"_s, u"Konsole"_s, u"Zed Editor"_s}));
    chooser.search(u"ZED"_s);
    EXPECT_EQ(visibleNames(*chooser.list()), QStringList{u"Zed Editor"_s});
    const std::optional<AppChooser::Choice> zed = chooser.chosen();
    ASSERT_TRUE(zed.has_value()) << "the only match is picked";
    EXPECT_EQ(zed->id, u"zed"_s);

    pauses().addAppRule(*zed);
    ASSERT_EQ(settings.appRules().size(), 1);
    const AppRule rule = settings.appRules().first();
    EXPECT_EQ(rule.bundleID, u"zed"_s);
    EXPECT_EQ(rule.name, u"Zed Editor"_s);
    EXPECT_EQ(rule.mode, AppRule::Mode::frontmost);
    auto* mode = control<QComboBox>(Tab::pauses, u"Zed Editor"_s);
    mode->setCurrentIndex(1);
    Q_EMIT mode->activated(1);
    EXPECT_EQ(settings.appRules().first().mode, AppRule::Mode::fullScreen);
    pauses().findChild<QMenu*>()->actions().first()->trigger();
    EXPECT_TRUE(settings.appRules().isEmpty());

    pauses().addMeetingApp({u"org.flat.Meet"_s, u"alpha Meet"_s});
    EXPECT_EQ(settings.meetingAppBundleIDs().last(), u"org.flat.Meet"_s);
    EXPECT_TRUE(texts().contains(u"alpha Meet"_s)) << "named by its desktop entry";
}

// The file holds exactly the store's export, and an empty log gives an empty file. Nothing is
// written when the save dialog or the export is cancelled; a file that cannot be written is told
// with its path and reason, and nothing of it is left behind.
TEST_F(SettingsPanesTest, ExportWritesTheWholeLogOrNothing) {
    events.log(EventStore::Action::done, NudgeKind::water(), u"a/\"b\"\n"_s);
    const QString path = out.filePath(u"Brevimar-history.jsonl"_s);
    finish(general().exportHistory(path));
    EXPECT_EQ(contents(path), events.exportJSONL());
    EXPECT_FALSE(message());

    HistoryExport cancelled(events, out.filePath(u"cancelled.jsonl"_s));
    cancelled.cancel();
    cancelled.start();
    finish(&cancelled);
    const QString taken = out.filePath(u"taken"_s); // a folder where the file should go
    QDir(out.path()).mkdir(u"taken"_s);
    finish(general().exportHistory(taken));
    EXPECT_EQ(QDir(out.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              (QStringList{u"Brevimar-history.jsonl"_s, u"taken"_s}));
    ASSERT_TRUE(message());
    EXPECT_TRUE(message()->text().contains(taken));
    EXPECT_FALSE(message()->informativeText().isEmpty());

    EventStore empty(clock, out.filePath(u"empty"_s));
    HistoryExport job(empty, path);
    job.start();
    finish(&job);
    EXPECT_EQ(contents(path), QByteArray());
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
    WorkSchedule custom = settings.workSchedule();
    custom.presetByDay[6] = Preset::custom;
    settings.setWorkSchedule(custom);
    EXPECT_EQ(friday->currentText(), u"Same as always"_s) << "the usual pair, as Custom runs on";
}

// The summary time keeps its minutes both ways; the buttons show a water reminder and the summary.
TEST_F(SettingsPanesTest, SummaryTimeKeepsItsMinutesAndThePreviewsShow) {
    auto* time = control<QTimeEdit>(Tab::schedule, u"Daily summary time"_s);
    time->setTime(QTime(21, 45));
    EXPECT_EQ(QTime(int(settings.windDownHour()), int(settings.windDownMinute())), QTime(21, 45));
    settings.setWindDownMinute(5);
    EXPECT_EQ(time->time(), QTime(21, 5));
    control<QPushButton>(Tab::alerts, u"Send Test Reminder"_s)->click();
    control<QPushButton>(Tab::schedule, u"Show Summary Now"_s)->click();
    EXPECT_TRUE(panel.calls.value(0).startsWith(u"show water "_s));
    EXPECT_TRUE(panel.calls.value(1).startsWith(u"message Want to wrap up?"_s));
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

// Without XWayland reminders come as notifications whatever style is stored: that one is marked,
// the others cannot be chosen, a sentence says why, and the stored choice is kept.
TEST_F(SettingsPanesTest, WithoutXWaylandOnlyNotificationsCanBeChosen) {
    const ScopedEnv wayland("WAYLAND_DISPLAY", u"wayland-0"_s);
    const ScopedEnv noX11("DISPLAY", {});
    settings.setReminderStyle(ReminderStyle::card);
    auto* card = control<QAbstractButton>(Tab::alerts, u"Floating card"_s);
    EXPECT_FALSE(card->isEnabled());
    EXPECT_FALSE(card->isChecked());
    EXPECT_FALSE(control<QAbstractButton>(Tab::alerts, u"Notch"_s)->isEnabled());
    EXPECT_TRUE(control<QAbstractButton>(Tab::alerts, u"Notification"_s)->isChecked());
    EXPECT_EQ(labelTexts(pane(Tab::alerts)).filter(u"without XWayland"_s).size(), 1);
    EXPECT_EQ(settings.reminderStyle(), ReminderStyle::card);
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
    EXPECT_TRUE(
        findWidget(*withoutUpdater.pane(Tab::general), u"Check for Updates…"_s)->isHidden());
}
