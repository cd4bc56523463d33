#pragma once

#include "FindWidget.h"
#include "fakes/EventScript.h"
#include "fakes/SimulatedUsage.h"
#include "fakes/StoredServices.h"
#include "ui/history/HistoryWindow.h"

#include <gtest/gtest.h>

#include <algorithm>

// The history window over the real settings (water and movement) on Monday 7 December 2026,
// 10:00, reading the events a test writes into `log` rather than an event store.
class HistoryFixture : public ::testing::Test, protected StoredServices {
protected:
    HistoryFixture()
        : StoredServices(QDateTime(QDate(2026, 12, 7), QTime(10, 0))) {
        settings.setCustomReminders({});
    }

    // A working person's last 180 days, up to now.
    void simulate() {
        const QDateTime now = clock.now();
        log = simulatedUsage({}, now.date().addDays(-179), 180);
        log.erase(std::remove_if(log.begin(), log.end(), [&](const auto& e) { return e.at > now; }),
                  log.end());
    }
    // The events of a day of 2026, as the event log reads them ("09:00 fired water").
    void on(int month, int day, const QString& script) {
        log += scriptedEvents(QDate(2026, month, day), script);
    }
    void choose(const QString& range) { findWidget(window, range)->click(); }
    QStringList texts() const { return labelTexts(window); }

    QList<EventStore::Event> log;
    QDateTime askedFrom; // where the window's last reload started reading
    HistoryWindow window{settings,
                         [this](const QDateTime& from, const QDateTime& to) {
                             askedFrom = from;
                             QList<EventStore::Event> read;
                             std::copy_if(log.begin(), log.end(), std::back_inserter(read),
                                          [&](const auto& e) { return e.at >= from && e.at < to; });
                             return read;
                         },
                         clock};
};
