#pragma once

#include "fakes/ScopedEnv.h"

#include <QTemporaryDir>

// Points XDG_CONFIG_HOME and XDG_DATA_HOME at fresh empty folders for as long as it lives.
class TemporaryXdg {
public:
    QString configHome() const { return m_root.path() + QStringLiteral("/config"); }
    QString dataHome() const { return m_root.path() + QStringLiteral("/data"); }

private:
    QTemporaryDir m_root;
    ScopedEnv m_config{"XDG_CONFIG_HOME", configHome()};
    ScopedEnv m_data{"XDG_DATA_HOME", dataHome()};
};
