#pragma once

#include <QByteArray>
#include <QString>

// Sets an environment variable for as long as it lives, then puts back its earlier value.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const QString& value)
        : m_name(name)
        , m_previous(qgetenv(name)) {
        qputenv(name, value.toLocal8Bit());
    }
    ~ScopedEnv() { qputenv(m_name, m_previous); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    QByteArray m_previous;
};
