#include "platform/linux/LinuxSession.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>

using namespace Qt::StringLiterals;

// The desktop's session services, faked on the private bus of scripts/run-in-session. They are
// served from a thread of their own: LinuxSession calls them synchronously from the main thread,
// which would otherwise wait on itself until the call times out.
namespace {

const QString LoginPath = u"/org/freedesktop/login1"_s;
const QString SessionPath = u"/org/freedesktop/login1/session/_32"_s;

class FakeLoginManager : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    std::atomic<bool> knowsAuto{true};

public Q_SLOTS:
    QDBusObjectPath GetSession(const QString& id) {
        if (id == u"auto" && knowsAuto)
            return QDBusObjectPath(SessionPath);
        sendErrorReply(u"org.freedesktop.login1.NoSuchSession"_s, id);
        return {};
    }
    QDBusObjectPath GetSessionByPID(uint pid) {
        if (pid == uint(QCoreApplication::applicationPid()))
            return QDBusObjectPath(SessionPath);
        sendErrorReply(u"org.freedesktop.login1.NoSessionForPID"_s, QString::number(pid));
        return {};
    }
};

class FakeLoginSession : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Session")
    Q_PROPERTY(bool LockedHint READ lockedHint)

public:
    bool lockedHint() const { return locked; }
    std::atomic<bool> locked{false};
};

class FakeIdleMonitor : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Mutter.IdleMonitor")

public:
    std::atomic<qulonglong> idleMs{0};
    std::atomic<bool> hung{false};
    std::atomic<int> calls{0};

public Q_SLOTS:
    qulonglong GetIdletime() {
        ++calls;
        if (hung)
            setDelayedReply(true); // and never answer
        return idleMs;
    }
};

class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")

public:
    std::atomic<uint> idleMs{0};

public Q_SLOTS:
    uint GetSessionIdleTime() { return idleMs; }
};

// One connection owns every faked name, so its signals arrive in the order sent.
class FakeSessionServices {
public:
    FakeSessionServices()
        : m_name(u"fakes-%1"_s.arg(++s_count))
        , m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_name)) {
        m_thread.start();
    }
    ~FakeSessionServices() {
        QDBusConnection::disconnectFromBus(m_name);
        m_thread.quit();
        m_thread.wait();
    }

    FakeLoginManager& serveLogind() {
        serve(u"org.freedesktop.login1"_s, LoginPath, m_manager);
        serve({}, SessionPath, m_session);
        return *m_manager;
    }
    FakeLoginSession& loginSession() { return *m_session; }
    FakeIdleMonitor& serveIdleMonitor() {
        serve(u"org.gnome.Mutter.IdleMonitor"_s, u"/org/gnome/Mutter/IdleMonitor/Core"_s,
              m_idleMonitor);
        return *m_idleMonitor;
    }
    FakeScreenSaver& serveScreenSaver(const QString& path) {
        serve(u"org.freedesktop.ScreenSaver"_s, path, m_screenSaver);
        return *m_screenSaver;
    }
    void ownName(const QString& name) { ASSERT_TRUE(m_bus.registerService(name)); }

    void sendSessionProperties(const QString& interface, const QVariantMap& changed,
                               const QStringList& invalidated = {}) {
        send(SessionPath, u"org.freedesktop.DBus.Properties"_s, u"PropertiesChanged"_s,
             {interface, changed, invalidated});
    }
    void sendLocked(bool locked) {
        m_session->locked = locked;
        sendSessionProperties(u"org.freedesktop.login1.Session"_s, {{u"LockedHint"_s, locked}});
    }
    void sendPrepareForSleep(bool start) {
        send(LoginPath, u"org.freedesktop.login1.Manager"_s, u"PrepareForSleep"_s, {start});
    }
    void sendActiveChanged(const QString& path, const QString& interface, bool active) {
        send(path, interface, u"ActiveChanged"_s, {active});
    }

    // Everything sent before has been handled once the wake sent after it arrives.
    void flush(LinuxSession& session) {
        QSignalSpy woke(&session, &SessionEvents::woke);
        sendPrepareForSleep(false);
        ASSERT_TRUE(woke.wait(5000));
    }

private:
    template <typename Fake>
    void serve(const QString& service, const QString& path, std::unique_ptr<Fake>& fake) {
        fake = std::make_unique<Fake>();
        fake->moveToThread(&m_thread);
        ASSERT_TRUE(m_bus.registerObject(path, fake.get(),
                                         QDBusConnection::ExportAllSlots |
                                             QDBusConnection::ExportAllProperties));
        if (!service.isEmpty())
            ownName(service);
    }
    void send(const QString& path, const QString& interface, const QString& name,
              const QVariantList& arguments) {
        QDBusMessage signal = QDBusMessage::createSignal(path, interface, name);
        signal.setArguments(arguments);
        ASSERT_TRUE(m_bus.send(signal));
    }

    static inline int s_count = 0;
    QString m_name;
    QDBusConnection m_bus;
    std::unique_ptr<FakeLoginManager> m_manager;
    std::unique_ptr<FakeLoginSession> m_session;
    std::unique_ptr<FakeIdleMonitor> m_idleMonitor;
    std::unique_ptr<FakeScreenSaver> m_screenSaver;
    QThread m_thread;
};

class LinuxSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Outside run-in-session the fakes would claim names on the user's own session bus.
        if (qEnvironmentVariableIsEmpty("BREVIMAR_IN_SESSION"))
            GTEST_SKIP() << "runs on the private bus of scripts/run-in-session";
    }

    std::unique_ptr<LinuxSession> makeSession(const QString& xDisplay = {}) {
        const QDBusConnection bus = QDBusConnection::sessionBus();
        auto session = std::make_unique<LinuxSession>(bus, bus, xDisplay);
        // A round trip: the bus has the session's match rules before any signal is sent.
        bus.interface()->isServiceRegistered(u"org.freedesktop.DBus"_s);
        return session;
    }

    FakeSessionServices fakes;
};

} // namespace

TEST_F(LinuxSessionTest, LogindLocksUnlocksAndWakesOnceEach) {
    fakes.serveLogind();
    const auto session = makeSession();
    QSignalSpy locked(session.get(), &SessionEvents::screenLocked);
    QSignalSpy unlocked(session.get(), &SessionEvents::screenUnlocked);
    QSignalSpy woke(session.get(), &SessionEvents::woke);

    fakes.sendPrepareForSleep(true);
    fakes.sendLocked(true);
    ASSERT_TRUE(locked.wait(5000));
    EXPECT_EQ(woke.count(), 0) << "only the end of sleep is a wake";

    // Other properties and other interfaces of the session object say nothing about the lock.
    fakes.sendSessionProperties(u"org.freedesktop.login1.Session"_s, {{u"IdleHint"_s, true}});
    fakes.sendSessionProperties(u"org.example.Other"_s, {{u"LockedHint"_s, false}});
    fakes.flush(*session);
    EXPECT_EQ(unlocked.count(), 0);
    EXPECT_EQ(woke.count(), 1);

    // logind may only announce that the hint changed; the value is then read back.
    fakes.loginSession().locked = false;
    fakes.sendSessionProperties(u"org.freedesktop.login1.Session"_s, {}, {u"LockedHint"_s});
    ASSERT_TRUE(unlocked.wait(5000));
    EXPECT_EQ(locked.count(), 1);
    EXPECT_EQ(unlocked.count(), 1);
}

TEST_F(LinuxSessionTest, WithoutAutoTheSessionOfTheProcessIsWatched) {
    fakes.serveLogind().knowsAuto = false;
    const auto session = makeSession();
    QSignalSpy locked(session.get(), &SessionEvents::screenLocked);

    fakes.sendLocked(true);
    EXPECT_TRUE(locked.wait(5000));
}

TEST_F(LinuxSessionTest, ScreenSaversLockTooAndRepeatsOfOneChangeCountOnce) {
    fakes.serveLogind();
    fakes.ownName(u"org.freedesktop.ScreenSaver"_s);
    fakes.ownName(u"org.gnome.ScreenSaver"_s);
    const auto session = makeSession();
    QSignalSpy locked(session.get(), &SessionEvents::screenLocked);
    QSignalSpy unlocked(session.get(), &SessionEvents::screenUnlocked);
    const QString freedesktop = u"org.freedesktop.ScreenSaver"_s;
    const QString gnome = u"org.gnome.ScreenSaver"_s;

    fakes.sendLocked(true);
    fakes.sendActiveChanged(u"/org/freedesktop/ScreenSaver"_s, freedesktop, true);
    fakes.sendActiveChanged(u"/ScreenSaver"_s, freedesktop, true);
    fakes.sendActiveChanged(u"/org/gnome/ScreenSaver"_s, gnome, true);
    fakes.flush(*session);
    EXPECT_EQ(locked.count(), 1);

    fakes.sendActiveChanged(u"/org/gnome/ScreenSaver"_s, gnome, false);
    ASSERT_TRUE(unlocked.wait(5000));
    fakes.sendLocked(false);
    fakes.sendActiveChanged(u"/org/freedesktop/ScreenSaver"_s, freedesktop, false);
    fakes.flush(*session);
    EXPECT_EQ(unlocked.count(), 1);

    fakes.sendActiveChanged(u"/org/freedesktop/ScreenSaver"_s, freedesktop, true);
    ASSERT_TRUE(locked.wait(5000));
    EXPECT_EQ(locked.count(), 2);
}

TEST_F(LinuxSessionTest, IdleTimeComesFromMutterBeforeTheScreenSaver) {
    fakes.serveIdleMonitor().idleMs = 1500;
    fakes.serveScreenSaver(u"/org/freedesktop/ScreenSaver"_s).idleMs = 9000;
    const auto session = makeSession();

    EXPECT_EQ(session->idleSeconds(), 1.5);
}

TEST_F(LinuxSessionTest, AHungSourceIsGivenUpQuicklyAndNotAskedFirstAgain) {
    FakeIdleMonitor& mutter = fakes.serveIdleMonitor();
    mutter.hung = true;
    fakes.serveScreenSaver(u"/ScreenSaver"_s).idleMs = 4000; // the older path
    const auto session = makeSession();

    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(session->idleSeconds(), 4.0);
    // D-Bus's own timeout is 25 seconds; anything near it would stall every poll.
    EXPECT_LT(elapsed.elapsed(), 5000);
    EXPECT_EQ(session->idleSeconds(), 4.0);
    EXPECT_EQ(mutter.calls, 1);
}

TEST_F(LinuxSessionTest, NoIdleTimeWhenNothingAnswers) {
    fakes.ownName(u"org.gnome.Mutter.IdleMonitor"_s); // owned, but without the object
    const auto session = makeSession(u":4242"_s);

    EXPECT_EQ(session->idleSeconds(), std::nullopt);
}

TEST_F(LinuxSessionTest, TheXServerAnswersTheIdleTime) {
    const QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty())
        GTEST_SKIP() << "no X display";
    const auto session = makeSession(display);

    const std::optional<double> idle = session->idleSeconds();
    ASSERT_TRUE(idle.has_value());
    EXPECT_GE(*idle, 0.0);
}

#include "LinuxSessionTest.moc"
