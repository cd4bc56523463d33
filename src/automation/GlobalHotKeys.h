#pragma once

#include "platform/HotKeys.h"

#include <QObject>
#include <QStringList>

#include <functional>

class ContextMonitor;
class KeyGrabber;
class RhythmEngine;

// Ctrl+Alt+Super with W logs water, with S logs a move, with P pauses for 30 minutes or resumes.
class GlobalHotKeys : public QObject, public HotKeys {
    Q_OBJECT

public:
    enum class Action { water, movement, pause };

    // The keys reach the running application through these; both give null while it is not
    // running.
    GlobalHotKeys(KeyGrabber& grabber, std::function<RhythmEngine*()> engine,
                  std::function<ContextMonitor*()> context, QObject* parent = nullptr);

    void install() override;
    void uninstall() override;
    void perform(Action action);

private:
    KeyGrabber& m_grabber;
    std::function<RhythmEngine*()> m_engine;
    std::function<ContextMonitor*()> m_context;
    QStringList m_keys; // the ids of the shortcuts obtained
    bool m_installed = false;
};
