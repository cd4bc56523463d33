#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QList>
#include <QTimer>
#include <QVariantMap>

#include <functional>

class AppSettings;
class ContextMonitor;
class DayLog;
class RhythmEngine;

// One configured reminder kind as scripts see it.
struct ReminderKindEntry {
    QString id;
    QString title;
};
Q_DECLARE_METATYPE(ReminderKindEntry)
QDBusArgument& operator<<(QDBusArgument& argument, const ReminderKindEntry& entry);
const QDBusArgument& operator>>(const QDBusArgument& argument, ReminderKindEntry& entry);

// com.tovanex.Brevimar.Actions (data/com.tovanex.Brevimar.Actions.xml): log a reminder, pause,
// resume, today's summary, the kinds and a status for status bars. The answers are the sentences a
// person reads.
class ActionsService : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.tovanex.Brevimar.Actions")

public:
    // engine gives the running engine, or null while the application is not running.
    ActionsService(QObject* owner, std::function<RhythmEngine*()> engine, ContextMonitor& context,
                   DayLog& dayLog, AppSettings& settings);

    // Announces changes to status bars, at most once per turn of the event loop.
    void watch(RhythmEngine& engine);

public Q_SLOTS:
    QString LogReminderAsDone(const QString& kindId);
    QString PauseReminders(int minutes);
    QString ResumeReminders();
    QString TodaySummary(QString& dialog);
    QList<ReminderKindEntry> ReminderKinds();
    QVariantMap Status();

Q_SIGNALS:
    void StatusChanged();

private:
    QString summary() const;

    std::function<RhythmEngine*()> m_engine;
    ContextMonitor& m_context;
    DayLog& m_dayLog;
    AppSettings& m_settings;
    QTimer m_statusChanged;
};
