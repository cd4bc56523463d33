#include "platform/linux/LinuxSession.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

const QString SessionPath = u"/org/freedesktop/login1/session/_32"_s;
const QString FreedesktopSaver = u"org.freedesktop.ScreenSaver"_s;
const QString GnomeSaver = u"org.gnome.ScreenSaver"_s;
const QString Notifications = u"org.freedesktop.Notifications"_s;

// logind, Mutter's idle monitor, the screen savers and KDE's notification server on the private bus
// of scripts/run-in-session, all owned by one connection so its signals arrive in the order sent.
// An idle source answers only once given a time; the others answer with an error.
class FakeSessionServices : public QDBusVirtualObject {
public:
    FakeSessionServices()
        : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"fakes"_s)) {
        m_bus.registerVirtualObject(u"/"_s, this, QDBusConnection::SubPath);
        for (const QString& name : {u"org.freedesktop.login1"_s, u"org.gnome.Mutter.IdleMonitor"_s,
                                    FreedesktopSaver, GnomeSaver, Notifications})
            EXPECT_TRUE(m_bus.registerService(name));
        // LinuxSession calls synchronously from the main thread, which cannot answer itself.
        moveToThread(&m_thread);
        m_thread.start();
    }
    ~FakeSessionServices() override {
        m_thread.quit();
        m_thread.wait();
        QDBusConnection::disconnectFromBus(u"fakes"_s);
    }

    std::atomic<bool> knowsAuto{true};
    std::atomic<bool> locked{false};
    std::atomic<bool> inhibited{false};
    std::atomic<qint64> mutterIdleMs{-1};
    std::atomic<bool> mutterHung{false}; // takes the call and never answers
    std::atomic<int> mutterCalls{0};
    QString saverPath; // where the screen saver answers with 4 s of idle time

    void sendSessionProperties(const QVariantMap& changed, const QStringList& invalidated = {},
                               const QString& interface = u"org.freedesktop.login1.Session"_s) {
        send(SessionPath, u"org.freedesktop.DBus.Properties"_s, u"PropertiesChanged"_s,
             {interface, changed, invalidated});
    }
    void sendPrepareForSleep(bool start) {
        send(u"/org/freedesktop/login1"_s, u"org.freedesktop.login1.Manager"_s,
             u"PrepareForSleep"_s, {start});
    }
    void sendActiveChanged(const QString& path, bool active) {
        send(path, path.contains(u"gnome") ? GnomeSaver : FreedesktopSaver, u"ActiveChanged"_s,
             {active});
    }
    void sendInhibited(bool on) {
        send(u"/org/freedesktop/Notifications"_s, u"org.freedesktop.DBus.Properties"_s,
             u"PropertiesChanged"_s,
             {Notifications, QVariantMap{{u"Inhibited"_s, on}}, QStringList()});
    }
    void quitNotifications() { EXPECT_TRUE(m_bus.unregisterService(Notifications)); }
    // Everything sent before has been handled once the wake sent after it arrives.
    void flush(LinuxSession& session) {
        QSignalSpy woke(&session, &SessionEvents::woke);
        sendPrepareForSleep(false);
        ASSERT_TRUE(woke.wait(5000));
    }

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection&) override {
        const QString member = message.member();
        const QVariant argument = message.arguments().value(0);
        QVariant answer;
        if ((member == u"GetSession" && argument == u"auto"_s && knowsAuto) ||
            (member == u"GetSessionByPID" &&
             argument.toUInt() == uint(QCoreApplication::applicationPid())))
            answer = QVariant::fromValue(QDBusObjectPath(SessionPath));
        else if (member == u"Get" && message.path() == SessionPath)
            answer = QVariant::fromValue(QDBusVariant(bool(locked)));
        else if (member == u"Get" && argument == Notifications &&
                 message.arguments().value(1) == u"Inhibited"_s)
            answer = QVariant::fromValue(QDBusVariant(bool(inhibited)));
        else if (member == u"GetIdletime" && mutterIdleMs >= 0) {
            ++mutterCalls;
            if (mutterHung)
                return true;
            answer = qulonglong(mutterIdleMs);
        } else if (member == u"GetSessionIdleTime" && message.path() == saverPath)
            answer = 4000u;
        m_bus.send(answer.isValid() ? message.createReply(answer)
                                    : message.createErrorReply(QDBusError::UnknownObject, {}));
        return true;
    }

private:
    void send(const QString& path, const QString& interface, const QString& name,
              const QVariantList& arguments) {
        QDBusMessage signal = QDBusMessage::createSignal(path, interface, name);
        signal.setArguments(arguments);
        ASSERT_TRUE(m_bus.send(signal));
    }

    QDBusConnection m_bus;
    QThread m_thread;
};

class LinuxSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Outside run-in-session the fakes would claim names on the user's own session bus.
        if (qEnvironmentVariableIsEmpty("BREVIMAR_IN_SESSION"))
            GTEST_SKIP() << "runs on the private bus of scripts/run-in-session";
        fakes = std::make_unique<FakeSessionServices>();
    }

    std::unique_ptr<LinuxSession> makeSession(const QString& xDisplay = {}) {
        const QDBusConnection bus = QDBusConnection::sessionBus();
        auto session = std::make_unique<LinuxSession>(bus, bus, xDisplay);
        // A round trip: the bus has the session's match rules before any signal is sent.
        bus.interface()->isServiceRegistered(u"org.freedesktop.DBus"_s);
        return session;
    }

    std::unique_ptr<FakeSessionServices> fakes;
};

} // namespace

TEST_F(LinuxSessionTest, LogindAndTheScreenSaversLockOnceAndTheEndOfSleepWakes) {
    const auto session = makeSession();
    QSignalSpy locked(session.get(), &SessionEvents::screenLocked);
    QSignalSpy unlocked(session.get(), &SessionEvents::screenUnlocked);
    QSignalSpy woke(session.get(), &SessionEvents::woke);

    // One lock as logind and the screen savers (KDE's on two paths) report it; other properties
    // and interfaces say nothing about it.
    fakes->sendPrepareForSleep(true);
    fakes->locked = true;
    fakes->sendSessionProperties({{u"LockedHint"_s, true}});
    fakes->sendActiveChanged(u"/org/freedesktop/ScreenSaver"_s, true);
    fakes->sendActiveChanged(u"/ScreenSaver"_s, true);
    fakes->sendActiveChanged(u"/org/gnome/ScreenSaver"_s, true);
    fakes->sendSessionProperties({{u"IdleHint"_s, true}});
    fakes->sendSessionProperties({{u"LockedHint"_s, false}}, {}, u"org.example.Other"_s);
    fakes->flush(*session);
    EXPECT_EQ(locked.count(), 1);
    EXPECT_EQ(unlocked.count(), 0);
    EXPECT_EQ(woke.count(), 1) << "only the end of sleep is a wake";

    // logind may only announce that the hint changed; the value is then read back.
    fakes->locked = false;
    fakes->sendSessionProperties({}, {u"LockedHint"_s});
    fakes->flush(*session);
    EXPECT_EQ(unlocked.count(), 1);

    // A screen saver alone locks and unlocks too.
    fakes->sendActiveChanged(u"/org/gnome/ScreenSaver"_s, false);
    fakes->sendActiveChanged(u"/org/freedesktop/ScreenSaver"_s, true);
    fakes->flush(*session);
    EXPECT_EQ(unlocked.count(), 1);
    EXPECT_EQ(locked.count(), 2);
    fakes->sendActiveChanged(u"/org/freedesktop/ScreenSaver"_s, false);
    ASSERT_TRUE(unlocked.wait(5000));

    // Where logind does not know "auto", the session of the process is watched.
    fakes->knowsAuto = false;
    const auto byPid = makeSession();
    QSignalSpy lockedByPid(byPid.get(), &SessionEvents::screenLocked);
    fakes->locked = true;
    fakes->sendSessionProperties({{u"LockedHint"_s, true}});
    EXPECT_TRUE(lockedByPid.wait(5000));
}

TEST_F(LinuxSessionTest, IdleTimeFromTheXServerMutterOrTheScreenSaverAndAHungSourceCostsAMoment) {
    fakes->mutterIdleMs = 999999;
    EXPECT_LT(makeSession(qEnvironmentVariable("DISPLAY"))->idleSeconds().value_or(999), 999.0)
        << "the X server answers first";

    fakes->mutterIdleMs = 1500;
    fakes->saverPath = u"/ScreenSaver"_s; // the older path
    const auto session = makeSession();
    EXPECT_EQ(session->idleSeconds(), 1.5);

    fakes->mutterHung = true;
    // Measured, not waited for: D-Bus's own timeout of 25 seconds would stall every poll.
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(session->idleSeconds(), 4.0);
    EXPECT_LT(elapsed.elapsed(), 5000);
    EXPECT_EQ(session->idleSeconds(), 4.0);
    EXPECT_EQ(fakes->mutterCalls, 2) << "the source that answered is asked first";

    fakes->saverPath = u"/org/freedesktop/ScreenSaver"_s;
    EXPECT_EQ(session->idleSeconds(), 4.0);

    fakes->mutterIdleMs = -1;
    fakes->saverPath.clear();
    EXPECT_EQ(makeSession(u":4242"_s)->idleSeconds(), std::nullopt) << "no source answers";
}

// KDE Plasma's notification server tells Do Not Disturb as its Inhibited property: read at start,
// followed through its change signal, and no longer known once the server has gone.
TEST_F(LinuxSessionTest, PlasmaDoNotDisturbIsReadFollowedAndForgottenWithItsServer) {
    fakes->inhibited = true;
    const auto session = makeSession();
    QSignalSpy changed(session.get(), &SessionEvents::doNotDisturbChanged);
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(session->doNotDisturb(), true);
    fakes->sendInhibited(false);
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(session->doNotDisturb(), false);
    fakes->quitNotifications();
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(session->doNotDisturb(), std::nullopt);
}
