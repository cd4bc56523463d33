#pragma once

#include "SettingsParts.h"

#include <QWidget>

class PausesPane : public QWidget {
    Q_OBJECT

public:
    PausesPane(const SettingsParts& parts, QWidget* parent = nullptr);
};
