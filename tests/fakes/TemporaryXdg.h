#pragma once

#include <QByteArray>
#include <QTemporaryDir>

// Points XDG_CONFIG_HOME and XDG_DATA_HOME at fresh empty folders for as long as it lives.
class TemporaryXdg {
public:
    TemporaryXdg()
        : m_config(qgetenv("XDG_CONFIG_HOME"))
        , m_data(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_CONFIG_HOME", configHome().toLocal8Bit());
        qputenv("XDG_DATA_HOME", dataHome().toLocal8Bit());
    }
    ~TemporaryXdg() {
        qputenv("XDG_CONFIG_HOME", m_config);
        qputenv("XDG_DATA_HOME", m_data);
    }
    TemporaryXdg(const TemporaryXdg&) = delete;
    TemporaryXdg& operator=(const TemporaryXdg&) = delete;

    QString configHome() const { return m_root.path() + QStringLiteral("/config"); }
    QString dataHome() const { return m_root.path() + QStringLiteral("/data"); }

private:
    QTemporaryDir m_root;
    QByteArray m_config;
    QByteArray m_data;
};
