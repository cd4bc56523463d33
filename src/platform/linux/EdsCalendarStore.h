#pragma once

#include "platform/CalendarStore.h"

#include <memory>

// The user's calendars as Evolution Data Server keeps them (GNOME Calendar, Evolution, online
// accounts). Nothing talks to EDS until requestAccess(), so people without calendar holds never
// start its services.
class EdsCalendarStore : public CalendarStore {
    Q_OBJECT

public:
    explicit EdsCalendarStore(QObject* parent = nullptr);
    ~EdsCalendarStore() override;

    Status status() const override;
    void requestAccess(std::function<void(bool granted)> done) override;
    QList<CalendarInfo> calendars() override;
    QList<CalendarEvent> events(const QDateTime& from, const QDateTime& to) override;

private:
    struct Private;
    std::unique_ptr<Private> m_d;
};
