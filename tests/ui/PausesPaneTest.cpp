#include "ui/settings/PausesPane.h"
#include "SettingsFixture.h"
#include "fakes/ScopedEnv.h"
#include "fakes/WriteFile.h"
#include "settings/AppSettings.h"
#include "ui/settings/SettingsForm.h"

#include <QComboBox>
#include <QListWidget>
#include <QMenu>
#include <QToolButton>

using namespace Qt::StringLiterals;
using Tab = SettingsWindow::Tab;

namespace {

class PausesPaneTest : public SettingsFixture {
protected:
    PausesPane& pauses() { return static_cast<PausesPane&>(pane(Tab::pauses)); }
    QStringList texts() {
        QStringList shown;
        for (const QLabel* label : pauses().findChildren<QLabel*>())
            shown.append(label->text());
        return shown;
    }
};

QStringList visibleNames(const QListWidget& list) {
    QStringList names;
    for (int row = 0; row < list.count(); ++row) {
        if (!list.item(row)->isHidden())
            names.append(list.item(row)->text());
    }
    return names;
}

} // namespace

// Catches a step rule that skips 15, keeps stepping by one above it, or does not come back.
TEST_F(PausesPaneTest, IdleStepperMovesByOneBelowFifteenAndByFiveFromThere) {
    auto* idle = pauses().findChild<SettingsForm::Stepper*>();
    ASSERT_NE(idle, nullptr);
    const auto walk = [&](int direction) {
        QList<int> values{idle->value()};
        for (int moved = -1; moved != idle->value();) {
            moved = idle->value();
            idle->step(direction);
            if (idle->value() != moved)
                values.append(idle->value());
            EXPECT_EQ(settings.idleThresholdMinutes(), idle->value());
        }
        return values;
    };
    walk(-1);
    QList<int> expected;
    for (int value = 2; value < 15; ++value)
        expected.append(value);
    for (int value = 15; value <= 60; value += 5)
        expected.append(value);
    EXPECT_EQ(walk(1), expected);
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(walk(-1), expected);
}

// The signals are sampled only while a person can see them: not for a hidden window, not behind
// another tab. Catches a poller started with the pane or never stopped.
TEST_F(PausesPaneTest, LiveSignalsPollOnlyWhileThePaneIsOnScreen) {
    const LiveSignals& live = pauses().liveSignals();
    EXPECT_FALSE(live.isActive()) << "the window is not shown yet";
    EXPECT_EQ(media.questions, 0);

    window().present();
    EXPECT_TRUE(live.isActive());
    EXPECT_GT(media.questions, 0) << "sampled at once";

    window().showTab(Tab::general);
    EXPECT_FALSE(live.isActive());
    window().showTab(Tab::pauses);
    EXPECT_TRUE(live.isActive());
    window().hide();
    EXPECT_FALSE(live.isActive());
}

// The status line and the call row follow the monitor: a camera in use holds reminders, and the
// row shows it from the first sample.
TEST_F(PausesPaneTest, StatusLineAndCallRowFollowTheCamera) {
    pauses();
    EXPECT_TRUE(texts().contains(u"Reminders are running"_s));
    EXPECT_TRUE(texts().contains(u"Nothing is holding them right now."_s));

    startCall();
    window().present();
    EXPECT_TRUE(texts().contains(u"Holding reminders"_s));
    EXPECT_TRUE(texts().contains(u"You're on a call"_s));
    EXPECT_TRUE(texts().contains(u"Camera on"_s));

    endCall();
    EXPECT_TRUE(texts().contains(u"Reminders are running"_s));
}

// Restore Defaults gives back the default list in its order; a removed app goes, and an app
// chosen twice is listed once.
TEST_F(PausesPaneTest, MeetingAppsRestoreRemoveAndAddOnce) {
    settings.setMeetingAppBundleIDs({});
    control<QAbstractButton>(Tab::pauses, u"Restore Defaults"_s)->click();
    EXPECT_EQ(settings.meetingAppBundleIDs(), AppSettings::defaultMeetingAppBundleIDs());
    EXPECT_TRUE(texts().contains(u"Microsoft Teams (classic)"_s));

    control<QToolButton>(Tab::pauses, u"Remove"_s)->click();
    EXPECT_EQ(settings.meetingAppBundleIDs(), AppSettings::defaultMeetingAppBundleIDs().mid(1));
    EXPECT_FALSE(texts().contains(u"Zoom"_s)) << "the removed line is gone";

    pauses().addMeetingApp({u"us.zoom.Zoom"_s, u"Zoom"_s});
    pauses().addMeetingApp({u"us.zoom.Zoom"_s, u"Zoom"_s});
    EXPECT_EQ(settings.meetingAppBundleIDs().count(u"us.zoom.Zoom"_s), 1);
}

// The chooser offers what an application menu offers, in the user's data folder, the system's
// and Flatpak's exports; its choice becomes an app rule and a meeting app named as the desktop
// entry names it.
TEST_F(PausesPaneTest, ChosenAppBecomesAnAppRuleOrAMeetingApp) {
    const QString system = xdg.dataHome() + u"/system"_s;
    ScopedEnv dataDirs{"XDG_DATA_DIRS", system};
    const auto entry = [](const QString& path, const QByteArray& keys) {
        writeFile(path, "[Desktop Entry]\nType=Application\n" + keys +
                            "\n[Desktop Action new]\n"
                            "Name=Not this one\n");
    };
    entry(system + u"/applications/zed.desktop"_s, "Name=Zed Editor\nIcon=zed");
    entry(system + u"/applications/kde/konsole.desktop"_s, "Name=Konsole");
    entry(system + u"/applications/settings-helper.desktop"_s, "Name=Helper\nNoDisplay=true");
    entry(xdg.dataHome() + u"/applications/konsole.desktop"_s, "Name=Gone\nHidden=true");
    entry(xdg.dataHome() + u"/flatpak/exports/share/applications/org.flat.Meet.desktop"_s,
          "Name=alpha Meet");

    AppChooser chooser(u"Pick an app."_s, DesktopEntries().applications());
    EXPECT_EQ(visibleNames(*chooser.list()),
              (QStringList{u"alpha Meet"_s, u"Konsole"_s, u"Zed Editor"_s}));
    chooser.search(u"ZED"_s);
    EXPECT_EQ(visibleNames(*chooser.list()), QStringList{u"Zed Editor"_s});
    const std::optional<AppChooser::Choice> zed = chooser.chosen();
    ASSERT_TRUE(zed.has_value()) << "the only match is picked";
    EXPECT_EQ(zed->id, u"zed"_s);

    pauses().addAppRule(*zed);
    ASSERT_EQ(settings.appRules().size(), 1);
    const AppRule rule = settings.appRules().first();
    EXPECT_EQ(rule.bundleID, u"zed"_s);
    EXPECT_EQ(rule.name, u"Zed Editor"_s);
    EXPECT_EQ(rule.mode, AppRule::Mode::frontmost);
    auto* mode = control<QComboBox>(Tab::pauses, u"Zed Editor"_s);
    mode->setCurrentIndex(1);
    Q_EMIT mode->activated(1);
    EXPECT_EQ(settings.appRules().first().mode, AppRule::Mode::fullScreen);
    pauses().findChild<QMenu*>()->actions().first()->trigger();
    EXPECT_TRUE(settings.appRules().isEmpty());

    pauses().addMeetingApp({u"org.flat.Meet"_s, u"alpha Meet"_s});
    EXPECT_EQ(settings.meetingAppBundleIDs().last(), u"org.flat.Meet"_s);
    EXPECT_TRUE(texts().contains(u"alpha Meet"_s)) << "named by its desktop entry";
}
