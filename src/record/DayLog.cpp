#include "DayLog.h"

#include "platform/Clock.h"
#include "platform/Log.h"
#include "settings/JsonFields.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// Instants in the file count seconds from 2001-01-01 00:00:00 UTC.
constexpr qint64 referenceDateMSecs = 978307200000;

double secondsSince2001(const QDateTime& instant) {
    return double(instant.toMSecsSinceEpoch() - referenceDateMSecs) / 1000.0;
}

// None for a number of seconds whose milliseconds do not fit 64 bits: no clock gave it, and
// converting it would overflow.
std::optional<QDateTime> instantFrom2001(const QJsonValue& seconds) {
    const double msecs = seconds.toDouble() * 1000.0;
    if (!seconds.isDouble() || !(std::abs(msecs) < 9e18))
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(std::llround(msecs) + referenceDateMSecs);
}

std::optional<DayLog::State> decodeState(const QJsonObject& object) {
    const auto date = JsonFields::string(object, u"date"_s);
    const QJsonValue counts = object.value(u"counts"_s);
    const QJsonValue lastAt = object.value(u"lastAt"_s);
    const auto skipped = JsonFields::integer(object, u"skipped"_s);
    const auto windDownFired = JsonFields::boolean(object, u"windDownFired"_s);
    if (!date || !counts.isObject() || !lastAt.isObject() || !skipped || !windDownFired)
        return std::nullopt;
    DayLog::State state{*date, {}, {}, *skipped, *windDownFired};
    const QJsonObject countObject = counts.toObject();
    for (auto it = countObject.begin(); it != countObject.end(); ++it) {
        const auto count = JsonFields::integer(it.value());
        if (!count)
            return std::nullopt;
        state.counts.insert(it.key(), *count);
    }
    const QJsonObject lastObject = lastAt.toObject();
    for (auto it = lastObject.begin(); it != lastObject.end(); ++it) {
        const std::optional<QDateTime> instant = instantFrom2001(it.value());
        if (!instant)
            return std::nullopt;
        state.lastAt.insert(it.key(), *instant);
    }
    return state;
}

// The layout of earlier versions, with water and movement only.
std::optional<DayLog::State> decodeLegacyState(const QJsonObject& object) {
    const auto date = JsonFields::string(object, u"date"_s);
    const auto sips = JsonFields::integer(object, u"sips"_s);
    const auto breaks = JsonFields::integer(object, u"breaks"_s);
    const auto skipped = JsonFields::integer(object, u"skipped"_s);
    const auto windDownFired = JsonFields::boolean(object, u"windDownFired"_s);
    const QJsonValue lastSipAt = object.value(u"lastSipAt"_s);
    const QJsonValue lastBreakAt = object.value(u"lastBreakAt"_s);
    const std::optional<QDateTime> lastSip = instantFrom2001(lastSipAt);
    const std::optional<QDateTime> lastBreak = instantFrom2001(lastBreakAt);
    if (!date || !sips || !breaks || !skipped || !windDownFired ||
        !(lastSipAt.isUndefined() || lastSip) || !(lastBreakAt.isUndefined() || lastBreak))
        return std::nullopt;
    DayLog::State state{
        *date, {{u"water"_s, *sips}, {u"movement"_s, *breaks}}, {}, *skipped, *windDownFired};
    if (lastSip)
        state.lastAt.insert(u"water"_s, *lastSip);
    if (lastBreak)
        state.lastAt.insert(u"movement"_s, *lastBreak);
    return state;
}

// Today's tallies stay with the stored day when the clock was set back across midnight: that day
// comes round again within hours. A day further ahead means a clock that was far wrong, and waiting
// for it would freeze the tallies, so it gives way like an earlier day.
bool holdsToday(const QString& storedDate, const QDate& today) {
    const QDate date = QDate::fromString(storedDate, u"yyyy-MM-dd"_s);
    return date >= today && date <= today.addDays(1);
}

} // namespace

DayLog::State DayLog::State::fresh(const QString& date) {
    return State{date, {}, {}, 0, false};
}

QByteArray DayLog::State::toJson() const {
    QJsonObject countObject;
    for (auto it = counts.begin(); it != counts.end(); ++it)
        countObject.insert(it.key(), it.value());
    QJsonObject lastObject;
    for (auto it = lastAt.begin(); it != lastAt.end(); ++it)
        lastObject.insert(it.key(), secondsSince2001(it.value()));
    return JsonFields::encode(QJsonDocument(QJsonObject{{u"date"_s, date},
                                                        {u"counts"_s, countObject},
                                                        {u"lastAt"_s, lastObject},
                                                        {u"skipped"_s, skipped},
                                                        {u"windDownFired"_s, windDownFired}}));
}

std::optional<DayLog::State> DayLog::State::fromJson(const QByteArray& json) {
    const QJsonObject object = JsonFields::decode(json).object();
    if (std::optional<State> state = decodeState(object))
        return state;
    return decodeLegacyState(object);
}

DayLog::DayLog(const Clock& clock, const QString& folder, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_fileName(QDir(folder).filePath(u"today.json"_s))
    , m_state(State::fresh(todayString())) {
    QFile file(m_fileName);
    if (!file.exists())
        return;
    const std::optional<State> stored =
        file.open(QIODevice::ReadOnly) ? State::fromJson(file.readAll()) : std::nullopt;
    m_damaged = !stored;
    if (stored && holdsToday(stored->date, m_clock.now().date()))
        m_state = *stored;
}

QString DayLog::todayString() const {
    return m_clock.now().date().toString(u"yyyy-MM-dd"_s);
}

void DayLog::rollIfNeeded() {
    if (holdsToday(m_state.date, m_clock.now().date()))
        return;
    setState(State::fresh(todayString()));
    save();
}

void DayLog::record(const QString& kindID, bool done) {
    rollIfNeeded();
    State next = m_state;
    if (done) {
        next.counts[kindID] += 1;
        next.lastAt[kindID] = m_clock.now();
    } else {
        next.skipped += 1;
    }
    setState(std::move(next));
    save();
}

void DayLog::markWindDownFired() {
    rollIfNeeded();
    State next = m_state;
    next.windDownFired = true;
    setState(std::move(next));
    save();
}

void DayLog::save() {
    if (m_damaged) {
        m_damaged = false;
        const QString aside = m_fileName + u".damaged"_s;
        QFile::remove(aside);
        if (QFile::rename(m_fileName, aside))
            Log::write(u"Brevimar could not read today.json; kept it as today.json.damaged"_s);
    }
    QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    QSaveFile file(m_fileName);
    const QByteArray json = m_state.toJson();
    // Unbuffered, so that a write the disk refuses fails here: a buffered one fails only inside
    // commit(), which then still puts the half-written file in place of the old one.
    const bool saved = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
                       file.write(json) == json.size() && file.commit();
    // Once per run of failures: a folder that cannot be written fails every save the same way.
    if (!saved && !m_saveFailing)
        Log::write(u"Brevimar could not save "_s + m_fileName + u": "_s + file.errorString());
    m_saveFailing = !saved;
}

QString DayLog::summary(const QList<NudgeKind>& kinds) const {
    QStringList pieces;
    for (const NudgeKind& kind : kinds) {
        const qint64 count = m_state.counts.value(kind.id, 0);
        pieces.append(u"%1 %2"_s.arg(count).arg(count == 1 ? kind.verb : kind.verbPlural));
    }
    return pieces.join(u" \u00B7 "_s);
}

void DayLog::setState(State state) {
    if (state == m_state)
        return;
    m_state = std::move(state);
    Q_EMIT stateChanged();
}
