#include "RemindersPane.h"

#include "SettingsForm.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace SettingsForm;

RemindersPane::RemindersPane(const SettingsParts&, QWidget* parent)
    : QWidget(parent) {
    QVBoxLayout* column = paneLayout(this);
    column->addWidget(new Group(u"Reminders"_s, {}, this));
    column->addStretch(1);
}
