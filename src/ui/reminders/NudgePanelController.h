#pragma once

#include "NudgeViewFactory.h"
#include "NudgeViews.h"
#include "engine/NudgePanel.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>

#include <functional>
#include <optional>

class AppSettings;
class DayLog;
class QScreen;
class QWidget;
class Sound;

// Puts a reminder on screen without taking focus from the user's work: a floating card in the
// top-right corner, or a panel flush with the top centre of the display, as the reminder style
// says. Also shows short message cards (wind-down, weekly report). At most one panel is up.
class NudgePanelController : public QObject, public NudgePanel {
    Q_OBJECT

public:
    // Delays in milliseconds. Delayed steps go through a scheduler so tests can run them by hand.
    static constexpr int fadeInMSecs = 200;
    static constexpr int fadeOutMSecs = 150;
    static constexpr int collapseMSecs = 400;
    static constexpr int messageTimeoutMSecs = 120'000;
    // Done reaches the engine this long after the press, so the ring can advance first.
    static constexpr int doneDelayMSecs = 750;
    using Scheduler = std::function<void(int msecs, std::function<void()> step)>;

    NudgePanelController(AppSettings& settings, DayLog& dayLog, Sound& sound, ViewFactory views,
                         QObject* parent = nullptr);
    ~NudgePanelController() override;

    void show(const NudgeKind& kind, RhythmEngine& engine,
              const std::optional<QString>& reason) override;
    void hide(bool animated);
    void dismiss(const NudgeKind& kind) override;
    bool showMessage(const QString& title, const QString& message, const QString& icon,
                     const QString& tint) override;

    // The history window belongs to the owner; the message's history button opens it.
    void setOpenHistory(std::function<void()> open) { m_openHistory = std::move(open); }
    // Replaces the main-loop timer for the delayed steps (message timeout, order-out, Done).
    void setScheduler(Scheduler scheduler) { m_schedule = std::move(scheduler); }

    QWidget* panel() const { return m_panel; }
    const std::optional<NudgeKind>& showing() const { return m_showing; }
    bool messageShown() const { return m_messageShown; }
    NotchState* notchState() const { return m_notchState; }

    // No Linux display has a camera housing: the top panel starts below the desktop's top bar,
    // or 24 px down where there is none.
    static NotchGeometry measureNotch(const QScreen* screen);
    static NotchGeometry measureNotch(const QRect& geometry, const QRect& available);
    // The card's top-left corner: 12 px in from the top-right corner of the usable area.
    static QPoint cardOrigin(const QSize& panel, const QRect& available);
    // The top panel's top-left corner: centred on the display, flush with its top edge.
    static QPoint topPanelOrigin(const QSize& panel, const QRect& geometry);

private:
    // A Done pressed and not yet told to the engine.
    struct PendingDone {
        NudgeKind kind;
        QPointer<RhythmEngine> engine;
    };

    ReminderActions answers(const NudgeKind& kind, RhythmEngine& engine);
    // Tells the engine of the oldest pending Done.
    void commitDone();
    void commitEveryDone();
    void present(QWidget* view, bool notch, NotchState* state, QScreen* screen);
    static QScreen* chosenScreen();
    static void orderOut(QWidget* panel);

    AppSettings& m_settings;
    DayLog& m_dayLog;
    Sound& m_sound;
    ViewFactory m_views;
    Scheduler m_schedule;
    std::function<void()> m_openHistory;

    QPointer<QWidget> m_panel;
    QPointer<NotchState> m_notchState;
    std::optional<NudgeKind> m_showing;
    bool m_messageShown = false;
    QList<PendingDone> m_dones;
};
