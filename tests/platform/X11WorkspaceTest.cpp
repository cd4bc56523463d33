#include "platform/linux/X11Workspace.h"
#include "fakes/LogCapture.h"
#include "fakes/QtPrinters.h"
#include "fakes/ScopedEnv.h"
#include "fakes/TemporaryXdg.h"
#include "fakes/WriteFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray userScope(const QByteArray& unit) {
    return "0::/user.slice/user-1000.slice/user@1000.service/app.slice/" + unit + '\n';
}

const QByteArray editor = "[Desktop Entry]\nName=Editor\nStartupWMClass=editor-main\n";

// How a window's application is told: applications folders of the user ($XDG_DATA_HOME) and of
// the system ($XDG_DATA_DIRS), and a /proc, with nothing but what a test writes.
class ApplicationsTest : public ::testing::Test {
protected:
    void user(const QString& file, const QByteArray& text) {
        writeFile(m_xdg.dataHome() + u"/applications/"_s + file, text);
    }
    void system(const QString& file, const QByteArray& text) {
        writeFile(m_system.path() + u"/applications/"_s + file, text);
    }
    void writeProc(qint64 pid, const QString& name, const QByteArray& text) {
        writeFile(u"%1/%2/%3"_s.arg(m_proc.path()).arg(pid).arg(name), text);
    }
    QString idOf(const X11Workspace::WindowClues& clues) {
        return X11Workspace::applicationId(clues, m_proc.path(), m_entries);
    }

    TemporaryXdg m_xdg;
    QTemporaryDir m_system;
    QTemporaryDir m_proc;
    ScopedEnv m_dataDirs{"XDG_DATA_DIRS", m_system.path()};
    DesktopEntries m_entries;
};

} // namespace

TEST_F(ApplicationsTest, IdsFollowTheFilePathAndTheUserFolderWins) {
    system(u"kde/org.kde.dolphin.desktop"_s,
           "# Files\n[Desktop Entry]\nName[de]=Dateien\nName = Files\\sand\\\\more\n"
           "[Desktop Action new]\nName=New Window\n");
    system(u"notes.txt"_s, "[Desktop Entry]\nName=Not an entry\n");
    system(u"editor.desktop"_s, "[Desktop Entry]\nName=System Editor\n");
    system(u"viewer.desktop"_s, "[Desktop Entry]\nName=Viewer\nStartupWMClass=Viewer\n");
    user(u"editor.desktop"_s, "[Desktop Entry]\nName=My Editor\n");
    user(u"viewer.desktop"_s, "[Desktop Entry]\nName=Viewer\nHidden=true\n");

    EXPECT_EQ(m_entries.name(u"kde-org.kde.dolphin"_s), u"Files and\\more"_s);
    EXPECT_FALSE(m_entries.contains(u"org.kde.dolphin"_s));
    EXPECT_FALSE(m_entries.contains(u"notes"_s));
    EXPECT_EQ(m_entries.name(u"editor"_s), u"My Editor"_s);
    EXPECT_FALSE(m_entries.contains(u"viewer"_s)) << "Hidden deletes the system entry too";
    EXPECT_EQ(m_entries.idForWindowClass(u"viewer"_s, u"Viewer"_s), QString());
}

TEST_F(ApplicationsTest, WindowClassesMatchStartupWmClassBeforeFileIds) {
    system(u"org.example.Editor.desktop"_s, "[Desktop Entry]\nStartupWMClass=editor-main\n");
    system(u"editor-main.desktop"_s, "[Desktop Entry]\nName=Other\n");
    system(u"org.example.Viewer.desktop"_s, "[Desktop Entry]\nName=Viewer\n");
    system(u"chrome-app.desktop"_s, "[Desktop Entry]\nStartupWMClass=crx_abcdef\n");
    system(u"google-chrome.desktop"_s, "[Desktop Entry]\nStartupWMClass=Google-chrome\n");

    EXPECT_EQ(m_entries.idForWindowClass(u"editor-main"_s, u"Editor-main"_s),
              u"org.example.Editor"_s);
    EXPECT_EQ(m_entries.idForWindowClass(u"viewer"_s, u"Org.Example.VIEWER"_s),
              u"org.example.Viewer"_s);
    EXPECT_EQ(m_entries.idForWindowClass(u"crx_abcdef"_s, u"Google-chrome"_s), u"chrome-app"_s);
    EXPECT_EQ(m_entries.idForWindowClass(u"unknown"_s, u"Unknown"_s), QString());
}

TEST_F(ApplicationsTest, AFolderIsReadAgainOnlyWhenItChanges) {
    system(u"alpha.desktop"_s, "[Desktop Entry]\nName=Alpha\n");
    EXPECT_EQ(m_entries.name(u"alpha"_s), u"Alpha"_s);

    // A new subfolder, a file added to it, and the user folder appearing at all.
    system(u"games/beta.desktop"_s, "[Desktop Entry]\nName=Beta\n");
    EXPECT_EQ(m_entries.name(u"games-beta"_s), u"Beta"_s);
    system(u"games/gamma.desktop"_s, "[Desktop Entry]\nName=Gamma\n");
    EXPECT_EQ(m_entries.name(u"games-gamma"_s), u"Gamma"_s);
    user(u"alpha.desktop"_s, "[Desktop Entry]\nName=User Alpha\n");
    EXPECT_EQ(m_entries.name(u"alpha"_s), u"User Alpha"_s);

    QTemporaryDir other;
    writeFile(other.path() + u"/applications/delta.desktop"_s, "[Desktop Entry]\nName=Delta\n");
    qputenv("XDG_DATA_DIRS", other.path().toLocal8Bit());
    EXPECT_EQ(m_entries.name(u"delta"_s), u"Delta"_s);
    EXPECT_FALSE(m_entries.contains(u"games-beta"_s));
}

TEST_F(ApplicationsTest, FlatpakAndSystemdUnitsNameTheApplicationFirst) {
    user(u"org.example.Editor.desktop"_s, editor);
    // Flatpak's own unit beats what the window says about itself.
    writeProc(100, u"cgroup"_s, userScope("app-flatpak-org.gnome.Maps-4242.scope"));
    EXPECT_EQ(idOf({100, u"org.gnome.Other"_s, {}, u"maps"_s, u"Maps"_s}), u"org.gnome.Maps"_s);

    // Inside a sandbox the info file counts even when the unit says something else.
    writeProc(101, u"cgroup"_s, userScope("app-gnome-org.example.Shell-17.scope"));
    writeProc(101, u"root/.flatpak-info"_s,
              "[Instance]\nname=ignored\n[Application]\nname=org.example.Sandboxed\n");
    EXPECT_EQ(idOf({101, {}, {}, {}, {}}), u"org.example.Sandboxed"_s);

    writeProc(102, u"cgroup"_s, userScope("app-gnome-org.example.my\\x2dapp-1234.scope"));
    EXPECT_EQ(idOf({102, {}, {}, {}, {}}), u"org.example.my-app"_s);

    writeProc(103, u"cgroup"_s, userScope("app-org.kde.konsole@a1b2c3.service"));
    EXPECT_EQ(idOf({103, {}, {}, {}, {}}), u"org.kde.konsole"_s);

    writeProc(104, u"cgroup"_s, "1:name=systemd:/user.slice/app-kde-org.kde.kate-99.scope\n0::/\n");
    EXPECT_EQ(idOf({104, {}, {}, {}, {}}), u"org.kde.kate"_s);

    // Units that are not an application's own fall through to the window.
    writeProc(105, u"cgroup"_s,
              userScope("app-org.gnome.Terminal.slice/vte-spawn-0b1c.scope") +
                  userScope("app.slice/dbus.service"));
    EXPECT_EQ(idOf({105, {}, {}, u"editor-main"_s, u"Editor"_s}), u"org.example.Editor"_s);
}

TEST_F(ApplicationsTest, WindowPropertiesComeBeforeTheLauncherOfThatVeryProcess) {
    user(u"org.example.Editor.desktop"_s, editor);
    writeProc(200, u"environ"_s,
              "PATH=/usr/bin\0GIO_LAUNCHED_DESKTOP_FILE=/usr/share/applications/other.desktop\0"
              "GIO_LAUNCHED_DESKTOP_FILE_PID=200\0"_ba);
    EXPECT_EQ(idOf({200, u"org.gnome.Nautilus"_s, {}, {}, {}}), u"org.gnome.Nautilus"_s);
    EXPECT_EQ(idOf({200, {}, u"org.kde.dolphin"_s, {}, {}}), u"org.kde.dolphin"_s);
    EXPECT_EQ(idOf({200, {}, u"/usr/share/applications/org.kde.kate.desktop"_s, {}, {}}),
              u"org.kde.kate"_s);
    EXPECT_EQ(idOf({200, {}, {}, u"editor-main"_s, {}}), u"other"_s);

    // The launched desktop file speaks only for the process it was given to.
    const QByteArray launched = "GIO_LAUNCHED_DESKTOP_FILE=" + m_xdg.dataHome().toLocal8Bit() +
                                "/applications/tools/org.example.Launched.desktop\0"_ba;
    writeProc(300, u"environ"_s, launched + "GIO_LAUNCHED_DESKTOP_FILE_PID=300\0"_ba);
    EXPECT_EQ(idOf({300, {}, {}, u"editor-main"_s, {}}), u"tools-org.example.Launched"_s);

    // A child of the launched program inherits the variables with its parent's PID.
    writeProc(301, u"environ"_s, launched + "GIO_LAUNCHED_DESKTOP_FILE_PID=300\0"_ba);
    EXPECT_EQ(idOf({301, {}, {}, u"editor-main"_s, u"Editor-main"_s}), u"org.example.Editor"_s);
    writeProc(302, u"environ"_s, launched);
    EXPECT_EQ(idOf({302, {}, {}, u"nothing"_s, u"Nothing"_s}), QString());

    // Without a PID only the window is left to ask, and an unreadable process is no error.
    EXPECT_EQ(idOf({0, {}, {}, {}, u"editor-main"_s}), u"org.example.Editor"_s);
    EXPECT_EQ(idOf({999, {}, {}, {}, {}}), QString());
}

TEST(X11WorkspaceGeometry, FullScreenMeansExactlyOneMonitor) {
    const QList<QRect> monitors = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
    EXPECT_TRUE(X11Workspace::coversOneMonitor(QRect(1920, 0, 1280, 1024), monitors));
    EXPECT_FALSE(X11Workspace::coversOneMonitor(QRect(0, 0, 1920, 1079), monitors));
    EXPECT_FALSE(X11Workspace::coversOneMonitor(QRect(0, 0, 3200, 1080), monitors))
        << "spanning both monitors";
    EXPECT_FALSE(X11Workspace::coversOneMonitor(QRect(0, 0, 1920, 1080), {}));
}

TEST(X11Workspace, WithoutADisplayThereIsNothingToReport) {
    LogCapture log;
    X11Workspace workspace(u":97"_s);
    EXPECT_FALSE(workspace.frontmostApplication().has_value());
    EXPECT_FALSE(workspace.isFrontmostFullScreen());
    EXPECT_EQ(log.lines().size(), 1) << "one line about the display, not one per question";
}
