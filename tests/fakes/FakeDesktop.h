#pragma once

#include "platform/CalendarStore.h"
#include "platform/MediaProbe.h"
#include "platform/SessionEvents.h"
#include "platform/Workspace.h"

class FakeSession final : public SessionEvents {
public:
    std::optional<double> idleSeconds() const override { return idle; }
    void watchIdle(double thresholdSeconds) override { watched = thresholdSeconds; }
    std::optional<bool> doNotDisturb() const override { return dnd; }
    std::optional<double> idle = 0;
    double watched = 0;
    std::optional<bool> dnd = false; // a desktop that tells, with Do Not Disturb off
};

class FakeWorkspace final : public Workspace {
public:
    std::optional<RunningApplication> frontmostApplication() const override { return frontmost; }
    std::optional<RunningApplication> fullScreenApplication() const override {
        ++fullScreenQuestions;
        if (!fullScreen)
            return std::nullopt;
        return frontmost.value_or(RunningApplication{});
    }
    std::optional<QPoint> frontmostScreen() const override { return screen; }
    bool seesEveryApplication() const override { return seesEvery; }

    std::optional<RunningApplication> frontmost;
    bool fullScreen = false;
    mutable int fullScreenQuestions = 0;
    std::optional<QPoint> screen;
    bool seesEvery = true;
};

class FakeMediaProbe final : public MediaProbe {
public:
    std::optional<QString> cameraInUse() override {
        ++questions;
        return camera;
    }
    std::optional<QString> screenShareApp() override {
        ++questions;
        return sharing;
    }
    std::optional<QString> microphoneInUse() override {
        ++questions;
        return microphone;
    }
    bool seesMicrophone() override { return seesMic; }

    std::optional<QString> camera, sharing, microphone;
    bool seesMic = true;
    int questions = 0;
};

class FakeCalendarStore final : public CalendarStore {
public:
    Status status() const override { return current; }
    void requestAccess(std::function<void(bool)> done) override {
        ++requests;
        current = grantOnRequest ? Status::granted : Status::denied;
        done(grantOnRequest);
    }
    QList<CalendarInfo> calendars() override { return calendarList; }
    QList<CalendarEvent> events(const QDateTime& from, const QDateTime& to) override {
        ++fetches;
        QList<CalendarEvent> overlapping;
        for (const CalendarEvent& event : eventList) {
            if (event.start < to && event.end > from)
                overlapping.append(event);
        }
        return overlapping;
    }
    void change() { Q_EMIT changed(); }

    Status current = Status::granted;
    bool grantOnRequest = true;
    QList<CalendarInfo> calendarList;
    QList<CalendarEvent> eventList;
    int fetches = 0, requests = 0;
};
