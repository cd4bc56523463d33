#include "FastMode.h"

#include <QByteArray>

bool fastMode() {
    static const bool on = qgetenv("BREVIMAR_FAST") == "1";
    return on;
}
