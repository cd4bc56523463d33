#pragma once

#include "engine/Notifier.h"
#include "engine/RhythmEngine.h"

#include <QDBusConnection>
#include <QDBusPendingReply>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QVariantMap>

#include <functional>
#include <optional>

class AppSettings;
class QTimer;

// Reminders as desktop notifications (org.freedesktop.Notifications) whose buttons answer them.
// Each kind has at most one notification; a new one replaces the old. They go when Brevimar
// ends, and those of a run that ended without taking them (a crash) go when the next one starts.
class NotificationService : public QObject, public Notifier {
    Q_OBJECT

public:
    NotificationService(QDBusConnection bus, AppSettings& settings, QObject* parent = nullptr);
    ~NotificationService() override;

    // Answers go to this engine while it exists.
    void setEngine(RhythmEngine* engine) { m_engine = engine; }

    // Asks the notification server what it can do and logs whether reminders can be answered.
    void requestAuthorization();

    void deliver(const NudgeKind& kind, const std::optional<QString>& reason) override;
    void clear(const NudgeKind& kind) override;
    void deliverWindDown(const QString& summary) override;
    void deliverWeeklyReport(const QString& text) override;
    // A word about Brevimar itself, with no buttons.
    void deliverNotice(const QString& title, const QString& body);

private Q_SLOTS:
    void actionInvoked(uint id, const QString& action);
    void notificationClosed(uint id, uint reason);

private:
    void notify(const QString& identifier, const QString& title, const QString& body,
                const QStringList& actions, bool sound, const QString& logName);
    void send(const QString& identifier, const QList<QVariant>& arguments, const QString& logName);
    void post(const QString& identifier, const QList<QVariant>& arguments, const QString& logName);
    void askCapabilities();
    void learnCapabilities(const QDBusPendingReply<QStringList>& reply);
    void close(uint id);
    // The ids on screen, kept in the runtime folder for the next run to close should this one
    // end without closing them, with the server they belong to.
    void keepIDs();
    void closeEarlierRun();
    QString serverKey(const QString& uniqueName);

    QDBusConnection m_bus;
    AppSettings& m_settings;
    QPointer<RhythmEngine> m_engine;
    QHash<QString, uint> m_serverIDs; // "nudge-water" → the server's id
    QString m_server;                 // whose ids they are: the bus and the server's name on it
    QString m_busID;
    const QString m_idsFile;
    QHash<QString, QTimer*> m_pending; // deliveries waiting out the in-front delay
    std::optional<bool> m_bodyMarkup;  // none until the server has said
    QList<std::function<void()>> m_awaitingCapabilities;
    // Notify calls the server has not answered yet, by identifier. Until the answer brings the
    // id, a clear or a newer delivery cannot reach the notification, so they wait here.
    struct InFlight {
        bool cleared = false; // close it as soon as its id is known
        QList<QVariant> next; // the newest delivery, sent in its place once the id is known
        QString nextLogName;
    };
    QHash<QString, InFlight> m_inFlight;
};
