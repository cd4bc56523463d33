#pragma once

#include "platform/LoginItem.h"

class FakeLoginItem final : public LoginItem {
public:
    bool isEnabled() const override { return enabled; }
    bool setEnabled(bool value, QString& error) override {
        if (!failure.isEmpty()) {
            error = failure;
            return false;
        }
        enabled = value;
        return true;
    }

    bool enabled = false;
    QString failure; // when set, every change fails with this description
};
