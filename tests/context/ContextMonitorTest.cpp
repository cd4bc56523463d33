#include "fakes/EngineHarness.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

struct ContextMonitorTest : ::testing::Test, EngineHarness {
    ContextMonitorTest()
        : EngineHarness(at(10, 0)) {}

    QString reason() {
        const ContextMonitor::Hold h = monitor().evaluate();
        return h.reason ? rawValue(*h.reason) + u' ' + h.detail.value_or(u"-"_s) : u"none"_s;
    }
};

RunningApplication app(const QString& id, const QString& name) {
    return {4242, id, name};
}

} // namespace

TEST_F(ContextMonitorTest, LockOutranksAPauseThatRunsOutSilently) {
    monitor().start();
    monitor().pause(30 * 60);
    EXPECT_EQ(monitor().holdReason(), HoldReason::manualPause);
    media.questions = 0;
    Q_EMIT session.screenLocked();
    EXPECT_EQ(monitor().holdReason(), HoldReason::locked);
    EXPECT_EQ(media.questions, 0) << "later probes are not run";
    Q_EMIT session.screenUnlocked();
    EXPECT_EQ(monitor().holdReason(), HoldReason::manualPause);

    clock.advance(30 * 60);
    QSignalSpy pauseChanged(&monitor(), &ContextMonitor::manualPauseUntilChanged);
    monitor().refresh();
    EXPECT_EQ(monitor().holdReason(), std::nullopt);
    EXPECT_EQ(monitor().manualPauseUntil(), std::nullopt);
    EXPECT_EQ(pauseChanged.count(), 1);
    EXPECT_EQ(eventLog(events), QStringList({u"pause 2026-12-07T09:30:00Z"_s})) << "no resume";
}

TEST_F(ContextMonitorTest, APauseEndsAtMidnightOrOnResumeAndOutlivesARestartTillThen) {
    clock.set(at(23, 59));
    monitor().pause(0, true);
    restart();
    EXPECT_EQ(monitor().manualPauseUntil(), at(0, 0, 0, 8));
    EXPECT_EQ(reason(), u"manualPause -"_s);
    monitor().resume();
    restart();
    EXPECT_EQ(reason(), u"none"_s) << "resumed for good";
    EXPECT_EQ(eventLog(events).mid(0, 3),
              QStringList({u"pause 2026-12-07T23:00:00Z"_s, u"launch"_s, u"resume"_s}));

    monitor().pause(60);
    clock.advance(60);
    restart();
    EXPECT_EQ(monitor().manualPauseUntil(), std::nullopt) << "ran out while not running";
}

TEST_F(ContextMonitorTest, IdleMeansStrictlyMoreThanTheThreshold) {
    settings.setIdleThresholdMinutes(5);
    session.idle = 300;
    EXPECT_EQ(reason(), u"none"_s);
    session.idle = 300.5;
    EXPECT_EQ(reason(), u"idle -"_s);
    session.idle = std::nullopt;
    EXPECT_EQ(reason(), u"none"_s) << "no idle source: no hold";

    // A compositor announces idleness at the threshold it was given, which follows the setting,
    // and the announcement holds at once rather than at the next poll.
    EXPECT_EQ(session.watched, 300);
    settings.setIdleThresholdMinutes(2);
    monitor().start();
    EXPECT_EQ(session.watched, 120);
    session.idle = 121;
    Q_EMIT session.idleChanged();
    EXPECT_EQ(monitor().holdReason(), HoldReason::idle);
}

// Turned on at the desktop, Do Not Disturb is the user's own pause: only a lock or a pause made
// in Brevimar names the hold instead.
TEST_F(ContextMonitorTest, DoNotDisturbHoldsAfterTheManualPauseWhileItsSwitchIsOn) {
    monitor().start();
    media.camera = u"Integrated Camera"_s;
    session.dnd = true;
    Q_EMIT session.doNotDisturbChanged();
    EXPECT_EQ(monitor().holdReason(), HoldReason::doNotDisturb) << "without waiting for a poll";
    EXPECT_EQ(reason(), u"doNotDisturb -"_s);
    monitor().pause(60);
    EXPECT_EQ(reason(), u"manualPause -"_s);
    monitor().resume();
    settings.setPauseDuringDoNotDisturb(false);
    EXPECT_EQ(reason(), u"call Integrated Camera"_s);
    EXPECT_EQ(monitor().sampleSignals().doNotDisturb, true) << "still sampled";
}

TEST_F(ContextMonitorTest, CallsSharingAndFullScreenFollowTheirSwitches) {
    media.camera = u"Integrated Camera"_s;
    media.microphone = u"Firefox"_s;
    media.sharing = u"Zoom"_s;
    workspace.frontmost = app(u"org.videolan.VLC"_s, u"VLC media player"_s);
    workspace.fullScreen = true;
    EXPECT_EQ(reason(), u"call Integrated Camera"_s);

    settings.setPauseDuringCalls(false);
    EXPECT_EQ(reason(), u"screenShare Zoom"_s);
    EXPECT_EQ(monitor().sampleSignals().camera, u"Integrated Camera"_s) << "still sampled";
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
    workspace.frontmost = app(u"us.zoom.Zoom"_s, u"Zoom Workplace"_s);
    EXPECT_EQ(reason(), u"call Zoom Workplace"_s);
    workspace.frontmost = app(u"com.webex.meetingmanager"_s, QString());
    EXPECT_EQ(reason(), u"call com.webex.meetingmanager"_s);
    settings.setMeetingAppBundleIDs({u"org.jitsi.jitsi-meet"_s});
    workspace.frontmost = app(u"us.zoom.Zoom"_s, u"Zoom"_s);
    EXPECT_EQ(reason(), u"none"_s);
}

// A voice call shows no camera; the meeting app in front names the call better than the
// application that records.
TEST_F(ContextMonitorTest, AMicrophoneInUseIsACallUnlessItsSwitchIsOff) {
    media.microphone = u"OBS Studio"_s;
    EXPECT_EQ(reason(), u"call OBS Studio"_s);
    workspace.frontmost = app(u"us.zoom.Zoom"_s, u"Zoom Workplace"_s);
    EXPECT_EQ(reason(), u"call Zoom Workplace"_s);
    workspace.frontmost.reset();
    settings.setPauseForMicrophone(false);
    EXPECT_EQ(reason(), u"none"_s);
    EXPECT_EQ(monitor().sampleSignals().microphone, u"OBS Studio"_s) << "still sampled";
}

TEST_F(ContextMonitorTest, OffHoursOutrankAMeetingThatStillKeepsTheEveningMessagesBack) {
    WorkSchedule schedule;
    schedule.enabled = true;
    settings.setWorkSchedule(schedule);
    CalendarRules rules;
    rules.enabled = true;
    settings.setCalendarRules(rules);
    calendar.eventList = {{u"work"_s, u"Planning"_s, at(9, 0), at(18, 31)}};
    EXPECT_EQ(reason(), u"meeting Planning"_s);
    clock.set(at(18, 30));
    monitor().refresh();
    EXPECT_EQ(monitor().holdReason(), HoldReason::offHours);
    EXPECT_FALSE(monitor().onlyOffHours());
    clock.set(at(18, 31));
    monitor().refresh();
    EXPECT_TRUE(monitor().onlyOffHours());
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
    monitor().start();
    QSignalSpy reasonChanged(&monitor(), &HoldState::holdReasonChanged);
    QSignalSpy detailChanged(&monitor(), &ContextMonitor::holdDetailChanged);
    workspace.frontmost = app(u"us.zoom.Zoom"_s, u"Zoom"_s);
    Q_EMIT workspace.applicationActivated();
    workspace.frontmost = app(u"teams-for-linux"_s, u"Teams"_s);
    Q_EMIT workspace.applicationActivated();
    monitor().refresh();
    EXPECT_EQ(reasonChanged.count(), 1);
    EXPECT_EQ(detailChanged.count(), 2);
    EXPECT_EQ(monitor().holdDetail(), u"Teams"_s);

    QSignalSpy woke(&monitor(), &HoldState::didWake);
    Q_EMIT session.woke();
    EXPECT_EQ(woke.count(), 1);
}
