#include "automation/UsageReporter.h"
#include "automation/BundleInfo.h"
#include "fakes/LocalHttpServer.h"
#include "fakes/LogCapture.h"
#include "fakes/ScopedEnv.h"
#include "fakes/ScopedTimeZone.h"
#include "fakes/StoredServices.h"
#include "fakes/WriteFile.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

struct UsageReporterTest : ::testing::Test {
    UsageReporter reporterTo(const QString& endpoint) {
        return UsageReporter(services.clock, services.settings, services.events,
                             services.preferences, {u"1.4.2"_s, u"57"_s, {}, endpoint});
    }
    // Logs "day h:mm action" events of December 2026, then has the reporter (the fixture's unless
    // told) report at now ("day h:mm") and gives back what the server received, once it is over.
    QJsonObject ping(const QString& events, const QString& now, UsageReporter* from = nullptr) {
        const auto at = [](const QString& time) {
            return QDateTime::fromString(u"2026-12-"_s + time, u"yyyy-MM-d h:mm"_s);
        };
        for (const QString& event : events.split(u", "_s, Qt::SkipEmptyParts)) {
            services.clock.set(at(event.section(u' ', 0, 1)));
            services.events.log(*EventStore::actionFromRawValue(event.section(u' ', 2)));
        }
        services.clock.set(at(now));
        const qsizetype sent = server.requests().size() + 1;
        (from ? *from : reporter).ping();
        EXPECT_TRUE(server.waitForRequests(sent) && over(from ? *from : reporter));
        return QJsonDocument::fromJson(server.requests().constLast().body).object();
    }
    static bool over(const UsageReporter& reporter) {
        return QTest::qWaitFor([&] { return !reporter.findChild<QNetworkReply*>(); });
    }

    StoredServices services{QDateTime(QDate(2026, 12, 7), QTime(8, 0))};
    LocalHttpServer server;
    const QString url = server.url(u"/usage"_s).toString();
    UsageReporter reporter = reporterTo(url);
    const LogCapture log;
};

} // namespace

// The day and its counts are the local day's, here a day ahead of UTC's. Any answer, whatever its
// status and however long its body, means the report arrived. The installation ID is an upper-case
// UUID that outlasts a restart; an earlier lower-case one goes on as the same UUID.
TEST_F(UsageReporterTest, PostsTodaysCountsAsJsonWithALastingDeviceID) {
    const ScopedTimeZone auckland("Pacific/Auckland");
    server.answer("/usage", -500);
    QJsonObject report = ping(u"6 23:30 expired, 7 8:00 launch, 7 8:10 fired, 7 8:11 done, "
                              u"7 8:50 fired, 7 8:52 snoozed, 7 9:30 fired, 7 9:35 done"_s,
                              u"7 11:00"_s);
    const QString device = report.take(u"device"_s).toString();
    EXPECT_EQ(QUuid::fromString(device).toString(QUuid::WithoutBraces).toUpper(), device);
    EXPECT_TRUE(report.take(u"os"_s).toString().contains(QRegularExpression(u"^\\d+\\.\\d+$"_s)));
    EXPECT_EQ(QJsonDocument(report).toJson(QJsonDocument::Compact),
              R"({"activeMinutes":180,"day":"2026-12-07","done":2,"expired":0,"fired":3,)"
              R"("launches":1,"skipped":0,"snoozed":1,"version":"1.4.2"})");
    const LocalHttpServer::Request& request = server.requests().constLast();
    EXPECT_EQ(request.method + ' ' + request.path + ' ' + request.headers.value("content-type"),
              "POST /usage application/json");
    UsageReporter restarted = reporterTo(url);
    EXPECT_EQ(ping({}, u"7 12:00"_s, &restarted)[u"device"_s], device);
    services.preferences.setString(u"usageDeviceID"_s, device.toLower());
    EXPECT_EQ(ping({}, u"7 12:00"_s)[u"device"_s], device);
    EXPECT_EQ(log.lines(), QStringList());
}

TEST_F(UsageReporterTest, HeldTimeIsNotActiveAndADayCountsAtMostSixteenHours) {
    // The first end closes no hold, the second start opens none.
    const QString open =
        u"7 9:00 launch, 7 9:10 hold_end, 7 10:00 hold_start, 7 10:30 hold_start"_s;
    EXPECT_EQ(ping(open, u"7 11:00"_s)[u"activeMinutes"_s], 60);
    const QString closed = u"8 0:10 launch, 8 1:00 hold_start, 8 1:30 hold_end"_s;
    EXPECT_EQ(ping(closed, u"8 23:00"_s)[u"activeMinutes"_s], 960);
}

// A report at start, then one each hour (each half minute in fast mode: ctest runs this again with
// BREVIMAR_FAST=1), but never a second while one is under way. One is given up at its deadline,
// with a line in the log, and not tried again.
TEST_F(UsageReporterTest, ReportsAtStartThenEachPeriodOneAtATime) {
    server.answer("/usage", 0);
    reporter.setDeadline(300ms);
    reporter.start();
    auto* timer = reporter.findChild<QTimer*>(QString(), Qt::FindDirectChildrenOnly);
    ASSERT_TRUE(timer && timer->isActive() && server.waitForRequests(1));
    EXPECT_EQ(timer->intervalAsDuration(), qgetenv("BREVIMAR_FAST") == "1" ? 30s : 1h);
    QMetaObject::invokeMethod(timer, "timeout");
    ASSERT_TRUE(over(reporter));
    EXPECT_EQ(log.lines(), QStringList{u"Brevimar usage ping failed: no answer in time"_s});
    EXPECT_EQ(server.requests().size(), 1);
    QMetaObject::invokeMethod(timer, "timeout");
    EXPECT_TRUE(server.waitForRequests(2));
}

// No address, sharing switched off, or an address anyone on the way could read (said once) send
// nothing; plain http is only for this computer.
TEST_F(UsageReporterTest, SendsNothingWhenNotAllowedOrWithNowhereSafeToSend) {
    UsageReporter unconfigured = reporterTo({});
    unconfigured.ping();
    const ScopedEnv plain("BREVIMAR_USAGE_URL", u"http://example.org/usage"_s);
    unconfigured.ping();
    unconfigured.ping();
    const ScopedEnv local("BREVIMAR_USAGE_URL", url);
    services.settings.setShareUsage(false);
    unconfigured.ping();
    EXPECT_EQ(unconfigured.findChild<QNetworkAccessManager*>(), nullptr);
    services.settings.setShareUsage(true);
    ping({}, u"7 9:00"_s, &unconfigured);
    EXPECT_EQ(log.lines(), QStringList{u"Brevimar usage ping refused: http://example.org/usage "
                                       "is not an https address"_s});
}

TEST(UsageReporterOsVersion, MajorAndMinorFromTheSystemOrElseTheKernel) {
    for (const auto& [osRelease, expected] : QList<std::pair<QByteArray, QString>>{
             {"NAME=\"Debian GNU/Linux\"\nVERSION_ID=\"12\"\n", u"12.0"_s},
             {"VERSION_ID='24.04'\n", u"24.4"_s},
             {"ID=alpine\nVERSION_ID=3.19.1\n", u"3.19"_s},
             {"PRETTY_NAME=\"Debian GNU/Linux trixie/sid\"\n", u"6.1"_s}})
        EXPECT_EQ(UsageReporter::osVersion(osRelease, u"6.1.0-18-amd64"_s), expected)
            << osRelease.data();
    // Inside Flatpak, the system's is the host's, not the runtime's.
    const QTemporaryDir root;
    writeFile(root.path() + u"/etc/os-release"_s, "VERSION_ID=23.08\n");
    writeFile(root.path() + u"/run/host/os-release"_s, "VERSION_ID=12\n");
    EXPECT_EQ(UsageReporter::osRelease(root.path()), "VERSION_ID=23.08\n");
    writeFile(root.path() + u"/.flatpak-info"_s, "[Application]\n");
    EXPECT_EQ(UsageReporter::osRelease(root.path()), "VERSION_ID=12\n");
}
