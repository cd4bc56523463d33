#include "AlertsPane.h"

#include "SettingsForm.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace SettingsForm;

AlertsPane::AlertsPane(const SettingsParts&, QWidget* parent)
    : QWidget(parent) {
    QVBoxLayout* column = paneLayout(this);
    column->addWidget(new Group(u"Alerts"_s, {}, this));
    column->addStretch(1);
}
