#include "HistoryWindow.h"

#include "HistoryCharts.h"
#include "platform/Clock.h"
#include "platform/Translations.h"
#include "record/Insights.h"
#include "settings/AppSettings.h"
#include "ui/theme/Buttons.h"
#include "ui/theme/Symbols.h"
#include "ui/theme/Theme.h"

#include <QApplication>
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>
#include <utility>

using namespace Qt::StringLiterals;
using namespace Theme;

namespace {

// One choice of the range picker.
class Segment : public FlatButton {
public:
    Segment(const QString& title, QWidget* parent)
        : FlatButton(parent) {
        setText(title);
        setAccessibleName(title);
        setCheckable(true);
        setFont(sizedFont(this, 12, QFont::Medium));
    }
    QSize sizeHint() const override {
        const QFontMetrics metrics(font());
        return {metrics.horizontalAdvance(text()) + 30, metrics.height() + 12};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor ink = primaryText(palette());
        if (isChecked() || hovered()) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(withAlpha(ink, isChecked() ? 0.14 : 0.06));
            painter.drawRoundedRect(QRectF(rect()).adjusted(2, 2, -2, -2), 6, 6);
        }
        painter.setPen(isChecked() ? ink : secondaryText(palette()));
        painter.drawText(rect(), Qt::AlignCenter, text());
    }
};

QString summary(const Insights& insights, const QLocale& locale) {
    const int active = insights.activeDayCount;
    QStringList parts{
        (active == 1 ? HistoryWindow::tr("1 active day in the last %1 days")
                     : HistoryWindow::tr("%n active days in the last %1 days", nullptr, active))
            .arg(locale.toString(insights.rangeDays))};
    if (insights.answeredRate)
        parts.append(HistoryWindow::tr("%1% answered")
                         .arg(locale.toString(qint64(std::lround(*insights.answeredRate * 100)))));
    if (const auto median = insights.medianResponse) {
        parts.append(*median < 60 ? HistoryWindow::tr("usually done in under a minute")
                                  : HistoryWindow::tr("usually done within %1")
                                        .arg(Insights::formatDuration(*median)));
    }
    return parts.join(u" · "_s);
}

QString averagePerDay(const Insights::KindStat& stat, const QLocale& locale) {
    const double average = double(stat.total) / stat.activeDays;
    if (average >= 1)
        return locale.toString(qint64(std::lround(average)));
    return average > 0 ? locale.toString(average, 'f', 1) : locale.toString(0);
}

// "↑ 2 from last week", or "Same as last week" when the change rounds away.
QWidget* trendChip(const Insights::KindStat& stat, int range, const QLocale& locale,
                   QWidget* parent) {
    auto* chip = new RoundedFill(0.07, -1, parent);
    auto* line = new QHBoxLayout(chip);
    line->setContentsMargins(9, 3, 10, 3);
    line->setSpacing(3);
    const long delta =
        std::lround(double(stat.total) / stat.activeDays - stat.previousAverage.value_or(0));
    const QString period = Insights::periodPhrase(range);
    if (delta == 0) {
        line->addWidget(
            label(HistoryWindow::tr("Same as %1").arg(period), chip, 11, Tone::secondary));
        return chip;
    }
    QLabel* arrow = label(delta > 0 ? u"↑"_s : u"↓"_s, chip, 11, Tone::secondary);
    QFont bold = QApplication::font();
    bold.setPointSize(9);
    bold.setBold(true);
    arrow->setFont(bold);
    line->addWidget(arrow);
    line->addWidget(
        label(HistoryWindow::tr("%1 from %2").arg(locale.toString(qint64(std::abs(delta))), period),
              chip, 11, Tone::secondary));
    return chip;
}

QWidget* kindRow(const Insights::KindStat& stat, int range, const QLocale& locale,
                 QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(12);
    line->addWidget(new SymbolBadge(stat.kind.icon, Symbols::tint(stat.kind.tintName), 34,
                                    {.fill = 0.16, .symbolSize = 16, .tileRadius = 9}, row));
    auto* names = new QVBoxLayout;
    names->setSpacing(1);
    names->addWidget(label(stat.kind.title, row, 13, Tone::primary, QFont::DemiBold));
    line->addLayout(names, 1);
    if (stat.activeDays == 0) {
        names->addWidget(label(HistoryWindow::tr("Not used yet"), row, 12, Tone::secondary));
        return row;
    }
    const QString counted = stat.total == 1 ? stat.kind.verb : stat.kind.verbPlural;
    names->addWidget(label((stat.activeDays == 1 ? HistoryWindow::tr("%1 %2 over 1 day")
                                                 : HistoryWindow::tr("%1 %2 over %n days", nullptr,
                                                                     int(stat.activeDays)))
                               .arg(locale.toString(stat.total), counted),
                           row, 12, Tone::secondary));
    if (stat.previousAverage)
        line->addWidget(trendChip(stat, range, locale, row), 0, Qt::AlignVCenter);
    auto* average = new QHBoxLayout;
    average->setSpacing(4);
    average->addWidget(label(averagePerDay(stat, locale), row, 20, Tone::primary, QFont::DemiBold),
                       0, Qt::AlignBottom);
    QLabel* unit = label(HistoryWindow::tr("a day"), row, 12, Tone::secondary);
    unit->setContentsMargins(0, 0, 0, 3);
    average->addWidget(unit, 0, Qt::AlignBottom);
    line->addSpacing(8);
    line->addLayout(average);
    return row;
}

QWidget* highlight(const QString& content, QWidget* parent) {
    const QColor purple = Symbols::tint(u"purple"_s);
    auto* tile = new RoundedFill(0.12, 12, parent, purple);
    auto* line = new QHBoxLayout(tile);
    line->setContentsMargins(14, 10, 16, 10);
    line->setSpacing(10);
    auto* sparkle = new QLabel(QString(Symbols::glyph(u"sparkles"_s)), tile);
    sparkle->setFont(symbolFont(15));
    QPalette palette = sparkle->palette();
    palette.setColor(QPalette::WindowText,
                     readableOn(purple, parent->palette().color(QPalette::Window), symbolContrast));
    sparkle->setPalette(palette);
    line->addWidget(sparkle, 0, Qt::AlignTop);
    line->addWidget(label(content, tile, 13, Tone::primary, QFont::Normal, true), 1);
    return tile;
}

} // namespace

HistoryWindow::HistoryWindow(const AppSettings& settings, EventSource events, const Clock& clock,
                             QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_settings(settings)
    , m_events(std::move(events))
    , m_clock(clock)
    , m_scroll(new QScrollArea(this))
    , m_tick(this) {
    setWindowTitle(tr("Brevimar History"));
    closeOnEscape(this);
    resize(760, 620);
    setMinimumSize(600, 400);

    auto* picker = new RoundedFill(0.06, 8, this);
    auto* choices = new QHBoxLayout(picker);
    choices->setContentsMargins(0, 0, 0, 0);
    choices->setSpacing(0);
    auto* group = new QButtonGroup(picker);
    for (const int days : {7, 30, 90}) {
        auto* choice = new Segment(tr("%n days", nullptr, days), picker);
        choice->setChecked(days == m_range);
        group->addButton(choice, days);
        choices->addWidget(choice);
    }
    connect(group, &QButtonGroup::idClicked, this, &HistoryWindow::setRange);

    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 16, 0, 0);
    column->setSpacing(12);
    column->addWidget(picker, 0, Qt::AlignHCenter);
    column->addWidget(m_scroll, 1);

    m_tick.setObjectName(u"reload"_s);
    m_tick.setInterval(60'000);
    connect(&m_tick, &QTimer::timeout, this, &HistoryWindow::reload);
}

HistoryWindow::~HistoryWindow() = default;

void HistoryWindow::present() {
    const bool wasOpen = isVisible();
    presentWindow(this, !std::exchange(m_placed, true));
    if (wasOpen)
        reload();
}

void HistoryWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    reload();
    m_tick.start();
}

void HistoryWindow::hideEvent(QHideEvent* event) {
    m_tick.stop();
    QWidget::hideEvent(event);
}

void HistoryWindow::changeEvent(QEvent* event) {
    // The texts take their colours from the palette when they are made.
    if (event->type() == QEvent::PaletteChange && isVisible())
        reload();
    QWidget::changeEvent(event);
}

void HistoryWindow::setRange(int days) {
    if (days == m_range)
        return;
    m_range = days;
    reload();
}

void HistoryWindow::reload() {
    const QDateTime now = m_clock.now();
    const QDateTime farFuture(QDate(9999, 1, 1), QTime(0, 0), Qt::UTC);
    const Insights insights = Insights::build(m_events(now.addDays(-2 * m_range), farFuture),
                                              m_settings.kinds(), m_range, now);
    const int scrolled = m_scroll->verticalScrollBar()->value();
    m_scroll->setWidget(content(insights));
    m_scroll->verticalScrollBar()->setValue(scrolled);
}

QWidget* HistoryWindow::content(const Insights& insights) {
    auto* page = new QWidget;
    page->setPalette(palette());
    const QLocale locale = Translations::locale();
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(24, 0, 24, 24);
    column->setSpacing(14);
    QLabel* line = label(summary(insights, locale), page, 13, Tone::secondary, QFont::Normal, true);
    line->setAlignment(Qt::AlignHCenter);
    column->addWidget(line);

    RoundedFill* perDay = section(page, tr("Per day"));
    perDay->layout()->addWidget(new DailyChart(insights, perDay));
    column->addWidget(perDay);

    RoundedFill* typical = section(page, tr("Your typical day"));
    typical->layout()->addWidget(new TypicalDayChart(insights, typical));
    typical->layout()->addWidget(
        label(tr("Bigger dots: the hours you usually do it. Orange: when reminders get missed."),
              typical, 12, Tone::secondary, QFont::Normal, true));
    column->addWidget(typical);

    if (!insights.kindStats.isEmpty()) {
        RoundedFill* kinds = section(page);
        static_cast<QVBoxLayout*>(kinds->layout())->setSpacing(14);
        for (const Insights::KindStat& stat : insights.kindStats)
            kinds->layout()->addWidget(kindRow(stat, insights.rangeDays, locale, kinds));
        column->addWidget(kinds);
    }

    RoundedFill* standsOut = section(page, tr("What stands out"));
    for (const QString& sentence : insights.sentences)
        standsOut->layout()->addWidget(
            label(sentence, standsOut, 13, Tone::primary, QFont::Normal, true));
    column->addWidget(standsOut);

    for (const QString& text : insights.highlights)
        column->addWidget(highlight(text, page));
    column->addStretch(1);
    return page;
}
