#include "ActionsService.h"

#include "context/ContextMonitor.h"
#include "engine/RhythmEngine.h"
#include "record/DayLog.h"
#include "settings/AppSettings.h"

#include <QDBusMetaType>

using namespace Qt::StringLiterals;

namespace {

QString isoUtc(const QDateTime& instant) {
    return instant.toUTC().toString(Qt::ISODate);
}

} // namespace

QDBusArgument& operator<<(QDBusArgument& argument, const ReminderKindEntry& entry) {
    argument.beginStructure();
    argument << entry.id << entry.title;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, ReminderKindEntry& entry) {
    argument.beginStructure();
    argument >> entry.id >> entry.title;
    argument.endStructure();
    return argument;
}

ActionsService::ActionsService(QObject* owner, std::function<RhythmEngine*()> engine,
                               ContextMonitor& context, DayLog& dayLog, AppSettings& settings)
    : QDBusAbstractAdaptor(owner)
    , m_engine(std::move(engine))
    , m_context(context)
    , m_dayLog(dayLog)
    , m_settings(settings) {
    qDBusRegisterMetaType<ReminderKindEntry>();
    qDBusRegisterMetaType<QList<ReminderKindEntry>>();
    m_statusChanged.setSingleShot(true);
    m_statusChanged.setInterval(0);
    connect(&m_statusChanged, &QTimer::timeout, this, &ActionsService::StatusChanged);
    const auto announce = [this] { m_statusChanged.start(); };
    connect(&m_context, &HoldState::holdReasonChanged, this, announce);
    connect(&m_context, &ContextMonitor::holdDetailChanged, this, announce);
    connect(&m_context, &ContextMonitor::manualPauseUntilChanged, this, announce);
    connect(&m_dayLog, &DayLog::stateChanged, this, announce);
}

void ActionsService::watch(RhythmEngine& engine) {
    for (const auto change : {&RhythmEngine::nextAtChanged, &RhythmEngine::awaitingChanged,
                              &RhythmEngine::parkedChanged})
        connect(&engine, change, this, [this] { m_statusChanged.start(); });
}

QString ActionsService::summary() const {
    return m_dayLog.summary(m_settings.kinds());
}

QString ActionsService::LogReminderAsDone(const QString& kindId) {
    const QList<NudgeKind> kinds = m_settings.kinds();
    const auto kind = std::find_if(kinds.begin(), kinds.end(),
                                   [&](const NudgeKind& k) { return k.id == kindId; });
    RhythmEngine* engine = m_engine();
    if (kind == kinds.end() || !engine)
        return tr("Brevimar isn't running.");
    engine->done(*kind);
    return tr("%1 logged. %2.").arg(kind->title, summary());
}

QString ActionsService::PauseReminders(int minutes) {
    if (!m_engine())
        return tr("Brevimar isn't running.");
    if (minutes >= 1) {
        m_context.pause(double(minutes) * 60);
        return tr("Paused for %1 minutes.").arg(minutes);
    }
    m_context.pause(0, true);
    return tr("Paused for the rest of today.");
}

QString ActionsService::ResumeReminders() {
    if (m_engine())
        m_context.resume();
    return tr("Reminders resumed.");
}

QString ActionsService::TodaySummary(QString& dialog) {
    const QString value = summary();
    dialog = tr("Today: %1.").arg(value);
    return value;
}

QList<ReminderKindEntry> ActionsService::ReminderKinds() {
    QList<ReminderKindEntry> entries;
    for (const NudgeKind& kind : m_settings.kinds())
        entries.append({kind.id, kind.title});
    return entries;
}

QVariantMap ActionsService::Status() {
    const std::optional<HoldReason> reason = m_context.holdReason();
    const std::optional<QDateTime> pausedUntil = m_context.manualPauseUntil();
    QVariantMap next;
    QStringList awaiting;
    QStringList parked;
    if (RhythmEngine* engine = m_engine()) {
        for (const NudgeKind& kind : m_settings.kinds()) {
            if (engine->nextAt().contains(kind) && !engine->parked().contains(kind))
                next.insert(kind.id, isoUtc(engine->nextAt().value(kind)));
            if (engine->awaiting().contains(kind))
                awaiting.append(kind.id);
            if (engine->parked().contains(kind))
                parked.append(kind.id);
        }
    }
    QVariantMap today;
    for (auto it = m_dayLog.state().counts.begin(); it != m_dayLog.state().counts.end(); ++it)
        today.insert(it.key(), it.value());
    return {{u"holdReason"_s, reason ? rawValue(*reason) : QString()},
            {u"holdDetail"_s, m_context.holdDetail().value_or(QString())},
            {u"pausedUntil"_s, pausedUntil ? isoUtc(*pausedUntil) : QString()},
            {u"next"_s, next},
            {u"awaiting"_s, awaiting},
            {u"parked"_s, parked},
            {u"today"_s, today}};
}
