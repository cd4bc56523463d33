#include "HistoryCharts.h"

#include "platform/Translations.h"
#include "ui/theme/Symbols.h"
#include "ui/theme/Theme.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;
using namespace Theme;

namespace {

// A round top for the axis: 1, 2 or 5 times a power of ten per step, at most four steps.
std::pair<int, int> axisSteps(int largest) {
    if (largest <= 4)
        return {1, 4};
    for (int scale = 1;; scale *= 10) {
        for (const int step : {scale, 2 * scale, 5 * scale}) {
            const int count = (largest + step - 1) / step;
            if (count <= 4)
                return {step, count};
        }
    }
}

// Read as a chart, not as an empty pane.
QAccessibleInterface* chartAccessible(const QString& className, QObject* object) {
    if (className == u"DailyChart"_s && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Chart);
    return nullptr;
}

constexpr double doneRow = 16;
constexpr double missedRow = 44;
constexpr int labelsTop = 60;

} // namespace

DailyChart::DailyChart(const Insights& insights, QWidget* parent)
    : QWidget(parent)
    , m_days(insights.days) {
    for (const Insights::KindStat& stat : insights.kindStats)
        m_kinds.append(stat.kind);
    static const bool readAsChart = (QAccessible::installFactory(chartAccessible), true);
    Q_UNUSED(readAsChart);
    setAccessibleName(QCoreApplication::translate("HistoryWindow", "Per day"));
    const QLocale locale = Translations::locale();
    QStringList days;
    for (const Insights::Day& day : m_days) {
        const QString done = Insights::doneOn(day, m_kinds);
        days.append(
            QCoreApplication::translate("HistoryCharts", "%1: %2", "a day, what was done on it")
                .arg(locale.toString(day.date.date(),
                                     QCoreApplication::translate("HistoryCharts", "dddd, MMM d")),
                     done.isEmpty() ? QCoreApplication::translate("HistoryCharts", "nothing done")
                                    : done));
    }
    setAccessibleDescription(days.join(u'\n'));
    setFont(sizedFont(this, 11));
    setMinimumHeight(210);
}

void DailyChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetrics metrics(font());
    const QColor secondary = secondaryText(palette());
    const QColor tertiary = tertiaryText(palette());
    const QLocale locale = Translations::locale();

    // The legend.
    double x = 0;
    const int legendHeight = metrics.height() + 12;
    for (const NudgeKind& kind : m_kinds) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(Symbols::tint(kind.tintName));
        painter.drawEllipse(QRectF(x, (metrics.height() - 8) / 2.0, 8, 8));
        x += 13;
        painter.setPen(secondary);
        painter.drawText(QPointF(x, metrics.ascent()), kind.title);
        x += metrics.horizontalAdvance(kind.title) + 16;
    }

    int largest = 0;
    for (const Insights::Day& day : m_days) {
        int total = 0;
        for (const NudgeKind& kind : m_kinds)
            total += day.done.value(kind.id);
        largest = std::max(largest, total);
    }
    const auto [step, steps] = axisSteps(largest);
    const int top = steps * step;
    const int axisWidth = metrics.horizontalAdvance(locale.toString(top)) + 8;
    const QRectF plot(axisWidth, legendHeight + metrics.height() / 2.0, width() - axisWidth,
                      height() - legendHeight - metrics.height() * 2.0 - 6);

    // Lines across at each step, the counts beside them.
    for (int i = 0; i <= steps; ++i) {
        const double y = plot.bottom() - plot.height() * i / steps;
        painter.setPen(QPen(withAlpha(primaryText(palette()), i == 0 ? 0.25 : 0.09), 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(tertiary);
        painter.drawText(QRectF(0, y - metrics.height() / 2.0, axisWidth - 6, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, locale.toString(i * step));
    }

    if (m_days.isEmpty())
        return;
    const double slot = plot.width() / double(m_days.size());
    const double barWidth = std::clamp(slot * 0.62, 2.0, 36.0);
    const int markEvery = m_days.size() < 8 ? 1 : m_days.size() < 31 ? 5 : 15;
    for (qsizetype i = 0; i < m_days.size(); ++i) {
        const Insights::Day& day = m_days[i];
        const double centre = plot.left() + slot * (double(i) + 0.5);
        double base = plot.bottom();
        int total = 0;
        for (const NudgeKind& kind : m_kinds)
            total += day.done.value(kind.id);
        if (total > 0) {
            const double barHeight = plot.height() * total / top;
            QPainterPath bar;
            const double radius = std::min(3.0, barWidth / 2);
            bar.addRoundedRect(
                QRectF(centre - barWidth / 2, base - barHeight, barWidth, barHeight + radius),
                radius, radius);
            painter.save();
            painter.setClipPath(bar);
            for (const NudgeKind& kind : m_kinds) {
                const double h = plot.height() * day.done.value(kind.id) / top;
                painter.fillRect(QRectF(centre - barWidth / 2, base - h, barWidth, h),
                                 Symbols::tint(kind.tintName));
                base -= h;
            }
            painter.restore();
        }
        if (i % markEvery == 0) {
            const QString label = locale.toString(
                day.date.date(), QCoreApplication::translate("HistoryCharts", "MMM d"));
            const double labelWidth = metrics.horizontalAdvance(label);
            const double left = std::clamp(centre - labelWidth / 2, 0.0, width() - labelWidth);
            painter.setPen(tertiary);
            painter.drawText(QPointF(left, plot.bottom() + 6 + metrics.ascent()), label);
        }
    }
}

TypicalDayChart::TypicalDayChart(const Insights& insights, QWidget* parent)
    : QWidget(parent)
    , m_done(24, 0)
    , m_missed(insights.missedByHour) {
    for (const QList<int>& hours : insights.doneByHour) {
        for (int h = 0; h < 24 && h < hours.size(); ++h)
            m_done[h] += hours[h];
    }
    m_missed.resize(24);
    setAccessibleName(QCoreApplication::translate("HistoryWindow", "Your typical day"));
    setFont(sizedFont(this, 11));
    setMinimumHeight(labelsTop + QFontMetrics(font()).height());
}

void TypicalDayChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QFontMetrics metrics(font());
    const int mostDone = std::max(1, *std::max_element(m_done.cbegin(), m_done.cend()));
    const int mostMissed = std::max(1, *std::max_element(m_missed.cbegin(), m_missed.cend()));
    const double slot = width() / 24.0;
    // Misses get a row of their own under the done dots: most hours miss a reminder now and
    // then, and painting those orange would hide where the work gets done.
    for (int h = 0; h < 24; ++h) {
        const double centre = slot * (h + 0.5);
        const double done = m_done[h] > 0 ? 7 + 20.0 * m_done[h] / mostDone : 5;
        painter.setBrush(m_done[h] > 0 ? Symbols::tint(u"blue"_s)
                                       : withAlpha(primaryText(palette()), 0.18));
        painter.drawEllipse(QPointF(centre, doneRow), done / 2, done / 2);
        if (m_missed[h] > 0) {
            const double missed = 6 + 10.0 * m_missed[h] / mostMissed;
            painter.setBrush(Symbols::tint(u"orange"_s));
            painter.drawEllipse(QPointF(centre, missedRow), missed / 2, missed / 2);
        }
    }
    painter.setPen(tertiaryText(palette()));
    for (int h = 0; h < 24; h += 3) {
        const QString label = Insights::hourLabel(h);
        const double left =
            std::max(0.0, slot * (h + 0.5) - metrics.horizontalAdvance(label) / 2.0);
        painter.drawText(QPointF(left, labelsTop + metrics.ascent()), label);
    }
}
