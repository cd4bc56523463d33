#include "ApplicationService.h"

#include "ui/theme/Windowing.h"

using namespace Qt::StringLiterals;

namespace {

// A Wayland launcher's activation token, or an X11 one's startup id (GLib sends both). Some
// launchers send the startup id as bytes, with the C string's terminating zero.
QByteArray activationToken(const QVariantMap& platformData) {
    for (const QString& key : {u"activation-token"_s, u"desktop-startup-id"_s}) {
        QByteArray token = platformData.value(key).toByteArray();
        while (token.endsWith('\0'))
            token.chop(1);
        if (!token.isEmpty())
            return token;
    }
    return {};
}

} // namespace

ApplicationService::ApplicationService(QObject* owner, std::function<void()> activate,
                                       std::function<void(const QStringList&)> open)
    : QDBusAbstractAdaptor(owner)
    , m_activate(std::move(activate))
    , m_open(std::move(open)) {}

// The window that answers the desktop (the panel, the settings, the history) is shown within the
// call, and the token lets it come to the front past the desktop's focus-stealing prevention.
void ApplicationService::Activate(const QVariantMap& platformData) {
    const Windowing::ActivationToken token(activationToken(platformData));
    m_activate();
}

void ApplicationService::Open(const QStringList& uris, const QVariantMap& platformData) {
    const Windowing::ActivationToken token(activationToken(platformData));
    m_open(uris);
}

// The desktop file declares no actions, so nothing is shown and the token has no use.
void ApplicationService::ActivateAction(const QString&, const QVariantList&, const QVariantMap&) {}
