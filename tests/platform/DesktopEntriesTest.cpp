#include "platform/linux/DesktopEntries.h"
#include "fakes/QtPrinters.h"
#include "fakes/ScopedEnv.h"
#include "fakes/TemporaryXdg.h"
#include "fakes/WriteFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// A user folder ($XDG_DATA_HOME) and one system folder ($XDG_DATA_DIRS) of its own.
class DesktopEntriesTest : public ::testing::Test {
protected:
    void user(const QString& file, const QByteArray& text) {
        writeFile(m_xdg.dataHome() + u"/applications/"_s + file, text);
    }
    void system(const QString& file, const QByteArray& text) {
        writeFile(m_system.path() + u"/applications/"_s + file, text);
    }

    TemporaryXdg m_xdg;
    QTemporaryDir m_system;
    ScopedEnv m_dataDirs{"XDG_DATA_DIRS", m_system.path()};
    DesktopEntries m_entries;
};

} // namespace

TEST_F(DesktopEntriesTest, IdsFollowTheFilePathAndTheUserFolderWins) {
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

TEST_F(DesktopEntriesTest, WindowClassesMatchStartupWmClassBeforeFileIds) {
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

TEST_F(DesktopEntriesTest, AFolderIsReadAgainOnlyWhenItChanges) {
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
