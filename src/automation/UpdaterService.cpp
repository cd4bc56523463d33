#include "UpdaterService.h"

#include "Appcast.h"
#include "platform/Clock.h"
#include "platform/Log.h"
#include "settings/PreferenceStore.h"
#include "ui/updates/UpdateWindow.h"

#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QVersionNumber>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {
const QString lastCheckKey = u"lastUpdateCheck"_s;
constexpr qint64 secondsPerDay = 24 * 60 * 60;
// A feed is a few kilobytes; a server sending more is broken or hostile, and the answer is held
// in memory whole.
constexpr qint64 maximumFeedBytes = 1024 * 1024;
const char* const tooLargeProperty = "brevimarTooLarge";

// Sandboxed packages are updated by their store, and the feed's downloads would not fit them.
bool insideSandbox() {
    return QFileInfo::exists(u"/.flatpak-info"_s) || qEnvironmentVariableIsSet("SNAP");
}

// Releases are told apart by their build number alone; without one every release would look new.
bool knowsItsBuild(const BundleInfo& bundle) {
    return !QVersionNumber::fromString(bundle.build).isNull();
}
} // namespace

UpdaterService::UpdaterService(const BundleInfo& bundle, const Clock& clock, PreferenceStore& store,
                               const HoldState* holds, QObject* parent)
    : QObject(parent)
    , m_bundle(bundle)
    , m_clock(clock)
    , m_store(store)
    , m_holds(holds)
    , m_configured(!bundle.feedUrl.isEmpty() && knowsItsBuild(bundle) && !insideSandbox()) {
    if (!m_configured)
        return;
    // A minute after start, so the check stays out of the way of starting up; then hourly, so a
    // computer that sleeps a lot still checks about once a day.
    m_timer.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_timer.setInterval(1h);
        checkIfDue();
    });
    m_timer.start(1min);
}

UpdaterService::~UpdaterService() = default;

QString UpdaterService::versionString() const {
    return m_bundle.shortVersion.isEmpty() ? u"?"_s : m_bundle.shortVersion;
}

QString UpdaterService::buildString() const {
    return tr("Build %1").arg(m_bundle.build.isEmpty() ? u"?"_s : m_bundle.build);
}

void UpdaterService::checkForUpdates() {
    if (canCheckForUpdates())
        fetch(Asker::user);
}

void UpdaterService::checkIfDue() {
    if (!canCheckForUpdates())
        return;
    const QDateTime last =
        QDateTime::fromString(m_store.string(lastCheckKey, {}), Qt::ISODateWithMs);
    const qint64 since = last.isValid() ? last.secsTo(m_clock.now()) : secondsPerDay;
    // A last check in the future means the clock was wrong then; waiting for it would stop checks.
    if (since >= secondsPerDay || since < 0)
        fetch(Asker::schedule);
}

void UpdaterService::fetch(Asker asker) {
    const QUrl url(m_bundle.feedUrl);
    if (!BundleInfo::isSafeAddress(url)) {
        fail(tr("The update feed %1 is not an https address.").arg(url.toDisplayString()), asker);
        return;
    }
    if (!m_network)
        m_network = new QNetworkAccessManager(this);
    QNetworkReply* reply = m_network->get(QNetworkRequest(url));
    setChecking(true);
    QTimer::singleShot(m_deadline, reply, &QNetworkReply::abort);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64 total) {
        if (std::max(received, total) <= maximumFeedBytes)
            return;
        reply->setProperty(tooLargeProperty, true);
        reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, asker] {
        reply->deleteLater();
        setChecking(false);
        finished(*reply, asker);
    });
}

void UpdaterService::finished(QNetworkReply& reply, Asker asker) {
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 400)
        return fail(tr("The update server answered HTTP %1.").arg(status), asker);
    if (reply.property(tooLargeProperty).toBool())
        return fail(tr("The update feed is larger than 1 MiB."), asker);
    if (reply.error() == QNetworkReply::OperationCanceledError)
        return fail(tr("The update server did not answer in time."), asker);
    if (reply.error() != QNetworkReply::NoError)
        return fail(reply.errorString(), asker);
    const Appcast::Result result = Appcast::parse(reply.readAll());
    if (!result.newest)
        return fail(result.error, asker);

    if (asker == Asker::schedule)
        m_store.setString(lastCheckKey, m_clock.now().toUTC().toString(Qt::ISODateWithMs));
    const Appcast::Release& release = *result.newest;
    if (Appcast::isNewer(release, m_bundle.build)) {
        Log::write(u"Brevimar update available: "_s + release.version);
        window().presentUpdate(
            {release.version, versionString(), release.notes, release.notesLink, release.download},
            asker == Asker::user ? UpdateWindow::Focus::take : UpdateWindow::Focus::leave);
        return;
    }
    Log::write(u"Brevimar is up to date: "_s + versionString());
    if (asker == Asker::user)
        window().presentUpToDate(versionString());
}

void UpdaterService::fail(const QString& error, Asker asker) {
    Log::write(u"Brevimar update check failed: "_s + QString(error).replace(u'\n', u' '));
    if (asker == Asker::user)
        window().presentFailure(error);
}

void UpdaterService::setChecking(bool checking) {
    const bool could = canCheckForUpdates();
    m_checking = checking;
    if (canCheckForUpdates() != could)
        Q_EMIT canCheckForUpdatesChanged(canCheckForUpdates());
}

UpdateWindow& UpdaterService::window() {
    if (!m_window)
        m_window = std::make_unique<UpdateWindow>(m_holds, &m_store);
    return *m_window;
}
