#pragma once

#include "engine/RhythmEngine.h"
#include "fakes/FakeHoldState.h"
#include "fakes/FakePresentation.h"
#include "fakes/LogCapture.h"
#include "fakes/QtPrinters.h"
#include "fakes/StoredServices.h"

#include <gtest/gtest.h>

#include <memory>

// An engine over real settings, day log and event store in temporary folders, with fake
// presentation and context. The clock starts on Monday 7 December 2026 at 09:00 in Berlin.
class EngineFixture : public ::testing::Test, protected StoredServices {
protected:
    EngineFixture()
        : StoredServices(at(9, 0)) {
        settings.setCustomReminders({});
    }

    RhythmEngine& engine() {
        if (!m_engine)
            m_engine = std::make_unique<RhythmEngine>(RhythmEngine::Collaborators{
                clock, settings, preferences, dayLog, events, context, notifier, panel});
        return *m_engine;
    }
    // As after a restart of the application: a new engine over the same files.
    RhythmEngine& restartEngine() {
        m_engine.reset();
        return engine();
    }

    static QDateTime at(int hour, int minute, int second = 0, int day = 7) {
        return QDateTime(QDate(2026, 12, day), QTime(hour, minute, second));
    }
    // "HH:mm:ss" of a kind's next instant, "-" when it has none.
    QString next(const NudgeKind& kind) {
        const auto found = engine().nextAt().constFind(kind);
        return found == engine().nextAt().constEnd()
                   ? QStringLiteral("-")
                   : found->toLocalTime().toString(QStringLiteral("HH:mm:ss"));
    }
    // The event log since the start of the test as "action kind meta", launches left out.
    QStringList eventLog() {
        QStringList lines;
        for (const EventStore::Event& e : events.events(at(0, 0, 0, 1), at(0, 0, 0, 31))) {
            if (e.action == EventStore::Action::launch)
                continue;
            QStringList parts{EventStore::rawValue(e.action)};
            if (e.kind)
                parts.append(*e.kind);
            if (e.meta)
                parts.append(*e.meta);
            lines.append(parts.join(u' '));
        }
        return lines;
    }
    void advanceMinutes(double minutes) { clock.advance(minutes * 60); }

    static CustomReminder custom(const QString& title, qint64 interval) {
        CustomReminder reminder;
        reminder.title = title;
        reminder.intervalMinutes = interval;
        return reminder;
    }

    LogCapture log;
    FakeHoldState context;
    FakeNotifier notifier;
    FakeNudgePanel panel;

private:
    std::unique_ptr<RhythmEngine> m_engine;
};
