#pragma once

#include "platform/KeyGrabber.h"

#include <QHash>
#include <QSocketNotifier>
#include <QString>

#include <xcb/xcb.h>

#include <memory>
#include <optional>

// Tells a new press of a key from X11's auto-repeat, which repeats a held key as a release and a
// press with the same timestamp or, for a client that asked for detectable auto-repeat, as presses
// alone. Either way one press of a shortcut is one action.
class KeyRepeatFilter {
public:
    // Takes every key event in the order the server sent them; true for a press that follows a
    // real release of its key.
    bool isNewPress(const xcb_generic_event_t& event);
    void clear();

private:
    struct KeyState {
        bool down = false;
        xcb_timestamp_t pressedAt = 0; // the last press or repeat
        std::optional<xcb_timestamp_t> releasedAt;
    };
    QHash<int, KeyState> m_keys;
};

// Grabs Ctrl+Alt+Super combinations on the X11 root window, once for every state of Caps Lock
// and Num Lock so the shortcuts work whichever is on.
class X11KeyGrabber final : public KeyGrabber {
    Q_OBJECT

public:
    explicit X11KeyGrabber(const QString& displayName = QString(), QObject* parent = nullptr);
    ~X11KeyGrabber() override;

    void grab(const QList<GlobalShortcut>& shortcuts) override;
    void release() override;

private:
    bool connectOnce();
    bool grabKey(int keycode);
    void releaseKey(int keycode);
    void readEvents();

    QString m_displayName;
    bool m_tried = false;
    xcb_connection_t* m_connection = nullptr;
    quint32 m_root = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QHash<int, QString> m_grabbed; // shortcut ids by key code
    KeyRepeatFilter m_repeats;
};
