#pragma once

#include "SettingsParts.h"

#include <QWidget>

class RemindersPane : public QWidget {
    Q_OBJECT

public:
    RemindersPane(const SettingsParts& parts, QWidget* parent = nullptr);
};
