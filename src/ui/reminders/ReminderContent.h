#pragma once

#include "NudgeViews.h"
#include "settings/NudgeKind.h"

#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QPainter;
class QVariantAnimation;

// Today's progress of a kind towards its goal, with the kind's symbol in the middle that turns
// into a checkmark once the reminder is done.
class GoalRing : public QWidget {
    Q_OBJECT

public:
    GoalRing(const NudgeKind& kind, qint64 count, qint64 goal, bool completed, double size,
             double lineWidth, QWidget* parent = nullptr);

    // How much of the ring is drawn.
    static double fraction(qint64 count, qint64 goal, bool completed);
    // Draws a ring into box over a background of one colour. completion runs 0 → 1 as the symbol
    // gives way to the checkmark.
    static void paint(QPainter& painter, const QRectF& box, const NudgeKind& kind,
                      const QColor& background, double fraction, double completion,
                      double lineWidth);

    // Shows a new count; animated with the completion spring.
    void setProgress(qint64 count, bool completed, bool animated);
    double shownFraction() const { return m_fraction; }
    double targetFraction() const { return fraction(m_count, m_goal, m_completed); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    NudgeKind m_kind;
    qint64 m_count;
    qint64 m_goal;
    bool m_completed;
    double m_lineWidth;
    double m_fraction;
    double m_completion;
    QVariantAnimation* m_animation;
};

// The reminder block of the card and of the notch panel: ring, texts, Done and three round
// answers. Done shows the press as counted and answers once; the panel controller holds the
// answer back a moment so the ring can advance before the panel goes away.
class ReminderContent : public QWidget {
    Q_OBJECT

public:
    static constexpr int ringSize = 46;
    static constexpr int buttonHeight = 32;

    ReminderContent(double width, const NudgeKind& kind, std::optional<QString> reason,
                    qint64 count, qint64 goal, ReminderActions actions, QWidget* parent = nullptr);

    // "2 of 8 today", "Goal met today", "3 today", each with " · " + reason when there is one.
    static QString goalLine(qint64 shownCount, qint64 goal, const std::optional<QString>& reason);

    bool completed() const { return m_completed; }
    // Sets the completed look at once, without calling done (a view that starts completed).
    void showCompleted();
    qint64 shownCount() const { return m_completed ? m_count + 1 : m_count; }
    QString goalLineText() const;
    GoalRing* ring() const { return m_ring; }
    // Where the block must fit a fixed height (the top panel's body), long texts are cut to one
    // title line, two body lines and one goal line, each ending in an ellipsis.
    void limitHeight(int maxHeight);

public Q_SLOTS:
    // What the Done button does.
    void pressDone();

Q_SIGNALS:
    void completedChanged();

private:
    void setCompleted(bool animated);
    void showGoalLine();

    NudgeKind m_kind;
    std::optional<QString> m_reason;
    qint64 m_count;
    qint64 m_goal;
    ReminderActions m_actions;
    bool m_completed = false;
    bool m_limited = false;
    GoalRing* m_ring;
    QLabel* m_title;
    QLabel* m_body;
    QLabel* m_goalLine;
};
