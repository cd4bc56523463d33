#pragma once

#include "platform/Workspace.h"
#include "platform/linux/DesktopEntries.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusObjectPath>
#include <QList>

#include <optional>

// The applications that keep a GNOME session from going idle (a video playing, a presentation),
// as gnome-session reports them. GNOME's Wayland compositor tells no client which application is
// in front or full screen; an idle inhibitor is the nearest sign that someone is watching.
// Without gnome-session on the bus it answers "nothing" and never asks again.
class GnomeInhibitors final : public QObject {
    Q_OBJECT

public:
    explicit GnomeInhibitors(QDBusConnection sessionBus, QObject* parent = nullptr);

    bool isAvailable() const { return m_available; }
    // The application of the most recent idle inhibitor, other than Brevimar.
    std::optional<RunningApplication> idleInhibitor() const;

Q_SIGNALS:
    void changed();

private Q_SLOTS:
    void onInhibitorAdded(const QDBusObjectPath& path);
    void onInhibitorRemoved(const QDBusObjectPath& path);

private:
    struct Inhibitor {
        QString path;
        RunningApplication application;
    };

    void add(const QString& path);
    void complain(const QDBusError& error);
    RunningApplication applicationFor(const QString& appId);
    void publish(const std::optional<RunningApplication>& before);

    QDBusConnection m_bus;
    DesktopEntries m_entries;
    QList<Inhibitor> m_idle; // idle inhibitors of other applications, oldest first
    bool m_available = false;
    bool m_complained = false;
};
