#include "context/ContextMonitor.h"
#include "fakes/FakeDesktop.h"
#include "fakes/LogCapture.h"
#include "fakes/QtPrinters.h"
#include "fakes/StoredServices.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class ContextMonitorTest : public ::testing::Test, protected StoredServices {
protected:
    ContextMonitorTest()
        : StoredServices(QDateTime(QDate(2026, 12, 7), QTime(10, 0))) {} // a Monday

    QString reason() {
        const ContextMonitor::Hold h = monitor.evaluate();
        return h.reason ? rawValue(*h.reason) + u' ' + h.detail.value_or(u"-"_s) : u"none"_s;
    }
    QStringList eventLog() {
        QStringList lines;
        for (const EventStore::Event& e :
             events.events(clock.now().addDays(-1), clock.now().addDays(2)))
            lines.append(EventStore::rawValue(e.action) + u' ' + e.meta.value_or(u"-"_s));
        return lines;
    }

    LogCapture log;
    FakeSession session;
    FakeWorkspace workspace;
    FakeMediaProbe media;
    FakeCalendarStore calendar;
    ContextMonitor monitor{{clock, settings, events, session, workspace, media, calendar}};
};

RunningApplication app(const QString& id, const QString& name) {
    return {4242, id, name};
}

} // namespace

TEST_F(ContextMonitorTest, LockOutranksAPauseThatRunsOutSilently) {
    monitor.start();
    monitor.pause(30 * 60);
    EXPECT_EQ(monitor.holdReason(), HoldReason::manualPause);
    media.questions = 0;
    Q_EMIT session.screenLocked();
    EXPECT_EQ(monitor.holdReason(), HoldReason::locked);
    EXPECT_EQ(media.questions, 0) << "later probes are not run";
    Q_EMIT session.screenUnlocked();
    EXPECT_EQ(monitor.holdReason(), HoldReason::manualPause);

    clock.advance(30 * 60);
    QSignalSpy pauseChanged(&monitor, &ContextMonitor::manualPauseUntilChanged);
    monitor.refresh();
    EXPECT_EQ(monitor.holdReason(), std::nullopt);
    EXPECT_EQ(monitor.manualPauseUntil(), std::nullopt);
    EXPECT_EQ(pauseChanged.count(), 1);
    EXPECT_EQ(eventLog(), QStringList({u"pause 2026-12-07T09:30:00Z"_s})) << "no resume event";
}

TEST_F(ContextMonitorTest, PauseForTheRestOfTheDayEndsAtMidnight) {
    clock.set(QDateTime(QDate(2026, 12, 7), QTime(23, 59)));
    monitor.pause(0, true);
    EXPECT_EQ(monitor.manualPauseUntil(), QDateTime(QDate(2026, 12, 8), QTime(0, 0)));
    monitor.resume();
    EXPECT_EQ(monitor.holdReason(), std::nullopt);
    EXPECT_EQ(eventLog(), QStringList({u"pause 2026-12-07T23:00:00Z"_s, u"resume -"_s}));
}

TEST_F(ContextMonitorTest, IdleMeansStrictlyMoreThanTheThreshold) {
    settings.setIdleThresholdMinutes(5);
    session.idle = 300;
    EXPECT_EQ(reason(), u"none"_s);
    session.idle = 300.5;
    EXPECT_EQ(reason(), u"idle -"_s);
    session.idle = std::nullopt;
    EXPECT_EQ(reason(), u"none"_s) << "no idle source: no hold";
}

TEST_F(ContextMonitorTest, CallsSharingAndFullScreenFollowTheirSwitches) {
    media.camera = u"Integrated Camera"_s;
    media.sharing = u"Zoom"_s;
    workspace.frontmost = app(u"org.videolan.VLC"_s, u"VLC media player"_s);
    workspace.fullScreen = true;
    EXPECT_EQ(reason(), u"call Integrated Camera"_s);

    settings.setPauseDuringCalls(false);
    EXPECT_EQ(reason(), u"screenShare Zoom"_s);
    EXPECT_EQ(monitor.sampleSignals().camera, u"Integrated Camera"_s) << "still sampled";
    workspace.fullScreenQuestions = 0;
    settings.setPauseDuringScreenShare(false);
    EXPECT_EQ(reason(), u"none"_s) << "full screen is off by default";
    EXPECT_EQ(workspace.fullScreenQuestions, 0) << "the window walk is not run";
    settings.setPauseDuringFullScreen(true);
    EXPECT_EQ(reason(), u"fullScreen VLC media player"_s);
    workspace.frontmost = app(u"org.videolan.VLC"_s, QString());
    EXPECT_EQ(reason(), u"fullScreen -"_s);
}

TEST_F(ContextMonitorTest, MeetingAppsMatchTheirLinuxDesktopIds) {
    media.camera = std::nullopt;
    workspace.frontmost = app(u"us.zoom.Zoom"_s, u"Zoom Workplace"_s);
    EXPECT_EQ(reason(), u"call Zoom Workplace"_s);
    workspace.frontmost = app(u"com.webex.meetingmanager"_s, QString());
    EXPECT_EQ(reason(), u"call com.webex.meetingmanager"_s);
    settings.setMeetingAppBundleIDs({u"org.jitsi.jitsi-meet"_s});
    workspace.frontmost = app(u"us.zoom.Zoom"_s, u"Zoom"_s);
    EXPECT_EQ(reason(), u"none"_s);
    workspace.frontmost = app(u"org.jitsi.jitsi-meet"_s, u"Jitsi Meet"_s);
    EXPECT_EQ(reason(), u"call Jitsi Meet"_s);
}

TEST_F(ContextMonitorTest, OffHoursOutrankMeetingsAndAppRules) {
    WorkSchedule schedule;
    schedule.enabled = true;
    settings.setWorkSchedule(schedule);
    CalendarRules rules;
    rules.enabled = true;
    settings.setCalendarRules(rules);
    calendar.eventList = {
        {u"work"_s, u"Planning"_s, clock.now().addSecs(-60), clock.now().addSecs(3600)}};
    EXPECT_EQ(reason(), u"meeting Planning"_s);
    clock.set(QDateTime(QDate(2026, 12, 7), QTime(18, 30)));
    calendar.eventList.first().end = clock.now().addSecs(60);
    EXPECT_EQ(reason(), u"offHours -"_s);
}

TEST_F(ContextMonitorTest, AFrontmostRuleWinsOverAFullScreenRuleForTheSameApp) {
    AppRule fullScreen{QUuid::createUuid(), u"org.mozilla.firefox"_s, u"Firefox videos"_s,
                       AppRule::Mode::fullScreen};
    AppRule frontmost{QUuid::createUuid(), u"org.mozilla.firefox"_s, u"Firefox"_s,
                      AppRule::Mode::frontmost};
    workspace.frontmost = app(u"org.mozilla.firefox"_s, u"Firefox"_s);
    settings.setAppRules({fullScreen});
    EXPECT_EQ(reason(), u"none"_s) << "windowed";
    workspace.fullScreen = true;
    EXPECT_EQ(reason(), u"appRule Firefox videos"_s);
    settings.setAppRules({fullScreen, frontmost});
    EXPECT_EQ(reason(), u"appRule Firefox"_s);
    workspace.fullScreen = false;
    EXPECT_EQ(reason(), u"appRule Firefox"_s);
}

TEST_F(ContextMonitorTest, OnlyRealChangesArePublished) {
    monitor.start();
    QSignalSpy reasonChanged(&monitor, &HoldState::holdReasonChanged);
    QSignalSpy detailChanged(&monitor, &ContextMonitor::holdDetailChanged);
    workspace.frontmost = app(u"us.zoom.Zoom"_s, u"Zoom"_s);
    Q_EMIT workspace.applicationActivated();
    workspace.frontmost = app(u"teams-for-linux"_s, u"Teams"_s);
    Q_EMIT workspace.applicationActivated();
    monitor.refresh();
    EXPECT_EQ(reasonChanged.count(), 1);
    EXPECT_EQ(detailChanged.count(), 2);
    EXPECT_EQ(monitor.holdDetail(), u"Teams"_s);

    QSignalSpy woke(&monitor, &HoldState::didWake);
    Q_EMIT session.woke();
    EXPECT_EQ(woke.count(), 1);
}
