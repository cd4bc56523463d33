#pragma once

#include "engine/Notifier.h"
#include "engine/NudgePanel.h"

#include <QStringList>

// Records every call as one line of text, in the order made: "show water (first one today)".
class FakeNotifier final : public Notifier {
public:
    void deliver(const NudgeKind& kind, const std::optional<QString>& reason) override {
        calls.append(QStringLiteral("deliver %1 (%2)").arg(kind.id, reason.value_or(QString())));
    }
    void clear(const NudgeKind& kind) override { calls.append(QStringLiteral("clear ") + kind.id); }
    void deliverWindDown(const QString& summary) override {
        calls.append(QStringLiteral("windDown ") + summary);
    }
    void deliverWeeklyReport(const QString& text) override {
        calls.append(QStringLiteral("weekly ") + text);
    }

    QStringList calls;
};

class FakeNudgePanel final : public NudgePanel {
public:
    void show(const NudgeKind& kind, RhythmEngine&, const std::optional<QString>& reason) override {
        calls.append(QStringLiteral("show %1 (%2)").arg(kind.id, reason.value_or(QString())));
    }
    void dismiss(const NudgeKind& kind) override {
        calls.append(QStringLiteral("dismiss ") + kind.id);
    }
    bool showMessage(const QString& title, const QString& message, const QString& icon,
                     const QString& tint) override {
        calls.append(QStringLiteral("message %1 | %2 | %3 %4").arg(title, message, icon, tint));
        return acceptsMessages;
    }

    bool placesWindows() const override { return places; }

    QStringList calls;
    bool acceptsMessages = true;
    bool places = true;
};
