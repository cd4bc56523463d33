#include "automation/UpdaterService.h"
#include "fakes/LocalHttpServer.h"
#include "fakes/LogCapture.h"
#include "fakes/ManualClock.h"
#include "fakes/QtPrinters.h"
#include "fakes/ScopedEnv.h"
#include "fakes/TemporaryXdg.h"
#include "settings/PreferenceStore.h"
#include "ui/updates/UpdateWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

namespace {

QByteArray feed(const QByteArray& items) {
    return R"(<rss version="2.0" xmlns:sparkle="http://www.andymatuschak.org/xml-namespaces/sparkle">
<channel><title>Brevimar</title>)" +
           items + "</channel></rss>";
}

// A release of that build, shown as that version, after what else the item holds.
QByteArray item(const QByteArray& build, const QByteArray& shown, const QByteArray& more = {}) {
    return "<item>" + more + R"(<enclosure url="https://example.org/)" + build +
           R"(.tar.gz" sparkle:version=")" + build + R"(" sparkle:shortVersionString=")" + shown +
           R"("/></item>)";
}

// The notes are HTML, written as elements and in CDATA.
const QByteArray newer =
    feed(item("58", "0.9.0") + item("60", "0.2.0",
                                    "<description><p>Reminders &amp; <b>more</b>, &lt;b&gt; too</p>"
                                    "<![CDATA[<ul><li>One</li></ul>]]></description>"));

UpdateWindow* shownWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<UpdateWindow*>(widget); window && window->isVisible())
            return window;
    return nullptr;
}

// The window's texts in reading order, one a line, as a user sees them.
QString shownTexts() {
    QStringList texts;
    if (const UpdateWindow* window = shownWindow()) {
        for (const QLabel* label : window->findChildren<QLabel*>())
            texts.append(label->text());
        for (const QPlainTextEdit* notes : window->findChildren<QPlainTextEdit*>())
            texts.append(notes->toPlainText());
    }
    return texts.join(u'\n');
}

struct UpdaterServiceTest : testing::Test {
    // This build is 0.1.0, build 57, unless it is given no build: then it says nothing.
    auto updater(const QString& feedUrl, const QString& build = u"57"_s) {
        const BundleInfo bundle{build.isEmpty() ? QString() : u"0.1.0"_s, build, feedUrl, {}};
        return std::make_unique<UpdaterService>(bundle, clock, store);
    }
    static bool finished(const UpdaterService& service) {
        return QTest::qWaitFor([&] { return service.canCheckForUpdates(); }, 5000);
    }

    TemporaryXdg xdg;
    ManualClock clock;
    PreferenceStore store{u"com.tovanex.Brevimar"_s};
    LocalHttpServer server;
    LogCapture log;
};

// Every outcome of "Check for Updates…" reaches the user, in the one window, each replacing the
// last; while a check runs no second one can start, and every check ends. Releases are ordered by
// their build number, matched against this build's 57.
TEST_F(UpdaterServiceTest, UsersCheckShowsEachOutcome) {
    const auto service = updater(server.url(u"/appcast.xml"_s).toString());
    service->setDeadline(300ms);
    const QString failed = u"Brevimar couldn't check for updates.\n"_s;
    const QString upToDate =
        u"Brevimar is up to date.\nBrevimar 0.1.0 is the newest version available."_s;
    const QString available = u"A new version of Brevimar is available!\nBrevimar 0.2.0 is now "
                              "available — you have 0.1.0."_s;
    const std::tuple<const char*, int, QByteArray, QString> cases[] = {
        {"newer", 200, newer, available + u"\nRelease notes:\nReminders & more, <b> too\nOne"_s},
        {"this build, written longer, with no short version", 200,
         feed("<item><sparkle:version>57.0</sparkle:version><link>https://a/</link></item>"
              "<item><sparkle:version>99</sparkle:version><link>file:///bin/sh</link></item>"),
         upToDate},
        {"pre-release before its release", 200,
         feed(item("58-beta1", "0.2.0-beta1") + item("58", "0.2.0")), available},
        {"malformed", 200, "<rss><channel><item><title>0.2.0</channel>",
         failed +
             u"The update feed is not valid XML (line 1: Opening and ending tag mismatch.)."_s},
        {"missing", 404, "gone", failed + u"The update server answered HTTP 404."_s},
        {"too large", 200, newer + QByteArray(1024 * 1024, ' '),
         failed + u"The update feed is larger than 1 MiB."_s},
        {"trickling", -200, {}, failed + u"The update server did not answer in time."_s},
    };
    for (const auto& [name, status, body, shown] : cases) { // status as LocalHttpServer takes it
        SCOPED_TRACE(name);
        server.answer("/appcast.xml", status, body);
        QSignalSpy changes(service.get(), &UpdaterService::canCheckForUpdatesChanged);
        service->checkForUpdates();
        service->checkForUpdates();
        ASSERT_TRUE(finished(*service));
        EXPECT_EQ(changes, (QList<QVariantList>{{false}, {true}}));
        EXPECT_EQ(shownTexts(), shown);
    }
    EXPECT_EQ(server.requests().size(), std::size(cases));
}

// A build nobody gave a feed or a build number, a Snap package, and a feed anyone on the way
// could rewrite never open a connection, whoever asks.
TEST_F(UpdaterServiceTest, NoFeedSandboxOrPlainHttpNeverConnects) {
    const QString local = server.url(u"/appcast.xml"_s).toString();
    for (const auto& [feedUrl, build, snap] :
         {std::tuple{QString(), u"57"_s, false},
          {local, u"57"_s, true},
          {local, QString(), false},
          {u"http://example.org/appcast.xml"_s, u"57"_s, false}}) {
        SCOPED_TRACE(feedUrl.toStdString() + " build " + build.toStdString());
        std::optional<ScopedEnv> sandbox;
        if (snap)
            sandbox.emplace("SNAP", u"/snap/brevimar/1"_s);
        const auto service = updater(feedUrl, build);
        EXPECT_EQ(service->isConfigured(), feedUrl.startsWith(u"http://example"_s));
        if (build.isEmpty()) { // what About shows of a build that does not say
            EXPECT_EQ(service->versionString() + u' ' + service->buildString(), u"? Build ?"_s);
        }
        service->checkIfDue();
        service->checkForUpdates();
        EXPECT_EQ(service->findChild<QNetworkAccessManager*>(), nullptr);
    }
    EXPECT_EQ(server.connections(), 0);
    EXPECT_TRUE(log.lines().contains(u"Brevimar update check failed: The update feed "
                                     "http://example.org/appcast.xml is not an https address."_s));
}

// The daily check asks the feed once a day and shows a newer version without taking the
// keyboard, its download in the browser; it keeps quiet about everything else, and a day that
// failed is tried again at the next tick.
TEST_F(UpdaterServiceTest, DailyCheckRunsOnceADay) {
    const auto service = updater(server.url(u"/appcast.xml"_s).toString());
    server.answer("/appcast.xml", 200, newer);
    service->checkIfDue();
    ASSERT_TRUE(finished(*service));
    ASSERT_NE(shownWindow(), nullptr);
    EXPECT_TRUE(shownWindow()->testAttribute(Qt::WA_ShowWithoutActivating));
    QTextBrowser browser; // any object with a QUrl signal can take the browser's place
    QSignalSpy opened(&browser, &QTextBrowser::anchorClicked);
    QDesktopServices::setUrlHandler(u"https"_s, &browser, "anchorClicked");
    for (QAbstractButton* button : shownWindow()->findChildren<QAbstractButton*>())
        if (button->text() == u"Download")
            button->click();
    QDesktopServices::unsetUrlHandler(u"https"_s);
    EXPECT_EQ(opened, QList<QVariantList>{{QUrl(u"https://example.org/60.tar.gz"_s)}});
    EXPECT_TRUE(log.lines().contains(u"Brevimar update available: 0.2.0"_s));

    clock.advance(23 * 3600 + 3599);
    service->checkIfDue();
    EXPECT_TRUE(service->canCheckForUpdates()); // nothing started
    clock.advance(1);
    server.answer("/appcast.xml", 500, {});
    service->checkIfDue();
    ASSERT_TRUE(finished(*service));
    service->checkIfDue();
    ASSERT_TRUE(finished(*service));
    EXPECT_EQ(server.requests().size(), 3);
    EXPECT_EQ(shownWindow(), nullptr);
}

} // namespace
