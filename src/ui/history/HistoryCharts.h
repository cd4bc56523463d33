#pragma once

#include "record/Insights.h"

#include <QColor>
#include <QList>
#include <QWidget>

// Done reminders per day of the range, stacked by kind in the kinds' colours, with the legend
// above and a date under every day, every fifth or every fifteenth day as the range grows. A screen
// reader meets it as a chart whose description gives each day's counts, one day a line.
class DailyChart : public QWidget {
    Q_OBJECT

public:
    DailyChart(const Insights& insights, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<NudgeKind> m_kinds;
    QList<Insights::Day> m_days;
};

// The hours of a typical day as a row of dots: bigger where more is done, orange where reminders
// went unanswered.
class TypicalDayChart : public QWidget {
public:
    TypicalDayChart(const Insights& insights, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<int> m_done; // all kinds together, per hour
    QList<int> m_missed;
};
