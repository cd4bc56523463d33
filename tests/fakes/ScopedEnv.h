#pragma once

#include <QByteArray>
#include <QString>

// Sets an environment variable for as long as it lives, then puts back its earlier value
// (or removes it again).
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value)
        : m_name(name)
        , m_wasSet(qEnvironmentVariableIsSet(name))
        , m_previous(qgetenv(name)) {
        qputenv(name, value.toLocal8Bit());
    }
    // A variable that was not set is unset again: set but empty still counts for some readers.
    ~ScopedEnv() {
        if (m_wasSet)
            qputenv(m_name, m_previous);
        else
            qunsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    bool m_wasSet;
    QByteArray m_previous;
};
