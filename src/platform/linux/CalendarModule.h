#pragma once

#include "platform/CalendarStore.h"

#include <QLibrary>

// The calendar store kept in a module of its own (brevimar-calendar-eds.so): the Evolution Data
// Server client brings some forty libraries that nobody without calendar holds should pay for in
// memory or start-up time. The module is loaded the first time access is asked for and then stays
// loaded; without it there is no calendar and access is denied.
class CalendarModule final : public CalendarStore {
    Q_OBJECT

public:
    explicit CalendarModule(const QString& path, QObject* parent = nullptr);
    ~CalendarModule() override;
    CalendarModule(const CalendarModule&) = delete;
    CalendarModule& operator=(const CalendarModule&) = delete;

    // Where the application finds the module: beside its own libraries, as installed.
    static QString installedPath();

    Status status() const override;
    void requestAccess(std::function<void(bool granted)> done) override;
    QList<CalendarInfo> calendars() override;
    QList<CalendarEvent> events(const QDateTime& from, const QDateTime& to) override;

private:
    bool load();

    QLibrary m_library;
    CalendarStore* m_store = nullptr;
    bool m_missing = false;
};
