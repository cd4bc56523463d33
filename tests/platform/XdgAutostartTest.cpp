#include "platform/linux/XdgAutostart.h"
#include "fakes/QtPrinters.h"
#include "fakes/TemporaryXdg.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

QString entryText() {
    QFile file(XdgAutostart::entryPath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeEntry(const QByteArray& text) {
    QFile file(XdgAutostart::entryPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

} // namespace

TEST(XdgAutostart, EnablingWritesAnEntryThatReadsBackEnabled) {
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
}

TEST(XdgAutostart, AnEntrySwitchedOffByTheDesktopCountsAsDisabled) {
    TemporaryXdg xdg;
    XdgAutostart autostart(QStringLiteral("brevimar"));
    QString error;
    ASSERT_TRUE(autostart.setEnabled(true, error));
    EXPECT_TRUE(entryText().contains(QStringLiteral("\nExec=brevimar\n")));

    writeEntry("[Desktop Entry]\nType=Application\nExec=brevimar\nHidden=true\n");
    EXPECT_FALSE(autostart.isEnabled());
    writeEntry("[Desktop Entry]\nExec=brevimar\nX-GNOME-Autostart-enabled=false\n");
    EXPECT_FALSE(autostart.isEnabled());
    // Keys of other groups do not count.
    writeEntry("[Desktop Entry]\nExec=brevimar\n[Desktop Action x]\nHidden=true\n");
    EXPECT_TRUE(autostart.isEnabled());
}

TEST(XdgAutostart, AnUnwritableFolderIsReported) {
    TemporaryXdg xdg;
    QFile blocker(xdg.configHome());
    QDir().mkpath(QFileInfo(xdg.configHome()).absolutePath());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();

    XdgAutostart autostart(QStringLiteral("brevimar"));
    QString error;
    EXPECT_FALSE(autostart.setEnabled(true, error));
    EXPECT_TRUE(error.contains(xdg.configHome())) << error.toStdString();
    EXPECT_FALSE(autostart.isEnabled());
}
