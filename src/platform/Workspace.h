#pragma once

#include <QObject>
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
    // The frontmost application's active window covers one monitor exactly or is marked full
    // screen. Windows of this process and desktop windows never count.
    virtual bool isFrontmostFullScreen() const = 0;

Q_SIGNALS:
    void applicationActivated();
    void spaceChanged();
    void applicationTerminated();
};
