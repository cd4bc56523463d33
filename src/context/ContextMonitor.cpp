#include "ContextMonitor.h"

#include "platform/Clock.h"
#include "platform/FastMode.h"
#include "platform/LocalCalendar.h"
#include "platform/MediaProbe.h"
#include "platform/SessionEvents.h"
#include "platform/Workspace.h"
#include "record/EventStore.h"
#include "settings/AppSettings.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {

// The stored meeting applications are identifiers of another system; these are the desktop ids
// the same programs have on Linux.
const QHash<QString, QStringList>& linuxAliases() {
    static const QHash<QString, QStringList> aliases{
        {u"us.zoom.xos"_s, {u"Zoom"_s, u"us.zoom.Zoom"_s, u"zoom"_s}},
        {u"com.microsoft.teams2"_s,
         {u"teams-for-linux"_s, u"com.github.IsmaelMartinez.teams_for_linux"_s, u"teams"_s}},
        {u"com.microsoft.teams"_s,
         {u"teams"_s, u"teams-for-linux"_s, u"com.github.IsmaelMartinez.teams_for_linux"_s}},
        {u"com.webex.meetingmanager"_s, {u"webex"_s, u"Webex"_s, u"com.cisco.webex"_s}},
        {u"Cisco-Systems.Spark"_s, {u"webex"_s, u"Webex"_s, u"com.cisco.webex"_s}},
    };
    return aliases;
}

bool isMeetingApp(const QStringList& stored, const QString& id) {
    for (const QString& entry : stored) {
        if (entry == id || linuxAliases().value(entry).contains(id))
            return true;
    }
    return false;
}

std::optional<QString> nameOrNone(const QString& name) {
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

} // namespace

ContextMonitor::ContextMonitor(const Collaborators& c, QObject* parent)
    : HoldState(parent)
    , m_clock(c.clock)
    , m_settings(c.settings)
    , m_events(c.events)
    , m_session(c.session)
    , m_workspace(c.workspace)
    , m_media(c.media)
    , m_calendar(c.calendarStore) {
    connect(&m_session, &SessionEvents::woke, this, &HoldState::didWake);
    const std::optional<QDateTime> kept = m_settings.manualPauseUntil();
    if (kept && *kept > m_clock.now())
        m_manualPauseUntil = kept;
}

double ContextMonitor::idleSeconds() const {
    return m_session.idleSeconds().value_or(0);
}

void ContextMonitor::start() {
    if (m_timer)
        return;
    m_timer = new QTimer(this);
    m_timer->setInterval(fastMode() ? 2000 : 15000);
    connect(m_timer, &QTimer::timeout, this, &ContextMonitor::refresh);
    m_timer->start();
    connect(&m_session, &SessionEvents::screenLocked, this, [this] {
        setScreenLocked(true);
        refresh();
    });
    connect(&m_session, &SessionEvents::screenUnlocked, this, [this] {
        setScreenLocked(false);
        refresh();
    });
    connect(&m_session, &SessionEvents::idleChanged, this, &ContextMonitor::refresh);
    connect(&m_session, &SessionEvents::doNotDisturbChanged, this, &ContextMonitor::refresh);
    for (const auto change : {&Workspace::applicationActivated, &Workspace::spaceChanged,
                              &Workspace::applicationTerminated})
        connect(&m_workspace, change, this, &ContextMonitor::refreshNowAndSoon);
    refresh();
}

// A window that finishes entering full screen after the switch is seen by the second look.
void ContextMonitor::refreshNowAndSoon() {
    refresh();
    QTimer::singleShot(800, this, &ContextMonitor::refresh);
}

void ContextMonitor::refresh() {
    Hold next = evaluate();
    if (next.reason != m_hold.reason) {
        m_hold.reason = next.reason;
        Q_EMIT holdReasonChanged();
    }
    if (next.detail != m_hold.detail) {
        m_hold.detail = std::move(next.detail);
        Q_EMIT holdDetailChanged();
    }
    m_hold.onlyOffHours = next.onlyOffHours;
}

ContextMonitor::Hold ContextMonitor::evaluate() {
    const QDateTime now = m_clock.now();
    if (m_screenLocked)
        return {HoldReason::locked, std::nullopt};
    if (m_manualPauseUntil) {
        if (*m_manualPauseUntil > now)
            return {HoldReason::manualPause, std::nullopt};
        setManualPauseUntil(std::nullopt); // run out: cleared without a resume event
    }
    // Turned on at the desktop, it is a pause the user asked for there.
    if (m_settings.pauseDuringDoNotDisturb() && m_session.doNotDisturb().value_or(false))
        return {HoldReason::doNotDisturb, std::nullopt};

    const double threshold = double(m_settings.idleThresholdMinutes()) * (fastMode() ? 1 : 60);
    m_session.watchIdle(threshold);
    if (idleSeconds() > threshold)
        return {HoldReason::idle, std::nullopt};

    if (m_settings.pauseDuringCalls()) {
        if (std::optional<QString> camera = m_media.cameraInUse())
            return {HoldReason::call, camera};
        if (std::optional<QString> app = frontmostMeetingApp())
            return {HoldReason::call, app};
        // A voice call shows no camera; the application in front names a call better, so the
        // recording application comes after it.
        if (m_settings.pauseForMicrophone()) {
            if (std::optional<QString> recording = m_media.microphoneInUse())
                return {HoldReason::call, recording};
        }
    }
    if (m_settings.pauseDuringScreenShare()) {
        if (std::optional<QString> sharing = m_media.screenShareApp())
            return {HoldReason::screenShare, sharing};
    }
    if (m_settings.pauseDuringFullScreen()) {
        if (const std::optional<RunningApplication> app = m_workspace.fullScreenApplication())
            return {HoldReason::fullScreen, nameOrNone(app->name)};
    }
    if (!m_settings.workSchedule().isWorkTime(now)) {
        // Off hours outrank a meeting or an app rule, but these still keep the evening
        // messages back.
        const bool more = calendarEvent(now) || matchingAppRule();
        return {HoldReason::offHours, std::nullopt, !more};
    }
    if (std::optional<QString> title = calendarEvent(now))
        return {HoldReason::meeting, title};
    if (std::optional<AppRule> rule = matchingAppRule())
        return {HoldReason::appRule, rule->name};
    return {};
}

ContextMonitor::Signals ContextMonitor::sampleSignals() {
    Signals sample;
    if (const std::optional<RunningApplication> app = m_workspace.fullScreenApplication())
        sample.fullScreenApp = nameOrNone(app->name);
    sample.calendarEvent = calendarEvent(m_clock.now());
    sample.idleSeconds = idleSeconds();
    sample.camera = m_media.cameraInUse();
    sample.microphone = m_media.microphoneInUse();
    sample.microphoneSeen = m_media.seesMicrophone();
    sample.doNotDisturb = m_session.doNotDisturb();
    sample.meetingApp = frontmostMeetingApp();
    sample.screenShare = m_media.screenShareApp();
    return sample;
}

std::optional<QString> ContextMonitor::calendarEvent(const QDateTime& now) {
    const CalendarRules rules = m_settings.calendarRules();
    if (!rules.enabled)
        return std::nullopt;
    return m_calendar.currentEvent(rules.calendarIDs, rules.skipFreeEvents, rules.skipAllDay, now);
}

std::optional<QString> ContextMonitor::frontmostMeetingApp() const {
    const std::optional<RunningApplication> app = m_workspace.frontmostApplication();
    if (!app || app->id.isEmpty() || !isMeetingApp(m_settings.meetingAppBundleIDs(), app->id))
        return std::nullopt;
    return app->name.isEmpty() ? app->id : app->name;
}

std::optional<AppRule> ContextMonitor::matchingAppRule() const {
    const QList<AppRule> rules = m_settings.appRules();
    if (rules.isEmpty())
        return std::nullopt;
    const std::optional<RunningApplication> app = m_workspace.frontmostApplication();
    if (!app || app->id.isEmpty())
        return std::nullopt;
    std::optional<AppRule> firstFullScreen;
    for (const AppRule& rule : rules) {
        if (rule.bundleID != app->id)
            continue;
        if (rule.mode == AppRule::Mode::frontmost)
            return rule;
        if (!firstFullScreen)
            firstFullScreen = rule;
    }
    if (firstFullScreen) {
        const std::optional<RunningApplication> fullScreen = m_workspace.fullScreenApplication();
        if (fullScreen && fullScreen->id == app->id)
            return firstFullScreen;
    }
    return std::nullopt;
}

void ContextMonitor::pause(double seconds, bool restOfDay) {
    const QDateTime now = m_clock.now();
    const QDateTime until = restOfDay ? LocalCalendar::startOfDay(LocalCalendar::addDays(now, 1))
                                      : now.addMSecs(qint64(seconds * 1000));
    setManualPauseUntil(until);
    m_events.log(EventStore::Action::pause, std::nullopt, until.toUTC().toString(Qt::ISODate));
    refresh();
}

void ContextMonitor::resume() {
    setManualPauseUntil(std::nullopt);
    m_events.log(EventStore::Action::resume);
    refresh();
}

void ContextMonitor::setManualPauseUntil(std::optional<QDateTime> until) {
    if (until == m_manualPauseUntil)
        return;
    m_manualPauseUntil = std::move(until);
    m_settings.setManualPauseUntil(m_manualPauseUntil);
    Q_EMIT manualPauseUntilChanged();
}

void ContextMonitor::setScreenLocked(bool locked) {
    if (locked == m_screenLocked)
        return;
    m_screenLocked = locked;
    Q_EMIT screenLockedChanged();
}

LiveSignals::LiveSignals(ContextMonitor& monitor, QObject* parent)
    : QObject(parent)
    , m_monitor(monitor) {
    m_timer.setInterval(1000);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        sample();
        m_monitor.refresh();
    });
}

void LiveSignals::start() {
    if (m_timer.isActive())
        return;
    sample();
    m_timer.start();
}

void LiveSignals::stop() {
    m_timer.stop();
}

void LiveSignals::sample() {
    m_now = m_monitor.sampleSignals();
    Q_EMIT changed();
}
