#include "settings/PreferenceStore.h"
#include "fakes/LogCapture.h"
#include "fakes/QtPrinters.h"
#include "fakes/TemporaryXdg.h"
#include "fakes/WriteFile.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

const QString domain = u"com.tovanex.Brevimar"_s;

struct PreferenceStoreTest : ::testing::Test {
    TemporaryXdg xdg;
};

TEST_F(PreferenceStoreTest, EveryTypeReadsBackFromAFreshInstance) {
    const QByteArray bytes("{\"water\":8}\n\0\xff", 14);
    {
        PreferenceStore store(domain);
        store.setInteger(u"int"_s, -9007199254740993);
        store.setBoolean(u"yes"_s, true);
        store.setBoolean(u"no"_s, false);
        store.setString(u"text"_s, u"a, b; \"c\" = d"_s);
        store.setStringList(u"many"_s, {u"us.zoom.xos"_s, u"a,b"_s});
        store.setStringList(u"one"_s, {u"us.zoom.xos"_s});
        store.setStringList(u"none"_s, {});
        store.setBytes(u"bytes"_s, bytes);
    }
    const PreferenceStore fresh(domain);
    EXPECT_EQ(fresh.integer(u"int"_s, 0), -9007199254740993);
    EXPECT_TRUE(fresh.boolean(u"yes"_s, false));
    EXPECT_FALSE(fresh.boolean(u"no"_s, true));
    EXPECT_EQ(fresh.string(u"text"_s, {}), u"a, b; \"c\" = d"_s);
    EXPECT_EQ(fresh.stringList(u"many"_s, {}), QStringList({u"us.zoom.xos"_s, u"a,b"_s}));
    EXPECT_EQ(fresh.stringList(u"one"_s, {}), QStringList({u"us.zoom.xos"_s}));
    EXPECT_EQ(fresh.stringList(u"none"_s, {u"fallback"_s}), QStringList());
    EXPECT_EQ(fresh.bytes(u"bytes"_s, {}), bytes);
    EXPECT_EQ(fresh.stringList(u"absent"_s, {u"fallback"_s}), QStringList({u"fallback"_s}));
    // Plain INI lines, as a person editing the file by hand expects them.
    const QByteArray text = readFile(fresh.fileName());
    EXPECT_TRUE(text.contains("\nint=-9007199254740993\n") && text.contains("\nno=false\n"))
        << text.constData();
}

TEST_F(PreferenceStoreTest, ValuesOfAnotherTypeGiveTheFallbackAndAreKeptAsideWhenReplaced) {
    writeFile(PreferenceStore::filePath(domain), "[General]\n"
                                                 "fraction=4.5\n"
                                                 "word=yes\n"
                                                 "list=a, b\n"
                                                 "blob=@ByteArray(xyz)\n");
    PreferenceStore store(domain);
    EXPECT_EQ(store.integer(u"fraction"_s, 7), 7);
    EXPECT_FALSE(store.boolean(u"word"_s, false));
    EXPECT_EQ(store.string(u"list"_s, u"fallback"_s), u"fallback"_s);
    EXPECT_EQ(store.string(u"blob"_s, u"fallback"_s), u"fallback"_s);
    EXPECT_EQ(store.bytes(u"word"_s, "fallback"), "fallback");
    EXPECT_EQ(store.bytes(u"blob"_s, {}), "xyz");
    EXPECT_EQ(store.stringList(u"blob"_s, {u"fallback"_s}), QStringList({u"fallback"_s}));

    LogCapture log;
    store.setInteger(u"fraction"_s, 5);
    store.setInteger(u"fraction"_s, 6);
    store.remove(u"list"_s);
    store.setInteger(u"missing"_s, 1);
    const PreferenceStore fresh(domain);
    EXPECT_EQ(fresh.string(u"fraction.unreadable"_s, {}), u"4.5"_s);
    EXPECT_EQ(fresh.stringList(u"list.unreadable"_s, {}), QStringList({u"a"_s, u"b"_s}));
    EXPECT_FALSE(fresh.contains(u"list"_s));
    EXPECT_FALSE(fresh.contains(u"missing.unreadable"_s)) << "a missing key is not unreadable";
    EXPECT_EQ(log.lines().size(), 2) << "one line a value kept aside";
}

TEST_F(PreferenceStoreTest, AFailedWriteIsLoggedAndKeptInMemory) {
    writeFile(xdg.configHome() + u"/tovanex"_s, "not a folder");
    LogCapture log;
    PreferenceStore store(domain);
    store.setInteger(u"minimumGapMinutes"_s, 12);
    EXPECT_EQ(store.integer(u"minimumGapMinutes"_s, 10), 12);
    EXPECT_TRUE(log.lines().value(0).endsWith(xdg.configHome() + u"/tovanex/Brevimar.conf"_s))
        << "names the file where the settings live";
}
