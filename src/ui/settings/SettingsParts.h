#pragma once

#include <QString>

#include <functional>

class AppSettings;
class Clock;
class ContextMonitor;
class EventStore;
class RhythmEngine;
class SessionEvents;
class Workspace;

// What the settings panes read and change: the shared stores and the running services.
struct SettingsParts {
    AppSettings& settings;
    ContextMonitor& context;
    RhythmEngine& engine;
    const EventStore& events;
    const Clock& clock;
    // What the desktop lets Brevimar see, for the panes to say where it sees less.
    const Workspace& workspace;
    const SessionEvents& session;
    // The version row: the version, the build ("Build 345") as its tooltip, and the update
    // check, which a build without an update feed does not have.
    QString version;
    QString build;
    std::function<void()> checkForUpdates;
};
