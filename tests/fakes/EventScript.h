#pragma once

#include "record/EventStore.h"

#include <QDateTime>
#include <QStringList>

// Events of one day written as the event log reads them, ", " between: "09:00 fired water,
// 10:01:30 snoozed water 10, 10:00 hold_start call"; a trailing "×3" makes three alike, 5 seconds
// apart. Times are local, instants in UTC as the event store gives them.
inline QList<EventStore::Event> scriptedEvents(QDate day, const QString& script) {
    using Action = EventStore::Action;
    QList<EventStore::Event> events;
    for (const QString& line : script.split(QStringLiteral(", "))) {
        QStringList parts = line.split(u' ');
        const int times = parts.last().startsWith(u'×') ? parts.takeLast().mid(1).toInt() : 1;
        const Action action = *EventStore::actionFromRawValue(parts[1]);
        std::optional<QString> kind;
        std::optional<QString> meta;
        if (parts.size() > 2)
            (action <= Action::expired ? kind : meta) = parts[2];
        if (parts.size() > 3)
            meta = parts[3];
        const QDateTime at(day, QTime::fromString(parts[0], Qt::ISODate));
        for (int i = 0; i < times; ++i)
            events.append({{}, at.addSecs(5 * i).toUTC(), action, kind, meta});
    }
    return events;
}
