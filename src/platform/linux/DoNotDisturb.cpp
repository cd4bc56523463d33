#include "DoNotDisturb.h"

#include "GSettingsKey.h"
#include "platform/Log.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

using namespace Qt::StringLiterals;

namespace {

const QString Notifications = u"org.freedesktop.Notifications"_s;
const QString NotificationsPath = u"/org/freedesktop/Notifications"_s;
const QString Properties = u"org.freedesktop.DBus.Properties"_s;
const QString PlasmaProperty = u"Inhibited"_s; // on KDE's org.freedesktop.Notifications
const QString Dunst = u"org.dunstproject.cmd0"_s;
const QString DunstProperty = u"paused"_s;
const QString Swaync = u"org.erikreider.swaync.cc"_s;
const QString SwayncPath = u"/org/erikreider/swaync/cc"_s;

// An answer is waited for without blocking; this only bounds how long a hung service keeps one.
constexpr int CallTimeoutMs = 5000;

bool gnomeDesktop() {
    return qEnvironmentVariable("XDG_CURRENT_DESKTOP")
        .split(u':')
        .contains(u"GNOME"_s, Qt::CaseInsensitive);
}

// A property's value as Get returns it, or a signal's argument: a boolean or nothing.
std::optional<bool> boolean(QVariant value) {
    if (value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    if (value.metaType() != QMetaType::fromType<bool>())
        return std::nullopt;
    return value.toBool();
}

} // namespace

DoNotDisturb::DoNotDisturb(QDBusConnection bus, QObject* parent)
    : QObject(parent)
    , m_bus(std::move(bus)) {
    // Banners off is GNOME's Do Not Disturb. Only GNOME pays for loading GIO.
    if (gnomeDesktop() && GSettingsKey::schemaInstalled(u"org.gnome.desktop.notifications"_s)) {
        m_gnome = std::make_unique<GSettingsKey>("org.gnome.desktop.notifications", "show-banners");
        const auto follow = [this] {
            const std::optional<bool> banners = m_gnome->value();
            set(gnome, banners ? std::optional<bool>(!*banners) : std::nullopt);
        };
        connect(m_gnome.get(), &GSettingsKey::changed, this, follow);
        follow();
    }

    m_bus.connect(Notifications, NotificationsPath, Properties, u"PropertiesChanged"_s, this,
                  SLOT(onServerPropertiesChanged(QString, QVariantMap, QStringList)));
    // Older versions send Subscribe, newer ones SubscribeV2 with more after the same two.
    for (const QString& signal : {u"Subscribe"_s, u"SubscribeV2"_s})
        m_bus.connect(Swaync, SwayncPath, Swaync, signal, this, SLOT(onSwaync(QDBusMessage)));
    // A new server, or none: what the last one said no longer holds.
    m_owners.setConnection(m_bus);
    m_owners.setWatchMode(QDBusServiceWatcher::WatchForOwnerChange);
    m_owners.setWatchedServices({Notifications, Swaync});
    connect(&m_owners, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString& service, const QString&, const QString& owner) {
                if (service == Swaync) {
                    forget(swaync);
                    if (!owner.isEmpty())
                        askSwaync();
                    return;
                }
                forget(plasma);
                forget(dunst);
                if (!owner.isEmpty())
                    askServer();
            });
    askServer();
    askSwaync();
}

DoNotDisturb::~DoNotDisturb() = default;

std::optional<bool> DoNotDisturb::isOn() const {
    std::optional<bool> on;
    for (const std::optional<bool>& said : m_on) {
        if (said)
            on = on.value_or(false) || *said;
    }
    return on;
}

void DoNotDisturb::askServer() {
    ask(plasma, Notifications, NotificationsPath, Properties, u"Get"_s,
        {Notifications, PlasmaProperty});
    ask(dunst, Notifications, NotificationsPath, Properties, u"Get"_s, {Dunst, DunstProperty});
}

void DoNotDisturb::askSwaync() {
    ask(swaync, Swaync, SwayncPath, Swaync, u"GetDnd"_s, {});
}

void DoNotDisturb::ask(Keeper keeper, const QString& service, const QString& path,
                       const QString& interface, const QString& method,
                       const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    message.setAutoStartService(false);
    const unsigned asked = ++m_asked[keeper];
    auto* watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(message, CallTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, keeper, asked](QDBusPendingCallWatcher* call) {
                call->deleteLater();
                if (asked != m_asked[keeper])
                    return;
                const QDBusMessage reply = call->reply();
                set(keeper, reply.type() == QDBusMessage::ReplyMessage
                                ? boolean(reply.arguments().value(0))
                                : std::nullopt);
            });
}

void DoNotDisturb::onServerPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                             const QStringList& invalidated) {
    if (interface != Dunst && interface != Notifications)
        return;
    const Keeper keeper = interface == Dunst ? dunst : plasma;
    const QString& property = interface == Dunst ? DunstProperty : PlasmaProperty;
    if (const auto value = changed.constFind(property); value != changed.constEnd()) {
        ++m_asked[keeper]; // newer than any answer on its way
        set(keeper, boolean(*value));
    } else if (invalidated.contains(property)) {
        askServer();
    }
}

void DoNotDisturb::onSwaync(const QDBusMessage& message) {
    // (notification count, Do Not Disturb, …)
    if (const std::optional<bool> on = boolean(message.arguments().value(1))) {
        ++m_asked[swaync];
        set(swaync, on);
    }
}

void DoNotDisturb::forget(Keeper keeper) {
    ++m_asked[keeper];
    set(keeper, std::nullopt);
}

void DoNotDisturb::set(Keeper keeper, std::optional<bool> on) {
    if (m_on[keeper] == on)
        return;
    static const std::array<QString, keeperCount> names{u"KDE Plasma"_s, u"dunst"_s,
                                                        u"SwayNotificationCenter"_s, u"GNOME"_s};
    if (!m_on[keeper] && on)
        Log::write(u"Brevimar session Do Not Disturb from %1"_s.arg(names[keeper]));
    const std::optional<bool> before = isOn();
    m_on[keeper] = on;
    if (isOn() != before)
        Q_EMIT changed();
}
