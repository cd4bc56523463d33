#pragma once

#include <QObject>

// Keyboard shortcuts that work whichever application is in front: Ctrl+Alt+Super with a key,
// named by its physical position (the evdev key code + 8 of X11), so the layout does not matter.
class KeyGrabber : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // False when another program owns the combination, or there is no keyboard to grab from.
    virtual bool grab(int keycode) = 0;
    virtual void release(int keycode) = 0;

Q_SIGNALS:
    void pressed(int keycode);
};
