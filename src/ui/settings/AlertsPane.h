#pragma once

#include "SettingsParts.h"

#include <QWidget>

class AlertsPane : public QWidget {
    Q_OBJECT

public:
    AlertsPane(const SettingsParts& parts, QWidget* parent = nullptr);
};
