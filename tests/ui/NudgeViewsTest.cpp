#include "ui/MessageCardView.h"
#include "ui/NotchCardView.h"
#include "ui/NotchMessageView.h"
#include "ui/NotchShape.h"
#include "ui/NudgeCardView.h"
#include "ui/ReminderContent.h"

#include <QAbstractButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// The numbers and rules of the reminder card, the top panels and their parts, as data; and the
// answers the buttons give.

namespace {

const NudgeKind& water = NudgeKind::water();
const NotchGeometry notched{true, 185, 32};
const NotchGeometry flat{false, 200, 24};

// One piece of an outline: a move, a line, or a quadratic curve with its control point.
struct Segment {
    char type;
    QPointF control;
    QPointF end;
    bool operator==(const Segment&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Segment& s) {
    out << s.type << " (" << s.end.x() << ", " << s.end.y() << ")";
    if (s.type == 'Q')
        out << " via (" << s.control.x() << ", " << s.control.y() << ")";
    return out;
}

Segment move(double x, double y) {
    return {'M', {}, {x, y}};
}
Segment line(double x, double y) {
    return {'L', {}, {x, y}};
}
Segment quad(double cx, double cy, double x, double y) {
    return {'Q', {cx, cy}, {x, y}};
}

// QPainterPath keeps quadratic curves as cubic ones; their first control point lies two thirds
// of the way from the start to the quadratic control point, which gives that point back.
std::vector<Segment> segments(const QPainterPath& path) {
    std::vector<Segment> out;
    QPointF current;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            out.push_back(move(e.x, e.y));
            current = e;
        } else if (e.isLineTo()) {
            out.push_back(line(e.x, e.y));
            current = e;
        } else if (e.isCurveTo()) {
            const QPointF c1 = e;
            const QPointF end = path.elementAt(i + 2);
            const QPointF control = current + (c1 - current) * 1.5;
            out.push_back(quad(std::round(control.x() * 1000) / 1000,
                               std::round(control.y() * 1000) / 1000, end.x(), end.y()));
            current = end;
            i += 2;
        }
    }
    return out;
}

struct Answers {
    int done = 0;
    int snooze = 0;
    int untilFree = 0;
    int skip = 0;
    ReminderActions actions() {
        return {[this] { ++done; }, [this] { ++snooze; }, [this] { ++untilFree; },
                [this] { ++skip; }};
    }
};

} // namespace

TEST(NotchShape, FlatOutlineIsABarWithRoundedBottomCorners) {
    const QPainterPath path = NotchShape{0, 12}.path(QRectF(10, 0, 120, 24));
    const std::vector<Segment> expected{
        move(10, 0),  line(130, 0),         line(130, 12), quad(130, 24, 118, 24),
        line(22, 24), quad(10, 24, 10, 12), line(10, 0)};
    EXPECT_EQ(segments(path), expected);
    // A negative inset is the same bar.
    EXPECT_EQ(segments(NotchShape{-3, 12}.path(QRectF(10, 0, 120, 24))), expected);
}

TEST(NotchShape, InsetOutlineKeepsANeckAndFlaresOut) {
    // The full reminder panel under a 185-wide notch: 389 wide, inset 102, neck 26 deep.
    const QPainterPath path = NotchShape{102, 26}.path(QRectF(0, 0, 389, 164));
    const std::vector<Segment> expected{
        move(102, 0),           line(287, 0),   quad(287, 26, 313, 26),   line(363, 26),
        quad(389, 26, 389, 52), line(389, 138), quad(389, 164, 363, 164), line(26, 164),
        quad(0, 164, 0, 138),   line(0, 52),    quad(0, 26, 26, 26),      line(76, 26),
        quad(102, 26, 102, 0)};
    EXPECT_EQ(segments(path), expected);
}

TEST(NotchShape, ShallowInsetMakesAShallowNeck) {
    const QPainterPath path = NotchShape{10, 12}.path(QRectF(0, 0, 200, 100));
    const std::vector<Segment> s = segments(path);
    ASSERT_EQ(s.size(), 13u);
    EXPECT_EQ(s[2], quad(190, 10, 200, 10)); // neck depth is the inset itself below 26
    EXPECT_EQ(s[11], line(0, 10));
    EXPECT_TRUE(path.contains(QPointF(100, 5)));
    EXPECT_FALSE(path.contains(QPointF(3, 5))); // beside the neck is see-through
}

// The notched sizes of each mode are checked where the animation ends, in NotchCardView's tests.
TEST(NotchCardGeometry, WidthsAndHeightsOfEachMode) {
    using Mode = NotchCardView::Mode;
    EXPECT_EQ(NotchCardView::heightFor(Mode::peek, notched, 132), 32);
    // Without a notch the small sizes do not depend on the wing; the full width is at least
    // the reminder block with its insets.
    for (const double wing : {10.0, 92.0, 200.0}) {
        EXPECT_EQ(NotchCardView::widthFor(Mode::closed, flat, 20, wing), 120) << wing;
        EXPECT_EQ(NotchCardView::widthFor(Mode::peek, flat, 20, wing), 168) << wing;
    }
    EXPECT_EQ(NotchCardView::widthFor(Mode::full, flat, 20, 92), 348);
    EXPECT_EQ(NotchCardView::widthFor(Mode::full, flat, 20, 200), 540);
    EXPECT_EQ(NotchCardView::widthFor(Mode::full, notched, 40, 10), 388);
}

TEST(NotchCardGeometry, ShapeOfEachMode) {
    using Mode = NotchCardView::Mode;
    // Only the full panel flares out around the notch, and only the peek shows its strip.
    const NotchFrame full = NotchCardView::frameFor(Mode::full, notched, 20, 132, 92);
    EXPECT_EQ(full.topInset, 102);
    EXPECT_EQ(full.peekOpacity, 0);
    const NotchFrame peek = NotchCardView::frameFor(Mode::peek, notched, 20, 132, 92);
    EXPECT_EQ(peek.topInset, 0);
    EXPECT_EQ(peek.peekOpacity, 1);
    EXPECT_EQ(NotchCardView::frameFor(Mode::closed, notched, 20, 132, 92).peekOpacity, 0);
    EXPECT_EQ(NotchCardView::frameFor(Mode::full, flat, 20, 132, 92).topInset, 0);

    NotchState state;
    const NotchCardView view(water, notched, state, {}, 2, 8, {});
    EXPECT_EQ(view.sizeHint(), QSize(389, 164));
    const NotchCardView wide(water, notched, state, {}, 2, 8, {}, false, false, 20, 132, 200);
    EXPECT_EQ(wide.sizeHint(), QSize(605, 164)); // peek (585) is narrower than full
}

TEST(NotchCardGeometry, ModeRule) {
    using Mode = NotchCardView::Mode;
    struct Case {
        bool expanded, completed, hovering, settled;
        Mode mode;
    };
    const Case cases[] = {
        {false, false, false, false, Mode::closed}, {false, true, true, true, Mode::closed},
        {true, false, false, false, Mode::full},    {true, false, false, true, Mode::peek},
        {true, false, true, true, Mode::full},      {true, true, false, true, Mode::full},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NotchCardView::modeFor(c.expanded, c.completed, c.hovering, c.settled), c.mode)
            << c.expanded << c.completed << c.hovering << c.settled;
    }
}

TEST(NotchContainerGeometry, CollapsedAndExpanded) {
    const NotchFrame open = NotchContainer::frameFor(true, notched, 96, 470);
    EXPECT_EQ(open.width, 470);
    EXPECT_EQ(open.height, 128);
    EXPECT_EQ(open.topInset, 142.5);
    const NotchFrame shut = NotchContainer::frameFor(false, notched, 96, 470);
    EXPECT_EQ(shut.width, 185);
    EXPECT_EQ(shut.height, 32);
    EXPECT_EQ(shut.topInset, 0);
    EXPECT_EQ(NotchContainer::frameFor(false, flat, 96, 470).width, 120);
    EXPECT_EQ(NotchContainer::frameFor(true, flat, 96, 470).topInset, 0);

    NotchState state;
    NotchMessageView view(u"Your week"_s, u"12 breaks."_s, u"calendar"_s, Qt::blue, notched, state,
                          {});
    EXPECT_EQ(view.sizeHint(), QSize(470, 128));

    // Only the black shape takes the pointer; the rest of the window lets clicks through.
    const QPoint topMiddle(235, 2);
    const QPoint bottomLeft(20, 110);
    EXPECT_TRUE(view.mask().contains(topMiddle));
    EXPECT_FALSE(view.mask().contains(bottomLeft)) << "shut";
    state.setExpanded(true);
    view.finishAnimation();
    EXPECT_TRUE(view.mask().contains(bottomLeft)) << "open";
    EXPECT_FALSE(view.mask().contains(QPoint(20, 2))) << "beside the notch";
}

TEST(GoalLine, Texts) {
    struct Case {
        qint64 count, goal;
        std::optional<QString> reason;
        QString line;
    };
    const Case cases[] = {
        {2, 8, {}, u"2 of 8 today"_s},
        {8, 8, {}, u"Goal met today"_s},
        {11, 8, {}, u"Goal met today"_s},
        {3, 0, {}, u"3 today"_s},
        {0, -1, {}, u"0 today"_s},
        {2, 8, u""_s, u"2 of 8 today"_s},
        {2, 8, u"Back from a call"_s, u"2 of 8 today · Back from a call"_s},
        {8, 8, u"Late"_s, u"Goal met today · Late"_s},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReminderContent::goalLine(c.count, c.goal, c.reason), c.line) << c.count;
}

TEST(GoalRing, Fractions) {
    struct Case {
        qint64 count, goal;
        bool completed;
        double fraction;
    };
    const Case cases[] = {
        {2, 8, false, 0.25}, {8, 8, false, 1}, {12, 8, false, 1}, {0, 0, false, 0},
        {5, 0, false, 0},    {0, 0, true, 1},  {3, 8, true, 1},   {12, 8, true, 1.5},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(GoalRing::fraction(c.count, c.goal, c.completed), c.fraction)
            << c.count << "/" << c.goal << " " << c.completed;
    }
}

TEST(ReminderContent, DoneCountsAtOnceAndAnswersOnceLater) {
    Answers answers;
    ReminderContent content(308, water, {}, 2, 8, answers.actions());
    EXPECT_EQ(content.goalLineText(), u"2 of 8 today"_s);
    EXPECT_DOUBLE_EQ(content.ring()->targetFraction(), 0.25);

    QSignalSpy called(&content, &ReminderContent::doneCalled);
    content.pressDone();
    content.pressDone();
    EXPECT_TRUE(content.completed());
    EXPECT_EQ(content.shownCount(), 3);
    EXPECT_EQ(content.goalLineText(), u"3 of 8 today"_s);
    EXPECT_GT(content.ring()->targetFraction(), 0.25);
    EXPECT_EQ(answers.done, 0); // the engine hears of it only after the ring had its moment

    ASSERT_TRUE(called.wait(5000));
    EXPECT_EQ(answers.done, 1);
    content.pressDone();
    EXPECT_EQ(called.count(), 1);
    EXPECT_EQ(answers.done, 1);
    EXPECT_EQ(content.goalLineText(), u"3 of 8 today"_s);
}

TEST(ReminderContent, RoundButtonsAnswerAtOnce) {
    Answers answers;
    ReminderContent content(308, water, u"Back from a call"_s, 2, 8, answers.actions());
    const QList<RoundAction*> round = content.findChildren<RoundAction*>();
    ASSERT_EQ(round.size(), 3);
    EXPECT_EQ(round[0]->toolTip(), u"Snooze 10 minutes"_s);
    EXPECT_EQ(round[1]->toolTip(), u"When I'm free: after my next call or break"_s);
    EXPECT_EQ(round[2]->toolTip(), u"Skip this one"_s);
    for (RoundAction* button : round)
        button->click();
    EXPECT_EQ(answers.snooze, 1);
    EXPECT_EQ(answers.untilFree, 1);
    EXPECT_EQ(answers.skip, 1);
    EXPECT_EQ(answers.done, 0);
    EXPECT_FALSE(content.completed());
}

TEST(ReminderContent, CompletedPreviewShowsTheCountWithoutAnswering) {
    Answers answers;
    NudgeCardView card(water, {}, 7, 8, answers.actions(), true);
    EXPECT_TRUE(card.completed());
    EXPECT_EQ(card.content()->goalLineText(), u"Goal met today"_s);
    EXPECT_DOUBLE_EQ(card.content()->ring()->shownFraction(), 1);
    card.content()->pressDone();
    EXPECT_EQ(answers.done, 0);
}

TEST(NudgeViews, NoButtonTakesTheKeyboardFocus) {
    NotchState state;
    NudgeCardView card(water, {}, 2, 8, {});
    NotchCardView notch(water, notched, state, {}, 2, 8, {});
    MessageCardView message(u"Your week"_s, u"Fine."_s, u"calendar"_s, Qt::blue, {});
    NotchMessageView notchMessage(u"Your week"_s, u"Fine."_s, u"calendar"_s, Qt::blue, flat, state,
                                  {});
    for (QWidget* view : QList<QWidget*>{&card, &notch, &message, &notchMessage}) {
        const QList<QAbstractButton*> buttons = view->findChildren<QAbstractButton*>();
        EXPECT_FALSE(buttons.isEmpty());
        for (const QAbstractButton* button : buttons)
            EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << button->text().toStdString();
    }
}

TEST(MessageViews, ButtonsCallTheirActions) {
    int closed = 0;
    int history = 0;
    const MessageActions actions{[&] { ++closed; }, [&] { ++history; }};
    MessageCardView card(u"Your week"_s, u"Fine."_s, u"calendar"_s, Qt::blue, actions);
    QList<CardButton*> pills = card.findChildren<CardButton*>();
    ASSERT_EQ(pills.size(), 2);
    EXPECT_EQ(pills[0]->text(), u"Open History"_s);
    EXPECT_EQ(pills[1]->text(), u"Close"_s);
    pills[0]->click();
    EXPECT_EQ(history, 1);
    pills[1]->click();
    EXPECT_EQ(closed, 1);

    NotchState state;
    NotchMessageView notch(u"Your week"_s, u"Fine."_s, u"calendar"_s, Qt::blue, flat, state,
                           actions);
    pills = notch.findChildren<CardButton*>();
    ASSERT_EQ(pills.size(), 1);
    EXPECT_EQ(pills[0]->text(), u"History"_s);
    pills[0]->click();
    EXPECT_EQ(history, 2);
    const QList<MiniIconButton*> mini = notch.findChildren<MiniIconButton*>();
    ASSERT_EQ(mini.size(), 1);
    EXPECT_EQ(mini[0]->toolTip(), u"Close"_s);
    mini[0]->click();
    EXPECT_EQ(closed, 2);
}

TEST(NotchCardView, OpensFullFoldsToPeekAndFollowsThePointer) {
    using Mode = NotchCardView::Mode;
    NotchState state;
    NotchCardView view(water, notched, state, {}, 2, 8, {});
    EXPECT_EQ(view.mode(), Mode::closed);
    QSignalSpy opened(&state, &NotchState::expandedChanged);
    view.show();
    ASSERT_TRUE(opened.wait(2000));
    EXPECT_TRUE(state.expanded());
    EXPECT_EQ(view.mode(), Mode::full);

    // The pointer rests on the panel when it would settle: it stays open, then folds on leaving.
    view.setHovering(true);
    view.settle();
    EXPECT_EQ(view.mode(), Mode::full);
    view.setHovering(false);
    EXPECT_EQ(view.mode(), Mode::peek);
    view.finishAnimation();
    EXPECT_EQ(view.shownFrame().width, 369);
    EXPECT_FALSE(view.content()->isVisible());
    view.setHovering(true);
    view.finishAnimation();
    EXPECT_EQ(view.shownFrame().width, 389);
    EXPECT_TRUE(view.content()->isVisible());
    view.setHovering(false);

    // Done keeps it open; the controller's hide closes it whatever the pointer does.
    view.content()->pressDone();
    EXPECT_EQ(view.mode(), Mode::full);
    state.setExpanded(false);
    EXPECT_EQ(view.mode(), Mode::closed);
    view.finishAnimation();
    EXPECT_EQ(view.shownFrame().width, 185);
    EXPECT_EQ(view.shownFrame().height, 32);
}

TEST(NotchCardView, ReminderBlockFitsTheBody) {
    NudgeKind wordy = water;
    wordy.notificationTitle = u"Look at something twenty feet away for twenty seconds"_s;
    wordy.notificationBody = u"Twenty seconds, far away. Your eyes will thank you, and so will "
                             u"your neck, your back and your afternoon."_s;
    NotchState state;
    for (const NotchGeometry& geometry : {notched, flat}) {
        NotchCardView view(wordy, geometry, state, u"Back from a long call with the team"_s, 2, 8,
                           {});
        EXPECT_EQ(view.content()->goalLineText(),
                  u"2 of 8 today · Back from a long call with the team"_s);
        const QRect block = view.content()->geometry();
        EXPECT_EQ(block.width(),
                  NotchCardView::widthFor(NotchCardView::Mode::full, geometry, 20, 92) - 40);
        EXPECT_LE(block.bottom(), geometry.notchHeight + 132);
    }
}
