#pragma once

#include <QString>

// How a screen reader meets Brevimar's own controls where Qt's descriptions fall short: the action
// of every button does what a click does (Qt's toggles a check box without a click, and every
// setting here is written on the click), a choice of one among several reads as radio buttons,
// and the symbols of the icon font are never read out.
namespace Accessibility {

// Once, after the QApplication is made and before the first window: Qt asks the describer
// installed last first, and keeps the description it made for a widget.
void install();

// The text without the icon font's symbols: they sit in Unicode's private use area, which a
// reader spells out code point by code point.
QString sayable(QString text);

} // namespace Accessibility
