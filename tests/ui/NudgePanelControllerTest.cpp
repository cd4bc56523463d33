#include "PanelFixture.h"

#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

using ReminderPanelTest = PanelFixture;

TEST_F(ReminderPanelTest, OnePanelAtATimeTakenDownOnlyByItsOwnKind) {
    dayLog.record(u"water"_s, true);
    controller.show(NudgeKind::water(), engine(), u"1 h since your last sip"_s);
    QPointer<QWidget> first = controller.panel();
    EXPECT_EQ(goalLine(), ReminderContent::goalLine(1, settings.goal(NudgeKind::water()),
                                                    u"1 h since your last sip"_s));

    controller.show(NudgeKind::movement(), engine(), std::nullopt);
    EXPECT_TRUE(!first || !first->isVisible()) << "the old card must not linger";
    EXPECT_NE(controller.panel(), first.data());
    EXPECT_EQ(goalLine(), ReminderContent::goalLine(0, settings.goal(NudgeKind::movement()), {}))
        << "a kind without an entry today counts 0";
    EXPECT_EQ(sound.plays, 2) << "a tink with each";

    QPointer<QWidget> second = controller.panel();
    controller.dismiss(NudgeKind::water());
    EXPECT_EQ(controller.showing()->id, u"movement"_s);
    controller.dismiss(NudgeKind::movement());
    EXPECT_FALSE(controller.panel());
    EXPECT_FALSE(controller.showing());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !second || !second->isVisible(); })) << "fades out";

    settings.setSoundEnabled(false);
    controller.show(NudgeKind::water(), engine(), std::nullopt);
    controller.hide(false);
    controller.showMessage(u"Your week"_s, u"12 sips"_s, u"calendar"_s, u"blue"_s);
    EXPECT_EQ(sound.plays, 2);
}

TEST_F(ReminderPanelTest, AnswersGoThroughTheEngineAndCloseTheCard) {
    engine().fire(NudgeKind::water());
    button(u"Done"_s)->click();
    EXPECT_EQ(dayLog.state().counts.value(u"water"_s), 0) << "the ring advances first";
    EXPECT_EQ(runPending(NudgePanelController::doneDelayMSecs), 1);
    EXPECT_EQ(dayLog.state().counts.value(u"water"_s), 1);
    EXPECT_FALSE(controller.showing());

    engine().fire(NudgeKind::movement());
    button(u"Skip"_s)->click();
    EXPECT_EQ(dayLog.state().skipped, 1);
    EXPECT_FALSE(controller.panel());

    engine().fire(NudgeKind::water());
    button(u"Snooze 10 min"_s)->click();
    EXPECT_EQ(engine().nextAt().value(NudgeKind::water()), clock.now().addSecs(10 * 60));
    EXPECT_FALSE(controller.panel());
}

// The card's own Done button: a panel replaced while the ring advances keeps the answer, and so
// does Quit in that moment.
TEST_F(ReminderPanelTest, DoneJustBeforeThePanelGoesIsLoggedOnce) {
    controller.show(NudgeKind::water(), engine(), std::nullopt);
    button(u"Done"_s)->click();
    controller.show(NudgeKind::movement(), engine(), std::nullopt);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(runPending(NudgePanelController::doneDelayMSecs), 1);
    EXPECT_EQ(runPending(NudgePanelController::doneDelayMSecs), 0);
    EXPECT_EQ(dayLog.state().counts.value(u"water"_s), 1);
    EXPECT_EQ(eventLog(events).filter(u"done"_s).size(), 1);

    button(u"Done"_s)->click();
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    QCoreApplication::exec();
    EXPECT_EQ(dayLog.state().counts.value(u"movement"_s), 1) << "committed on Quit";
    runPending(NudgePanelController::doneDelayMSecs);
    EXPECT_EQ(eventLog(events).filter(u"done"_s).size(), 2);
}

// Messages: refused under a reminder, closed by their buttons, or by their own timer only while
// still up.
TEST_F(ReminderPanelTest, MessagesCloseByTheirButtonsOrAfterTwoMinutes) {
    int historyOpened = 0;
    controller.setOpenHistory([&] { ++historyOpened; });
    const auto message = [&](const QString& title) {
        return controller.showMessage(title, u"12 sips"_s, u"calendar"_s, u"blue"_s);
    };
    ASSERT_TRUE(message(u"Want to wrap up?"_s));
    EXPECT_EQ(runPending(120'000), 1);
    EXPECT_FALSE(controller.panel());

    message(u"First"_s);
    controller.show(NudgeKind::water(), engine(), std::nullopt);
    EXPECT_FALSE(message(u"Your week"_s));
    runPending(120'000);
    EXPECT_EQ(controller.showing()->id, u"water"_s) << "a message's timer leaves a reminder alone";
    controller.dismiss(NudgeKind::water());
    message(u"First"_s);
    message(u"Second"_s);
    QWidget* second = controller.panel();
    pending.takeFirst().second();
    EXPECT_EQ(controller.panel(), second) << "and a later message";
    runPending(120'000);
    EXPECT_FALSE(controller.panel());

    for (const QString& name : {u"Close"_s, u"Open History"_s}) {
        message(u"Your week"_s);
        button(name)->click();
        EXPECT_FALSE(controller.panel()) << name.toStdString();
    }
    EXPECT_EQ(historyOpened, 1);
}

TEST_F(ReminderPanelTest, TopPanelCollapsesThenOrdersOutAfterTheDelay) {
    settings.setReminderStyle(ReminderStyle::notch);
    controller.show(NudgeKind::water(), engine(), std::nullopt);
    QPointer<NotchState> state = controller.panel()->findChild<NotchState*>();
    ASSERT_TRUE(state) << "a top panel";
    QPointer<QWidget> window = controller.panel();
    EXPECT_EQ(window->windowOpacity(), 1.0) << "no fade: the view grows by itself";
    state->setExpanded(true);

    controller.dismiss(NudgeKind::water());
    EXPECT_FALSE(state->expanded());
    EXPECT_TRUE(window->isVisible()) << "still shrinking back into the top edge";
    // A reminder in the meantime gets a window and a state of its own; the old one still leaves.
    controller.show(NudgeKind::movement(), engine(), std::nullopt);
    EXPECT_NE(controller.panel()->findChild<NotchState*>(), state.data());
    EXPECT_EQ(runPending(NudgePanelController::collapseMSecs), 1);
    EXPECT_TRUE(!window || !window->isVisible());
    EXPECT_TRUE(controller.panel()->isVisible());
}

// A second screen above-right of the primary one, with its own 30 px top bar.
TEST(PanelPlacementTest, CardAndTopPanelOnAScreenWithATopBar) {
    using Controller = NudgePanelController;
    const QRect screen(1280, -200, 1920, 1080);
    const QRect available(1280, -170, 1920, 1010);
    EXPECT_EQ(Controller::cardOrigin({320, 140}, available), QPoint(1280 + 1920 - 320 - 12, -158));
    EXPECT_EQ(Controller::topPanelOrigin({420, 180}, screen), QPoint(1280 + 750, -200));
    EXPECT_EQ(Controller::measureNotch(screen, available).notchHeight, 30);
    // A bar at the bottom leaves the top free: the usual height then.
    EXPECT_EQ(Controller::measureNotch(QRect(0, 0, 1280, 800), QRect(0, 0, 1280, 760)).notchHeight,
              24);
}
