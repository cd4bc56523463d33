#include "AppServices.h"
#include "app/ApplicationService.h"
#include "fakes/QtPrinters.h"
#include "fakes/ScopedEnv.h"
#include "ui/updates/UpdateWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

// Records the steps whose parts come later, in the order the controller takes them.
class RecordingDelegate : public AppDelegate {
public:
    using AppDelegate::AppDelegate;
    QStringList steps;

protected:
    void showMenuBarIcon() override { steps.append(u"menu bar icon"_s); }
    void startUsageReporter() override { steps.append(u"usage reporter"_s); }
    void installHotKeys() override { steps.append(u"hot keys"_s); }
    void openOnboarding() override { steps.append(u"onboarding"_s); }
};

class AppDelegateTest : public ::testing::Test, protected AppServices {};

} // namespace

TEST_F(AppDelegateTest, LaunchStartsEverythingOnceWithOneEngine) {
    RecordingDelegate delegate(services, desktop);
    EXPECT_EQ(AppDelegate::current(), &delegate);
    RhythmEngine* early = &delegate.engine(); // asked for before launch, as a URL might
    delegate.applicationDidFinishLaunching();
    delegate.applicationDidFinishLaunching();
    EXPECT_EQ(&delegate.engine(), early);
    EXPECT_TRUE(delegate.running());
    EXPECT_EQ(delegate.steps, QStringList({u"menu bar icon"_s, u"usage reporter"_s, u"hot keys"_s,
                                           u"onboarding"_s}));
    EXPECT_EQ(eventLog(services.events), QStringList({u"launch"_s}));
}

TEST_F(AppDelegateTest, SettingsDecideTheOptionalSteps) {
    services.settings.setShortcutsEnabled(false);
    services.settings.setHasCompletedOnboarding(true);
    {
        RecordingDelegate delegate(services, desktop);
        delegate.applicationDidFinishLaunching();
        EXPECT_EQ(delegate.steps, QStringList({u"menu bar icon"_s, u"usage reporter"_s}));
    }
    EXPECT_EQ(AppDelegate::current(), nullptr) << "the slot never keeps the controller";
}

TEST_F(AppDelegateTest, TheTestReminderIsARealOne) {
    RecordingDelegate delegate(services, desktop);
    delegate.fireTestReminder();
    EXPECT_TRUE(delegate.engine().awaiting().contains(NudgeKind::water()));
    EXPECT_EQ(eventLog(services.events).last(), u"fired water"_s);
}

// Without a session bus only an X11 tray can show the icon, and offscreen Qt has no X server to
// ask: no tray, so starting again opens the panel as a window rather than at an icon nobody sees.
TEST_F(AppDelegateTest, WithoutABusOnlyAnX11TrayCounts) {
    EXPECT_FALSE(AppDelegate::trayHostPresent(desktop.bus));
}

// An update nobody asked for waits out a call, and a version the user skipped stays away; a newer
// one comes, and whoever asks sees every one.
TEST_F(AppDelegateTest, AnUnaskedUpdateWaitsOutACallAndASkippedVersionStaysAway) {
    RecordingDelegate delegate(services, desktop);
    const auto update = [](const QString& version) {
        return UpdateWindow::Update{version, u"0.1.0"_s, {}, {}, QUrl(u"https://example.org/"_s)};
    };
    UpdateWindow window(&delegate.context(), &services.preferences);
    media.camera = u"Integrated Camera"_s;
    delegate.context().refresh();
    window.presentUpdate(update(u"0.2.0"_s), UpdateWindow::Focus::leave);
    EXPECT_FALSE(window.isVisible());
    media.camera.reset();
    delegate.context().refresh();
    ASSERT_TRUE(window.isVisible()) << "the call is over";
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (button->text() == u"Skip This Version")
            button->click();
    window.presentUpdate(update(u"0.2.0"_s), UpdateWindow::Focus::leave);
    EXPECT_FALSE(window.isVisible());
    window.presentUpdate(update(u"0.2.0"_s), UpdateWindow::Focus::take);
    EXPECT_TRUE(window.isVisible());
    window.close();
    window.presentUpdate(update(u"0.3.0"_s), UpdateWindow::Focus::leave);
    EXPECT_TRUE(window.isVisible());
}

// Wayland without XWayland: a card could be neither placed nor kept from taking the keyboard, so
// reminders go out as notifications whatever the style, and the log says so once, at start.
TEST_F(AppDelegateTest, WithoutXWaylandRemindersComeAsNotifications) {
    const ScopedEnv wayland("WAYLAND_DISPLAY", u"wayland-0"_s);
    const ScopedEnv noX11("DISPLAY", {});
    RecordingDelegate delegate(services, desktop);
    delegate.applicationDidFinishLaunching();
    delegate.fireTestReminder();
    EXPECT_EQ(log.lines().filter(u"without XWayland"_s).size(), 1);
    EXPECT_TRUE(log.lines().filter(u"card shown"_s).isEmpty());
    for (const QWidget* window : QApplication::topLevelWidgets())
        EXPECT_FALSE(window->isVisible()) << "no window of its own";
}

// Whatever the desktop's request shows gets its token, a Wayland launcher's before an X11 one's
// startup id (which comes as bytes too); nothing holds a token outside a request.
TEST(ApplicationServiceTest, TheDesktopsTokenIsHeldWhileItsRequestIsHandled) {
    QObject owner;
    QByteArrayList seen;
    const auto note = [&seen] { seen.append(Windowing::ActivationToken::current()); };
    auto* service = new ApplicationService(&owner, note, [&note](const QStringList&) { note(); });
    service->Activate({{u"desktop-startup-id"_s, u"x11-1"_s}, {u"activation-token"_s, u"wl-1"_s}});
    service->Open({u"brevimar://settings"_s}, {{u"desktop-startup-id"_s, QByteArray("x11-2", 6)}});
    service->Activate({});
    EXPECT_EQ(seen, (QByteArrayList{"wl-1", "x11-2", ""}));
    EXPECT_TRUE(Windowing::ActivationToken::current().isEmpty());
}
