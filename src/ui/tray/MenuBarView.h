#pragma once

#include "PanelModel.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

class AppSettings;
class Clock;
class ContextMonitor;
class DayLog;
class QMenu;
class QVBoxLayout;
class RhythmEngine;

// The panel that drops down from the tray icon: today's progress, what comes next, why reminders
// are held, one row per reminder kind with its answers, the pause controls and a footer. It only
// reads the services and acts through their operations.
class MenuBarView : public QWidget {
    Q_OBJECT

public:
    MenuBarView(RhythmEngine& engine, ContextMonitor& monitor, DayLog& dayLog,
                AppSettings& settings, const Clock& clock, QWidget* parent = nullptr);

    // The history and settings windows belong to the owner; their buttons stay hidden until set.
    void setShowHistory(std::function<void()> show);
    // The tray menu's way to the history window.
    void openHistory() const;
    void setShowSettings(std::function<void()> show);
    // The tray menu's way to the settings window.
    void openSettings() const;

    const PanelModel& model() const { return m_model; }
    // Rebuilds the content from the services at once.
    void refresh();

    // Opens under the tray icon's geometry or, when the tray cannot tell where the icon is, at the
    // pointer; either way inside the screen's available area.
    void openAt(const QRect& iconGeometry);
    // With no tray to open from: an ordinary window the window manager decorates, centred at the
    // top of the screen; brought to the front where it stands when already open.
    void openAsWindow();

    // True for a moment after the panel closed, so the tray click that closed it does not
    // open it again.
    bool justClosed() const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void scheduleRefresh();
    QWidget* buildContent();
    void act(const NudgeKind& kind, RowAction action);

    RhythmEngine& m_engine;
    ContextMonitor& m_monitor;
    DayLog& m_dayLog;
    AppSettings& m_settings;
    const Clock& m_clock;

    std::function<void()> m_showHistory;
    std::function<void()> m_showSettings;

    PanelModel m_model;
    QVBoxLayout* m_layout = nullptr;
    QPointer<QWidget> m_content;
    QMenu* m_pauseMenu = nullptr;
    QTimer m_coalesce;   // one rebuild for a burst of change signals
    QTimer m_clockTimer; // keeps relative times current while open
    bool m_stale = true;
    QElapsedTimer m_sinceHidden;
};
