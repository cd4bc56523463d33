#pragma once

#include "platform/HotKeys.h"

class FakeHotKeys final : public HotKeys {
public:
    void install() override {}
    void uninstall() override {}
};
