#include "NudgePanelController.h"

#include "Sound.h"
#include "engine/RhythmEngine.h"
#include "platform/Log.h"
#include "record/DayLog.h"
#include "settings/AppSettings.h"
#include "ui/theme/Symbols.h"
#include "ui/theme/Windowing.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPropertyAnimation>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <xcb/xcb.h>

using namespace Qt::StringLiterals;

namespace {

constexpr int cardMargin = 12;
// The top panel's own layout, the same on every display.
constexpr double notchInset = 20;
constexpr double notchBodyHeight = 132;
constexpr double notchWing = 92;
constexpr qint64 snoozeMinutes = 10;

// A window that floats over everything, on every workspace, and never takes the keyboard: the
// user keeps typing where they were while a reminder is up.
class PanelWindow final : public QWidget {
public:
    explicit PanelWindow(bool draggable)
        : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                               Qt::WindowDoesNotAcceptFocus)
        , m_draggable(draggable) {
        setAttribute(Qt::WA_ShowWithoutActivating);
        setAttribute(Qt::WA_TranslucentBackground);
        setFocusPolicy(Qt::NoFocus);
        setWindowTitle(u"Brevimar"_s);
    }

    // Where the window was put. Kept here because, once a window manager has mapped a window of
    // the notification type, Qt may report its position as 0,0 (openbox does this).
    void place(QPoint origin) {
        m_origin = origin;
        move(origin);
    }

protected:
    // The card can be moved out of the way by its background; the buttons keep their clicks.
    void mousePressEvent(QMouseEvent* event) override {
        if (m_draggable && event->button() == Qt::LeftButton)
            m_pressedAt = event->globalPosition().toPoint();
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        if (m_pressedAt && (event->buttons() & Qt::LeftButton))
            move(m_origin + event->globalPosition().toPoint() - *m_pressedAt);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (m_pressedAt)
            m_origin += event->globalPosition().toPoint() - *m_pressedAt;
        m_pressedAt.reset();
    }

private:
    bool m_draggable;
    QPoint m_origin;
    std::optional<QPoint> m_pressedAt;
};

// Qt has no window type for "notification" nor a way to ask for every workspace, so both are set
// on the X window before it is mapped. The window manager then leaves the focus alone and keeps
// the panel on whichever workspace the user switches to. Nothing to do outside X11.
void markAsNotification(QWidget* window) {
    xcb_connection_t* connection = Windowing::x11Connection();
    if (!connection)
        return;
    const auto id = xcb_window_t(window->winId());
    const xcb_atom_t type = Windowing::internAtom(connection, "_NET_WM_WINDOW_TYPE");
    const xcb_atom_t notification =
        Windowing::internAtom(connection, "_NET_WM_WINDOW_TYPE_NOTIFICATION");
    const xcb_atom_t desktop = Windowing::internAtom(connection, "_NET_WM_DESKTOP");
    if (type != XCB_ATOM_NONE && notification != XCB_ATOM_NONE)
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, type, XCB_ATOM_ATOM, 32, 1,
                            &notification);
    const uint32_t allDesktops = 0xFFFFFFFF;
    if (desktop != XCB_ATOM_NONE)
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, desktop, XCB_ATOM_CARDINAL, 32,
                            1, &allDesktops);
    xcb_flush(connection);
}

} // namespace

NudgePanelController::NudgePanelController(AppSettings& settings, DayLog& dayLog, Sound& sound,
                                           ViewFactory views, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_dayLog(dayLog)
    , m_sound(sound)
    , m_views(std::move(views))
    , m_schedule([](int msecs, std::function<void()> step) {
        // The steps hold everything they touch weakly, so they need no context object.
        QTimer::singleShot(msecs, std::move(step));
    }) {
    // A Done pressed just before Quit still counts: the engine is gone once the loop has ended.
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &NudgePanelController::commitEveryDone);
}

NudgePanelController::~NudgePanelController() {
    commitEveryDone();
    delete m_panel.data();
}

void NudgePanelController::show(const NudgeKind& kind, RhythmEngine& engine,
                                const std::optional<QString>& reason) {
    hide(false);
    const bool notch = m_settings.reminderStyle() == ReminderStyle::notch;
    ReminderActions actions = answers(kind, engine);
    QScreen* screen = chosenScreen();
    const NotchGeometry geometry = measureNotch(screen);
    auto* state = new NotchState;
    const qint64 count = m_dayLog.state().counts.value(kind.id, 0);
    const qint64 goal = m_settings.goal(kind);
    QWidget* view =
        notch ? m_views.notchCard(kind, geometry, *state, reason, count, goal, std::move(actions),
                                  notchInset, notchBodyHeight, notchWing)
              : m_views.card(kind, reason, count, goal, std::move(actions));
    present(view, notch, state, screen);
    m_showing = kind;
    Log::write(u"Brevimar card shown for "_s + kind.id + u" notch="_s +
               (notch ? u"true"_s : u"false"_s));
}

void NudgePanelController::hide(bool animated) {
    if (!m_panel)
        return;
    Log::write(u"Brevimar card hidden ("_s + (m_showing ? m_showing->id : u"message"_s) +
               u", animated="_s + (animated ? u"true"_s : u"false"_s) + u")"_s);
    QPointer<QWidget> window = m_panel;
    QPointer<NotchState> state = m_notchState;
    m_panel.clear();
    m_showing.reset();
    m_messageShown = false;
    m_notchState.clear();
    if (!animated) {
        orderOut(window);
        return;
    }
    if (state) {
        // The view shrinks back into the top edge on its own; the window goes once it has.
        state->setExpanded(false);
        m_schedule(collapseMSecs, [window] { orderOut(window); });
        return;
    }
    auto* fade = new QPropertyAnimation(window, "windowOpacity", window);
    fade->setDuration(fadeOutMSecs);
    fade->setEndValue(0.0);
    connect(fade, &QPropertyAnimation::finished, window, [window] { orderOut(window); });
    fade->start(QAbstractAnimation::DeleteWhenStopped);
}

void NudgePanelController::dismiss(const NudgeKind& kind) {
    if (m_showing && m_showing->id == kind.id)
        hide(true);
}

bool NudgePanelController::showMessage(const QString& title, const QString& message,
                                       const QString& icon, const QString& tint) {
    if (m_showing)
        return false;
    hide(false);
    const bool notch = m_settings.reminderStyle() == ReminderStyle::notch;
    QScreen* screen = chosenScreen();
    auto* state = new NotchState;

    QPointer<NudgePanelController> self(this);
    MessageActions actions;
    actions.close = [self] {
        if (self && self->m_messageShown) {
            self->m_messageShown = false;
            self->hide(true);
        }
    };
    actions.history = [self] {
        if (self && self->m_messageShown) {
            self->m_messageShown = false;
            self->hide(true);
        }
        if (self && self->m_openHistory)
            self->m_openHistory();
    };

    const QColor colour = Symbols::tint(tint);
    QWidget* view = notch ? m_views.notchMessage(title, message, icon, colour, measureNotch(screen),
                                                 *state, std::move(actions))
                          : m_views.message(title, message, icon, colour, std::move(actions));
    present(view, notch, state, screen);
    m_messageShown = true;

    // Only this message closes itself: one replaced or closed in the meantime is left alone.
    QPointer<QWidget> presented = m_panel;
    m_schedule(messageTimeoutMSecs, [self, presented] {
        if (!self || !presented || self->m_panel != presented || !self->m_messageShown)
            return;
        self->m_messageShown = false;
        self->hide(true);
    });
    return true;
}

ReminderActions NudgePanelController::answers(const NudgeKind& kind, RhythmEngine& engine) {
    // The buttons may outlive the engine at shutdown; then they do nothing.
    QPointer<RhythmEngine> weak(&engine);
    QPointer<NudgePanelController> self(this);
    ReminderActions actions;
    // The delay belongs here rather than to the view: a panel replaced or taken down in the
    // meantime (another reminder, expiry, Quit) must not take the answer with it.
    actions.done = [self, weak, kind] {
        if (!self || !weak)
            return;
        self->m_dones.append({kind, weak});
        // Every Done waits as long, so the oldest one is due first.
        self->m_schedule(doneDelayMSecs, [self] {
            if (self && !self->m_dones.isEmpty())
                self->commitDone();
        });
    };
    actions.snooze = [weak, kind] {
        if (weak)
            weak->snooze(kind, snoozeMinutes);
    };
    actions.untilFree = [weak, kind] {
        if (weak)
            weak->untilFree(kind);
    };
    actions.skip = [weak, kind] {
        if (weak)
            weak->skip(kind);
    };
    return actions;
}

void NudgePanelController::commitDone() {
    const PendingDone pending = m_dones.takeFirst();
    if (pending.engine)
        pending.engine->done(pending.kind);
}

void NudgePanelController::commitEveryDone() {
    while (!m_dones.isEmpty())
        commitDone();
}

void NudgePanelController::present(QWidget* view, bool notch, NotchState* state, QScreen* screen) {
    m_notchState = notch ? state : nullptr;

    auto* window = new PanelWindow(!notch);
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    view->adjustSize();
    const QSize size = view->sizeHint();
    layout->addWidget(view);
    // The state goes with the window, after the view that refers to it.
    state->setParent(window);
    window->setFixedSize(size);

    if (screen) {
        window->setScreen(screen);
        window->place(notch ? topPanelOrigin(size, screen->geometry())
                            : cardOrigin(size, screen->availableGeometry()));
    }
    window->winId();
    markAsNotification(window);
    window->setWindowOpacity(notch ? 1.0 : 0.0);
    window->show();
    if (!notch) {
        auto* fade = new QPropertyAnimation(window, "windowOpacity", window);
        fade->setDuration(fadeInMSecs);
        fade->setStartValue(0.0);
        fade->setEndValue(1.0);
        fade->start(QAbstractAnimation::DeleteWhenStopped);
    }
    m_panel = window;
    if (m_settings.soundEnabled())
        m_sound.play();
}

QScreen* NudgePanelController::chosenScreen() {
    // A Wayland compositor may name the screen of the application in front, and the card goes
    // there; an X11 session keeps it on the primary screen.
    if (QScreen* screen =
            Windowing::wayland() ? Windowing::screenInUse() : QGuiApplication::primaryScreen())
        return screen;
    const QList<QScreen*> screens = QGuiApplication::screens();
    return screens.isEmpty() ? nullptr : screens.first();
}

void NudgePanelController::orderOut(QWidget* panel) {
    if (!panel)
        return;
    panel->hide();
    panel->deleteLater();
}

NotchGeometry NudgePanelController::measureNotch(const QScreen* screen) {
    if (!screen)
        return {};
    return measureNotch(screen->geometry(), screen->availableGeometry());
}

NotchGeometry NudgePanelController::measureNotch(const QRect& geometry, const QRect& available) {
    const int topBar = available.top() - geometry.top();
    return {false, 200, topBar > 0 ? double(topBar) : 24.0};
}

QPoint NudgePanelController::cardOrigin(const QSize& panel, const QRect& available) {
    return {available.x() + available.width() - panel.width() - cardMargin,
            available.y() + cardMargin};
}

QPoint NudgePanelController::topPanelOrigin(const QSize& panel, const QRect& geometry) {
    return {qRound(geometry.x() + geometry.width() / 2.0 - panel.width() / 2.0), geometry.y()};
}
