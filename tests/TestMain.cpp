#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ctime>

// Runs every test with a throw-away home and XDG folders, so nothing touches the real ones, in
// the time zone of Berlin, which has daylight saving.
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
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
