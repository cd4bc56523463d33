// The settings file of Ormanthe, as the first start after the upgrade takes it over: copied into
// Brevimar's file, then read by the settings. Everything happens in a fresh temporary folder.
#include "Check.h"
#include "fakes/FakeHotKeys.h"
#include "fakes/FakeLoginItem.h"
#include "fakes/ManualClock.h"
#include "settings/AppSettings.h"
#include "settings/PreferenceStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>

using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QTemporaryDir root;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(root.path()));
    QDir(root.path()).mkpath(u"tovanex"_s);
    QFile legacy(PreferenceStore::filePath(u"com.tovanex.Ormanthe"_s));
    if (!legacy.open(QIODevice::WriteOnly) ||
        legacy.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        return 0;
    legacy.close();

    PreferenceStore store(u"com.tovanex.Brevimar"_s);
    store.copyMissingFrom(u"com.tovanex.Ormanthe"_s);
    ManualClock clock;
    FakeLoginItem loginItem;
    FakeHotKeys hotKeys;
    AppSettings settings(store, clock, loginItem, hotKeys);
    for (const NudgeKind& kind : settings.kinds()) {
        settings.intervalMinutes(kind);
        settings.goal(kind);
    }
    settings.windDownTime();
    settings.manualPauseUntil();

    const PreferenceStore reread(u"com.tovanex.Brevimar"_s);
    const QStringList copied = reread.keys();
    // A line "=value" reads as a key without a name: "" alone, "1/" in group [1]. QSettings stores
    // a key without its empty parts, and one with nothing left not at all.
    for (const QString& key : PreferenceStore(u"com.tovanex.Ormanthe"_s).keys()) {
        const QString stored = key.split(u'/', Qt::SkipEmptyParts).join(u'/');
        check(stored.isEmpty() || copied.contains(stored), "every named setting carried over");
    }
    return 0;
}
