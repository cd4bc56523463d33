#pragma once

#include "automation/UpdaterService.h"
#include "context/ContextMonitor.h"
#include "engine/RhythmEngine.h"
#include "ui/notifications/NotificationPanel.h"
#include "ui/notifications/NotificationService.h"
#include "ui/reminders/NudgePanelController.h"
#include "ui/reminders/Sound.h"
#include "ui/theme/Windowing.h"
#include "ui/tray/MenuBarIcon.h"
#include "ui/tray/MenuBarView.h"

#include <QDBusConnection>
#include <QObject>
#include <QPointer>
#include <QStringList>

#include <memory>

class HistoryWindow;
class OnboardingWindow;
class SettingsWindow;
class Services;

// What the application needs of the desktop; main() hands in the Linux implementations.
struct Desktop {
    SessionEvents& session;
    Workspace& workspace;
    MediaProbe& media;
    CalendarStore& calendar;
    QDBusConnection bus; // where notifications go
};

// Owns the long-lived parts of the running application, wires them together and starts them
// once at launch. Steps whose parts are not there yet are hooks that do nothing.
class AppDelegate : public QObject {
    Q_OBJECT

public:
    // `trayIcon`: the icon main() showed before anything else, when a tray was there to show it.
    AppDelegate(Services& services, const Desktop& desktop,
                std::unique_ptr<MenuBarIcon> trayIcon = nullptr, QObject* parent = nullptr);
    // Whether the desktop shows tray icons: its tray service or an X11 tray is there.
    static bool trayHostPresent(const QDBusConnection& bus);
    ~AppDelegate() override;

    // The running controller, for URL commands and shortcut actions; null before and after.
    static AppDelegate* current();

    ContextMonitor& context() { return m_context; }
    NotificationService& notifier() { return m_notifier; }
    UpdaterService& updater() { return m_updater; }
    // Made on first use, by whoever asks first.
    RhythmEngine& engine();
    bool running() const { return m_running; }

    // Wires the engine to the notifications and runs the start sequence, once.
    void applicationDidFinishLaunching();
    // URLs handed over by other programs, in the order given, as text: the scheme must match
    // exactly, and QUrl would lower-case it.
    void open(const QStringList& urls);
    // A second start, the desktop's launcher, `brevimar` alone: the panel beside the tray icon,
    // or a small window of its own while no tray shows the icon.
    void activate();
    // The history window, made on first use and kept; every door to it comes here.
    void showHistory();
    // The settings window: made when asked for, in front, and let go when closed.
    void showSettings();
    // The settings window's test reminder: a real water reminder, logged as any other.
    void fireTestReminder();

protected:
    // The tray icon and its panel; waits for the desktop's tray when there is none yet, and says
    // so the first time.
    virtual void showMenuBarIcon();
    virtual void startUsageReporter();
    virtual void installHotKeys();
    // The first-run window, in front; let go when closed.
    virtual void openOnboarding();
    virtual void handleURL(const QString& url);

private:
    void createMenuBarIcon();

    Services& m_services;
    QDBusConnection m_bus;
    const Workspace& m_workspace;
    const SessionEvents& m_session;
    Windowing::FrontmostScreen m_frontmostScreen;
    ContextMonitor m_context;
    NotificationService m_notifier;
    UpdaterService m_updater;
    CanberraSound m_sound;
    NudgePanelController m_panel;
    NotificationPanel m_notificationPanel; // the panel's stand-in where it cannot be placed
    std::unique_ptr<RhythmEngine> m_engine;
    std::unique_ptr<MenuBarView> m_menuBarView;
    std::unique_ptr<MenuBarIcon> m_menuBarIcon;
    std::unique_ptr<HistoryWindow> m_history;
    QPointer<SettingsWindow> m_settingsWindow;
    QPointer<OnboardingWindow> m_onboarding;
    bool m_running = false;
};
