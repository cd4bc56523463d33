#pragma once

#include "context/ContextMonitor.h"
#include "engine/RhythmEngine.h"
#include "fakes/EventLog.h"
#include "fakes/FakeDesktop.h"
#include "fakes/FakeHoldState.h"
#include "fakes/FakePresentation.h"
#include "fakes/LogCapture.h"
#include "fakes/QtPrinters.h"
#include "fakes/StoredServices.h"

#include <memory>

// A rhythm engine over StoredServices (no custom reminders), made on first use so that a test can
// arrange settings and the event log before it schedules. Reminders are held by the fake
// `context` and shown by the fake notifier and panel, unless a fixture, before the first
// engine(), sets `holdByMonitor` (the real context monitor over the fake desktop holds them) or
// points `notifierInUse` / `panelInUse` at its own.
class EngineHarness : public StoredServices {
public:
    // Monday 7 December 2026 at 09:00 unless told otherwise (the tests run in Berlin).
    EngineHarness()
        : EngineHarness(at(9, 0)) {}
    explicit EngineHarness(QDateTime start)
        : StoredServices(std::move(start)) {
        settings.setCustomReminders({});
    }

    RhythmEngine& engine() {
        if (!m_engine) {
            HoldState& holds = holdByMonitor ? monitor() : static_cast<HoldState&>(context);
            m_engine = std::make_unique<RhythmEngine>(RhythmEngine::Collaborators{
                clock, settings, preferences, dayLog, events, holds, *notifierInUse, *panelInUse});
        }
        return *m_engine;
    }
    // Made on first use and not started: tests call refresh() themselves.
    ContextMonitor& monitor() {
        if (!m_monitor)
            m_monitor = std::make_unique<ContextMonitor>(ContextMonitor::Collaborators{
                clock, settings, events, session, workspace, media, calendar});
        return *m_monitor;
    }
    // As after a restart of the application: a new monitor and engine over the same files.
    RhythmEngine& restart() {
        m_engine.reset();
        m_monitor.reset();
        return engine();
    }

    static QDateTime at(int hour, int minute, int second = 0, int day = 7) {
        return QDateTime(QDate(2026, 12, day), QTime(hour, minute, second));
    }
    void advanceMinutes(double minutes) { clock.advance(minutes * 60); }
    QString next(const NudgeKind& kind) {
        const auto found = engine().nextAt().constFind(kind);
        return found == engine().nextAt().constEnd()
                   ? QStringLiteral("-")
                   : found->toLocalTime().toString(QStringLiteral("HH:mm:ss"));
    }
    // Logs firings, then dones, of a kind at an instant in the past; the clock stays where it was.
    void answered(const NudgeKind& kind, const QDateTime& when, int fired, int done) {
        const QDateTime now = clock.now();
        clock.set(when);
        for (int i = 0; i < fired; ++i)
            events.log(EventStore::Action::fired, kind);
        for (int i = 0; i < done; ++i)
            events.log(EventStore::Action::done, kind);
        clock.set(now);
    }
    static CustomReminder custom(const QString& title, qint64 interval) {
        return {.title = title, .intervalMinutes = interval};
    }

    LogCapture log;
    FakeHoldState context;
    FakeSession session;
    FakeWorkspace workspace;
    FakeMediaProbe media;
    FakeCalendarStore calendar;
    FakeNotifier notifier;
    FakeNudgePanel panel;

    bool holdByMonitor = false;
    Notifier* notifierInUse = &notifier;
    NudgePanel* panelInUse = &panel;

private:
    std::unique_ptr<ContextMonitor> m_monitor;
    std::unique_ptr<RhythmEngine> m_engine; // goes before the monitor it holds by
};
