#include "ui/MenuBarView.h"
#include "UiFixture.h"
#include "ui/MenuBarIcon.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QSystemTrayIcon>

using namespace Qt::StringLiterals;

namespace {

const NudgeKind& water = NudgeKind::water();
const NudgeKind& movement = NudgeKind::movement();

class MenuBarViewTest : public UiFixture {
protected:
    MenuBarViewTest() { view.refresh(); }

    // The buttons of the current content with this tooltip; replaced content no longer counts.
    QList<QAbstractButton*> buttons(const QString& tooltip) {
        QList<QAbstractButton*> found;
        for (QAbstractButton* candidate : view.findChildren<QAbstractButton*>()) {
            if (candidate->toolTip() == tooltip && candidate->isVisibleTo(&view))
                found.append(candidate);
        }
        return found;
    }
    QAbstractButton* button(const QString& tooltip) {
        const QList<QAbstractButton*> found = buttons(tooltip);
        return found.isEmpty() ? nullptr : found.first();
    }
    void click(const QString& tooltip) {
        QAbstractButton* target = button(tooltip);
        ASSERT_NE(target, nullptr) << tooltip.toStdString();
        target->click();
        view.refresh();
    }

    MenuBarView view{engine, monitor, dayLog, settings, clock};
};

} // namespace

TEST_F(MenuBarViewTest, RowButtonsAnswerThroughTheEngine) {
    engine.fire(water);
    view.refresh();
    click(u"Snooze 10 min"_s);
    EXPECT_TRUE(engine.awaiting().isEmpty());
    EXPECT_EQ(engine.nextDue(water), at(10, 10));

    engine.fire(water);
    view.refresh();
    click(u"When I'm free: after the current hold ends"_s);
    EXPECT_TRUE(engine.parked().contains(water));
    click(u"Remind me now instead of waiting"_s);
    EXPECT_TRUE(engine.awaiting().contains(water));
    EXPECT_FALSE(engine.parked().contains(water));

    click(u"Skip this one"_s);
    EXPECT_TRUE(engine.awaiting().isEmpty());
    EXPECT_EQ(dayLog.state().skipped, 1);

    // Done is offered on every row, awaiting or not, and always counts.
    ASSERT_EQ(buttons(u"Log it now"_s).size(), 2);
    buttons(u"Log it now"_s).at(1)->click();
    EXPECT_EQ(dayLog.state().counts.value(movement.id), 1);
    EXPECT_EQ(dayLog.state().counts.value(water.id), 0);
}

TEST_F(MenuBarViewTest, PauseMenuAndResume) {
    auto* menu = view.findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), PanelModel::pauseOptions().size());

    menu->actions().at(1)->trigger();
    EXPECT_EQ(monitor.manualPauseUntil(), at(11, 0));
    view.refresh();
    EXPECT_EQ(button(u"Pause reminders"_s), nullptr) << "the paused bar takes the menu's place";
    click(u"Resume reminders now"_s);
    EXPECT_EQ(monitor.manualPauseUntil(), std::nullopt);
    EXPECT_NE(button(u"Pause reminders"_s), nullptr);

    menu->actions().at(0)->trigger();
    EXPECT_EQ(monitor.manualPauseUntil(), at(10, 30));
}

TEST_F(MenuBarViewTest, AnOpenPanelFollowsTheServicesOnceTheBurstIsOver) {
    view.show();
    engine.fire(water);
    startCall();
    EXPECT_FALSE(view.model().rows.first().awaiting) << "not rebuilt in the middle of a change";
    QCoreApplication::processEvents();
    EXPECT_EQ(view.model().pill.label, u"On a call"_s);
    EXPECT_EQ(view.model().rows.first().statusText, u"due now"_s);

    // A closed panel is rebuilt when it opens, not before.
    view.hide();
    endCall();
    QCoreApplication::processEvents();
    EXPECT_EQ(view.model().pill.label, u"On a call"_s);
    view.show();
    EXPECT_EQ(view.model().pill.label, u"Active"_s);
}

TEST_F(MenuBarViewTest, HistoryAndSettingsAppearOnceTheOwnerHandsThemOver) {
    EXPECT_EQ(button(u"History"_s), nullptr);
    EXPECT_EQ(button(u"Settings"_s), nullptr);
    EXPECT_NE(button(u"Quit Brevimar (Ctrl+Q)"_s), nullptr);

    QStringList opened;
    view.setShowHistory([&] { opened.append(u"history"_s); });
    view.setShowSettings([&] { opened.append(u"settings"_s); });
    view.show();
    view.refresh();
    click(u"History"_s);
    EXPECT_FALSE(view.isVisible()) << "the panel makes way for the window";
    click(u"Settings"_s);
    EXPECT_EQ(opened, (QStringList{u"history"_s, u"settings"_s}));
}

TEST(MenuBarPlacement, UnderTheIconAtThePointerAndAlwaysOnScreen) {
    const QRect screen(0, 32, 1920, 1048); // a top bar of 32 px
    const QSize panel(340, 400);

    // Centred under the icon.
    EXPECT_EQ(MenuBarView::placement(panel, QRect(1000, 4, 24, 24), {}, screen), QPoint(842, 32));
    // At the right edge it stays on screen.
    EXPECT_EQ(MenuBarView::placement(panel, QRect(1890, 4, 24, 24), {}, screen), QPoint(1580, 32));
    // No icon geometry: at the pointer, clamped below the bar.
    EXPECT_EQ(MenuBarView::placement(panel, QRect(), QPoint(1900, 10), screen), QPoint(1580, 32));
    EXPECT_EQ(MenuBarView::placement(panel, QRect(), QPoint(20, 600), screen), QPoint(0, 604));

    // A tray at the bottom opens upwards.
    const QRect bottomBar(0, 0, 1920, 1040);
    EXPECT_EQ(MenuBarView::placement(panel, QRect(1800, 1048, 24, 24), {}, bottomBar),
              QPoint(1580, 640)); // ends where the available area ends
    EXPECT_EQ(MenuBarView::placement(panel, QRect(), QPoint(900, 1060), bottomBar),
              QPoint(730, 640));
}

TEST_F(MenuBarViewTest, TrayIconShowsAwaitingBeforeHeld) {
    MenuBarIcon icon(engine, monitor, view);
    EXPECT_EQ(icon.look(), MenuBarIcon::Look::plain);
    startCall();
    EXPECT_EQ(icon.look(), MenuBarIcon::Look::held);
    engine.fire(water); // fired by hand while held
    EXPECT_EQ(icon.look(), MenuBarIcon::Look::awaiting);
    engine.tick(); // the hold expires it
    EXPECT_EQ(icon.look(), MenuBarIcon::Look::held);
    endCall();
    EXPECT_EQ(icon.look(), MenuBarIcon::Look::plain);

    const QList<QAction*> items = icon.trayIcon().contextMenu()->actions();
    ASSERT_FALSE(items.isEmpty());
    EXPECT_EQ(items.first()->text(), u"Open Brevimar"_s);
    EXPECT_EQ(items.last()->text(), u"Quit Brevimar"_s);
}
