#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// A keyboard shortcut that works whichever application is in front: Ctrl+Alt+Super with a key.
struct GlobalShortcut {
    QString id;
    QString description; // shown where the desktop lists or asks about shortcuts
    QChar letter;        // the key as the desktop names it
    int keycode;         // its physical position (evdev key code + 8, as X11 numbers keys)
};

// A key held down is sent again within this many milliseconds (after the first delay, tens of
// milliseconds apart). One seen down for longer without being sent again was let go unseen (a
// screen locker's grab swallows the release), so its next press is a new one.
constexpr unsigned KeyRepeatGapMs = 1000;

// The desktop's way of handing such shortcuts to one program.
class KeyGrabber : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Asks for the shortcuts as a whole. The answer, `grabbed`, may come at once or later (a
    // desktop can ask the person first); it lists the ids actually obtained, leaving out any
    // that another program owns.
    virtual void grab(const QList<GlobalShortcut>& shortcuts) = 0;
    // Gives every shortcut back; a grab still waiting for its answer comes to nothing.
    virtual void release() = 0;

Q_SIGNALS:
    void grabbed(const QStringList& ids);
    void pressed(const QString& id);
};
