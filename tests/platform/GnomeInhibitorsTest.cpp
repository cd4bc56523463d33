#include "platform/linux/GnomeInhibitors.h"
#include "fakes/LogCapture.h"
#include "fakes/QtPrinters.h"
#include "fakes/TemporaryXdg.h"
#include "fakes/WriteFile.h"
#include "platform/linux/WaylandConnection.h"
#include "platform/linux/WaylandWorkspace.h"
#include "platform/linux/X11Workspace.h"

#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QMutex>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString Service = u"org.gnome.SessionManager"_s;
const QString ManagerPath = u"/org/gnome/SessionManager"_s;
const QString Added = u"InhibitorAdded"_s;
const QString Removed = u"InhibitorRemoved"_s;

// gnome-session's inhibitors on the private bus of scripts/run-in-session. It answers from a
// thread of its own: GnomeInhibitors asks synchronously from the main thread.
class FakeSessionManager : public QDBusVirtualObject {
public:
    FakeSessionManager()
        : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"gnome-session"_s)) {
        m_bus.registerVirtualObject(ManagerPath, this, QDBusConnection::SubPath);
        EXPECT_TRUE(m_bus.registerService(Service));
        moveToThread(&m_thread);
        m_thread.start();
    }
    ~FakeSessionManager() override {
        m_bus.unregisterService(Service); // gone before the next test looks for it
        m_thread.quit();
        m_thread.wait();
        QDBusConnection::disconnectFromBus(u"gnome-session"_s);
    }

    // An inhibitor as {app id, flags}, none to remove it; flags of another type than uint for a
    // service gone wrong, invalid ones for an inhibitor released before it is asked about.
    void set(int number, const QVariantList& inhibitor, const QString& signalName = {}) {
        const QString path = ManagerPath + u"/Inhibitor"_s + QString::number(number);
        QMutexLocker lock(&m_mutex);
        if (inhibitor.isEmpty())
            m_inhibitors.remove(path);
        else
            m_inhibitors.insert(path, inhibitor);
        EXPECT_TRUE(signalName.isEmpty() ||
                    m_bus.send(QDBusMessage::createSignal(ManagerPath, Service, signalName)
                               << QVariant::fromValue(QDBusObjectPath(path))));
    }

    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection&) override {
        QMutexLocker lock(&m_mutex);
        QVariant answer =
            m_inhibitors.value(message.path()).value(message.member() == u"GetAppId" ? 0 : 1);
        if (message.member() == u"GetInhibitors") {
            QList<QDBusObjectPath> paths;
            for (const QString& path : m_inhibitors.keys())
                paths.append(QDBusObjectPath(path));
            answer = QVariant::fromValue(paths);
        }
        m_bus.send(answer.isValid() ? message.createReply(answer)
                                    : message.createErrorReply(QDBusError::UnknownObject, {}));
        return true;
    }

private:
    QDBusConnection m_bus;
    QThread m_thread;
    QMutex m_mutex;
    // By path, so listed in text order: Inhibitor10 before Inhibitor9.
    QMap<QString, QVariantList> m_inhibitors;
};

class GnomeInhibitorsTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Outside run-in-session the fake would claim gnome-session's name on the user's own bus.
        if (qEnvironmentVariableIsEmpty("BREVIMAR_IN_SESSION"))
            GTEST_SKIP() << "runs on the private bus of scripts/run-in-session";
        writeFile(xdg.dataHome() + u"/applications/org.example.Player.desktop"_s,
                  "[Desktop Entry]\nName=Player\n");
        writeFile(xdg.dataHome() + u"/applications/player-remote.desktop"_s,
                  "[Desktop Entry]\nName=Remote\nStartupWMClass=org.example.Player\n");
        writeFile(xdg.dataHome() + u"/applications/slides.desktop"_s,
                  "[Desktop Entry]\nName=Slides\nStartupWMClass=SlideShow\n");
    }

    // The answer, as "id|name"; "-" for none.
    static QString answer(const GnomeInhibitors& inhibitors) {
        const std::optional<RunningApplication> app = inhibitors.idleInhibitor();
        return app ? app->id + u'|' + app->name : u"-"_s;
    }

    TemporaryXdg xdg;
    ScopedEnv dataDirs{"XDG_DATA_DIRS", xdg.dataHome()};
    LogCapture log;
    QDBusConnection bus = QDBusConnection::sessionBus();
};

} // namespace

TEST_F(GnomeInhibitorsTest, WithoutGnomeSessionNothingIsAskedAndABrokenOneIsLoggedOnce) {
    {
        GnomeInhibitors absent(bus);
        EXPECT_FALSE(absent.isAvailable());
        EXPECT_EQ(answer(absent), u"-"_s);
    }
    EXPECT_EQ(log.lines(), QStringList());

    FakeSessionManager manager;
    manager.set(1, {u"org.example.Player"_s, u"idle"_s});
    manager.set(2, {u"org.example.Player"_s, u"idle"_s});
    GnomeInhibitors inhibitors(bus);
    EXPECT_TRUE(inhibitors.isAvailable());
    QSignalSpy changed(&inhibitors, &GnomeInhibitors::changed);
    manager.set(3, {u"org.example.Player"_s, u"idle"_s}, Added);
    manager.set(4, {u"SlideShow"_s, 8u}, Added);
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(answer(inhibitors), u"slides|Slides"_s);
    EXPECT_EQ(log.lines().size(), 1) << qPrintable(log.lines().join(u'\n'));
}

TEST_F(GnomeInhibitorsTest, TheLatestIdleInhibitorOfAnotherApplicationCountsUntilReleased) {
    FakeSessionManager manager;
    manager.set(3, {u"org.example.Backup"_s, 4u}); // suspend only
    manager.set(5, {QString(), QVariant()});
    manager.set(9, {u"SlideShow"_s, 8u});
    manager.set(10, {u"org.example.Player.desktop"_s, 12u}); // idle and suspend
    manager.set(11, {u"com.tovanex.Brevimar"_s, 8u});
    GnomeInhibitors inhibitors(bus);
    EXPECT_EQ(answer(inhibitors), u"org.example.Player|Player"_s)
        << "an entry of that id wins over another's StartupWMClass";

    QSignalSpy changed(&inhibitors, &GnomeInhibitors::changed);
    manager.set(10, {}, Removed);
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(answer(inhibitors), u"slides|Slides"_s);
    manager.set(12, {u"Some Game"_s, 8u}, Added);
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(answer(inhibitors), u"|Some Game"_s) << "no entry: the app id names it";

    manager.set(13, {u"org.example.Sync"_s, 4u}, Added);
    manager.set(12, {}, Removed);
    ASSERT_TRUE(changed.wait(5000));
    EXPECT_EQ(answer(inhibitors), u"slides|Slides"_s);
    for (const int number : {3, 11, 9})
        manager.set(number, {}, Removed);
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer(inhibitors) == u"-"; }, 5000));
    EXPECT_EQ(changed.size(), 4) << "released inhibitors that did not count change nothing";
    EXPECT_EQ(log.lines(), QStringList()) << "one released before it was asked is no fault";
}

// GNOME's compositor lists no windows to anyone, so there the inhibitor is the full-screen sign.
TEST_F(GnomeInhibitorsTest, WhereNoWindowsAreListedTheInhibitorStandsInForFullScreen) {
    FakeSessionManager manager;
    manager.set(9, {u"SlideShow"_s, 8u});
    GnomeInhibitors inhibitors(bus);
    const ScopedEnv noCompositor("WAYLAND_DISPLAY", QString());
    WaylandConnection wayland;
    X11Workspace xwayland(u":97"_s);
    WaylandWorkspace workspace(wayland, xwayland, &inhibitors);
    EXPECT_FALSE(workspace.seesEveryApplication());
    EXPECT_EQ(workspace.fullScreenApplication().value_or(RunningApplication{}).name, u"Slides"_s);

    QSignalSpy spaces(&workspace, &Workspace::spaceChanged);
    manager.set(9, {}, Removed);
    ASSERT_TRUE(spaces.wait(5000));
    EXPECT_FALSE(workspace.fullScreenApplication().has_value());
}
