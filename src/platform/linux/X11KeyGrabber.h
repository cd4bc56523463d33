#pragma once

#include "platform/KeyGrabber.h"

#include <QHash>
#include <QSocketNotifier>
#include <QString>

#include <memory>

struct xcb_connection_t;

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
};
