#pragma once

#include "record/EventStore.h"

#include <QStringList>

// The whole event log, oldest first, one line an event: the action's raw value, then the kind and
// the meta when present ("launch", "fired water", "snoozed water 10", "hold_start call").
inline QStringList eventLog(const EventStore& events) {
    QStringList lines;
    const QDateTime end(QDate(9999, 1, 1), QTime(0, 0), Qt::UTC);
    for (const EventStore::Event& e : events.events(QDateTime::fromSecsSinceEpoch(0), end)) {
        QStringList parts{EventStore::rawValue(e.action)};
        if (e.kind)
            parts.append(*e.kind);
        if (e.meta)
            parts.append(*e.meta);
        lines.append(parts.join(u' '));
    }
    return lines;
}
