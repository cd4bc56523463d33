#include "Check.h"
#include "app/UrlCommand.h"

#include <cstdint>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<UrlCommand> command = UrlCommand::parse(text);
    if (!command)
        return 0;
    check(!command->name.contains(u'/') && !command->name.contains(u'?') &&
              !command->name.contains(u'#'),
          "the command name ends at the path, query or fragment");
    check(!command->minutes || *command->minutes <= std::numeric_limits<int>::max(),
          "a pause fits the clock");
    return 0;
}
