#pragma once

#include "SettingsParts.h"

#include <QTimer>
#include <QWidget>

class QDialog;
class QVBoxLayout;
struct CustomReminder;
struct NudgeKind;

// The reminders and their pace: one row per reminder with its switch and editor, the templates
// to add from, the pace and spacing, and the times the running engine will remind at next.
class RemindersPane : public QWidget {
    Q_OBJECT

public:
    RemindersPane(const SettingsParts& parts, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* row(const NudgeKind& kind, const CustomReminder* custom);
    void rebuildRows();
    void refreshUpcoming();
    void edit(QDialog* editor);

    SettingsParts m_parts;
    QVBoxLayout* m_rows;
    QVBoxLayout* m_upcoming;
    // Rows are remade after the change that asked for them: a row's own switch may be the sender.
    QTimer m_rowsDue;
};
