#pragma once

#include <QString>

#include <functional>

// Brevimar's log: one line per call, worded by the caller, without levels. Safe to call from any
// thread; lines from different threads never interleave.
namespace Log {

using Sink = std::function<void(const QString& line)>;

void write(const QString& line);
// Replaces where lines go and returns the previous sink. Lines go to standard error until the
// application (or a test) installs its own sink.
Sink setSink(Sink sink);
void toStandardError(const QString& line);

} // namespace Log
