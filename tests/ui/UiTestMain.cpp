#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ctime>

// Widget tests need a QApplication; otherwise as every other test: a throw-away home and XDG
// folders, and the time zone of Berlin.
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
    // Times as an English desktop writes them ("11:00"), not the C locale's "11:00:00".
    qputenv("LC_ALL", "en_GB.UTF-8");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The same look wherever the tests run, whatever style the desktop would pick.
    QApplication::setStyle(QStringLiteral("Fusion"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
