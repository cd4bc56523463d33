#pragma once

#include <QAbstractButton>

#include <functional>

class QPainter;
class QVariantAnimation;

// A button that draws itself, so it looks the same under every widget style. It takes the
// keyboard focus only by Tab, never by a click, and Enter presses it as Space does.
class FlatButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit FlatButton(QWidget* parent = nullptr);

    // The reminder views never take the keyboard from the window the user is typing in, so their
    // buttons stay out of Tab's way too; the global shortcuts are the keyboard's way to answer.
    static void keepOffTheKeyboard(QWidget* view);

protected:
    bool hovered() const { return underMouse() || isDown(); }
    bool event(QEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The pressed look of the Done and round buttons: the label shrinks to 96 % and fades to 85 %.
class PressStyleButton : public FlatButton {
    Q_OBJECT

public:
    explicit PressStyleButton(QWidget* parent = nullptr);

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

// A symbol in a faint circle of the text colour. A screen reader says its name, the answer's short
// title; the pointer shows the help.
class RoundAction : public PressStyleButton {
    Q_OBJECT

public:
    struct Look {
        int size;
        double symbolSize;
        double fill;
        double hoverFill;
        bool secondarySymbol;
    };
    // The answers under a reminder, and the smaller ones at the end of a tray panel row.
    static constexpr Look answerLook{32, 12, 0.07, 0.14, true};
    static constexpr Look rowLook{24, 11, 0.06, 0.12, false};

    RoundAction(const QString& icon, const QString& name, const QString& help,
                std::function<void()> action, const Look& look = answerLook,
                QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QChar m_glyph;
    Look m_look;
};

// A small symbol button in a 26 by 22 rounded rectangle, named by its help.
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
