#include "ui/notifications/NotificationService.h"
#include "fakes/EngineHarness.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString objectPath = u"/org/freedesktop/Notifications"_s;
const QString serviceName = u"org.freedesktop.Notifications"_s;

// A notification server on the private session bus that remembers what it was asked.
class FakeNotificationServer : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Notification {
        uint replaces;
        QString body;
        QStringList actions;
        QVariantMap hints;
    };

    explicit FakeNotificationServer(QDBusConnection bus)
        : m_bus(bus) {
        start();
    }
    ~FakeNotificationServer() override { stop(); }

    // The server ends and starts again on a connection of its own, with nothing on screen.
    void restart(QDBusConnection bus) {
        stop();
        m_bus = bus;
        notified.clear();
        onScreen.clear();
        start();
    }
    void invoke(uint id, const QString& action) {
        m_bus.send(QDBusMessage::createSignal(objectPath, serviceName, u"ActionInvoked"_s)
                   << id << action);
    }

    QList<Notification> notified;
    QSet<uint> onScreen; // ids, until closed
    QStringList capabilities{u"actions"_s, u"body"_s};

public Q_SLOTS:
    uint Notify(const QString&, uint replaces, const QString&, const QString&, const QString& body,
                const QStringList& actions, const QVariantMap& hints, int) {
        notified.append({replaces, body, actions, hints});
        const uint id = replaces ? replaces : uint(notified.size());
        onScreen.insert(id);
        return id;
    }
    void CloseNotification(uint id) { onScreen.remove(id); }
    QStringList GetCapabilities() { return capabilities; }

private:
    void start() {
        m_bus.registerObject(objectPath, this, QDBusConnection::ExportAllSlots);
        m_bus.registerService(serviceName);
    }
    void stop() {
        m_bus.unregisterService(serviceName);
        m_bus.unregisterObject(objectPath);
    }

    QDBusConnection m_bus;
};

class NotificationServiceTest : public ::testing::Test, protected EngineHarness {
protected:
    NotificationServiceTest() {
        settings.setReminderStyle(ReminderStyle::notification);
        notifierInUse = &service;
        service.setEngine(&engine());
    }
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("BREVIMAR_IN_SESSION"))
            GTEST_SKIP() << "needs the private bus of scripts/run-in-session";
    }
    template <typename Predicate> bool waitFor(Predicate predicate) {
        return QTest::qWaitFor(predicate, 10000);
    }

    // The server has a connection of its own, as a real one would.
    FakeNotificationServer server{
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"server"_s)};
    NotificationService service{QDBusConnection::sessionBus(), settings};
};

} // namespace

// The server tells a notification's id only in its answer: a clear or a second delivery that
// comes before it must still leave at most one notification of the kind on screen.
TEST_F(NotificationServiceTest, OneLiveNotificationPerKindWhateverTheTiming) {
    engine().fire(NudgeKind::water());
    engine().fire(NudgeKind::water());
    engine().fire(NudgeKind::water());
    ASSERT_TRUE(waitFor([&] { return server.notified.size() == 2; }));
    EXPECT_EQ(server.notified[1].replaces, 1u) << "the newest replaces the first";
    EXPECT_EQ(server.onScreen, QSet<uint>{1});

    engine().done(NudgeKind::water());
    engine().fire(NudgeKind::movement());
    engine().done(NudgeKind::movement()); // before the server has answered
    ASSERT_TRUE(waitFor([&] { return server.onScreen.isEmpty(); }));
    server.invoke(3, u"done"_s); // the closed notification's button must not count again
    engine().fire(NudgeKind::water());
    ASSERT_TRUE(waitFor([&] { return server.onScreen.size() == 1; }));
    EXPECT_EQ(dayLog.state().counts.value(u"movement"_s), 1);
}

TEST_F(NotificationServiceTest, RemindersCarryFourAnswersWhichReachTheEngine) {
    service.requestAuthorization();
    engine().fire(NudgeKind::water());
    ASSERT_TRUE(waitFor([&] { return log.lines().contains(u"Brevimar nudge water delivered"_s); }));
    const auto& first = server.notified.at(0);
    EXPECT_EQ(first.body, u"first one today\nA few sips. Then back to it."_s);
    EXPECT_EQ(first.actions.size(), 8);
    EXPECT_TRUE(first.hints.value(u"suppress-sound"_s).toBool());
    server.invoke(1, u"default"_s); // the body does nothing
    server.invoke(1, u"snooze"_s);
    ASSERT_TRUE(waitFor([&] { return server.onScreen.isEmpty(); }))
        << "an answered reminder leaves the screen";
    EXPECT_EQ(engine().nextAt().value(NudgeKind::water()), clock.now().addSecs(600));

    settings.setSoundEnabled(true);
    engine().fire(NudgeKind::movement());
    ASSERT_TRUE(
        waitFor([&] { return log.lines().contains(u"Brevimar nudge movement delivered"_s); }));
    EXPECT_EQ(server.notified[1].hints.value(u"sound-name"_s), u"message-new-instant"_s);
    server.invoke(2, u"done"_s);
    EXPECT_TRUE(waitFor([&] { return dayLog.state().counts.value(u"movement"_s) == 1; }));

    service.deliverWindDown(u"2 sips"_s);
    ASSERT_TRUE(waitFor([&] { return server.notified.size() == 3; }));
    EXPECT_TRUE(server.notified[2].actions.isEmpty()) << "nothing to answer";
}

// While Brevimar's own window is in front a reminder shows a second later, not under a click
// meant for that window; answered meanwhile (in the panel, by a shortcut), it never shows.
TEST_F(NotificationServiceTest, AnsweredWhileBrevimarIsInFrontItNeverShows) {
    QWidget window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(
        waitFor([] { return QGuiApplication::applicationState() == Qt::ApplicationActive; }));
    engine().fire(NudgeKind::water());
    engine().fire(NudgeKind::movement());
    engine().done(NudgeKind::water());
    ASSERT_TRUE(
        waitFor([&] { return log.lines().contains(u"Brevimar nudge movement delivered"_s); }));
    ASSERT_EQ(server.notified.size(), 1);
    EXPECT_TRUE(server.notified[0].body.endsWith(NudgeKind::movement().notificationBody));
    window.hide();
    EXPECT_TRUE(
        waitFor([] { return QGuiApplication::applicationState() != Qt::ApplicationActive; }));
}

// After a restart the earlier server's ids belong to nobody, or to another program's
// notification, which a reminder must not replace (nor answer, nor close). The new server may
// read markup in the body, where the first showed a reminder's own message as written.
TEST_F(NotificationServiceTest, ARestartedServerKnowsNoneOfTheEarlierIds) {
    const NudgeKind pills = CustomReminder{.message = u"Take <2 pills> & rest"_s}.asKind();
    service.deliver(pills, {});
    ASSERT_TRUE(waitFor([&] { return server.onScreen.size() == 1; }));
    EXPECT_EQ(server.notified[0].body, u"Take <2 pills> & rest"_s);
    server.capabilities.append(u"body-markup"_s);
    QDBusServiceWatcher restarted(serviceName, QDBusConnection::sessionBus(),
                                  QDBusServiceWatcher::WatchForOwnerChange);
    QSignalSpy ownerChanges(&restarted, &QDBusServiceWatcher::serviceOwnerChanged);
    server.restart(QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"restarted"_s));
    ASSERT_TRUE(waitFor([&] { return ownerChanges.size() == 2; })); // gone, then back
    service.deliver(pills, {});
    ASSERT_TRUE(waitFor([&] { return server.notified.size() == 1; }));
    EXPECT_EQ(server.notified[0].replaces, 0u);
    EXPECT_EQ(server.notified[0].body, u"Take &lt;2 pills&gt; &amp; rest"_s);
}

#include "NotificationServiceTest.moc"
