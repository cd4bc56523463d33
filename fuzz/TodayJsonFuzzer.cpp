#include "Check.h"
#include "record/DayLog.h"

#include <cstdint>

// Instants are stored as seconds, so the first read may round; from then on a day must read back
// exactly as it was written.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto state =
        DayLog::State::fromJson(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!state)
        return 0;
    const auto once = DayLog::State::fromJson(state->toJson());
    check(once.has_value(), "a written day reads back");
    check(DayLog::State::fromJson(once->toJson()) == once, "today.json round trip");
    return 0;
}
