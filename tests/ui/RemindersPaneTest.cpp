#include "SettingsFixture.h"
#include "ui/settings/SettingsForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

using namespace Qt::StringLiterals;
using SettingsForm::Stepper;
using Tab = SettingsWindow::Tab;

namespace {

class RemindersPaneTest : public SettingsFixture {
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
};

} // namespace

// A step of 1, or no bounds, would let the gap reach 9 or 35.
TEST_F(RemindersPaneTest, GapStepperMovesByFiveBetweenFiveAndThirty) {
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

// Water to 60 beside movement 90 is the gentle pair; an untouched goal must stay unset so that it
// keeps following the interval, a changed one is kept under the kind's id.
TEST_F(RemindersPaneTest, SavingABuiltInWritesItsIntervalAndOnlyAChangedGoal) {
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

// Each template add is a new reminder of its own; a blank name cannot be added; Delete and the
// row's switch change only their own reminder.
TEST_F(RemindersPaneTest, AddingFromTemplatesDeletingAndSwitchingCustomReminders) {
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
    ASSERT_EQ(settings.customReminders().size(), 1);
    EXPECT_EQ(settings.customReminders()[0].id, added[1].id);
    press(u"Posture"_s);
    EXPECT_FALSE(settings.customReminders()[0].enabled);
}

// At 10:40 water's 10:30 has passed without a tick and starts now; movement keeps the engine's
// 11:00 rather than now plus an hour; a time exactly four hours ahead still counts.
TEST_F(RemindersPaneTest, NextFourHoursProjectsFromTheEnginesTimes) {
    advanceMinutes(40);
    const auto time = [](int hour, int minute) {
        return QLocale::system().toString(QTime(hour, minute), QLocale::ShortFormat);
    };
    QStringList expected{u"Next 4 hours"_s};
    for (const auto& [title, hour, minute] :
         std::initializer_list<std::tuple<QString, int, int>>{{u"Water"_s, 10, 40},
                                                              {u"Move"_s, 11, 0},
                                                              {u"Water"_s, 11, 10},
                                                              {u"Water"_s, 11, 40},
                                                              {u"Move"_s, 12, 0},
                                                              {u"Water"_s, 12, 10},
                                                              {u"Water"_s, 12, 40},
                                                              {u"Move"_s, 13, 0},
                                                              {u"Water"_s, 13, 10},
                                                              {u"Water"_s, 13, 40},
                                                              {u"Move"_s, 14, 0},
                                                              {u"Water"_s, 14, 10},
                                                              {u"Water"_s, 14, 40}})
        expected << title << time(hour, minute);
    expected
        << u"If nothing holds them. Calls, screen sharing and time away push reminders later."_s;

    QStringList shown;
    const QWidget* upcoming = pane(Tab::reminders).findChild<QWidget*>(u"upcoming"_s);
    for (const QLabel* label : upcoming->findChildren<QLabel*>())
        shown << label->text();
    EXPECT_EQ(shown, expected);
}

// The window stops at nine tenths of the 600-pixel offscreen screen, shorter than this pane: the
// pane must scroll rather than be squeezed until its rows overlap.
TEST_F(RemindersPaneTest, APaneTallerThanTheScreenScrolls) {
    pane(Tab::reminders);
    window().present();
    QCoreApplication::processEvents();
    EXPECT_GT(window().findChild<QScrollArea*>()->verticalScrollBar()->maximum(), 0);
}
