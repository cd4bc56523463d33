#include "GeneralPane.h"

#include "SettingsForm.h"

#include "SettingsWindow.h"
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace SettingsForm;

GeneralPane::GeneralPane(const SettingsParts&, SettingsWindow&, QWidget* parent)
    : QWidget(parent) {
    QVBoxLayout* column = paneLayout(this);
    column->addWidget(new Group(u"General"_s, {}, this));
    column->addStretch(1);
}
