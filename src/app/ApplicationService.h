#pragma once

#include <QDBusAbstractAdaptor>
#include <QStringList>
#include <QVariantMap>

#include <functional>

// org.freedesktop.Application on /com/tovanex/Brevimar: how a second start, the desktop's
// launcher and URL handlers reach the running instance.
class ApplicationService : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    ApplicationService(QObject* owner, std::function<void()> activate,
                       std::function<void(const QStringList&)> open);

public Q_SLOTS:
    void Activate(const QVariantMap& platformData);
    void Open(const QStringList& uris, const QVariantMap& platformData);
    void ActivateAction(const QString& name, const QVariantList& parameter,
                        const QVariantMap& platformData);

private:
    std::function<void()> m_activate;
    std::function<void(const QStringList&)> m_open;
};
