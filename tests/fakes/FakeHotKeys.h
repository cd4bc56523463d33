#pragma once

#include "platform/HotKeys.h"

#include <QStringList>

class FakeHotKeys final : public HotKeys {
public:
    void install() override { calls.append(QStringLiteral("install")); }
    void uninstall() override { calls.append(QStringLiteral("uninstall")); }

    QStringList calls;
};
