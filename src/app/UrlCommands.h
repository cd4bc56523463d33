#pragma once

#include <QString>

class AppDelegate;

// brevimar://done/water, brevimar://pause?minutes=30 … Other programs drive the application
// through these; nothing is answered, and only an unknown command is logged.
namespace UrlCommands {

// The text as opened: the scheme must be exactly "brevimar", so it is not normalised first.
void handle(const QString& url, AppDelegate& controller);

} // namespace UrlCommands
