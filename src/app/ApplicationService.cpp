#include "ApplicationService.h"

ApplicationService::ApplicationService(QObject* owner, std::function<void(const QStringList&)> open)
    : QDBusAbstractAdaptor(owner)
    , m_open(std::move(open)) {}

// There is no window to raise: the tray icon is always there.
void ApplicationService::Activate(const QVariantMap&) {}

void ApplicationService::Open(const QStringList& uris, const QVariantMap&) {
    m_open(uris);
}

// The desktop file declares no actions.
void ApplicationService::ActivateAction(const QString&, const QVariantList&, const QVariantMap&) {}
