#include "UsageReporter.h"

#include "BundleInfo.h"
#include "platform/Clock.h"
#include "platform/FastMode.h"
#include "platform/LocalCalendar.h"
#include "platform/Log.h"
#include "record/EventStore.h"
#include "settings/AppSettings.h"
#include "settings/JsonFields.h"
#include "settings/PreferenceStore.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSysInfo>
#include <QTimer>
#include <QUrl>
#include <QUuid>
#include <QVersionNumber>

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QString deviceKey = u"usageDeviceID"_s;
constexpr qint64 maximumActiveMinutes = 16 * 60;

} // namespace

UsageReporter::UsageReporter(const Clock& clock, const AppSettings& settings,
                             const EventStore& events, PreferenceStore& preferences,
                             const BundleInfo& bundle, QObject* parent)
    : QObject(parent)
    , m_clock(clock)
    , m_settings(settings)
    , m_events(events)
    , m_preferences(preferences)
    , m_version(bundle.shortVersion)
    , m_builtInEndpoint(bundle.usageEndpoint) {}

void UsageReporter::start() {
    ping();
    auto* timer = new QTimer(this);
    timer->setTimerType(Qt::VeryCoarseTimer);
    timer->setInterval(fastMode() ? 30'000 : 3'600'000);
    connect(timer, &QTimer::timeout, this, &UsageReporter::ping);
    timer->start();
}

void UsageReporter::ping() {
    if (!m_settings.shareUsage() || m_pending)
        return;
    const std::optional<QUrl> url = endpoint();
    if (!url)
        return;
    QNetworkRequest request(*url);
    request.setHeader(QNetworkRequest::ContentTypeHeader, u"application/json"_s);
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkReply* reply = m_network->post(request, report());
    m_pending = reply;
    QTimer::singleShot(m_deadline, reply, &QNetworkReply::abort);
    // Any answer from the server, whatever its status, means the report arrived: what follows the
    // headers is never needed, so however much the server sends is not read.
    connect(reply, &QNetworkReply::metaDataChanged, reply, &QNetworkReply::abort);
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        m_pending = nullptr;
        reply->deleteLater();
        if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
            return;
        Log::write(u"Brevimar usage ping failed: "_s +
                   (reply->error() == QNetworkReply::OperationCanceledError
                        ? u"no answer in time"_s
                        : reply->errorString()));
    });
}

// Nothing to send to is as good as switched off. An address that is not https would let anyone
// on the way read the report, so it is refused, and said so once.
std::optional<QUrl> UsageReporter::endpoint() {
    const QString text = qEnvironmentVariableIsSet("BREVIMAR_USAGE_URL")
                             ? qEnvironmentVariable("BREVIMAR_USAGE_URL")
                             : m_builtInEndpoint;
    if (text.isEmpty())
        return std::nullopt;
    const QUrl url(text, QUrl::StrictMode);
    if (url.isValid() && !url.host().isEmpty() && BundleInfo::isSafeAddress(url))
        return url;
    if (!std::exchange(m_refusalLogged, true))
        Log::write(u"Brevimar usage ping refused: "_s + text + u" is not an https address"_s);
    return std::nullopt;
}

QString UsageReporter::osVersion(const QByteArray& osRelease, const QString& kernelRelease) {
    QVersionNumber version;
    for (const QByteArray& line : osRelease.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (!trimmed.startsWith("VERSION_ID="))
            continue;
        QByteArray value = trimmed.mid(qsizetype(sizeof("VERSION_ID=")) - 1);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.mid(1, value.size() - 2);
        version = QVersionNumber::fromString(QString::fromUtf8(value));
    }
    if (version.isNull())
        version = QVersionNumber::fromString(kernelRelease);
    return u"%1.%2"_s.arg(version.majorVersion()).arg(version.minorVersion());
}

// Inside Flatpak /etc/os-release is the runtime's; the system's own is passed in under /run/host.
QByteArray UsageReporter::osRelease(const QString& root) {
    const bool flatpak = QFileInfo::exists(root + u"/.flatpak-info"_s);
    QFile file(root + (flatpak ? u"/run/host/os-release"_s : u"/etc/os-release"_s));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray UsageReporter::report() {
    const QDateTime now = m_clock.now();
    std::map<EventStore::Action, qint64> counts;
    std::optional<QDateTime> first, holdStart;
    qint64 heldMSecs = 0;
    for (const EventStore::Event& event : m_events.events(LocalCalendar::startOfDay(now), now)) {
        if (!first)
            first = event.at;
        ++counts[event.action];
        if (event.action == EventStore::Action::holdStart && !holdStart) {
            holdStart = event.at;
        } else if (event.action == EventStore::Action::holdEnd && holdStart) {
            heldMSecs += holdStart->msecsTo(event.at);
            holdStart.reset();
        }
    }
    if (holdStart)
        heldMSecs += holdStart->msecsTo(now);
    const qint64 activeMinutes = (first.value_or(now).msecsTo(now) - heldMSecs) / 60'000;

    const QJsonObject report{
        {u"device"_s, deviceID()},
        {u"day"_s, now.date().toString(u"yyyy-MM-dd"_s)},
        {u"version"_s, m_version},
        {u"os"_s, osVersion(osRelease({}), QSysInfo::kernelVersion())},
        {u"launches"_s, counts[EventStore::Action::launch]},
        {u"fired"_s, counts[EventStore::Action::fired]},
        {u"done"_s, counts[EventStore::Action::done]},
        {u"snoozed"_s, counts[EventStore::Action::snoozed]},
        {u"skipped"_s, counts[EventStore::Action::skipped]},
        {u"expired"_s, counts[EventStore::Action::expired]},
        {u"activeMinutes"_s, std::clamp<qint64>(activeMinutes, 0, maximumActiveMinutes)},
    };
    return QJsonDocument(report).toJson(QJsonDocument::Compact);
}

// Written in upper case like every UUID Brevimar stores. One written in lower case by an earlier
// version is the same UUID, so the installation keeps its identity; it is rewritten upper case.
QString UsageReporter::deviceID() {
    const QString stored = m_preferences.string(deviceKey, {});
    QUuid id = QUuid::fromString(stored);
    if (id.isNull())
        id = QUuid::createUuid();
    const QString text = JsonFields::uuidText(id);
    if (text != stored)
        m_preferences.setString(deviceKey, text);
    return text;
}
