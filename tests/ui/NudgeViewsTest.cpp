#include "settings/CustomReminder.h"
#include "ui/reminders/MessageCardView.h"
#include "ui/reminders/NotchCardView.h"
#include "ui/reminders/NotchMessageView.h"
#include "ui/reminders/NudgeCardView.h"
#include "ui/reminders/ReminderContent.h"
#include "ui/theme/Buttons.h"
#include "ui/theme/Symbols.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QRawFont>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The reminder card, the top panels and their parts: the rules they draw by and the answers their
// buttons give.

namespace {

const NudgeKind& water = NudgeKind::water();
const NotchGeometry notched{true, 185, 32};
const NotchGeometry flat{false, 200, 24};

struct Answers {
    int done = 0, snooze = 0, untilFree = 0, skip = 0;
    ReminderActions actions() {
        return {[this] { ++done; }, [this] { ++snooze; }, [this] { ++untilFree; },
                [this] { ++skip; }};
    }
};

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
TEST(NudgeViewRules, EveryOfferedIconHasItsGlyphAndOddTintsTakeTheAccent) {
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
    const QColor accent = QApplication::palette().color(QPalette::Highlight);
    EXPECT_EQ(Symbols::tint(u"red"_s), accent);
    for (const QString& tint : {u"orange"_s, u"purple"_s, u"teal"_s, u"blue"_s, u"green"_s})
        EXPECT_NE(Symbols::tint(tint), accent) << tint.toStdString();
}

TEST(ReminderContent, GoalLineRingAndAnswersDoneOnceRoundButtonsAtOnce) {
    EXPECT_EQ(ReminderContent::goalLine(11, 8, u""_s), u"Goal met today"_s);
    EXPECT_EQ(ReminderContent::goalLine(3, 0, {}), u"3 today"_s);
    EXPECT_DOUBLE_EQ(GoalRing::fraction(2, 8, false), 0.25);
    EXPECT_DOUBLE_EQ(GoalRing::fraction(12, 8, false), 1);
    EXPECT_DOUBLE_EQ(GoalRing::fraction(0, 0, true), 1);
    EXPECT_DOUBLE_EQ(GoalRing::fraction(12, 8, true), 1.5);

    Answers answers;
    ReminderContent content(308, water, {}, 2, 8, answers.actions());
    content.pressDone();
    content.pressDone();
    EXPECT_TRUE(content.completed());
    EXPECT_EQ(content.goalLineText(), u"3 of 8 today"_s);
    EXPECT_GT(content.ring()->targetFraction(), 0.25);
    EXPECT_EQ(answers.done, 1);

    ReminderContent other(308, water, u"Back from a call"_s, 2, 8, answers.actions());
    for (RoundAction* button : other.findChildren<RoundAction*>())
        button->click();
    EXPECT_EQ(answers.snooze, 1);
    EXPECT_EQ(answers.untilFree, 1);
    EXPECT_EQ(answers.skip, 1);
    EXPECT_EQ(answers.done, 1);
    EXPECT_FALSE(other.completed());

    // A view that starts completed shows the count without answering.
    NudgeCardView card(water, {}, 7, 8, answers.actions(), true);
    EXPECT_EQ(card.content()->goalLineText(), u"Goal met today"_s);
    card.content()->pressDone();
    EXPECT_EQ(answers.done, 1);
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
        EXPECT_EQ(view.content()->goalLineText(), u"2 of 8 today · "_s + reason);
        EXPECT_LE(view.content()->geometry().bottom(), geometry.notchHeight + 132);
    }
}
