#pragma once

#include "context/HoldReason.h"

class FakeHoldState final : public HoldState {
public:
    std::optional<HoldReason> holdReason() const override { return reason; }
    double idleSeconds() const override { return 0; }

    void hold(std::optional<HoldReason> next) {
        reason = next;
        Q_EMIT holdReasonChanged();
    }

    std::optional<HoldReason> reason;
};
