#pragma once

#include <QString>

namespace DataFolder {

// The application's data folder, $XDG_DATA_HOME/<name> (by default ~/.local/share/<name>).
QString path(const QString& name = QStringLiteral("Brevimar"));

} // namespace DataFolder
