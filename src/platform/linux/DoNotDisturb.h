#pragma once

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <array>
#include <memory>
#include <optional>

class GSettingsKey;

// The desktop's Do Not Disturb, from whichever keeps it here: GNOME's notification settings, the
// notification server (KDE Plasma's Inhibited, dunst's paused) or SwayNotificationCenter. Each is
// followed through its change signal and asked again when its service changes hands; nothing is
// polled, and a service that is not running is never started for the question.
class DoNotDisturb final : public QObject {
    Q_OBJECT

public:
    explicit DoNotDisturb(QDBusConnection bus, QObject* parent = nullptr);
    ~DoNotDisturb() override;
    DoNotDisturb(const DoNotDisturb&) = delete;
    DoNotDisturb& operator=(const DoNotDisturb&) = delete;

    // On when any keeper says so; none when no keeper answers.
    std::optional<bool> isOn() const;

Q_SIGNALS:
    void changed();

private Q_SLOTS:
    void onServerPropertiesChanged(const QString& interface, const QVariantMap& changed,
                                   const QStringList& invalidated);
    void onSwaync(const QDBusMessage& message);

private:
    enum Keeper { plasma, dunst, swaync, gnome, keeperCount };

    void askServer();
    void askSwaync();
    void ask(Keeper keeper, const QString& service, const QString& path, const QString& interface,
             const QString& method, const QVariantList& arguments);
    // Drops what the keeper said, and any answer still on its way.
    void forget(Keeper keeper);
    void set(Keeper keeper, std::optional<bool> on);

    QDBusConnection m_bus;
    QDBusServiceWatcher m_owners;
    std::array<std::optional<bool>, keeperCount> m_on;
    // Counts the questions to each keeper, so that an answer of its previous owner is dropped.
    std::array<unsigned, keeperCount> m_asked{};
    std::unique_ptr<GSettingsKey> m_gnome;
};
