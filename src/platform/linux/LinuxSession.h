#pragma once

#include "platform/SessionEvents.h"

#include <QDBusConnection>
#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <cstdint>
#include <memory>

class DoNotDisturb;
class WaylandConnection;
class WaylandIdle;
struct xcb_connection_t;

// The login session as the Linux desktop reports it: idle time from the X server or the desktop's
// idle services, the lock from logind and the screen savers, Do Not Disturb from the desktop's
// notification settings, and waking from logind.
class LinuxSession final : public SessionEvents {
    Q_OBJECT

public:
    // systemBus is where logind lives; tests pass their private session bus for both. An empty
    // xDisplay leaves the X server out of the idle time; so does a Wayland compositor that
    // announces idleness.
    LinuxSession(QDBusConnection sessionBus, QDBusConnection systemBus, const QString& xDisplay,
                 WaylandConnection* wayland = nullptr, QObject* parent = nullptr);
    ~LinuxSession() override;
    LinuxSession(const LinuxSession&) = delete;
    LinuxSession& operator=(const LinuxSession&) = delete;

    // The X display whose idle time counts for this session: none on Wayland, where XWayland
    // only sees the input that reaches X clients.
    static QString idleDisplayFromEnvironment();

    std::optional<double> idleSeconds() const override;
    void watchIdle(double thresholdSeconds) override;
    std::optional<bool> doNotDisturb() const override;
    // Where the time away comes from, for the log: a Wayland protocol, or the first source that
    // answered.
    QString idleSourceName() const;

private Q_SLOTS:
    void onSessionPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                    const QStringList& invalidated);
    void onScreenSaverActiveChanged(bool active);
    void onPrepareForSleep(bool start);

private:
    enum class IdleSource { X11, Mutter, ScreenSaver, ScreenSaverRoot };

    void openDisplay(const QString& name);
    void watchLogindSession();
    std::optional<bool> readLockedHint() const;
    void setLocked(bool locked);
    std::optional<std::uint64_t> idleMilliseconds(IdleSource source) const;

    QDBusConnection m_sessionBus;
    QDBusConnection m_systemBus;
    std::unique_ptr<WaylandIdle> m_waylandIdle;
    std::unique_ptr<DoNotDisturb> m_doNotDisturb;
    xcb_connection_t* m_x = nullptr;
    std::uint32_t m_xRoot = 0;
    QString m_loginSessionPath;
    bool m_locked = false;
    mutable IdleSource m_idleSource = IdleSource::X11;
};
