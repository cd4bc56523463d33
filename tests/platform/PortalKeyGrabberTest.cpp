#include "platform/linux/PortalKeyGrabber.h"
#include "fakes/LogCapture.h"
#include "fakes/QtPrinters.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString PortalPath = u"/org/freedesktop/portal/desktop"_s;

// The caller's unique name as the portal puts it into request and session paths.
QString pathElement(const QDBusMessage& call) {
    return call.service().mid(1).replace(u'.', u'_');
}

// Calls reach the fake undecoded: an a{sv} argument comes as a QDBusArgument.
QVariantMap options(const QVariant& argument) {
    return qdbus_cast<QVariantMap>(argument.value<QDBusArgument>());
}

// One entry of the portal's shortcut lists: the id and its properties.
using WireShortcut = std::pair<QString, QVariantMap>;

// The desktop portal's global shortcuts on the private bus: sessions, binding (where the person
// may decline, or the desktop leave some shortcuts out) and closing.
class FakeShortcutsPortal : public QDBusVirtualObject {
public:
    FakeShortcutsPortal()
        : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, u"portal"_s)) {
        qDBusRegisterMetaType<WireShortcut>();
        qDBusRegisterMetaType<QList<WireShortcut>>();
        m_bus.registerVirtualObject(PortalPath, this, QDBusConnection::SubPath);
        EXPECT_TRUE(m_bus.registerService(u"org.freedesktop.portal.Desktop"_s));
    }
    ~FakeShortcutsPortal() override { QDBusConnection::disconnectFromBus(u"portal"_s); }

    uint answer = 0;            // 0 bound, 1 declined by the person
    QStringList leftOut;        // ids the desktop does not bind
    bool holdAnswers = false;   // keep the answers until sendHeld()
    QStringList registeredApps; // host registry
    QVariantMap triggers;       // preferred trigger by shortcut id
    QStringList sessions;       // opened
    QStringList closed;

    void sendHeld() {
        for (const QDBusMessage& response : std::exchange(m_held, {}))
            m_bus.send(response);
    }
    // The keys of a shortcut going down (Activated) or up (Deactivated).
    void send(const QString& signalName, const QString& session, const QString& id,
              qulonglong timestamp = 1) {
        QDBusMessage signal = QDBusMessage::createSignal(
            PortalPath, u"org.freedesktop.portal.GlobalShortcuts"_s, signalName);
        signal << QVariant::fromValue(QDBusObjectPath(session)) << id << timestamp << QVariantMap();
        m_bus.send(signal);
    }

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection&) override {
        const QVariantList args = message.arguments();
        const QString member = message.member();
        if (member == u"Register") {
            registeredApps.append(args.value(0).toString());
            m_bus.send(message.createReply());
        } else if (member == u"Close") {
            closed.append(message.path());
            m_bus.send(message.createReply());
        } else if (member == u"CreateSession") {
            const QVariantMap given = options(args.value(0));
            const QString session =
                u"%1/session/%2/%3"_s.arg(PortalPath, pathElement(message),
                                          given.value(u"session_handle_token"_s).toString());
            sessions.append(session);
            respond(message, given, {{u"session_handle"_s, session}});
        } else if (member == u"BindShortcuts") {
            QList<WireShortcut> bound;
            for (const WireShortcut& shortcut :
                 qdbus_cast<QList<WireShortcut>>(args.value(1).value<QDBusArgument>())) {
                triggers.insert(shortcut.first, shortcut.second.value(u"preferred_trigger"_s));
                if (!leftOut.contains(shortcut.first))
                    bound.append(shortcut);
            }
            respond(message, options(args.value(3)),
                    {{u"shortcuts"_s, QVariant::fromValue(bound)}});
        } else {
            return false;
        }
        return true;
    }

private:
    // The call returns the request's path; the outcome follows as its Response signal.
    void respond(const QDBusMessage& call, const QVariantMap& options, const QVariantMap& results) {
        const QString request = u"%1/request/%2/%3"_s.arg(
            PortalPath, pathElement(call), options.value(u"handle_token"_s).toString());
        m_bus.send(call.createReply(QVariant::fromValue(QDBusObjectPath(request))));
        QDBusMessage response = QDBusMessage::createTargetedSignal(
            call.service(), request, u"org.freedesktop.portal.Request"_s, u"Response"_s);
        response << answer << (answer == 0 ? results : QVariantMap());
        if (holdAnswers)
            m_held.append(response);
        else
            m_bus.send(response);
    }

    QDBusConnection m_bus;
    QList<QDBusMessage> m_held;
};

const QList<GlobalShortcut> shortcuts = {{u"water"_s, u"Log water"_s, u'w', 25},
                                         {u"movement"_s, u"Log a movement break"_s, u's', 39},
                                         {u"pause"_s, u"Pause"_s, u'p', 33}};

class PortalKeyGrabberTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("BREVIMAR_IN_SESSION"))
            GTEST_SKIP() << "needs the private bus of scripts/run-in-session";
    }

    QStringList nextGrab(PortalKeyGrabber& grabber) {
        QSignalSpy grabbed(&grabber, &KeyGrabber::grabbed);
        if (!grabbed.wait(5000))
            return {u"no answer"_s};
        return grabbed.first().first().toStringList();
    }

    LogCapture log;
    QDBusConnection bus = QDBusConnection::sessionBus();
};

} // namespace

TEST_F(PortalKeyGrabberTest, BindsWhatTheDesktopGrantsAndPassesOnItsPresses) {
    FakeShortcutsPortal portal;
    portal.leftOut = {u"movement"_s};
    PortalKeyGrabber grabber(bus, u"com.tovanex.Brevimar"_s);
    grabber.grab(shortcuts);
    EXPECT_EQ(nextGrab(grabber), QStringList({u"water"_s, u"pause"_s}));
    EXPECT_EQ(portal.registeredApps, QStringList({u"com.tovanex.Brevimar"_s}));
    EXPECT_EQ(portal.triggers.value(u"water"_s), u"CTRL+ALT+LOGO+w"_s);
    ASSERT_EQ(portal.sessions.size(), 1);

    // Another session's shortcut is not ours; keys held down are one press until let go.
    QSignalSpy pressed(&grabber, &KeyGrabber::pressed);
    portal.send(u"Activated"_s, PortalPath + u"/session/other/s1"_s, u"movement"_s);
    for (const QString& signal :
         {u"Activated"_s, u"Activated"_s, u"Deactivated"_s, u"Activated"_s, u"Activated"_s})
        portal.send(signal, portal.sessions.first(), u"water"_s);
    portal.send(u"Activated"_s, portal.sessions.first(), u"pause"_s);
    // A desktop that never says the keys went up: the next press, seconds later, still counts.
    portal.send(u"Activated"_s, portal.sessions.first(), u"pause"_s, 5000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pressed.size() == 4; }, 5000)) << pressed.size();
    EXPECT_EQ(QStringList({pressed[0][0].toString(), pressed[1][0].toString(),
                           pressed[2][0].toString(), pressed[3][0].toString()}),
              QStringList({u"water"_s, u"water"_s, u"pause"_s, u"pause"_s}));
    grabber.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return portal.closed == portal.sessions; }, 5000));

    // Released while the desktop still asks: the late session is closed and nothing is bound.
    portal.holdAnswers = true;
    QSignalSpy grabbed(&grabber, &KeyGrabber::grabbed);
    grabber.grab(shortcuts);
    ASSERT_TRUE(QTest::qWaitFor([&] { return portal.sessions.size() == 2; }, 5000));
    grabber.release();
    portal.sendHeld();
    ASSERT_TRUE(QTest::qWaitFor([&] { return portal.closed == portal.sessions; }, 5000));
    EXPECT_TRUE(grabbed.isEmpty());

    // A press of a closed session, then a fresh grab: its answer comes after the press.
    portal.holdAnswers = false;
    portal.send(u"Activated"_s, portal.sessions.first(), u"water"_s);
    grabber.grab(shortcuts);
    EXPECT_EQ(nextGrab(grabber).size(), 2);
    EXPECT_EQ(pressed.size(), 4);
    EXPECT_EQ(portal.sessions.size(), 3);
    EXPECT_EQ(portal.registeredApps.size(), 1) << "the application registers once";
}

TEST_F(PortalKeyGrabberTest, DeclinedOrMissingShortcutsGiveNoKeysAndSayWhy) {
    {
        PortalKeyGrabber grabber(bus, u"com.tovanex.Brevimar"_s);
        grabber.grab(shortcuts);
        EXPECT_EQ(nextGrab(grabber), QStringList());
    }
    FakeShortcutsPortal portal;
    portal.answer = 1;
    PortalKeyGrabber grabber(bus, u"com.tovanex.Brevimar"_s);
    grabber.grab(shortcuts);
    EXPECT_EQ(nextGrab(grabber), QStringList());
    EXPECT_EQ(log.lines().size(), 2) << qPrintable(log.lines().join(u'\n'));
}
