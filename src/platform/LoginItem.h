#pragma once

#include <QString>

// Starting the application when the user logs in.
class LoginItem {
public:
    virtual ~LoginItem() = default;
    // Whether the application is registered and enabled to start at login.
    virtual bool isEnabled() const = 0;
    // Registers (true) or removes (false) the registration; on failure returns false and describes
    // why in error.
    virtual bool setEnabled(bool enabled, QString& error) = 0;
};
