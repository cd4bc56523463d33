#include "ui/tray/MenuBarView.h"
#include "UiFixture.h"
#include "fakes/ScopedEnv.h"
#include "ui/theme/Symbols.h"
#include "ui/theme/Windowing.h"
#include "ui/tray/MenuBarIcon.h"
#include "ui/tray/PanelPlacement.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QLocale>
#include <QMenu>
#include <QScreen>
#include <QSystemTrayIcon>

using namespace Qt::StringLiterals;

namespace {

const NudgeKind& water = NudgeKind::water();
const NudgeKind& movement = NudgeKind::movement();

using PanelModelTest = UiFixture;

class MenuBarViewTest : public UiFixture {
protected:
    MenuBarViewTest() { view.refresh(); }

    // The buttons of the current content with this tooltip; replaced content no longer counts.
    QList<QAbstractButton*> buttons(const QString& tooltip) {
        QList<QAbstractButton*> found = view.findChildren<QAbstractButton*>();
        found.removeIf(
            [&](QAbstractButton* b) { return b->toolTip() != tooltip || !b->isVisibleTo(&view); });
        return found;
    }
    QAbstractButton* button(const QString& tooltip) { return buttons(tooltip).value(0); }
    void click(const QString& tooltip) {
        view.refresh();
        QAbstractButton* target = button(tooltip);
        ASSERT_NE(target, nullptr) << tooltip.toStdString();
        target->click();
        view.refresh();
    }

    MenuBarView view{engine(), monitor(), dayLog, settings, clock};
};

} // namespace

TEST_F(PanelModelTest, SubtitleNamesTheNextKindStillOnItsClock) {
    EXPECT_EQ(row(movement).statusText, u"in 1 h"_s);
    EXPECT_EQ(PanelModel::relativeTime(at(10, 0), at(11, 1)), u"in 1 h 1 min"_s);
    settings.setMinimumGapMinutes(0);
    settings.setBreakIntervalMinutes(30);
    ASSERT_EQ(engine().nextDue(water), engine().nextDue(movement));
    EXPECT_EQ(model().subtitle, u"Water in 30 min"_s) << "on a tie, the first kind in list order";

    clock.advance(29 * 60 + 30);
    EXPECT_EQ(model().subtitle, u"Water in 1 min"_s);
    clock.advance(60);
    EXPECT_EQ(model().subtitle, u"Water now"_s) << "a time already past";
    engine().fire(water); // awaiting an answer, so no longer "next"
    EXPECT_EQ(model().subtitle, u"Move now"_s);
    engine().untilFree(water); // parked
    EXPECT_EQ(model().subtitle, u"Move now"_s);
    engine().fire(movement);
    EXPECT_EQ(model().subtitle, u"Today"_s);
}

// The badge's tooltip owns up to a reminder that went unanswered until the next firing.
TEST_F(PanelModelTest, LastLogTextCountsWholeMinutesSinceTheLastDone) {
    EXPECT_EQ(row(water).lastLogText, u"Nothing logged today."_s);
    engine().done(water);
    clock.advance(59 * 60 + 59);
    EXPECT_EQ(row(water).lastLogText, u"Last logged 59 min ago."_s);
    clock.advance(60 * 60 + 1);
    EXPECT_EQ(row(water).lastLogText, u"Last logged 2 h 0 min ago."_s);

    engine().fire(water);
    startCall();
    engine().tick(); // the hold expires the reminder
    EXPECT_EQ(row(water).lastLogText, u"The last one went unanswered."_s);
    endCall();
    engine().fire(water);
    EXPECT_EQ(row(water).lastLogText, u"Last logged 2 h 0 min ago."_s);
}

// The answers each row offers are clicked through below.
TEST_F(MenuBarViewTest, RowsSayWhetherTheyAwaitWaitForTheHoldOrAreHeldAndAllFitWhole) {
    engine().done(water);
    engine().fire(water);
    EXPECT_EQ(row(water).statusText, u"due now"_s);
    EXPECT_TRUE(row(water).prominentDone);
    EXPECT_FALSE(row(movement).prominentDone);
    engine().untilFree(water);
    startCall();

    EXPECT_EQ(row(water).statusText, u"after this hold"_s);
    EXPECT_EQ(row(movement).statusText, u"on hold"_s);
    EXPECT_TRUE(row(movement).icons.isEmpty());

    EXPECT_EQ(model().subtitle, u"Reminders wait, then start fresh"_s);
    EXPECT_EQ(model().pill.label, u"On a call"_s);
    EXPECT_TRUE(model().pill.tooltip.contains(u"Zoom"_s));

    // Texts are cut with an ellipsis only when they cannot fit; this busy panel still fits whole.
    engine().fire(movement);
    view.show();
    view.refresh();
    for (const QWidget* child : view.findChildren<QWidget*>()) {
        if (child->isVisibleTo(&view) && child->findChildren<QWidget*>().isEmpty()) {
            EXPECT_LE(child->sizeHint().width(), child->width())
                << child->metaObject()->className() << " at y "
                << child->mapTo(&view, QPoint()).y();
        }
    }
}

TEST_F(PanelModelTest, AManualPauseShowsEverywhereTillItRunsOut) {
    monitor().start(); // follows the lock
    monitor().pause(1800);
    const QString until =
        u"Paused until "_s + QLocale::system().toString(QTime(10, 30), QLocale::ShortFormat);
    EXPECT_EQ(model().pausedUntil, until);
    EXPECT_EQ(model().subtitle, until);
    EXPECT_EQ(model().pill.label, u"Paused"_s);
    EXPECT_EQ(row(water).statusText, u"on hold"_s);

    // A lock outranks the pause in the pill, but the pause still runs.
    Q_EMIT session.screenLocked();
    EXPECT_EQ(model().pill.label, u"Locked"_s);
    EXPECT_EQ(model().subtitle, until);
    Q_EMIT session.screenUnlocked();

    monitor().resume();
    EXPECT_FALSE(model().pausedUntil);
    EXPECT_EQ(model().subtitle, u"Water in 30 min"_s);
    monitor().pause(1800);
    clock.advance(1800);
    EXPECT_FALSE(model().pausedUntil) << "ran out before the monitor notices";
}

// Goals count only the kinds switched on, and only while goals are on.
TEST_F(PanelModelTest, EveryGoalMetOnlyCountsWithGoalsOn) {
    settings.setDailyGoals({{u"water"_s, 2}, {u"movement"_s, 1}});
    engine().done(water);
    EXPECT_EQ(model().summary, u"1 small win today"_s);
    EXPECT_EQ(row(water).goalText, u"1 of 2"_s);
    settings.setMovementEnabled(false);
    engine().done(water);
    EXPECT_EQ(model().summary, u"Every goal met today"_s);
    settings.setMovementEnabled(true);
    EXPECT_EQ(model().summary, u"2 small wins today"_s);
    engine().done(movement);
    EXPECT_EQ(model().summary, u"Every goal met today"_s);
    EXPECT_EQ(row(movement).goalText, u"Goal met"_s);

    settings.setDailyGoalsEnabled(false);
    EXPECT_EQ(model().summary, u"3 small wins today"_s);
    EXPECT_EQ(row(water).goalText, u"2 today"_s);
    settings.setWaterEnabled(false);
    settings.setMovementEnabled(false);
    EXPECT_TRUE(model().rows.isEmpty());
    EXPECT_EQ(model().summary, u"Nothing logged yet"_s);
    EXPECT_EQ(model().subtitle, u"Today"_s) << "with no kinds the day is all there is";
}

TEST_F(MenuBarViewTest, RowButtonsAnswerThroughTheEngine) {
    engine().fire(water);
    click(u"Snooze 10 min"_s);
    EXPECT_EQ(engine().nextDue(water), at(10, 10));

    engine().fire(water);
    click(u"When I'm free: after the current hold ends"_s);
    EXPECT_TRUE(engine().parked().contains(water));
    click(u"Remind me now instead of waiting"_s);
    EXPECT_TRUE(engine().awaiting().contains(water));

    click(u"Skip this one"_s);
    EXPECT_EQ(dayLog.state().skipped, 1);

    // Done is offered on every row, awaiting or not, and always counts.
    ASSERT_EQ(buttons(u"Log it now"_s).size(), 2);
    buttons(u"Log it now"_s).at(1)->click();
    EXPECT_EQ(dayLog.state().counts.value(movement.id), 1);
    EXPECT_EQ(dayLog.state().counts.value(water.id), 0);
}

// History and Settings appear once the owner hands them over.
TEST_F(MenuBarViewTest, HeaderPausesResumesAndOpensTheWindows) {
    auto* menu = view.findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    menu->actions().at(1)->trigger();
    EXPECT_EQ(monitor().manualPauseUntil(), at(11, 0));
    view.refresh();
    EXPECT_EQ(button(u"Pause reminders"_s), nullptr) << "the paused bar takes the menu's place";
    click(u"Resume reminders now"_s);
    EXPECT_EQ(monitor().manualPauseUntil(), std::nullopt);
    EXPECT_NE(button(u"Pause reminders"_s), nullptr);
    menu->actions().at(0)->trigger();
    EXPECT_EQ(monitor().manualPauseUntil(), at(10, 30));

    EXPECT_EQ(button(u"History"_s), nullptr);
    QStringList opened;
    view.setShowHistory([&] { opened.append(u"history"_s); });
    view.setShowSettings([&] { opened.append(u"settings"_s); });
    view.show();
    click(u"History"_s);
    EXPECT_FALSE(view.isVisible()) << "the panel makes way for the window";
    click(u"Settings"_s);
    EXPECT_EQ(opened, (QStringList{u"history"_s, u"settings"_s}));
}

TEST_F(MenuBarViewTest, AnOpenPanelFollowsTheServicesOnceTheBurstIsOver) {
    view.show();
    engine().fire(water);
    startCall();
    EXPECT_FALSE(view.model().rows.first().awaiting) << "not rebuilt in the middle of a change";
    QCoreApplication::processEvents();
    EXPECT_EQ(view.model().pill.label, u"On a call"_s);

    // A closed panel is rebuilt when it opens, not before.
    view.hide();
    endCall();
    QCoreApplication::processEvents();
    EXPECT_EQ(view.model().pill.label, u"On a call"_s);
    view.show();
    EXPECT_EQ(view.model().pill.label, u"Active"_s);
}

TEST(MenuBarPlacement, UnderTheIconAtThePointerAndAlwaysOnScreen) {
    const auto place = [](QRect icon, QPoint pointer, QRect area = {0, 32, 1920, 1048}) {
        return PanelPlacement::near({340, 400}, icon, pointer, area); // below a 32 px top bar
    };
    EXPECT_EQ(place({1000, 4, 24, 24}, {}), QPoint(842, 32)) << "centred under the icon";
    EXPECT_EQ(place({1890, 4, 24, 24}, {}), QPoint(1580, 32)) << "on screen at the edge";
    EXPECT_EQ(place({}, {20, 600}), QPoint(0, 604)) << "at the pointer without an icon";
    // A tray at the bottom opens upwards, ending where the available area ends.
    const QRect bottomBar(0, 0, 1920, 1040);
    EXPECT_EQ(place({1800, 1048, 24, 24}, {}, bottomBar), QPoint(1580, 640));
    EXPECT_EQ(place({}, {900, 1060}, bottomBar), QPoint(730, 640));
}

// Through XWayland neither the icon's place nor the pointer is known (the pointer stands where it
// last crossed an X window): the tray's corner of the screen the desktop names, else the primary.
TEST_F(MenuBarViewTest, InAWaylandSessionThePanelOpensInTheTopRightCornerOfTheScreenInUse) {
    const ScopedEnv wayland("WAYLAND_DISPLAY", u"wayland-0"_s);
    const Windowing::FrontmostScreen named([this] { return workspace.frontmostScreen(); });
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 2);
    const auto corner = [this](const QScreen* screen) {
        const QRect available = screen->availableGeometry();
        return QPoint(available.right() + 1 - view.width() - 8, available.top() + 8);
    };
    workspace.screen = screens[1]->geometry().topLeft();
    view.openAt(QRect(100, 0, 24, 24));
    EXPECT_EQ(view.pos(), corner(screens[1]));

    workspace.screen.reset();
    const QPoint pointer = QCursor::pos();
    QCursor::setPos(screens[1]->geometry().center());
    view.openAt(QRect());
    EXPECT_EQ(view.pos(), corner(screens[0]));
    QCursor::setPos(pointer);
}

TEST_F(MenuBarViewTest, TrayIconShowsAwaitingBeforeHeld) {
    MenuBarIcon icon;
    icon.attach(engine(), monitor(), view);
    EXPECT_EQ(icon.look(), MenuBarIcon::Look::plain);
    startCall();
    EXPECT_EQ(icon.look(), MenuBarIcon::Look::held);
    engine().fire(water); // fired by hand while held
    EXPECT_EQ(icon.look(), MenuBarIcon::Look::awaiting);
    engine().tick(); // the hold expires it
    EXPECT_EQ(icon.look(), MenuBarIcon::Look::held);
    endCall();
    EXPECT_EQ(icon.look(), MenuBarIcon::Look::plain);
    // GNOME's tray opens the menu on a single click: its first item opens the panel, the next
    // the history.
    const QList<QAction*> items = icon.trayIcon().contextMenu()->actions();
    items.value(0)->trigger();
    EXPECT_TRUE(view.isVisible());
    bool history = false;
    view.setShowHistory([&] { history = true; });
    ASSERT_EQ(items.value(1)->text(), u"Open History"_s);
    items.value(1)->trigger();
    EXPECT_TRUE(history);
}

// The tray draws the drop read straight from the font file: the same shape, the same way up and
// in the same place as the font database's, its inner highlight left open.
TEST(TrayIconGlyph, OutlineFromTheFontFileMatchesTheFontDatabase) {
    const QPainterPath fromFile = Symbols::outline(u"drop.fill"_s);
    QPainterPath fromDatabase;
    fromDatabase.addText(0, 0, Symbols::font(64), QString(Symbols::glyph(u"drop.fill"_s)));
    const QRectF a = fromFile.boundingRect(), b = fromDatabase.boundingRect();
    EXPECT_GT(a.height(), 40);
    for (const double delta :
         {a.left() - b.left(), a.top() - b.top(), a.right() - b.right(), a.bottom() - b.bottom()})
        EXPECT_LT(std::abs(delta), 0.5);
    for (const QPointF inside : {a.center(), QPointF(a.center().x(), a.top() + a.height() / 4)})
        EXPECT_EQ(fromFile.contains(inside), fromDatabase.contains(inside)) << inside.y();
}
