#pragma once

// Installs Brevimar's texts, and Qt's own for its standard dialogs, in the user's language. The
// English texts are the ones in the code, so an English or C locale loads nothing.
namespace Translations {
void install();
}
