#pragma once

// The three global keyboard shortcuts, installed and removed as a whole. Both calls are
// idempotent.
class HotKeys {
public:
    virtual ~HotKeys() = default;
    virtual void install() = 0;
    virtual void uninstall() = 0;
};
