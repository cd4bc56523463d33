#include "X11KeyGrabber.h"

#include "platform/Log.h"

#include <cstdlib>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

constexpr uint16_t shortcutModifiers =
    XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 /* Alt */ | XCB_MOD_MASK_4 /* Super */;
// Caps Lock and Num Lock (Mod2 on practically every keyboard map) in every combination.
constexpr uint16_t lockCombinations[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                         XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

} // namespace

X11KeyGrabber::X11KeyGrabber(const QString& displayName, QObject* parent)
    : KeyGrabber(parent)
    , m_displayName(displayName) {}

// The display is opened at the first grab, so an application with shortcuts off never opens it.
bool X11KeyGrabber::connectOnce() {
    if (std::exchange(m_tried, true))
        return m_connection;
    const QByteArray name = m_displayName.toLocal8Bit();
    xcb_connection_t* connection =
        xcb_connect(m_displayName.isEmpty() ? nullptr : name.constData(), nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        Log::write(u"Brevimar shortcuts: cannot connect to the X display "_s + m_displayName);
        return false;
    }
    m_connection = connection;
    m_root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    m_notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection),
                                                   QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &X11KeyGrabber::readEvents);
    return true;
}

X11KeyGrabber::~X11KeyGrabber() {
    m_notifier.reset();
    if (m_connection)
        xcb_disconnect(m_connection);
}

void X11KeyGrabber::grab(const QList<GlobalShortcut>& shortcuts) {
    QStringList ids;
    for (const GlobalShortcut& shortcut : shortcuts) {
        if (!m_grabbed.contains(shortcut.keycode) && grabKey(shortcut.keycode)) {
            m_grabbed.insert(shortcut.keycode, shortcut.id);
            ids.append(shortcut.id);
        }
    }
    Q_EMIT grabbed(ids);
}

void X11KeyGrabber::release() {
    for (auto it = m_grabbed.cbegin(); it != m_grabbed.cend(); ++it)
        releaseKey(it.key());
    // A round trip: once it returns the server has let the keys go, so a program that asks for
    // them next gets them, whatever order the server reads its clients in.
    if (m_connection && !m_grabbed.isEmpty())
        free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    m_grabbed.clear();
    m_repeats.clear();
}

bool X11KeyGrabber::grabKey(int keycode) {
    if (!connectOnce())
        return false;
    for (const uint16_t locks : lockCombinations) {
        const xcb_void_cookie_t cookie =
            xcb_grab_key_checked(m_connection, 1, m_root, shortcutModifiers | locks,
                                 xcb_keycode_t(keycode), XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        if (xcb_generic_error_t* error = xcb_request_check(m_connection, cookie)) {
            free(error); // BadAccess: another program has it
            releaseKey(keycode);
            return false;
        }
    }
    return true;
}

void X11KeyGrabber::releaseKey(int keycode) {
    for (const uint16_t locks : lockCombinations)
        xcb_ungrab_key(m_connection, xcb_keycode_t(keycode), m_root, shortcutModifiers | locks);
    xcb_flush(m_connection);
}

void X11KeyGrabber::readEvents() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
        if (m_repeats.isNewPress(*event)) {
            const int keycode = reinterpret_cast<xcb_key_press_event_t*>(event)->detail;
            if (m_grabbed.contains(keycode))
                Q_EMIT pressed(m_grabbed.value(keycode));
        }
        free(event);
    }
}

bool KeyRepeatFilter::isNewPress(const xcb_generic_event_t& event) {
    // A release shares its layout with a press.
    const auto& key = reinterpret_cast<const xcb_key_press_event_t&>(event);
    switch (event.response_type & 0x7f) {
    case XCB_KEY_PRESS: {
        KeyState& state = m_keys[key.detail];
        // Nobody releases and presses a key again within the same millisecond. The server's
        // clock wraps, which the unsigned difference absorbs.
        const bool repeat = (state.down && key.time - state.pressedAt < KeyRepeatGapMs) ||
                            state.releasedAt == key.time;
        state.down = true;
        state.pressedAt = key.time;
        return !repeat;
    }
    case XCB_KEY_RELEASE:
        m_keys.insert(key.detail, {false, 0, key.time});
        return false;
    default:
        return false;
    }
}

void KeyRepeatFilter::clear() {
    m_keys.clear();
}
