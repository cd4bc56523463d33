#include "PanelFixture.h"

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>

using namespace Qt::StringLiterals;

// The card and the top panel as real windows on a virtual display with a window manager: where
// they land, that they never take the keyboard from the window the user is typing in, and that
// their buttons answer the reminder.
namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(10000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

QString focusedWindow() {
    return run(u"xdotool"_s, {u"getwindowfocus"_s});
}

QString property(WId window, const QString& name) {
    return run(u"xprop"_s, {u"-id"_s, QString::number(window), name});
}

class PanelSessionTest : public PanelFixture {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::platformName(), u"xcb"_s);
        // Someone typing in another program: a small X window holding the keyboard focus.
        m_holder.start(u"xmessage"_s, {u"-title"_s, u"BrevimarFocusHolder"_s, u"-geometry"_s,
                                       u"240x80+100+400"_s, u"typing here"_s});
        ASSERT_TRUE(m_holder.waitForStarted());
        const QString id =
            run(u"xdotool"_s, {u"search"_s, u"--sync"_s, u"--name"_s, u"BrevimarFocusHolder"_s});
        ASSERT_FALSE(id.isEmpty());
        m_focus = id.split(u'\n').first();
        // The window manager may still be settling the new window: ask until it has the focus.
        ASSERT_TRUE(QTest::qWaitFor([this] {
            run(u"xdotool"_s, {u"windowactivate"_s, u"--sync"_s, m_focus});
            return focusedWindow() == m_focus;
        }));
    }
    void TearDown() override {
        m_holder.kill();
        m_holder.waitForFinished();
    }

    // Clicks a button of the panel where the X server shows it, as a person would.
    void click(const QString& name) {
        QPushButton* pressed = button(name);
        ASSERT_TRUE(pressed);
        QWidget* window = pressed->window();
        const QPoint centre = placed(window) + pressed->mapTo(window, pressed->rect().center());
        run(u"xdotool"_s, {u"mousemove"_s, u"--sync"_s, QString::number(centre.x()),
                           QString::number(centre.y()), u"click"_s, u"1"_s});
    }
    // Where the window manager put the window, from the X server itself.
    QPoint placed(QWidget* window) {
        const QString shell = run(
            u"xdotool"_s, {u"getwindowgeometry"_s, u"--shell"_s, QString::number(window->winId())});
        QPoint at;
        for (const QString& line : shell.split(u'\n')) {
            if (line.startsWith(u"X="_s))
                at.setX(line.mid(2).toInt());
            else if (line.startsWith(u"Y="_s))
                at.setY(line.mid(2).toInt());
        }
        return at;
    }

    QProcess m_holder;
    QString m_focus;
};

TEST_F(PanelSessionTest, CardAppearsTopRightWithoutFocusAndDoneAnswers) {
    settings.setReminderStyle(ReminderStyle::card);
    engine.fire(NudgeKind::water());
    QWidget* card = controller.panel();
    ASSERT_TRUE(card);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(card));

    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(available.right() + 1, 1280);
    const QPoint corner(1280 - card->width() - 12, available.top() + 12);
    (void)QTest::qWaitFor([&] { return placed(card) == corner; });
    EXPECT_EQ(placed(card), corner);
    EXPECT_TRUE(property(card->winId(), u"_NET_WM_WINDOW_TYPE"_s)
                    .contains(u"_NET_WM_WINDOW_TYPE_NOTIFICATION"_s));
    EXPECT_TRUE(property(card->winId(), u"_NET_WM_DESKTOP"_s).endsWith(u"= 4294967295"_s));
    EXPECT_TRUE(QTest::qWaitFor([&] { return card->windowOpacity() == 1.0; }));
    EXPECT_EQ(focusedWindow(), m_focus);

    // Dragged by its background out of the way, and still not focused.
    const QPoint grip = corner + QPoint(3, 3);
    const QPoint moved = corner + QPoint(-200, 100);
    run(u"xdotool"_s, {u"mousemove"_s, u"--sync"_s, QString::number(grip.x()),
                       QString::number(grip.y()), u"mousedown"_s, u"1"_s});
    run(u"xdotool"_s, {u"mousemove"_s, u"--sync"_s, QString::number(grip.x() - 100),
                       QString::number(grip.y() + 50)});
    run(u"xdotool"_s, {u"mousemove"_s, u"--sync"_s, QString::number(grip.x() - 200),
                       QString::number(grip.y() + 100), u"mouseup"_s, u"1"_s});
    (void)QTest::qWaitFor([&] { return placed(card) == moved; });
    EXPECT_EQ(placed(card), moved);
    EXPECT_EQ(focusedWindow(), m_focus);

    click(u"Done"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !controller.showing(); }))
        << "card " << card->winId() << " at " << placed(card).x() << "," << placed(card).y()
        << " size " << card->width() << "x" << card->height() << " mouse "
        << run(u"xdotool"_s, {u"getmouselocation"_s}).toStdString();
    EXPECT_EQ(dayLog.state().counts.value(u"water"_s), 1);
    EXPECT_EQ(focusedWindow(), m_focus);
    EXPECT_FALSE(QGuiApplication::focusWindow());
}

TEST_F(PanelSessionTest, TopPanelSitsFlushTopCentreWithoutFocusAndDoneAnswers) {
    settings.setReminderStyle(ReminderStyle::notch);
    engine.fire(NudgeKind::movement());
    QWidget* panel = controller.panel();
    ASSERT_TRUE(panel);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel));

    const QPoint top((1280 - panel->width()) / 2, 0);
    (void)QTest::qWaitFor([&] { return placed(panel) == top; });
    EXPECT_EQ(placed(panel), top);
    EXPECT_EQ(focusedWindow(), m_focus);

    click(u"Done"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !controller.showing(); }));
    EXPECT_EQ(dayLog.state().counts.value(u"movement"_s), 1);
    EXPECT_EQ(focusedWindow(), m_focus);
    EXPECT_FALSE(QGuiApplication::focusWindow());
}

} // namespace
