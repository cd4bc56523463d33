#include "GlobalHotKeys.h"

#include "context/ContextMonitor.h"
#include "engine/RhythmEngine.h"
#include "platform/KeyGrabber.h"
#include "platform/Log.h"

using namespace Qt::StringLiterals;

namespace {

// The physical W, S and P keys: evdev key codes 17, 31 and 25, plus 8 on X11.
struct Shortcut {
    GlobalHotKeys::Action action;
    int keycode;
};
constexpr Shortcut shortcuts[] = {{GlobalHotKeys::Action::water, 25},
                                  {GlobalHotKeys::Action::movement, 39},
                                  {GlobalHotKeys::Action::pause, 33}};

} // namespace

GlobalHotKeys::GlobalHotKeys(KeyGrabber& grabber, std::function<RhythmEngine*()> engine,
                             std::function<ContextMonitor*()> context, QObject* parent)
    : QObject(parent)
    , m_grabber(grabber)
    , m_engine(std::move(engine))
    , m_context(std::move(context)) {
    connect(&m_grabber, &KeyGrabber::pressed, this, [this](int keycode) {
        for (const Shortcut& shortcut : shortcuts) {
            if (shortcut.keycode == keycode && m_keys.contains(keycode))
                perform(shortcut.action);
        }
    });
}

void GlobalHotKeys::install() {
    if (m_installed)
        return;
    m_installed = true;
    for (const Shortcut& shortcut : shortcuts) {
        // One another program already owns is left out.
        if (m_grabber.grab(shortcut.keycode))
            m_keys.append(shortcut.keycode);
    }
    Log::write(u"Brevimar global shortcuts installed (%1 keys)"_s.arg(m_keys.size()));
}

void GlobalHotKeys::uninstall() {
    if (!m_installed)
        return;
    m_installed = false;
    for (const int keycode : std::as_const(m_keys))
        m_grabber.release(keycode);
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
