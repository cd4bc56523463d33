#pragma once

#include <QAbstractNativeEventFilter>
#include <QDBusConnection>
#include <QObject>

#include <cstdint>

// The desktop's tray: its tray service (org.kde.StatusNotifierWatcher) on the session bus, or an
// X11 tray (the XEmbed protocol: trayer, stalonetray, i3bar…), which owns the selection
// _NET_SYSTEM_TRAY_S<screen>. Asked here rather than through QSystemTrayIcon, which would also
// settle, once and for all, that the desktop's tray service is missing.
class TrayHostWatcher : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    static bool present(const QDBusConnection& bus);

    // Watches for either kind of tray to turn up, as it does when the tray starts after Brevimar
    // at login.
    explicit TrayHostWatcher(const QDBusConnection& bus, QObject* parent = nullptr);
    ~TrayHostWatcher() override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

Q_SIGNALS:
    // Once, whichever came first.
    void appeared();

private:
    void appear();

    uint32_t m_managerAtom = 0;
    uint32_t m_selectionAtom = 0;
    bool m_appeared = false;
};
