#include "DataFolder.h"

#include <QStandardPaths>

namespace DataFolder {

QString path(const QString& name) {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + u'/' + name;
}

} // namespace DataFolder
