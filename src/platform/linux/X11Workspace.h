#pragma once

#include "platform/Workspace.h"
#include "platform/linux/DesktopEntries.h"

#include <QList>
#include <QRect>
#include <QSet>
#include <QTimer>

#include <memory>

class QSocketNotifier;

// The workspace of an X11 session, read from the window manager's EWMH properties over a
// connection of its own. Without a display it answers "nothing" and never signals.
class X11Workspace final : public Workspace {
    Q_OBJECT

public:
    // What a window and its process tell about the application behind the window.
    struct WindowClues {
        qint64 pid = 0;
        QString gtkApplicationId;
        QString kdeDesktopFile;
        QString wmInstance;
        QString wmClass;
    };

    // An empty displayName means $DISPLAY; procRoot stands in for /proc.
    explicit X11Workspace(const QString& displayName = QString(),
                          QString procRoot = QStringLiteral("/proc"), QObject* parent = nullptr);
    ~X11Workspace() override;

    std::optional<RunningApplication> frontmostApplication() const override;
    std::optional<RunningApplication> fullScreenApplication() const override;
    bool isFrontmostFullScreen() const;

    // The desktop-entry id of the application behind a window: Flatpak, the systemd scope, the
    // toolkit's window properties, the launcher's environment, WM_CLASS; the first that names one.
    static QString applicationId(const WindowClues& clues, const QString& procRoot,
                                 DesktopEntries& entries);
    // A window, without its frame and in root coordinates, that is exactly one of the monitors.
    static bool coversOneMonitor(const QRect& window, const QList<QRect>& monitors);

private:
    struct Connection;

    // The active window, its process and, once asked for, its application.
    struct Active {
        quint32 window = 0;
        qint64 pid = 0;
        std::optional<RunningApplication> application;
    };

    bool isConnected() const;
    void readEvents(bool fromSocket) const;
    void reportActivation();
    void checkChanges();
    void checkDesktop();
    void checkClients();

    const Active* active() const;
    qint64 windowPid(quint32 window) const;
    QList<QRect> monitors(const std::optional<unsigned int>& randrSequence) const;

    std::unique_ptr<Connection> m_x;
    QString m_procRoot;
    mutable DesktopEntries m_entries;
    QSocketNotifier* m_notifier = nullptr;
    // Kept until the window manager announces another active window, so that a poll at rest
    // does not ask the X server again.
    mutable std::optional<Active> m_active;
    // Reading events only notes what changed; these act on it outside the read, which a
    // question about the active window may make in the middle of anything.
    mutable QTimer m_activationDelay;
    mutable QTimer m_changed;
    mutable bool m_desktopChanged = false;
    mutable bool m_clientsChanged = false;
    qint64 m_activeKey = 0; // the application last reported as activated
    quint32 m_currentDesktop = 0;
    QSet<quint32> m_clients;
};
