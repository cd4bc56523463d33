#include "PanelFixture.h"
#include "fakes/ScopedEnv.h"
#include "settings/CustomReminder.h"
#include "ui/reminders/MessageCardView.h"
#include "ui/reminders/NotchCardView.h"
#include "ui/reminders/NotchMessageView.h"
#include "ui/reminders/NudgeCardView.h"
#include "ui/reminders/ReminderContent.h"
#include "ui/theme/Buttons.h"
#include "ui/theme/Symbols.h"
#include "ui/theme/Windowing.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QRawFont>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

// The reminder card, the top panels and their parts: the rules they draw by and the answers their
// buttons give; the controller that shows them one at a time.

namespace {

const NudgeKind& water = NudgeKind::water();
const NotchGeometry notched{true, 185, 32};
const NotchGeometry flat{false, 200, 24};

// Every text of the view is shown whole: tall enough for its wrapped lines, inside the view.
void expectNoTextCut(const QWidget& view) {
    for (const QLabel* label : view.findChildren<QLabel*>()) {
        if (!label->isVisibleTo(&view))
            continue;
        const std::string text = label->text().toStdString();
        EXPECT_GE(label->height(), label->heightForWidth(label->width())) << text;
        EXPECT_TRUE(QRect(QPoint(), view.size())
                        .contains(QRect(label->mapTo(&view, QPoint()), label->size())))
            << text;
    }
}

} // namespace

// Every icon the product offers (the custom reminder editor, the templates, the built-in kinds,
// the messages) has a glyph of its own in the font, not the fallback.
TEST(NudgeViewRules, EveryOfferedIconHasItsGlyph) {
    QStringList names =
        u"figure.flexibility eye hand.raised pills leaf brain.head.profile "
        u"figure.stand cup.and.saucer sun.max heart sunset.fill calendar sparkles"_s.split(u' ');
    names << water.icon << NudgeKind::movement().icon;
    for (const CustomReminder& reminder : CustomReminder::templates())
        names.append(reminder.icon);
    const QChar fallback = Symbols::glyph(u"no such symbol"_s);
    const QRawFont font = QRawFont::fromFont(Symbols::font(24));
    for (const QString& name : names) {
        EXPECT_NE(Symbols::glyph(name), fallback) << name.toStdString();
        EXPECT_TRUE(font.supportsCharacter(Symbols::glyph(name))) << name.toStdString();
    }
}

TEST(ReminderContent, GoalLineRingAndAnswersDoneOnce) {
    EXPECT_EQ(ReminderContent::goalLine(11, 8, u""_s), u"Goal met today"_s);
    EXPECT_EQ(ReminderContent::goalLine(3, 0, {}), u"3 today"_s);
    EXPECT_DOUBLE_EQ(GoalRing::fraction(12, 8, false), 1);
    EXPECT_DOUBLE_EQ(GoalRing::fraction(0, 0, true), 1);
    EXPECT_DOUBLE_EQ(GoalRing::fraction(12, 8, true), 1.5);

    int done = 0;
    const ReminderActions actions{[&done] { ++done; }, {}, {}, {}};
    ReminderContent content(308, water, {}, 2, 8, actions);
    content.pressDone();
    content.pressDone();
    EXPECT_TRUE(content.completed());
    EXPECT_EQ(content.goalLineText(), u"3 of 8 today"_s);
    EXPECT_GT(content.ring()->targetFraction(), 0.25);
    EXPECT_EQ(done, 1);

    // A view that starts completed shows the count without answering.
    NudgeCardView card(water, {}, 7, 8, actions, true);
    EXPECT_EQ(card.content()->goalLineText(), u"Goal met today"_s);
    card.content()->pressDone();
    EXPECT_EQ(done, 1);
}

// No button takes the keyboard from the window the user is typing in. The top panel's message
// answers here; the card's buttons are clicked in the panel controller's tests.
TEST(NudgeViews, NoButtonTakesTheFocusAndTheTopMessageAnswers) {
    QStringList answered;
    NotchState state;
    NudgeCardView card(water, {}, 2, 8, {});
    NotchCardView notch(water, notched, state, {}, 2, 8, {});
    MessageCardView message(u"Your week"_s, u"Fine."_s, u"calendar"_s, Qt::blue, {});
    NotchMessageView notchMessage(
        u"Your week"_s, u"Fine."_s, u"calendar"_s, Qt::blue, flat, state,
        {[&] { answered << u"close"_s; }, [&] { answered << u"history"_s; }});
    for (QWidget* view : QList<QWidget*>{&card, &notch, &message, &notchMessage}) {
        const QList<QAbstractButton*> buttons = view->findChildren<QAbstractButton*>();
        EXPECT_FALSE(buttons.isEmpty());
        for (QAbstractButton* button : buttons)
            EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << button->text().toStdString();
    }
    for (QAbstractButton* button : notchMessage.findChildren<QAbstractButton*>())
        button->click();
    answered.sort();
    EXPECT_EQ(answered, (QStringList{u"close"_s, u"history"_s}));
}

TEST(NotchCardView, OpensFullFoldsToPeekAndFollowsThePointer) {
    using Mode = NotchCardView::Mode;
    NotchState state;
    NotchCardView view(water, notched, state, {}, 2, 8, {});
    QSignalSpy opened(&state, &NotchState::expandedChanged);
    view.show();
    ASSERT_TRUE(opened.wait(2000));
    EXPECT_EQ(view.mode(), Mode::full);

    // The pointer rests on the panel when it would settle: it stays open, then folds on leaving.
    view.setHovering(true);
    view.settle();
    EXPECT_EQ(view.mode(), Mode::full);
    view.setHovering(false);
    view.finishAnimation();
    EXPECT_EQ(view.mode(), Mode::peek);
    EXPECT_FALSE(view.content()->isVisible());
    view.setHovering(true);
    view.finishAnimation();
    EXPECT_TRUE(view.content()->isVisible());
    view.setHovering(false);

    // Done keeps it open; the controller's hide closes it whatever the pointer does.
    view.content()->pressDone();
    EXPECT_EQ(view.mode(), Mode::full);
    state.setExpanded(false);
    view.finishAnimation();
    EXPECT_EQ(view.mode(), Mode::closed);
    EXPECT_EQ(view.shownFrame().width, 185);
}

TEST(NudgeViews, LongTextsWrapOrAreCutToFitTheTopPanel) {
    NudgeKind wordy = water;
    wordy.notificationTitle = u"Look at something twenty feet away for twenty seconds"_s;
    wordy.notificationBody = u"Twenty seconds, far away. Your eyes will thank you, and so will "
                             u"your neck, your back and your afternoon."_s;
    const QString reason = u"Back from a long call with the team"_s;
    NudgeCardView card(wordy, reason, 2, 8, {});
    expectNoTextCut(card);
    MessageCardView message(wordy.notificationTitle, wordy.notificationBody, u"eye"_s, Qt::blue,
                            {});
    expectNoTextCut(message);
    NotchState state;
    for (const NotchGeometry& geometry : {notched, flat}) {
        NotchCardView view(wordy, geometry, state, reason, 2, 8, {});
        EXPECT_LE(view.content()->geometry().bottom(), geometry.notchHeight + 132);
    }
}

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

// Each round answer on the card reaches the engine and closes the card.
TEST_F(ReminderPanelTest, SkipSnoozeAndUntilFreeGoThroughTheEngine) {
    engine().fire(NudgeKind::movement());
    button(u"Skip"_s)->click();
    EXPECT_EQ(dayLog.state().skipped, 1);
    EXPECT_FALSE(controller.panel());

    engine().fire(NudgeKind::water());
    button(u"Snooze 10 min"_s)->click();
    EXPECT_EQ(engine().nextAt().value(NudgeKind::water()), clock.now().addSecs(10 * 60));
    EXPECT_FALSE(controller.panel());

    engine().fire(NudgeKind::water());
    button(u"When I'm free"_s)->click();
    EXPECT_TRUE(engine().parked().contains(NudgeKind::water()));
    EXPECT_FALSE(controller.panel());
    EXPECT_EQ(dayLog.state().counts.value(u"water"_s), 0) << "no answer counts as done";
}

// The card's own Done button lets the ring advance before it counts; a panel replaced meanwhile
// keeps the answer, and so does Quit in that moment.
TEST_F(ReminderPanelTest, DoneJustBeforeThePanelGoesIsLoggedOnce) {
    controller.show(NudgeKind::water(), engine(), std::nullopt);
    button(u"Done"_s)->click();
    EXPECT_EQ(dayLog.state().counts.value(u"water"_s), 0) << "the ring advances first";
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
    EXPECT_FALSE(controller.showing());
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

// On Wayland the card and the top panel go to the screen the desktop names as the one in use.
TEST_F(ReminderPanelTest, InAWaylandSessionCardAndTopPanelOpenOnTheScreenInUse) {
    const ScopedEnv wayland("WAYLAND_DISPLAY", u"wayland-0"_s);
    const QScreen* inUse = QGuiApplication::screens().value(1);
    ASSERT_TRUE(inUse);
    const Windowing::FrontmostScreen named([inUse] { return inUse->geometry().topLeft(); });
    controller.show(water, engine(), std::nullopt);
    QWidget* card = controller.panel();
    EXPECT_EQ(card->pos(),
              NudgePanelController::cardOrigin(card->size(), inUse->availableGeometry()));
    settings.setReminderStyle(ReminderStyle::notch);
    controller.show(water, engine(), std::nullopt);
    QWidget* top = controller.panel();
    EXPECT_EQ(top->pos(), NudgePanelController::topPanelOrigin(top->size(), inUse->geometry()));
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
