#pragma once

#include "SettingsParts.h"

#include <QWidget>

class HistoryExport;
class QPushButton;
class SettingsWindow;

class GeneralPane : public QWidget {
    Q_OBJECT

public:
    GeneralPane(const SettingsParts& parts, SettingsWindow& window, QWidget* parent = nullptr);

    // Writes the history to the file the user chose (none: the save dialog was cancelled);
    // a long export shows its progress and can be stopped, a failed one is told.
    HistoryExport* exportHistory(const QString& path);

private:
    void tell(const QString& text, const QString& reason);

    const EventStore& m_events;
    QPushButton* m_export;
};
