#include <QTemporaryDir>

#ifdef BREVIMAR_TEST_WIDGETS
#include <QApplication>
#include <QPointer>
#include <QWidget>
#else
#include <QCoreApplication>
#endif

#include <gtest/gtest.h>

#include <ctime>

// Runs every test with a throw-away home and XDG folders, so nothing touches the real ones, in
// the time zone of Berlin, which has daylight saving. Widget tests get a QApplication.
int main(int argc, char** argv) {
    qputenv("TZ", "Europe/Berlin");
    tzset();
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (home.path() + QStringLiteral("/cache")).toLocal8Bit());
#ifdef BREVIMAR_TEST_WIDGETS
    // Times as an English desktop writes them ("11:00"), not the C locale's "11:00:00".
    qputenv("LC_ALL", "en_GB.UTF-8");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The same look wherever the tests run, whatever style the desktop would pick.
    QApplication::setStyle(QStringLiteral("Fusion"));
#else
    QCoreApplication app(argc, argv);
#endif
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
#ifdef BREVIMAR_TEST_WIDGETS
    // Windows a test left fading out or waiting for a step it never ran go before the
    // application, so the leak checker reports only real leaks.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QList<QPointer<QWidget>> windows; // deleting one window may delete another
    for (QWidget* window : QApplication::topLevelWidgets())
        windows.append(window);
    for (const QPointer<QWidget>& window : windows)
        delete window.data();
#endif
    return status;
}
