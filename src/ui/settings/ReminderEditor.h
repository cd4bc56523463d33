#pragma once

#include "settings/CustomReminder.h"
#include "settings/NudgeKind.h"

#include <QDialog>

class AppSettings;

namespace SettingsForm {
class Stepper;
}

// The sheet that edits one reminder: the interval and daily goal of a built-in kind and, for the
// user's own reminders, also their wording, icon and colour. Nothing is written before Save.
class ReminderEditor : public QDialog {
    Q_OBJECT

public:
    // A custom reminder already in the list, or one that Add appends.
    enum class Target { builtIn, custom, added };

    ReminderEditor(AppSettings& settings, const NudgeKind& builtIn, QWidget* parent);
    ReminderEditor(AppSettings& settings, const CustomReminder& reminder, Target target,
                   QWidget* parent);

private:
    ReminderEditor(AppSettings& settings, Target target, const NudgeKind& kind,
                   CustomReminder draft, QWidget* parent);
    QWidget* iconGrid();
    QWidget* swatches();
    void save();
    void remove();

    AppSettings& m_settings;
    Target m_target;
    // Its id is the key of the daily goal.
    NudgeKind m_kind;
    CustomReminder m_draft;
    SettingsForm::Stepper* m_interval;
    SettingsForm::Stepper* m_goal;
    int m_loadedGoal;
};
