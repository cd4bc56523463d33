#include "Check.h"
#include "automation/Appcast.h"

#include <QGuiApplication>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Release notes are HTML laid out as text, which takes fonts, which take an application.
    static int argc = 1;
    static char name[] = "fuzz_appcast";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    Q_UNUSED(application);

    const Appcast::Result result =
        Appcast::parse(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    check(result.newest.has_value() != !result.error.isEmpty(), "a release or a reason");
    if (result.newest)
        check(!Appcast::isNewer(*result.newest, result.newest->build), "not newer than itself");
    return 0;
}
