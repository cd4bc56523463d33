#include "SchedulePane.h"

#include "SettingsForm.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace SettingsForm;

SchedulePane::SchedulePane(const SettingsParts&, QWidget* parent)
    : QWidget(parent) {
    QVBoxLayout* column = paneLayout(this);
    column->addWidget(new Group(u"Schedule"_s, {}, this));
    column->addStretch(1);
}
