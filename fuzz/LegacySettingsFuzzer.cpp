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
    // A line "=value" reads as a key without a name ("" or "/" in a group without one), which no
    // settings file can store.
    for (const QString& key : PreferenceStore(u"com.tovanex.Ormanthe"_s).keys())
        check(QString(key).remove(u'/').isEmpty() || copied.contains(key),
              "every named setting carried over");
    return 0;
}
