#include "PanelFixture.h"
#include "ui/reminders/NotchCardView.h"
#include "ui/theme/Theme.h"
#include "ui/theme/Windowing.h"
#include "ui/tray/MenuBarView.h"

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

using namespace Qt::StringLiterals;

// The card and the top panel as real windows on a virtual display with a window manager: where
// they land, that they never take the keyboard from the window the user is typing in, that the
// card's buttons answer the reminder and that the top panel lets clicks through.
namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(10000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString xdotool(const QString& arguments) {
    return run(u"xdotool"_s, arguments.split(u' '));
}
QString xy(QPoint at) {
    return u"%1 %2"_s.arg(at.x()).arg(at.y());
}

class PanelSessionTest : public PanelFixture {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), u"xcb"_s);
        // Someone typing in another program: a small X window holding the keyboard focus.
        m_holder.start(u"xmessage"_s, {u"-title"_s, u"BrevimarFocusHolder"_s, u"-geometry"_s,
                                       u"240x80+100+400"_s, u"typing here"_s});
        ASSERT_TRUE(m_holder.waitForStarted());
        m_focus = xdotool(u"search --sync --name BrevimarFocusHolder"_s).section(u'\n', 0, 0);
        ASSERT_FALSE(m_focus.isEmpty());
        // The window manager may still be settling the new window: ask until it has the focus.
        ASSERT_TRUE(QTest::qWaitFor([this] {
            xdotool(u"windowactivate --sync "_s + m_focus);
            return xdotool(u"getwindowfocus"_s) == m_focus;
        }));
    }

    // Moves the pointer there in small steps, as a hand would, until the program has seen it.
    bool pointAt(QPoint at, const std::function<bool()>& arrived) {
        int step = 0;
        return QTest::qWaitFor(
            [&] {
                xdotool(u"mousemove "_s + xy(at + QPoint(0, step++ % 2)));
                return arrived();
            },
            3000);
    }
    // Where the window manager put the window, from the X server itself, once it has settled
    // where the test expects it (or has given up).
    QPoint placed(QWidget* window, QPoint expected) {
        QPoint at;
        (void)QTest::qWaitFor([&] {
            const auto found = QRegularExpression(u"X=(-?\\d+)\\nY=(-?\\d+)"_s)
                                   .match(xdotool(u"getwindowgeometry --shell "_s +
                                                  QString::number(window->winId())));
            at = {found.captured(1).toInt(), found.captured(2).toInt()};
            return at == expected;
        });
        return at;
    }

    QProcess m_holder; // killed with the fixture
    QString m_focus;
};

TEST_F(PanelSessionTest, CardAppearsTopRightWithoutFocusAndDoneAnswers) {
    engine().fire(NudgeKind::water());
    QWidget* card = controller.panel();
    ASSERT_TRUE(card);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(card));

    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint corner(1280 - card->width() - 12, available.top() + 12);
    EXPECT_EQ(placed(card, corner), corner);
    const QString id = QString::number(card->winId());
    EXPECT_TRUE(run(u"xprop"_s, {u"-id"_s, id, u"_NET_WM_WINDOW_TYPE"_s})
                    .contains(u"_NET_WM_WINDOW_TYPE_NOTIFICATION"_s));
    EXPECT_TRUE(run(u"xprop"_s, {u"-id"_s, id, u"_NET_WM_DESKTOP"_s}).endsWith(u"= 4294967295"_s));
    EXPECT_TRUE(QTest::qWaitFor([&] { return card->windowOpacity() == 1.0; }));
    EXPECT_EQ(xdotool(u"getwindowfocus"_s), m_focus);

    // Dragged by its background out of the way, and still not focused.
    const QPoint grip = corner + QPoint(3, 3);
    const QPoint moved = corner + QPoint(-200, 100);
    xdotool(u"mousemove --sync "_s + xy(grip) + u" mousedown 1"_s);
    xdotool(u"mousemove --sync "_s + xy(grip + QPoint(-100, 50)));
    xdotool(u"mousemove --sync "_s + xy(grip + QPoint(-200, 100)) + u" mouseup 1"_s);
    EXPECT_EQ(placed(card, moved), moved);
    EXPECT_EQ(xdotool(u"getwindowfocus"_s), m_focus);

    // Done, clicked where the X server shows it, as a person would.
    const QPoint done = placed(card, moved) + button(u"Done"_s)->mapTo(card, QPoint(10, 10));
    xdotool(u"mousemove --sync "_s + xy(done) + u" click 1"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return runPending(NudgePanelController::doneDelayMSecs); }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !controller.showing(); }));
    EXPECT_EQ(dayLog.state().counts.value(u"water"_s), 1);
    EXPECT_EQ(xdotool(u"getwindowfocus"_s), m_focus);
    EXPECT_FALSE(QGuiApplication::focusWindow());
}

// The top panel sits flush with the top centre without taking the focus. Folded to its peek strip
// its window is mostly see-through: clicks there reach the window below, while the strip itself
// still takes the pointer.
TEST_F(PanelSessionTest, TopPanelSitsTopCentreAndLetsClicksThroughWhereItIsSeeThrough) {
    struct Below : QWidget {
        void mousePressEvent(QMouseEvent*) override { ++presses; }
        int presses = 0;
    } below;
    below.setWindowFlags(Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus);
    below.setAttribute(Qt::WA_ShowWithoutActivating);
    below.setGeometry(200, 0, 880, 300);
    below.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&below));

    settings.setReminderStyle(ReminderStyle::notch);
    engine().fire(NudgeKind::water());
    QWidget* window = controller.panel();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    auto* view = window->findChild<NotchCardView*>();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->mode() == NotchCardView::Mode::full; }));
    view->settle();
    view->finishAnimation();
    ASSERT_EQ(view->mode(), NotchCardView::Mode::peek);

    const QPoint top((1280 - window->width()) / 2, 0);
    EXPECT_EQ(placed(window, top), top);
    const QPoint seeThrough = top + QPoint(window->width() / 2, window->height() - 10);
    EXPECT_TRUE(pointAt(seeThrough, [&] { return below.underMouse(); }));
    xdotool(u"click 1"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return below.presses == 1; }, 3000));
    EXPECT_TRUE(pointAt(top + QPoint(window->width() / 2, 8), [&] { return view->hovering(); }));
    EXPECT_EQ(xdotool(u"getwindowfocus"_s), m_focus);
}

// The desktop's token goes onto what its request shows before the window maps, the panel made
// a window of its own as much as a window made for the request; a window shown later has none.
TEST_F(PanelSessionTest, WindowsShownForTheDesktopCarryItsActivationToken) {
    const auto startupId = [](const QWidget& window) {
        return run(u"xprop"_s, {u"-id"_s, QString::number(window.winId()), u"_NET_STARTUP_ID"_s});
    };
    MenuBarView tray(engine(), monitor(), dayLog, settings, clock);
    QWidget asked;
    {
        const Windowing::ActivationToken token("launcher-7_TIME42");
        tray.openAsWindow();
        Theme::presentWindow(&asked, true);
    }
    EXPECT_EQ(startupId(tray), u"_NET_STARTUP_ID(UTF8_STRING) = \"launcher-7_TIME42\""_s);
    EXPECT_EQ(startupId(asked), startupId(tray));
    QWidget later;
    Theme::presentWindow(&later, true);
    EXPECT_TRUE(startupId(later).endsWith(u"not found."_s));
}

} // namespace
