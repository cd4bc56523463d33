#pragma once

#include "record/EventStore.h"

#include <QTimer>
#include <QWidget>

#include <functional>

class AppSettings;
class Clock;
class QScrollArea;
struct Insights;

// What the event log says about the last 7, 30 or 90 days: a summary, the done reminders per day
// and per hour, a row per kind with its trend, and the observations. Made once and kept; closing
// it only hides it. It is rebuilt from the log on every show, on a change of range and once a
// minute while it is open.
class HistoryWindow : public QWidget {
    Q_OBJECT

public:
    // The events from one instant (inclusive) to another, oldest first.
    using EventSource =
        std::function<QList<EventStore::Event>(const QDateTime& from, const QDateTime& to)>;

    HistoryWindow(const AppSettings& settings, EventSource events, const Clock& clock,
                  QWidget* parent = nullptr);
    ~HistoryWindow() override;

    // Shows the window in front and gives it the keyboard: centred the first time, reloaded when
    // it was open already.
    void present();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setRange(int days);
    void reload();
    QWidget* content(const Insights& insights);

    const AppSettings& m_settings;
    EventSource m_events;
    const Clock& m_clock;
    int m_range = 7;
    bool m_placed = false;
    QScrollArea* m_scroll;
    QTimer m_tick;
};
