#pragma once

#include "SettingsParts.h"

#include <QWidget>

class SchedulePane : public QWidget {
    Q_OBJECT

public:
    SchedulePane(const SettingsParts& parts, QWidget* parent = nullptr);
};
