#include "AppDelegate.h"

#include "Services.h"
#include "UrlCommands.h"
#include "platform/Log.h"
#include "platform/Workspace.h"
#include "ui/history/HistoryWindow.h"
#include "ui/onboarding/OnboardingWindow.h"
#include "ui/settings/SettingsWindow.h"
#include "ui/tray/TrayHostWatcher.h"
#include "ui/updates/UpdateWindow.h"

#include <QGuiApplication>
#include <QSystemTrayIcon>

using namespace Qt::StringLiterals;

namespace {

QPointer<AppDelegate>& currentDelegate() {
    static QPointer<AppDelegate> delegate;
    return delegate;
}

} // namespace

AppDelegate::AppDelegate(Services& services, const Desktop& desktop,
                         std::unique_ptr<MenuBarIcon> trayIcon, QObject* parent)
    : QObject(parent)
    , m_services(services)
    , m_bus(desktop.bus)
    , m_workspace(desktop.workspace)
    , m_session(desktop.session)
    , m_frontmostScreen([&workspace = desktop.workspace] { return workspace.frontmostScreen(); })
    , m_context({services.clock, services.settings, services.events, desktop.session,
                 desktop.workspace, desktop.media, desktop.calendar})
    , m_notifier(desktop.bus, services.settings)
    , m_updater(services.bundle, services.clock, services.preferences, &m_context)
    , m_panel(services.settings, services.dayLog, m_sound, ViewFactory::standard())
    , m_menuBarIcon(std::move(trayIcon)) {
    m_panel.setOpenHistory([this] { showHistory(); });
    currentDelegate() = this;
}

AppDelegate::~AppDelegate() {
    delete m_settingsWindow.data();
    delete m_onboarding.data();
}

AppDelegate* AppDelegate::current() {
    return currentDelegate();
}

RhythmEngine& AppDelegate::engine() {
    if (!m_engine) {
        NudgePanel& panel = Windowing::withoutXWayland()
                                ? static_cast<NudgePanel&>(m_notificationPanel)
                                : static_cast<NudgePanel&>(m_panel);
        m_engine = std::make_unique<RhythmEngine>(RhythmEngine::Collaborators{
            m_services.clock, m_services.settings, m_services.preferences, m_services.dayLog,
            m_services.events, m_context, m_notifier, panel});
    }
    return *m_engine;
}

void AppDelegate::applicationDidFinishLaunching() {
    if (m_running)
        return;
    m_running = true;
    if (Windowing::withoutXWayland())
        Log::write(u"Brevimar: Wayland without XWayland; reminders come as notifications, "
                   "whatever the style"_s);
    m_notifier.setEngine(&engine());
    showMenuBarIcon();
    // The start sequence.
    m_notifier.requestAuthorization();
    m_context.start();
    engine().start();
    startUsageReporter();
    if (m_services.settings.shortcutsEnabled())
        installHotKeys();
    if (!m_services.settings.hasCompletedOnboarding())
        openOnboarding();
}

void AppDelegate::showMenuBarIcon() {
    m_menuBarView = std::make_unique<MenuBarView>(engine(), m_context, m_services.dayLog,
                                                  m_services.settings, m_services.clock);
    m_menuBarView->setShowHistory([this] { showHistory(); });
    m_menuBarView->setShowSettings([this] { showSettings(); });
    if (m_menuBarIcon) { // shown already, at start
        m_menuBarIcon->attach(engine(), m_context, *m_menuBarView);
        return;
    }
    // Qt chooses between the desktop's tray service and an X11 tray when the first icon is made,
    // so the icon waits for either if the desktop has not started one yet. Watched before asking,
    // so a tray that comes up in between is not missed.
    auto* watcher = new TrayHostWatcher(m_bus, this);
    connect(watcher, &TrayHostWatcher::appeared, this, [this, watcher] {
        watcher->deleteLater();
        createMenuBarIcon();
    });
    if (trayHostPresent(m_bus)) {
        delete watcher;
        createMenuBarIcon();
        return;
    }
    // Where no tray shows icons (stock GNOME) Brevimar would seem not to have started. Without a
    // bus nobody can be told, and a later start with one still tells.
    const QString toldKey = u"noTrayNoticeShown"_s;
    if (m_bus.isConnected() && !m_services.preferences.boolean(toldKey, false)) {
        m_services.preferences.setBoolean(toldKey, true);
        m_notifier.deliverNotice(tr("Brevimar is running."),
                                 tr("Your desktop shows no tray icons: open Brevimar from your "
                                    "applications to see today's reminders."));
    }
}

void AppDelegate::createMenuBarIcon() {
    m_menuBarIcon = std::make_unique<MenuBarIcon>();
    m_menuBarIcon->attach(engine(), m_context, *m_menuBarView);
    m_menuBarIcon->show();
}

bool AppDelegate::trayHostPresent(const QDBusConnection& bus) {
    return TrayHostWatcher::present(bus);
}

void AppDelegate::activate() {
    if (!m_menuBarView)
        return;
    if (m_menuBarIcon)
        m_menuBarView->openAt(m_menuBarIcon->trayIcon().geometry());
    else
        m_menuBarView->openAsWindow();
}

void AppDelegate::startUsageReporter() {
    m_services.usage.start();
}

void AppDelegate::installHotKeys() {
    m_services.hotKeys.install();
}

void AppDelegate::open(const QStringList& urls) {
    for (const QString& url : urls)
        handleURL(url);
}

void AppDelegate::handleURL(const QString& url) {
    UrlCommands::handle(url, *this);
}

void AppDelegate::showHistory() {
    if (!m_history) {
        const EventStore& store = m_services.events;
        m_history = std::make_unique<HistoryWindow>(
            m_services.settings,
            [&store](const QDateTime& from, const QDateTime& to) { return store.events(from, to); },
            m_services.clock);
    }
    m_history->present();
}

void AppDelegate::openOnboarding() {
    delete m_onboarding.data();
    m_onboarding = new OnboardingWindow(m_services.settings, [this] { m_onboarding->close(); });
    m_onboarding->setAttribute(Qt::WA_DeleteOnClose);
    m_onboarding->present();
}

void AppDelegate::showSettings() {
    if (!m_settingsWindow) {
        std::function<void()> check;
        if (m_updater.isConfigured())
            check = [this] { m_updater.checkForUpdates(); };
        m_settingsWindow = new SettingsWindow(
            {m_services.settings, m_context, engine(), m_services.events, m_services.clock,
             m_workspace, m_session, m_updater.versionString(), m_updater.buildString(), check});
        m_settingsWindow->setAttribute(Qt::WA_DeleteOnClose);
        m_settingsWindow->setCanCheckForUpdates(m_updater.canCheckForUpdates());
        connect(&m_updater, &UpdaterService::canCheckForUpdatesChanged, m_settingsWindow,
                &SettingsWindow::setCanCheckForUpdates);
    }
    m_settingsWindow->present();
}

void AppDelegate::fireTestReminder() {
    engine().fire(NudgeKind::water());
}
