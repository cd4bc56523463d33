#include "Log.h"

#include <QMutex>

#include <cstdio>

namespace Log {
namespace {

QMutex& mutex() {
    static QMutex instance;
    return instance;
}

Sink& currentSink() {
    static Sink instance = toStandardError;
    return instance;
}

} // namespace

void toStandardError(const QString& line) {
    const QByteArray text = line.toUtf8() + '\n';
    std::fwrite(text.constData(), 1, size_t(text.size()), stderr);
    std::fflush(stderr);
}

void write(const QString& line) {
    QMutexLocker lock(&mutex());
    if (currentSink())
        currentSink()(line);
}

Sink setSink(Sink sink) {
    QMutexLocker lock(&mutex());
    return std::exchange(currentSink(), std::move(sink));
}

} // namespace Log
