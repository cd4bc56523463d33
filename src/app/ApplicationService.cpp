#include "ApplicationService.h"

ApplicationService::ApplicationService(QObject* owner, std::function<void()> activate,
                                       std::function<void(const QStringList&)> open)
    : QDBusAbstractAdaptor(owner)
    , m_activate(std::move(activate))
    , m_open(std::move(open)) {}

void ApplicationService::Activate(const QVariantMap&) {
    m_activate();
}

void ApplicationService::Open(const QStringList& uris, const QVariantMap&) {
    m_open(uris);
}

// The desktop file declares no actions.
void ApplicationService::ActivateAction(const QString&, const QVariantList&, const QVariantMap&) {}
