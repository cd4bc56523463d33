#include "fakes/QtPrinters.h"
#include "fakes/ScopedEnv.h"
#include "fakes/TemporaryXdg.h"
#include "fakes/WriteFile.h"
#include "platform/linux/X11Workspace.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <tuple>

using namespace Qt::StringLiterals;

namespace {

// A window of the x11_test_window helper, in a process of its own.
class TestWindow {
public:
    explicit TestWindow(const QStringList& arguments = {}) {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(X11_TEST_WINDOW), arguments);
        while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
        }
        m_id = m_process.readLine().trimmed().toUInt();
    }
    ~TestWindow() { close(); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    quint32 id() const { return m_id; }
    qint64 pid() const { return m_process.processId(); }
    void close() {
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

private:
    QProcess m_process;
    quint32 m_id = 0;
};

int xdotool(const QStringList& arguments) {
    return QProcess::execute(u"xdotool"_s, arguments);
}

// The virtual display of scripts/run-in-session (1280×800, openbox), with applications folders
// that hold only what a test writes.
class X11WorkspaceSession : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("BREVIMAR_IN_SESSION"))
            GTEST_SKIP() << "needs the display of scripts/run-in-session";
    }

    void writeEntry(const QString& id, const QByteArray& text) {
        writeFile(m_xdg.dataHome() + u"/applications/"_s + id + u".desktop"_s, text);
    }

    static void activate(const TestWindow& window) {
        ASSERT_NE(window.id(), 0u);
        ASSERT_EQ(xdotool({u"windowactivate"_s, u"--sync"_s, QString::number(window.id())}), 0);
    }
    // xdotool's --sync waits for a change: each call must change something.
    static void run(const QString& command, const TestWindow& window, int x, int y) {
        ASSERT_EQ(xdotool({command, u"--sync"_s, QString::number(window.id()), QString::number(x),
                           QString::number(y)}),
                  0);
    }

    TemporaryXdg m_xdg;
    ScopedEnv m_dataDirs{"XDG_DATA_DIRS", m_xdg.dataHome() + u"/no-system-data"_s};
};

} // namespace

TEST_F(X11WorkspaceSession, ReportsTheApplicationOfEachActivatedWindow) {
    writeEntry(u"com.example.Alpha"_s, "[Desktop Entry]\nName=Alpha\nStartupWMClass=alpha-main\n");
    writeEntry(u"org.example.Beta"_s, "[Desktop Entry]\nName=Beta\n");
    X11Workspace workspace;
    QSignalSpy activated(&workspace, &Workspace::applicationActivated);
    TestWindow alpha({u"--class"_s, u"alpha-main"_s, u"Alpha"_s});
    // Without _NET_WM_PID the X server still knows which process made the window.
    TestWindow beta({u"--class"_s, u"beta"_s, u"org.example.beta"_s, u"--no-pid"_s});

    for (const auto& [window, id, name] : {std::tuple{&alpha, u"com.example.Alpha"_s, u"Alpha"_s},
                                           std::tuple{&beta, u"org.example.Beta"_s, u"Beta"_s}}) {
        activate(*window);
        ASSERT_TRUE(activated.wait(5000));
        const std::optional<RunningApplication> front = workspace.frontmostApplication();
        ASSERT_TRUE(front.has_value());
        EXPECT_EQ(front->pid, window->pid());
        EXPECT_EQ(front->id, id);
        EXPECT_EQ(front->name, name);
    }
}

// Which sizes and places count is for X11WorkspaceGeometry; here, that the real display's monitor
// and window are compared in the same coordinates.
TEST_F(X11WorkspaceSession, FullScreenIsTheMonitorCoveredExactlyByAnotherProcess) {
    X11Workspace workspace;
    TestWindow window;
    activate(window);
    EXPECT_FALSE(workspace.isFrontmostFullScreen());
    run(u"windowmove"_s, window, 0, 0);
    run(u"windowsize"_s, window, 1280, 800);
    EXPECT_TRUE(workspace.isFrontmostFullScreen());
    run(u"windowmove"_s, window, 1, 0);
    EXPECT_FALSE(workspace.isFrontmostFullScreen());

    TestWindow own({u"--pid"_s, QString::number(QCoreApplication::applicationPid())});
    activate(own);
    run(u"windowmove"_s, own, 0, 0);
    run(u"windowsize"_s, own, 1280, 800);
    ASSERT_EQ(workspace.frontmostApplication()->pid, QCoreApplication::applicationPid());
    EXPECT_FALSE(workspace.isFrontmostFullScreen()) << "own windows never count";
}

TEST_F(X11WorkspaceSession, DesktopSwitchesAndClosedWindowsAreReported) {
    TestWindow window;
    activate(window); // the window manager has listed it by now
    X11Workspace workspace;
    QSignalSpy spaces(&workspace, &Workspace::spaceChanged);
    QSignalSpy terminated(&workspace, &Workspace::applicationTerminated);

    ASSERT_EQ(xdotool({u"set_desktop"_s, u"1"_s}), 0);
    ASSERT_TRUE(spaces.wait(5000));
    ASSERT_EQ(xdotool({u"set_desktop"_s, u"0"_s}), 0);
    ASSERT_TRUE(spaces.wait(5000));
    EXPECT_EQ(terminated.count(), 0);

    window.close();
    ASSERT_TRUE(terminated.wait(5000));
}
