#pragma once

#include "NudgeViews.h"
#include "settings/NudgeKind.h"

#include <QAbstractButton>
#include <QColor>
#include <QEasingCurve>
#include <QFont>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <optional>

class QLabel;
class QPainter;
class QVariantAnimation;

// Drawing helpers shared by the reminder card, the notch panels and the message cards.
namespace CardPaint {

// Material Icons leave about a sixth of the em box empty around each glyph, so a symbol meant to
// stand as tall as text of a size is drawn from a font a third larger.
int symbolPixels(double size);
QFont symbolFont(double size, QFont::Weight weight = QFont::Normal);
// Fractional pixel sizes (12.5) need a point size for the widget's resolution.
QFont sizedFont(const QWidget* widget, double pixels, QFont::Weight weight = QFont::Normal);
QColor withAlpha(QColor colour, double alpha);
double contrast(const QColor& a, const QColor& b);
// Keeps the hue and moves the lightness until text in that colour can be read on the background.
QColor readableOn(QColor colour, const QColor& background, double wanted = 4.5);
// A fill dark enough for white text on it.
QColor fillUnderWhite(QColor fill);
QColor secondaryText(const QPalette& palette);
QColor tertiaryText(const QPalette& palette);
// The colours the notch panels always use, whatever the desktop's scheme.
QPalette darkPalette();
// Plain text wrapped to a fixed width, as tall as its lines (up to maxHeight).
QLabel* textLabel(const QString& text, const QFont& font, const QColor& colour, int width,
                  QWidget* parent, int maxHeight = QWIDGETSIZE_MAX);

// A damped spring as an easing curve, and how long the animation must run to settle.
struct Spring {
    QEasingCurve curve;
    int durationMs;
};
// Position of a spring released from 0 towards 1 after `seconds`.
double springPosition(double seconds, double response, double damping);
Spring completionSpring();     // response 0.45 s, damping 0.8
Spring notchSpring();          // response 0.42 s, damping 0.82
Spring notchContainerSpring(); // response 0.45 s, damping 0.82

} // namespace CardPaint

// A button that draws itself and never takes the keyboard focus: the windows it lives in must
// not steal focus from the user's work.
class FlatButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit FlatButton(QWidget* parent = nullptr);

protected:
    bool hovered() const { return underMouse(); }
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
};

// The pressed look of the Done and round buttons: the label shrinks to 96 % and fades to 85 %.
class PressStyleButton : public FlatButton {
    Q_OBJECT

public:
    explicit PressStyleButton(QWidget* parent = nullptr);

    static constexpr double pressedScale = 0.96;
    static constexpr double pressedOpacity = 0.85;
    static constexpr int pressMs = 120;

protected:
    // Applies the press transform around the button's centre before the label is drawn.
    void applyPress(QPainter& painter) const;

private:
    double m_pressed = 0; // 0 released … 1 pressed
    QVariantAnimation* m_animation;
};

// A text button: a capsule ("pill") or a small rounded rectangle.
class CardButton : public FlatButton {
    Q_OBJECT

public:
    CardButton(const QString& title, const QColor& fill, const QColor& text,
               std::function<void()> action, bool pill, QWidget* parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fill;
    QColor m_text;
    bool m_pill;
};

// A symbol in a faint circle, with its help text as tooltip.
class RoundAction : public PressStyleButton {
    Q_OBJECT

public:
    RoundAction(const QString& icon, const QString& help, std::function<void()> action,
                double size = 32, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QChar m_glyph;
};

// A small symbol button in a 26 by 22 rounded rectangle.
class MiniIconButton : public FlatButton {
    Q_OBJECT

public:
    MiniIconButton(const QString& icon, const QString& help, std::function<void()> action,
                   QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QChar m_glyph;
};

// Today's progress of a kind towards its goal, with the kind's symbol in the middle that turns
// into a checkmark once the reminder is done.
class GoalRing : public QWidget {
    Q_OBJECT

public:
    GoalRing(const NudgeKind& kind, qint64 count, qint64 goal, bool completed, double size,
             double lineWidth, QWidget* parent = nullptr);

    // How much of the ring is drawn.
    static double fraction(qint64 count, qint64 goal, bool completed);
    // Draws a ring into box. completion runs 0 → 1 as the symbol gives way to the checkmark.
    static void paint(QPainter& painter, const QRectF& box, const NudgeKind& kind, double fraction,
                      double completion, double lineWidth);

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
