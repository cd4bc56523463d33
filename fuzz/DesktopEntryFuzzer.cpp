#include "Check.h"
#include "platform/linux/DesktopEntries.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto keys = DesktopEntries::parseDesktopEntryGroup(
        QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!keys)
        return 0;
    for (auto it = keys->begin(); it != keys->end(); ++it)
        check(!it.key().contains(u'=') && !it.key().contains(u'\n'), "keys end at '='");
    return 0;
}
