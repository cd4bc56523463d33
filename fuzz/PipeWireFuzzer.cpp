#include "platform/linux/PipeWireNodes.h"

#include <cstdint>

// The input is split in two at its first newline, as pw-dump prints a second array when the
// graph changes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    const qsizetype newline = input.indexOf('\n');
    PipeWireNodes nodes;
    nodes.apply(input.left(newline));
    if (newline >= 0)
        nodes.apply(input.mid(newline + 1));
    nodes.runningCamera();
    nodes.screencastRunning();
    nodes.runningMicrophone(0);
    return 0;
}
