#include "automation/GlobalHotKeys.h"
#include "fakes/EngineHarness.h"
#include "platform/KeyGrabber.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

class FakeKeyGrabber final : public KeyGrabber {
public:
    void grab(const QList<GlobalShortcut>& shortcuts) override {
        ++grabs;
        for (const GlobalShortcut& shortcut : shortcuts) {
            if (!taken.contains(shortcut.id))
                held.append(shortcut.id);
        }
        Q_EMIT grabbed(held);
    }
    void release() override {
        ++releases;
        held.clear();
    }

    QStringList taken; // owned by another program
    QStringList held;
    int grabs = 0, releases = 0;
};

struct GlobalHotKeysTest : ::testing::Test, EngineHarness {
    GlobalHotKeysTest()
        : EngineHarness(at(10, 0)) {
        holdByMonitor = true;
    }

    FakeKeyGrabber grabber;
    bool running = true;
    GlobalHotKeys keys{grabber, [this] { return running ? &engine() : nullptr; },
                       [this] { return running ? &monitor() : nullptr; }};
};

} // namespace

TEST_F(GlobalHotKeysTest, InstallAndUninstallAreIdempotent) {
    grabber.taken = {u"movement"_s};
    keys.install();
    keys.install();
    EXPECT_EQ(grabber.grabs, 1);
    EXPECT_EQ(grabber.held, QStringList({u"water"_s, u"pause"_s}));
    keys.uninstall();
    keys.uninstall();
    EXPECT_EQ(grabber.releases, 1);
    Q_EMIT grabber.pressed(u"water"_s);
    EXPECT_EQ(dayLog.state().counts.value(u"water"_s), 0) << "removed keys do nothing";
}

TEST_F(GlobalHotKeysTest, KeysLogAndPauseOrResume) {
    keys.install();
    Q_EMIT grabber.pressed(u"water"_s);
    Q_EMIT grabber.pressed(u"movement"_s);
    EXPECT_EQ(dayLog.state().counts.value(u"water"_s), 1);
    EXPECT_EQ(dayLog.state().counts.value(u"movement"_s), 1);

    Q_EMIT grabber.pressed(u"pause"_s);
    EXPECT_EQ(monitor().manualPauseUntil(), clock.now().addSecs(1800));
    clock.advance(1800); // run out, not yet cleared by a refresh
    Q_EMIT grabber.pressed(u"pause"_s);
    EXPECT_FALSE(monitor().manualPauseUntil()) << "resumed rather than paused again";

    running = false;
    Q_EMIT grabber.pressed(u"water"_s);
    EXPECT_EQ(dayLog.state().counts.value(u"water"_s), 1);
}
