#include "PausesPane.h"

#include "SettingsForm.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace SettingsForm;

PausesPane::PausesPane(const SettingsParts&, QWidget* parent)
    : QWidget(parent) {
    QVBoxLayout* column = paneLayout(this);
    column->addWidget(new Group(u"Pauses"_s, {}, this));
    column->addStretch(1);
}
