#pragma once

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QToolButton;
class QVBoxLayout;
class RoundedFill;

// What the settings panes are made of: titled groups of rows with a footer under them, switches
// bound to a setting, and a stepper whose label says its value. Controls are the desktop's own,
// so they look and answer the keyboard as in every other application.
namespace SettingsForm {

constexpr int paneWidth = 500;

// A titled group of rows on a faint fill, its footer under it in the secondary colour.
class Group : public QWidget {
public:
    Group(const QString& heading, const QString& footer, QWidget* parent);

    // The parent for the rows' widgets.
    QWidget* body() const;
    // A row as wide as the group.
    void addRow(QWidget* row);
    // A caption at the leading edge and the control at the trailing edge.
    void addRow(const QString& caption, QWidget* control);

private:
    RoundedFill* m_fill;
    QVBoxLayout* m_rows;
};

// A pane: its groups one under another, paneWidth wide.
QVBoxLayout* paneLayout(QWidget* pane);

// A check box showing a setting and writing it when the user changes it. refresh() puts the
// stored value back, for a change made elsewhere or a write that did not take.
class Switch : public QWidget {
public:
    Switch(const QString& title, std::function<bool()> read, std::function<void(bool)> write,
           QWidget* parent);
    QCheckBox* box() const { return m_box; }
    void refresh();

private:
    QCheckBox* m_box;
    std::function<bool()> m_read;
};

// Scrolling a long pane with the pointer over a picker must scroll the pane, not change the
// setting under the pointer: the control takes the wheel only while it has the focus, and a wheel
// no longer gives it the focus.
void wheelOnlyWhenFocused(QWidget* control);

// Calls update now and after every change signal of the sender, while context lives.
template <typename Sender, typename Signal>
void follow(Sender* sender, Signal changed, QObject* context, const std::function<void()>& update) {
    QObject::connect(sender, changed, context, update);
    update();
}

// A whole number moved up and down by steps between two bounds, shown in its label ("At least
// 10 min between reminders"), with a pair of buttons and the Up and Down keys.
class Stepper : public QWidget {
    Q_OBJECT

public:
    using Label = std::function<QString(int value)>;
    // The value one step up (direction 1) or down (-1) from value; the bounds are applied after.
    using Step = std::function<int(int value, int direction)>;
    static Step by(int size);

    Stepper(Label label, int minimum, int maximum, Step stepRule, QWidget* parent);

    int value() const { return m_value; }
    // Shows the value without announcing it.
    void setValue(int value);
    // One step in a direction; announces the value when it moved.
    void step(int direction);

Q_SIGNALS:
    void valueChanged(int value);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void display(int value);

    Label m_label;
    int m_minimum;
    int m_maximum;
    Step m_step;
    int m_value;
    QLabel* m_text;
    QToolButton* m_down;
    QToolButton* m_up;
};

} // namespace SettingsForm
