#include "PanelFixture.h"
#include "ui/Symbols.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList panelLines(const QStringList& lines) {
    QStringList picked;
    for (const QString& line : lines) {
        if (line.startsWith(u"Brevimar card "_s))
            picked.append(line);
    }
    return picked;
}

} // namespace

// Reminders: one panel at a time, taken down by answers of its own kind only.
class ReminderPanelTest : public PanelFixture {};

TEST_F(ReminderPanelTest, NewReminderReplacesThePanelAtOnce) {
    controller.show(NudgeKind::water(), engine, u"first one today"_s);
    QPointer<QWidget> first = controller.panel();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());

    controller.show(NudgeKind::movement(), engine, std::nullopt);
    EXPECT_TRUE(!first || !first->isVisible()) << "the old card must not linger";
    ASSERT_TRUE(controller.panel());
    EXPECT_NE(controller.panel(), first.data());
    EXPECT_EQ(controller.showing()->id, u"movement"_s);
    EXPECT_EQ(panelLines(log.lines()),
              (QStringList{u"Brevimar card shown for water notch=false"_s,
                           u"Brevimar card hidden (water, animated=false)"_s,
                           u"Brevimar card shown for movement notch=false"_s}));
}

TEST_F(ReminderPanelTest, DismissTakesDownOnlyTheKindShowing) {
    controller.show(NudgeKind::water(), engine, std::nullopt);
    QPointer<QWidget> card = controller.panel();

    controller.dismiss(NudgeKind::movement());
    EXPECT_EQ(controller.panel(), card.data());
    EXPECT_EQ(controller.showing()->id, u"water"_s);

    controller.dismiss(NudgeKind::water());
    EXPECT_EQ(controller.panel(), nullptr);
    EXPECT_FALSE(controller.showing());
    EXPECT_EQ(panelLines(log.lines()).last(), u"Brevimar card hidden (water, animated=true)"_s);
    // The card fades out before it goes.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !card || !card->isVisible(); }));

    controller.dismiss(NudgeKind::water());
    EXPECT_EQ(panelLines(log.lines()).size(), 2) << "nothing up, nothing to log";
}

TEST_F(ReminderPanelTest, ViewGetsTodaysCountGoalAndReason) {
    dayLog.record(u"water"_s, true);
    dayLog.record(u"water"_s, true);
    controller.show(NudgeKind::water(), engine, u"1 h since your last sip"_s);
    EXPECT_EQ(made.which, u"card"_s);
    EXPECT_EQ(made.count, 2);
    EXPECT_EQ(made.goal, settings.goal(NudgeKind::water()));
    EXPECT_EQ(made.reason, u"1 h since your last sip"_s);

    controller.show(NudgeKind::movement(), engine, std::nullopt);
    EXPECT_EQ(made.count, 0) << "a kind without an entry today counts 0";
    EXPECT_FALSE(made.reason);
}

TEST_F(ReminderPanelTest, AnswersGoThroughTheEngineAndCloseTheCard) {
    engine.fire(NudgeKind::water());
    ASSERT_TRUE(controller.showing());
    ASSERT_TRUE(button(u"Done"_s));
    button(u"Done"_s)->click();
    EXPECT_EQ(dayLog.state().counts.value(u"water"_s), 1);
    EXPECT_FALSE(controller.showing());
    EXPECT_FALSE(engine.awaiting().contains(NudgeKind::water()));

    engine.fire(NudgeKind::movement());
    button(u"Skip"_s)->click();
    EXPECT_EQ(dayLog.state().skipped, 1);
    EXPECT_FALSE(controller.panel());

    engine.fire(NudgeKind::water());
    const QDateTime before = engine.nextAt().value(NudgeKind::water());
    button(u"Snooze"_s)->click();
    EXPECT_EQ(engine.nextAt().value(NudgeKind::water()), clock.now().addSecs(10 * 60));
    EXPECT_NE(engine.nextAt().value(NudgeKind::water()), before);
    EXPECT_FALSE(controller.panel());
}

// Messages: refused under a reminder, closed by their own timer only while still up.
class MessagePanelTest : public PanelFixture {};

TEST_F(MessagePanelTest, RefusedWhileAReminderIsUp) {
    controller.show(NudgeKind::water(), engine, std::nullopt);
    QWidget* card = controller.panel();
    const int plays = sound.plays;
    const qsizetype lines = log.lines().size();

    EXPECT_FALSE(controller.showMessage(u"Your week"_s, u"12 sips"_s, u"calendar"_s, u"blue"_s));
    EXPECT_EQ(controller.panel(), card);
    EXPECT_EQ(controller.showing()->id, u"water"_s);
    EXPECT_FALSE(controller.messageShown());
    EXPECT_EQ(sound.plays, plays);
    EXPECT_EQ(log.lines().size(), lines);
    EXPECT_TRUE(pending.isEmpty());
}

TEST_F(MessagePanelTest, ClosesItselfAfterTwoMinutesWithTheMessageLogLine) {
    ASSERT_TRUE(controller.showMessage(u"Want to wrap up?"_s, u"Today: 3 sips."_s, u"sunset.fill"_s,
                                       u"orange"_s));
    EXPECT_EQ(made.which, u"message"_s);
    EXPECT_EQ(made.tint, Symbols::tint(u"orange"_s));
    EXPECT_TRUE(controller.messageShown());
    ASSERT_EQ(pending.size(), 1);
    EXPECT_EQ(pending.first().first, 120'000);

    EXPECT_EQ(runPending(120'000), 1);
    EXPECT_FALSE(controller.panel());
    EXPECT_FALSE(controller.messageShown());
    EXPECT_EQ(panelLines(log.lines()),
              QStringList{u"Brevimar card hidden (message, animated=true)"_s});
}

TEST_F(MessagePanelTest, ReplacedMessageIsLeftAloneByItsOldTimer) {
    controller.showMessage(u"Your week"_s, u"12 sips"_s, u"calendar"_s, u"blue"_s);
    controller.show(NudgeKind::water(), engine, std::nullopt);
    runPending(120'000);
    EXPECT_TRUE(controller.panel()) << "the reminder that replaced the message stays";
    EXPECT_EQ(controller.showing()->id, u"water"_s);

    controller.dismiss(NudgeKind::water());
    controller.showMessage(u"First"_s, u"a"_s, u"calendar"_s, u"blue"_s);
    controller.showMessage(u"Second"_s, u"b"_s, u"calendar"_s, u"blue"_s);
    QWidget* second = controller.panel();
    // Only the timers of the first message run: the second one stays up.
    ASSERT_EQ(pending.size(), 2);
    const auto firstTimer = pending.takeFirst();
    firstTimer.second();
    EXPECT_EQ(controller.panel(), second);
    EXPECT_TRUE(controller.messageShown());
    runPending(120'000);
    EXPECT_FALSE(controller.panel());
}

TEST_F(MessagePanelTest, CloseAndHistoryButtons) {
    int historyOpened = 0;
    controller.setOpenHistory([&] { ++historyOpened; });

    controller.showMessage(u"Your week"_s, u"12 sips"_s, u"calendar"_s, u"blue"_s);
    button(u"Close"_s)->click();
    EXPECT_FALSE(controller.panel());
    EXPECT_EQ(historyOpened, 0);

    controller.showMessage(u"Your week"_s, u"12 sips"_s, u"calendar"_s, u"blue"_s);
    button(u"History"_s)->click();
    EXPECT_FALSE(controller.panel());
    EXPECT_EQ(historyOpened, 1);
    EXPECT_EQ(panelLines(log.lines()),
              (QStringList{u"Brevimar card hidden (message, animated=true)"_s,
                           u"Brevimar card hidden (message, animated=true)"_s}));
    // A timer of a message closed by hand finds nothing to do.
    EXPECT_EQ(runPending(120'000), 2);
    EXPECT_EQ(panelLines(log.lines()).size(), 2);
}

// The panel at the top of the screen collapses before its window goes.
class TopPanelTest : public PanelFixture {
protected:
    TopPanelTest() { settings.setReminderStyle(ReminderStyle::notch); }
};

TEST_F(TopPanelTest, ShowsTheTopViewWithItsLayoutAndAFreshState) {
    controller.show(NudgeKind::water(), engine, std::nullopt);
    EXPECT_EQ(made.which, u"notchCard"_s);
    EXPECT_EQ(made.inset, 20);
    EXPECT_EQ(made.bodyHeight, 132);
    EXPECT_EQ(made.wing, 92);
    EXPECT_FALSE(made.geometry.hasNotch);
    EXPECT_EQ(made.geometry.notchWidth, 200);
    ASSERT_EQ(made.state, controller.notchState());
    EXPECT_FALSE(made.state->expanded());
    EXPECT_EQ(controller.panel()->windowOpacity(), 1.0) << "no fade: the view grows by itself";
    EXPECT_EQ(panelLines(log.lines()).last(), u"Brevimar card shown for water notch=true"_s);

    NotchState* first = made.state;
    controller.show(NudgeKind::movement(), engine, std::nullopt);
    EXPECT_NE(made.state, first);
}

TEST_F(TopPanelTest, AnimatedHideCollapsesThenOrdersOutAfterTheDelay) {
    controller.show(NudgeKind::water(), engine, std::nullopt);
    QPointer<NotchState> state = made.state;
    QPointer<QWidget> window = controller.panel();
    state->setExpanded(true);

    controller.dismiss(NudgeKind::water());
    EXPECT_FALSE(state->expanded());
    EXPECT_EQ(controller.notchState(), nullptr);
    EXPECT_TRUE(window->isVisible()) << "still shrinking back into the top edge";
    ASSERT_EQ(pending.size(), 1);
    EXPECT_EQ(pending.first().first, 400);

    // A reminder in the meantime gets a window of its own; the old one still leaves.
    controller.show(NudgeKind::movement(), engine, std::nullopt);
    EXPECT_NE(controller.panel(), window.data());
    runPending(400);
    EXPECT_TRUE(!window || !window->isVisible());
    EXPECT_TRUE(controller.panel()->isVisible());
}

// "Tink" with every presentation, and only when sound is on.
class PanelSoundTest : public PanelFixture {};

TEST_F(PanelSoundTest, PlaysOncePerPresentationOnlyWhenEnabled) {
    controller.show(NudgeKind::water(), engine, std::nullopt);
    controller.show(NudgeKind::movement(), engine, std::nullopt);
    controller.dismiss(NudgeKind::movement());
    controller.showMessage(u"Your week"_s, u"12 sips"_s, u"calendar"_s, u"blue"_s);
    EXPECT_EQ(sound.plays, 3);

    settings.setSoundEnabled(false);
    controller.hide(false);
    controller.show(NudgeKind::water(), engine, std::nullopt);
    controller.hide(false);
    controller.showMessage(u"Your week"_s, u"12 sips"_s, u"calendar"_s, u"blue"_s);
    settings.setReminderStyle(ReminderStyle::notch);
    controller.hide(false);
    controller.show(NudgeKind::water(), engine, std::nullopt);
    EXPECT_EQ(sound.plays, 3);
}

// Where the windows go, on the primary screen below a top bar and on a second screen above-right
// of it with its own bar.
TEST(PanelPlacementTest, CardAndTopPanelOrigins) {
    const QRect primary(0, 0, 1280, 800);
    const QRect primaryAvailable(0, 24, 1280, 776);
    const QRect secondary(1280, -200, 1920, 1080);
    const QRect secondaryAvailable(1280, -170, 1920, 1010);

    EXPECT_EQ(NudgePanelController::cardOrigin({320, 140}, primaryAvailable), QPoint(948, 36));
    EXPECT_EQ(NudgePanelController::cardOrigin({320, 140}, secondaryAvailable),
              QPoint(1280 + 1920 - 320 - 12, -158));
    EXPECT_EQ(NudgePanelController::topPanelOrigin({420, 180}, primary), QPoint(430, 0));
    EXPECT_EQ(NudgePanelController::topPanelOrigin({420, 180}, secondary),
              QPoint(1280 + 750, -200));
}

TEST(PanelPlacementTest, TopBarHeightStandsInForTheNotch) {
    const NotchGeometry withBar = NudgePanelController::measureNotch(QRect(1280, -200, 1920, 1080),
                                                                     QRect(1280, -170, 1920, 1010));
    EXPECT_FALSE(withBar.hasNotch);
    EXPECT_EQ(withBar.notchWidth, 200);
    EXPECT_EQ(withBar.notchHeight, 30);
    // A bar at the bottom leaves the top free: the usual height then.
    EXPECT_EQ(NudgePanelController::measureNotch(QRect(0, 0, 1280, 800), QRect(0, 0, 1280, 760))
                  .notchHeight,
              24);
}

TEST_F(ReminderPanelTest, WindowsArePlacedOnThePrimaryScreen) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    ASSERT_TRUE(screen);
    controller.show(NudgeKind::water(), engine, std::nullopt);
    EXPECT_EQ(controller.panel()->size(), cardSize);
    EXPECT_EQ(controller.panel()->pos(),
              NudgePanelController::cardOrigin(cardSize, screen->availableGeometry()));
    EXPECT_TRUE(controller.panel()->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(controller.panel()->testAttribute(Qt::WA_ShowWithoutActivating));

    settings.setReminderStyle(ReminderStyle::notch);
    controller.show(NudgeKind::water(), engine, std::nullopt);
    EXPECT_EQ(controller.panel()->pos(),
              NudgePanelController::topPanelOrigin(notchSize, screen->geometry()));
}

// The application's own views: the window takes the size each view asks for.
TEST_F(ReminderPanelTest, StandardViewsSizeTheirWindows) {
    NudgePanelController real(settings, dayLog, sound, ViewFactory::standard());
    for (const ReminderStyle style : {ReminderStyle::card, ReminderStyle::notch}) {
        settings.setReminderStyle(style);
        real.show(NudgeKind::water(), engine, u"first one today"_s);
        QWidget* view = real.panel()->findChild<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        ASSERT_TRUE(view);
        EXPECT_FALSE(view->sizeHint().isEmpty());
        EXPECT_EQ(real.panel()->size(), view->sizeHint());
        real.hide(false);
        ASSERT_TRUE(real.showMessage(u"Your week"_s, u"12 sips"_s, u"calendar"_s, u"blue"_s));
        EXPECT_FALSE(real.panel()->size().isEmpty());
        real.hide(false);
    }
}
