#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include <optional>

// An application with a window on the desktop.
struct RunningApplication {
    qint64 pid = 0;
    QString id;   // desktop-entry id ("org.gnome.Nautilus"); empty when it cannot be told
    QString name; // the desktop entry's Name; empty when there is none
};

// The applications on the desktop and which one is in front.
class Workspace : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    virtual std::optional<RunningApplication> frontmostApplication() const = 0;
    // The frontmost application when its active window covers one monitor exactly or is marked
    // full screen (with nothing known of it when it cannot be told); on a desktop that does not
    // tell, an application that keeps the screen awake (a video, a presentation). Windows of this
    // process and desktop windows never count.
    virtual std::optional<RunningApplication> fullScreenApplication() const = 0;
    // The top-left corner, in the desktop's layout, of the monitor that shows the application in
    // front, where the compositor tells it.
    virtual std::optional<QPoint> frontmostScreen() const { return std::nullopt; }
    // False where only some applications can be seen (XWayland's, on a Wayland desktop that does
    // not tell of its own windows), so that app rules and full screen miss the others.
    virtual bool seesEveryApplication() const { return true; }

Q_SIGNALS:
    void applicationActivated();
    void spaceChanged();
    void applicationTerminated();
};
