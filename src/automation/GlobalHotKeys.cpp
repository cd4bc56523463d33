#include "GlobalHotKeys.h"

#include "context/ContextMonitor.h"
#include "engine/RhythmEngine.h"
#include "platform/KeyGrabber.h"
#include "platform/Log.h"

using namespace Qt::StringLiterals;

namespace {

struct Shortcut {
    GlobalHotKeys::Action action;
    GlobalShortcut key;
};

// The physical W, S and P keys: evdev key codes 17, 31 and 25, plus 8 as X11 counts them.
const Shortcut shortcuts[] = {
    {GlobalHotKeys::Action::water,
     {u"water"_s, QT_TRANSLATE_NOOP("GlobalHotKeys", "Log water"), u'w', 25}},
    {GlobalHotKeys::Action::movement,
     {u"movement"_s, QT_TRANSLATE_NOOP("GlobalHotKeys", "Log a movement break"), u's', 39}},
    {GlobalHotKeys::Action::pause,
     {u"pause"_s,
      QT_TRANSLATE_NOOP("GlobalHotKeys", "Pause reminders for 30 minutes, or resume them"), u'p',
      33}},
};

} // namespace

GlobalHotKeys::GlobalHotKeys(KeyGrabber& grabber, std::function<RhythmEngine*()> engine,
                             std::function<ContextMonitor*()> context, QObject* parent)
    : QObject(parent)
    , m_grabber(grabber)
    , m_engine(std::move(engine))
    , m_context(std::move(context)) {
    connect(&m_grabber, &KeyGrabber::grabbed, this, [this](const QStringList& ids) {
        if (!m_installed)
            return;
        m_keys = ids;
        Log::write(u"Brevimar global shortcuts installed (%1 keys)"_s.arg(m_keys.size()));
    });
    connect(&m_grabber, &KeyGrabber::pressed, this, [this](const QString& id) {
        for (const Shortcut& shortcut : shortcuts) {
            if (shortcut.key.id == id && m_keys.contains(id))
                perform(shortcut.action);
        }
    });
}

// The log line follows once the desktop has answered; a shortcut another program owns is left
// out of it.
void GlobalHotKeys::install() {
    if (m_installed)
        return;
    m_installed = true;
    QList<GlobalShortcut> keys;
    for (const Shortcut& shortcut : shortcuts) {
        GlobalShortcut key = shortcut.key;
        key.description = tr(key.description.toUtf8().constData());
        keys.append(key);
    }
    m_grabber.grab(keys);
}

void GlobalHotKeys::uninstall() {
    if (!m_installed)
        return;
    m_installed = false;
    m_grabber.release();
    m_keys.clear();
    Log::write(u"Brevimar global shortcuts removed"_s);
}

void GlobalHotKeys::perform(Action action) {
    RhythmEngine* engine = m_engine();
    ContextMonitor* context = m_context();
    if (!engine || !context)
        return;
    switch (action) {
    case Action::water:
        engine->done(NudgeKind::water());
        return;
    case Action::movement:
        engine->done(NudgeKind::movement());
        return;
    case Action::pause:
        // A pause that has run out but is not cleared yet is resumed, not renewed.
        if (context->manualPauseUntil())
            context->resume();
        else
            context->pause(1800);
        return;
    }
}
