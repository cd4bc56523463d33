#pragma once

#include "platform/LoginItem.h"

// Launch at login through an XDG autostart entry in $XDG_CONFIG_HOME/autostart.
class XdgAutostart final : public LoginItem {
public:
    // executable is the command the session starts at login.
    explicit XdgAutostart(QString executable);

    static QString entryPath();

    bool isEnabled() const override;
    bool setEnabled(bool enabled, QString& error) override;

private:
    QString m_executable;
};
