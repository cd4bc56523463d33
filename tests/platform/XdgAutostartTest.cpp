#include "platform/linux/XdgAutostart.h"
#include "fakes/QtPrinters.h"
#include "fakes/TemporaryXdg.h"
#include "fakes/WriteFile.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

QString entryText() {
    QFile file(XdgAutostart::entryPath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

TEST(XdgAutostart, EnablingWritesAnEntryThatReadsBackUnlessTheDesktopSwitchedItOff) {
    TemporaryXdg xdg;
    XdgAutostart autostart(QStringLiteral("/opt/My Apps/brevimar"));
    EXPECT_FALSE(autostart.isEnabled());

    QString error;
    ASSERT_TRUE(autostart.setEnabled(true, error)) << error.toStdString();
    EXPECT_EQ(XdgAutostart::entryPath(),
              xdg.configHome() + QStringLiteral("/autostart/com.tovanex.Brevimar.desktop"));
    EXPECT_TRUE(autostart.isEnabled());
    EXPECT_TRUE(entryText().contains(QStringLiteral("\nExec=\"/opt/My Apps/brevimar\"\n")));

    ASSERT_TRUE(autostart.setEnabled(false, error));
    EXPECT_FALSE(QFileInfo::exists(XdgAutostart::entryPath()));
    EXPECT_FALSE(autostart.isEnabled());
    EXPECT_TRUE(autostart.setEnabled(false, error)) << "removing twice is not an error";

    // Switched off by the desktop; keys of other groups do not count.
    writeFile(XdgAutostart::entryPath(), "[Desktop Entry]\nExec=brevimar\nHidden=true\n");
    EXPECT_FALSE(autostart.isEnabled());
    writeFile(XdgAutostart::entryPath(),
              "[Desktop Entry]\nExec=brevimar\nX-GNOME-Autostart-enabled=false\n");
    EXPECT_FALSE(autostart.isEnabled());
    writeFile(XdgAutostart::entryPath(),
              "[Desktop Entry]\nExec=brevimar\n[Desktop Action x]\nHidden=true\n");
    EXPECT_TRUE(autostart.isEnabled());
}

TEST(XdgAutostart, AnUnwritableFolderIsReported) {
    TemporaryXdg xdg;
    writeFile(xdg.configHome(), {}); // a file where the folder should be

    XdgAutostart autostart(QStringLiteral("brevimar"));
    QString error;
    EXPECT_FALSE(autostart.setEnabled(true, error));
    EXPECT_TRUE(error.contains(xdg.configHome())) << error.toStdString();
    EXPECT_FALSE(autostart.isEnabled());
}
