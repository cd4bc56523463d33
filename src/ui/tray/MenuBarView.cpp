#include "MenuBarView.h"

#include "PanelPlacement.h"
#include "PanelSections.h"
#include "context/ContextMonitor.h"
#include "engine/RhythmEngine.h"
#include "platform/Clock.h"
#include "record/DayLog.h"
#include "settings/AppSettings.h"
#include "ui/theme/Theme.h"
#include "ui/theme/Windowing.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
constexpr int panelWidth = 340;
constexpr int panelMargin = 6; // rows and footer buttons bring their own padding inside
constexpr int refreshMSecs = 15000;
constexpr Qt::WindowFlags popupFlags = Qt::Popup | Qt::FramelessWindowHint;
// Fixed in size, so no maximise button.
constexpr Qt::WindowFlags ownWindowFlags = Qt::Window | Qt::CustomizeWindowHint |
                                           Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                                           Qt::WindowCloseButtonHint;
} // namespace

MenuBarView::MenuBarView(RhythmEngine& engine, ContextMonitor& monitor, DayLog& dayLog,
                         AppSettings& settings, const Clock& clock, QWidget* parent)
    : QWidget(parent, popupFlags)
    , m_engine(engine)
    , m_monitor(monitor)
    , m_dayLog(dayLog)
    , m_settings(settings)
    , m_clock(clock) {
    setFixedWidth(panelWidth);
    setWindowTitle(u"Brevimar"_s);

    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);

    m_pauseMenu = new QMenu(this);
    for (const PauseOption& option : PanelModel::pauseOptions()) {
        m_pauseMenu->addAction(option.title, this, [this, option] {
            m_monitor.pause(option.seconds, option.restOfDay);
        });
    }

    auto* quit = new QAction(tr("Quit Brevimar"), this);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::WindowShortcut);
    connect(quit, &QAction::triggered, qApp, &QCoreApplication::quit);
    addAction(quit);

    m_coalesce.setSingleShot(true);
    m_coalesce.setInterval(0);
    connect(&m_coalesce, &QTimer::timeout, this, &MenuBarView::refresh);
    m_clockTimer.setInterval(refreshMSecs);
    connect(&m_clockTimer, &QTimer::timeout, this, &MenuBarView::scheduleRefresh);

    for (const auto changed : {&RhythmEngine::nextAtChanged, &RhythmEngine::awaitingChanged,
                               &RhythmEngine::unansweredChanged, &RhythmEngine::parkedChanged})
        connect(&m_engine, changed, this, &MenuBarView::scheduleRefresh);
    connect(&m_monitor, &HoldState::holdReasonChanged, this, &MenuBarView::scheduleRefresh);
    connect(&m_monitor, &ContextMonitor::holdDetailChanged, this, &MenuBarView::scheduleRefresh);
    connect(&m_monitor, &ContextMonitor::manualPauseUntilChanged, this,
            &MenuBarView::scheduleRefresh);
    connect(&m_dayLog, &DayLog::stateChanged, this, &MenuBarView::scheduleRefresh);
    for (const auto changed :
         {&AppSettings::dailyGoalsEnabledChanged, &AppSettings::dailyGoalsChanged,
          &AppSettings::customRemindersChanged, &AppSettings::waterEnabledChanged,
          &AppSettings::movementEnabledChanged, &AppSettings::waterIntervalMinutesChanged,
          &AppSettings::breakIntervalMinutesChanged, &AppSettings::workScheduleChanged,
          &AppSettings::presetChanged})
        connect(&m_settings, changed, this, &MenuBarView::scheduleRefresh);
}

void MenuBarView::setShowHistory(std::function<void()> show) {
    m_showHistory = std::move(show);
    scheduleRefresh();
}

void MenuBarView::openHistory() const {
    if (m_showHistory)
        m_showHistory();
}

void MenuBarView::setShowSettings(std::function<void()> show) {
    m_showSettings = std::move(show);
    scheduleRefresh();
}

void MenuBarView::openSettings() const {
    if (m_showSettings)
        m_showSettings();
}

void MenuBarView::scheduleRefresh() {
    // A closed panel is rebuilt when it next opens.
    if (!isVisible()) {
        m_stale = true;
        return;
    }
    m_coalesce.start();
}

void MenuBarView::refresh() {
    m_coalesce.stop();
    m_stale = false;
    m_model = PanelModel::build({m_engine, m_monitor, m_dayLog, m_settings, m_clock});

    // The old content may hold the button whose click led here, so it goes once control is back
    // in the event loop.
    if (m_content) {
        m_layout->removeWidget(m_content);
        m_content->hide();
        m_content->deleteLater();
    }
    m_content = buildContent();
    m_layout->addWidget(m_content);
    m_content->show(); // children added to a shown widget stay hidden until told otherwise
    m_layout->invalidate();
    setFixedHeight(m_layout->sizeHint().height());

    // Grown while open (a pause bar, a new kind): keep the bottom on screen, as a panel opened
    // from a bottom tray would otherwise run off it.
    if (isVisible() && screen()) {
        const QRect available = screen()->availableGeometry();
        if (geometry().bottom() > available.bottom())
            move(x(), std::max(available.top(), available.bottom() + 1 - height()));
    }
}

QWidget* MenuBarView::buildContent() {
    auto* content = new QWidget(this);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(panelMargin, panelMargin + 4, panelMargin, panelMargin);
    column->setSpacing(8);

    column->addWidget(PanelSections::header(m_model, content));
    if (m_model.pausedUntil) {
        column->addWidget(PanelSections::pausedBar(
            *m_model.pausedUntil, [this] { m_monitor.resume(); }, content));
    }

    if (!m_model.rows.isEmpty()) {
        auto* rows = new QVBoxLayout;
        rows->setSpacing(4);
        for (qsizetype i = 0; i < m_model.rows.size(); ++i) {
            if (i > 0)
                rows->addWidget(PanelSections::divider(content));
            const NudgeKind& kind = m_model.rows[i].kind;
            rows->addWidget(PanelSections::row(
                m_model.rows[i], [this, kind](RowAction action) { act(kind, action); }, content));
        }
        column->addLayout(rows);
    }

    column->addWidget(PanelSections::divider(content));
    column->addWidget(PanelSections::footer(m_model.pausedUntil ? nullptr : m_pauseMenu,
                                            m_showHistory, m_showSettings, content));
    return content;
}

void MenuBarView::act(const NudgeKind& kind, RowAction action) {
    switch (action) {
    case RowAction::done:
        m_engine.done(kind);
        break;
    case RowAction::snooze:
        m_engine.snooze(kind, 10);
        break;
    case RowAction::untilFree:
        m_engine.untilFree(kind);
        break;
    case RowAction::skip:
        m_engine.skip(kind);
        break;
    case RowAction::remindNow:
        m_engine.fire(kind);
        break;
    }
}

void MenuBarView::openAt(const QRect& iconGeometry) {
    // A tray that turned up after the panel opened as a window takes it back as its popup.
    if (windowType() != Qt::Popup)
        setWindowFlags(popupFlags);
    refresh();
    move(PanelPlacement::forIcon(size(), iconGeometry));
    Windowing::useActivationToken(this);
    show();
    raise();
    activateWindow();
}

void MenuBarView::openAsWindow() {
    if (windowType() == Qt::Popup)
        setWindowFlags(ownWindowFlags); // hides it
    if (!isVisible()) {
        refresh();
        move(PanelPlacement::atTopCentre(size()));
    }
    Windowing::useActivationToken(this);
    show();
    raise();
    activateWindow();
}

bool MenuBarView::justClosed() const {
    return m_sinceHidden.isValid() && m_sinceHidden.elapsed() < 300;
}

void MenuBarView::showEvent(QShowEvent* event) {
    if (m_stale)
        refresh();
    m_clockTimer.start();
    QWidget::showEvent(event);
}

void MenuBarView::hideEvent(QHideEvent* event) {
    m_clockTimer.stop();
    m_pauseMenu->hide();
    m_sinceHidden.start();
    QWidget::hideEvent(event);
}

void MenuBarView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MenuBarView::changeEvent(QEvent* event) {
    // The content bakes in colours and fonts, so a theme switch needs a fresh build.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        scheduleRefresh();
    QWidget::changeEvent(event);
}

void MenuBarView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (windowType() != Qt::Popup)
        return; // the window manager's frame is the edge
    painter.setPen(Theme::withAlpha(Theme::primaryText(palette()), 0.18));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
