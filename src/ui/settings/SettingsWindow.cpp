#include "SettingsWindow.h"

#include "AlertsPane.h"
#include "GeneralPane.h"
#include "PausesPane.h"
#include "RemindersPane.h"
#include "SchedulePane.h"
#include "SettingsForm.h"
#include "ui/theme/Symbols.h"
#include "ui/theme/Theme.h"

#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTabBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

struct TabInfo {
    const char* title;
    QString symbol;
};

const std::array<TabInfo, 5> tabInfo{
    {{QT_TRANSLATE_NOOP("SettingsWindow", "Reminders"), u"drop"_s},
     {QT_TRANSLATE_NOOP("SettingsWindow", "Alerts"), u"bell.badge"_s},
     {QT_TRANSLATE_NOOP("SettingsWindow", "Pauses"), u"pause.circle"_s},
     {QT_TRANSLATE_NOOP("SettingsWindow", "Schedule"), u"calendar"_s},
     {QT_TRANSLATE_NOOP("SettingsWindow", "General"), u"gearshape"_s}}};

// The tab shown last in this run of Brevimar, for the next window to open on: the window is made
// anew each time it opens. It is not stored, so a new start opens on Reminders and the settings
// file holds nothing but settings.
SettingsWindow::Tab lastShown = SettingsWindow::Tab::reminders;

QIcon symbolIcon(const QString& symbol, const QColor& colour) {
    QIcon icon;
    for (const int size : {16, 32}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setFont(Theme::symbolFont(size * 0.75));
        painter.setPen(colour);
        painter.drawText(pixmap.rect(), Qt::AlignCenter, QString(Symbols::glyph(symbol)));
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace

SettingsWindow::SettingsWindow(SettingsParts parts, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_parts(std::move(parts))
    , m_tabs(new QTabBar(this))
    , m_scroll(new QScrollArea(this)) {
    setWindowTitle(tr("Brevimar Settings"));
    Theme::closeOnEscape(this);
    for (const TabInfo& info : tabInfo)
        m_tabs->addTab(symbolIcon(info.symbol, Theme::primaryText(palette())), tr(info.title));
    m_tabs->setDocumentMode(true);
    m_tabs->setDrawBase(false);
    m_tabs->setExpanding(false);

    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setFocusPolicy(Qt::NoFocus); // Tab goes from the tabs into the pane
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidgetResizable(true);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 10, 0, 0);
    column->setSpacing(4);
    column->addWidget(m_tabs, 0, Qt::AlignHCenter);
    column->addWidget(m_scroll, 1);

    connect(m_tabs, &QTabBar::currentChanged, this, [this](int index) { showTab(Tab(index)); });
    showTab(lastShown);
}

SettingsWindow::~SettingsWindow() = default;

void SettingsWindow::present() {
    Theme::presentWindow(this, !isVisible());
}

SettingsWindow::Tab SettingsWindow::tab() const {
    return Tab(m_tabs->currentIndex());
}

void SettingsWindow::showTab(Tab tab) {
    lastShown = tab;
    m_tabs->setCurrentIndex(int(tab));
    QWidget*& pane = m_panes[size_t(tab)];
    if (!pane) {
        pane = makePane(tab);
        pane->installEventFilter(this);
    }
    if (m_scroll->widget() == pane)
        return;
    if (QWidget* previous = m_scroll->takeWidget()) {
        // The scroll area lets go of the pane it hands back; the window keeps it, so that it goes
        // with the window and no pane of a closed window goes on answering changes.
        previous->hide();
        previous->setParent(this);
    }
    m_scroll->setWidget(pane);
    pane->show();
    fitToPane();
}

void SettingsWindow::setCanCheckForUpdates(bool can) {
    if (can == m_canCheckForUpdates)
        return;
    m_canCheckForUpdates = can;
    Q_EMIT canCheckForUpdatesChanged();
}

bool SettingsWindow::eventFilter(QObject* watched, QEvent* event) {
    // A pane that grows or shrinks (a switch that shows more rows) takes the window with it.
    if (watched == m_scroll->widget() && event->type() == QEvent::LayoutRequest)
        fitToPane();
    return QWidget::eventFilter(watched, event);
}

QWidget* SettingsWindow::makePane(Tab tab) {
    switch (tab) {
    case Tab::reminders:
        return new RemindersPane(m_parts);
    case Tab::alerts:
        return new AlertsPane(m_parts);
    case Tab::pauses:
        return new PausesPane(m_parts);
    case Tab::schedule:
        return new SchedulePane(m_parts);
    case Tab::general:
        return new GeneralPane(m_parts, *this);
    }
    return nullptr;
}

void SettingsWindow::fitToPane() {
    QWidget* pane = m_scroll->widget();
    if (!pane)
        return;
    const int paneHeight = pane->layout() && pane->layout()->hasHeightForWidth()
                               ? pane->layout()->totalHeightForWidth(SettingsForm::paneWidth)
                               : pane->sizeHint().height();
    const QScreen* shown = screen();
    const int room = shown ? shown->availableGeometry().height() * 9 / 10 : paneHeight;
    const int chrome = m_tabs->sizeHint().height() + 14;
    // A pane taller than the room scrolls, and the window widens by the scroll bar.
    const bool scrolls = paneHeight + chrome > room;
    const int scrollBar = scrolls ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
    setFixedSize(SettingsForm::paneWidth + scrollBar, std::min(paneHeight + chrome, room));
}
