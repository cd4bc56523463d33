#include "platform/linux/XdgAutostart.h"
#include "fakes/QtPrinters.h"
#include "fakes/TemporaryXdg.h"
#include "fakes/WriteFile.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(XdgAutostart, EnablingWritesAnEntryThatReadsBackUnlessTheDesktopSwitchedItOff) {
    TemporaryXdg xdg;
    XdgAutostart autostart(QStringLiteral("/opt/My Apps/brevimar"));
    EXPECT_FALSE(autostart.isEnabled());

    QString error;
    ASSERT_TRUE(autostart.setEnabled(true, error)) << error.toStdString();
    EXPECT_EQ(XdgAutostart::entryPath(),
              xdg.configHome() + QStringLiteral("/autostart/com.tovanex.Brevimar.desktop"));
    EXPECT_TRUE(autostart.isEnabled());
    EXPECT_TRUE(readFile(XdgAutostart::entryPath()).contains("\nExec=\"/opt/My Apps/brevimar\"\n"));

    ASSERT_TRUE(autostart.setEnabled(false, error));
    EXPECT_FALSE(QFile::exists(XdgAutostart::entryPath()));
    EXPECT_FALSE(autostart.isEnabled());
    EXPECT_TRUE(autostart.setEnabled(false, error)) << "removing twice is not an error";

    // Switched off by the desktop. Which group a key belongs to is DesktopEntries' to tell.
    writeFile(XdgAutostart::entryPath(), "[Desktop Entry]\nExec=brevimar\nHidden=true\n");
    EXPECT_FALSE(autostart.isEnabled());
    writeFile(XdgAutostart::entryPath(),
              "[Desktop Entry]\nExec=brevimar\nX-GNOME-Autostart-enabled=false\n");
    EXPECT_FALSE(autostart.isEnabled());

    // A file where the folder should be.
    ASSERT_TRUE(QDir(xdg.configHome()).removeRecursively());
    writeFile(xdg.configHome(), {});
    EXPECT_FALSE(autostart.setEnabled(true, error));
    EXPECT_TRUE(error.contains(xdg.configHome())) << error.toStdString();
    EXPECT_FALSE(autostart.isEnabled());
}
