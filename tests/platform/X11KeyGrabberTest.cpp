#include "platform/linux/X11KeyGrabber.h"
#include "fakes/QtPrinters.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

// How many of these events of one key, each a type and a server time, are new presses.
int newPresses(KeyRepeatFilter& filter, int keycode,
               std::initializer_list<std::pair<uint8_t, xcb_timestamp_t>> events) {
    int presses = 0;
    for (const auto& [type, time] : events) {
        xcb_key_press_event_t key{};
        key.response_type = type;
        key.detail = xcb_keycode_t(keycode);
        key.time = time;
        presses += filter.isNewPress(reinterpret_cast<const xcb_generic_event_t&>(key));
    }
    return presses;
}

} // namespace

TEST(KeyRepeatFilter, AHeldKeyIsOnePressUntilItIsReallyReleased) {
    constexpr uint8_t P = XCB_KEY_PRESS;
    constexpr uint8_t R = XCB_KEY_RELEASE;
    KeyRepeatFilter filter;
    // The server's auto-repeat: release and press pairs with one timestamp.
    EXPECT_EQ(
        newPresses(filter, 25, {{P, 1000}, {R, 1660}, {P, 1660}, {R, 1700}, {P, 1700}, {R, 1810}}),
        1);
    // Detectable auto-repeat: presses alone. Another key has presses of its own meanwhile.
    EXPECT_EQ(newPresses(filter, 25, {{P, 2000}, {P, 2660}, {P, 2700}}), 1);
    EXPECT_EQ(newPresses(filter, 33, {{P, 2710}}), 1);
    EXPECT_EQ(newPresses(filter, 25, {{R, 2800}, {P, 2950}, {R, 3000}}), 1);
    // A release a screen locker swallowed: the key is not held for ever.
    EXPECT_EQ(newPresses(filter, 25, {{P, 4000}, {P, 9000}}), 2);
}

// The real grab on the virtual display of scripts/run-in-session, pressed through XTEST.
TEST(X11KeyGrabber, TakesFreeShortcutsPassesOnEachPressAndGivesThemBack) {
    if (qEnvironmentVariableIsEmpty("BREVIMAR_IN_SESSION"))
        GTEST_SKIP() << "needs the display of scripts/run-in-session";
    const QList<GlobalShortcut> water = {{u"water"_s, u"Log water"_s, u'w', 25}};
    X11KeyGrabber grabber;
    QSignalSpy grabbed(&grabber, &KeyGrabber::grabbed);
    QSignalSpy pressed(&grabber, &KeyGrabber::pressed);
    grabber.grab(water);
    ASSERT_EQ(grabbed.size(), 1);
    EXPECT_EQ(grabbed.first().first().toStringList(), QStringList{u"water"_s});

    X11KeyGrabber other;
    QSignalSpy otherGrabbed(&other, &KeyGrabber::grabbed);
    other.grab(water);
    ASSERT_EQ(otherGrabbed.size(), 1);
    EXPECT_EQ(otherGrabbed.first().first().toStringList(), QStringList()) << "taken already";

    for (int i = 0; i < 2; ++i)
        ASSERT_EQ(QProcess::execute(u"xdotool"_s, {u"key"_s, u"ctrl+alt+super+w"_s}), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pressed.size() == 2; }, 5000)) << pressed.size();
    EXPECT_EQ(pressed.first().first().toString(), u"water"_s);

    // Released keys are free for the next program at once.
    grabber.release();
    other.grab(water);
    ASSERT_EQ(otherGrabbed.size(), 2);
    EXPECT_EQ(otherGrabbed[1].first().toStringList(), QStringList{u"water"_s});
}
