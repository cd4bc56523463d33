#include "LegacyMigration.h"

#include "platform/Log.h"
#include "record/DataFolder.h"
#include "settings/PreferenceStore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

const QString doneKey = u"migratedFromOrmanthe"_s;

// Folders and regular files only: a pipe or a socket left in the folder would block the copy.
bool copyFolder(const QString& from, const QString& to) {
    if (!QDir().mkpath(to))
        return false;
    const QDir source(from);
    QDirIterator entries(from, QDir::Dirs | QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        const QFileInfo entry = entries.nextFileInfo();
        const QString target = to + u'/' + source.relativeFilePath(entry.filePath());
        if (!(entry.isDir() ? QDir().mkpath(target) : QFile::copy(entry.filePath(), target)))
            return false;
    }
    return true;
}

// The copy is made under a working name and renamed when complete, so a copy cut short by a
// full disk or a crash never becomes the data folder: the stores then start afresh.
void copyDataFolder() {
    const QString earlier = DataFolder::path(u"Ormanthe"_s);
    const QString current = DataFolder::path();
    if (!QFileInfo(earlier).isDir() || QFileInfo::exists(current))
        return;
    const QString partial = current + u".migrating"_s;
    QDir(partial).removeRecursively();
    if (!copyFolder(earlier, partial) || !QDir().rename(partial, current))
        QDir(partial).removeRecursively();
}

} // namespace

void runLegacyMigration(PreferenceStore& preferences) {
    if (preferences.boolean(doneKey, false))
        return;
    preferences.copyMissingFrom(u"com.tovanex.Ormanthe"_s);
    copyDataFolder();
    preferences.setBoolean(doneKey, true);
    Log::write(u"Brevimar: legacy migration pass complete (Ormanthe → Brevimar)"_s);
}
