#pragma once

#include "platform/KeyGrabber.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QHash>
#include <QVariantMap>

#include <functional>

// Global shortcuts from the desktop portal, the way Wayland desktops hand them out. The desktop
// may ask the person first and may bind other keys than the ones suggested; it answers with the
// shortcuts it bound.
class PortalKeyGrabber final : public KeyGrabber {
    Q_OBJECT

public:
    // appId: the desktop entry the portal attributes the shortcuts to.
    PortalKeyGrabber(const QDBusConnection& bus, const QString& appId, QObject* parent = nullptr);

    void grab(const QList<GlobalShortcut>& shortcuts) override;
    void release() override;

private Q_SLOTS:
    void activated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                   const QVariantMap& options);
    void deactivated(const QDBusObjectPath& session, const QString& id, qulonglong timestamp,
                     const QVariantMap& options);

private:
    using Answer = std::function<void(uint response, const QVariantMap& results)>;
    // Calls a portal method whose answer comes later as a Response signal of a request object.
    void request(const QString& method, QVariantList arguments, Answer answer);
    void bind(const QList<GlobalShortcut>& shortcuts);
    void closeSession(const QString& session);
    void fail(const QString& why);

    QDBusConnection m_bus;
    QString m_appId;
    bool m_registered = false;
    QString m_session; // the open session's object path
    // Shortcuts activated and not deactivated since, with the portal's time of the last
    // activation in milliseconds.
    QHash<QString, qulonglong> m_held;
    quint64 m_generation = 0; // raised by release, so answers to earlier requests are dropped
    int m_requests = 0;
};
