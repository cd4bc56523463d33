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

// A window of the x11_test_window helper, in a process of its own (instance, class and PID) that
// ends when its input is closed.
struct TestWindow {
    explicit TestWindow(const QStringList& arguments = {u"test"_s, u"Test"_s}) {
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(X11_TEST_WINDOW), arguments);
        while (!process.canReadLine() && process.waitForReadyRead(10000)) {
        }
        id = process.readLine().trimmed();
    }
    ~TestWindow() {
        process.closeWriteChannel();
        process.waitForFinished(5000);
    }

    QProcess process;
    QString id;
};

// xdotool's --sync waits for a change: each command must change something.
void xdotool(const QStringList& arguments) {
    ASSERT_EQ(QProcess::execute(u"xdotool"_s, arguments), 0) << qPrintable(arguments.join(u' '));
}

void activate(const TestWindow& window) {
    ASSERT_FALSE(window.id.isEmpty());
    xdotool({u"windowactivate"_s, u"--sync"_s, window.id});
}

void fillScreen(const TestWindow& window) {
    xdotool({u"windowmove"_s, u"--sync"_s, window.id, u"0"_s, u"0"_s});
    xdotool({u"windowsize"_s, u"--sync"_s, window.id, u"1280"_s, u"800"_s});
}

// The virtual display of scripts/run-in-session (openbox), with applications folders that hold
// only what a test writes.
class X11WorkspaceSession : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("BREVIMAR_IN_SESSION"))
            GTEST_SKIP() << "needs the display of scripts/run-in-session";
    }

    TemporaryXdg m_xdg;
    ScopedEnv m_dataDirs{"XDG_DATA_DIRS", m_xdg.dataHome() + u"/no-system-data"_s};
};

} // namespace

TEST_F(X11WorkspaceSession, ReportsActivatedApplicationsDesktopSwitchesAndClosedWindows) {
    const QString apps = m_xdg.dataHome() + u"/applications/"_s;
    writeFile(apps + u"com.example.Alpha.desktop"_s,
              "[Desktop Entry]\nName=Alpha\nStartupWMClass=alpha-main\n");
    writeFile(apps + u"org.example.Beta.desktop"_s, "[Desktop Entry]\nName=Beta\n");
    X11Workspace workspace;
    QSignalSpy activated(&workspace, &Workspace::applicationActivated);
    QSignalSpy spaces(&workspace, &Workspace::spaceChanged);
    QSignalSpy terminated(&workspace, &Workspace::applicationTerminated);
    TestWindow alpha({u"alpha-main"_s, u"Alpha"_s});
    // Without _NET_WM_PID the X server still knows which process made the window.
    TestWindow beta({u"beta"_s, u"org.example.beta"_s, u"0"_s});

    for (const auto& [window, id, name] : {std::tuple{&alpha, u"com.example.Alpha"_s, u"Alpha"_s},
                                           std::tuple{&beta, u"org.example.Beta"_s, u"Beta"_s}}) {
        activate(*window);
        ASSERT_TRUE(activated.wait(5000));
        const std::optional<RunningApplication> front = workspace.frontmostApplication();
        ASSERT_TRUE(front.has_value());
        EXPECT_EQ(front->pid, window->process.processId());
        EXPECT_EQ(front->id, id);
        EXPECT_EQ(front->name, name);
    }

    xdotool({u"set_desktop"_s, u"1"_s});
    ASSERT_TRUE(spaces.wait(5000));
    EXPECT_EQ(terminated.count(), 0) << "windows on another desktop are still open";
    xdotool({u"set_desktop"_s, u"0"_s});
    beta.process.closeWriteChannel();
    ASSERT_TRUE(terminated.wait(5000));
}

// Which sizes and places count is for X11WorkspaceGeometry; here, that the real display's monitor
// and window are compared in the same coordinates.
TEST_F(X11WorkspaceSession, FullScreenIsTheMonitorCoveredExactlyByAnotherProcess) {
    X11Workspace workspace;
    TestWindow window;
    activate(window);
    EXPECT_FALSE(workspace.isFrontmostFullScreen());
    fillScreen(window);
    EXPECT_TRUE(workspace.isFrontmostFullScreen());
    xdotool({u"windowmove"_s, u"--sync"_s, window.id, u"1"_s, u"0"_s});
    EXPECT_FALSE(workspace.isFrontmostFullScreen());

    TestWindow own({u"own"_s, u"Own"_s, QString::number(QCoreApplication::applicationPid())});
    activate(own);
    fillScreen(own);
    ASSERT_EQ(workspace.frontmostApplication()->pid, QCoreApplication::applicationPid());
    EXPECT_FALSE(workspace.isFrontmostFullScreen()) << "own windows never count";
}
