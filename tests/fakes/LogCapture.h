#pragma once

#include "platform/Log.h"

#include <QMutex>
#include <QStringList>

// Collects the log lines written while it exists, instead of printing them.
class LogCapture {
public:
    LogCapture()
        : m_previous(Log::setSink([this](const QString& line) {
            QMutexLocker lock(&m_mutex);
            m_lines.append(line);
        })) {}
    ~LogCapture() { Log::setSink(m_previous); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QStringList lines() const {
        QMutexLocker lock(&m_mutex);
        return m_lines;
    }

private:
    mutable QMutex m_mutex;
    QStringList m_lines;
    Log::Sink m_previous;
};
