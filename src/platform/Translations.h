#pragma once

#include <QLocale>

namespace Translations {
// Installs Brevimar's texts, and Qt's own for its standard dialogs, in the user's language. The
// English texts are the ones in the code, so an English or C locale loads nothing.
void install();

// The locale of the numbers, dates and hours inside Brevimar's texts: the user's own when it
// speaks the language the texts are shown in, otherwise that language's (English texts on a
// French or Arabic desktop that has no translation), so a sentence never mixes "1,5" or Arabic
// digits into English words. Whole numbers are written without grouping.
QLocale locale();
} // namespace Translations
