#pragma once

#include "SettingsParts.h"

#include <QWidget>

class SettingsWindow;

class GeneralPane : public QWidget {
    Q_OBJECT

public:
    GeneralPane(const SettingsParts& parts, SettingsWindow& window, QWidget* parent = nullptr);
};
