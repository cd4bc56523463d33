#include "SettingsForm.h"

#include "ui/theme/Theme.h"

#include <QAccessibleWidget>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace SettingsForm {

namespace {
// The stepper paints its value between two buttons; a screen reader meets it as the spin box it
// works like, named by its label ("At least 10 min between reminders"), which says the value.
// Increase and Decrease step it as its buttons do.
class StepperAccessible : public QAccessibleWidget {
public:
    explicit StepperAccessible(Stepper* stepper)
        : QAccessibleWidget(stepper, QAccessible::SpinBox) {}

    QStringList actionNames() const override {
        const QStringList names = QAccessibleWidget::actionNames();
        return widget()->isEnabled() ? QStringList{increaseAction(), decreaseAction()} + names
                                     : names;
    }
    void doAction(const QString& name) override {
        if (name != increaseAction() && name != decreaseAction())
            QAccessibleWidget::doAction(name);
        else if (widget()->isEnabled())
            static_cast<Stepper*>(widget())->step(name == increaseAction() ? 1 : -1);
    }
};

QAccessibleInterface* stepperAccessible(const QString& key, QObject* object) {
    if (key == QLatin1StringView(Stepper::staticMetaObject.className()))
        return new StepperAccessible(static_cast<Stepper*>(object));
    return nullptr;
}

class WheelGuard : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Wheel || static_cast<QWidget*>(watched)->hasFocus())
            return false;
        // Ignored and filtered out: the wheel goes on to the parents, up to the scroll area.
        event->ignore();
        return true;
    }
};
} // namespace

Group::Group(const QString& heading, const QString& footer, QWidget* parent)
    : QWidget(parent)
    , m_fill(section(this, heading))
    , m_rows(static_cast<QVBoxLayout*>(m_fill->layout())) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    column->addWidget(m_fill);
    if (!footer.isEmpty()) {
        QLabel* note = Theme::label(footer, this, 12, Theme::Tone::secondary, QFont::Normal, true);
        note->setContentsMargins(18, 0, 18, 0);
        column->addWidget(note);
    }
}

QWidget* Group::body() const {
    return m_fill;
}

void Group::addRow(QWidget* row) {
    m_rows->addWidget(row);
}

void Group::addRow(const QString& caption, QWidget* control) {
    auto* row = new QWidget(m_fill);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    QLabel* text = Theme::label(caption, row, 13);
    text->setBuddy(control);
    line->addWidget(text, 1);
    control->setParent(row);
    line->addWidget(control);
    m_rows->addWidget(row);
}

void wheelOnlyWhenFocused(QWidget* control) {
    control->setFocusPolicy(Qt::StrongFocus);
    control->installEventFilter(new WheelGuard(control));
}

QVBoxLayout* paneLayout(QWidget* pane) {
    pane->setFixedWidth(paneWidth);
    auto* column = new QVBoxLayout(pane);
    column->setContentsMargins(20, 16, 20, 20);
    column->setSpacing(18);
    column->setSizeConstraint(QLayout::SetMinimumSize);
    return column;
}

Switch::Switch(const QString& title, std::function<bool()> read, std::function<void(bool)> write,
               QWidget* parent)
    : QWidget(parent)
    , m_box(new QCheckBox(title, this))
    , m_read(std::move(read)) {
    auto* line = new QHBoxLayout(this);
    line->setContentsMargins(0, 0, 0, 0);
    line->addWidget(m_box);
    refresh();
    // toggled by the user only: clicked, not toggled, so refresh() writes nothing back.
    connect(m_box, &QCheckBox::clicked, this, [this, write = std::move(write)](bool on) {
        write(on);
        refresh();
    });
}

void Switch::refresh() {
    m_box->setChecked(m_read());
}

Stepper::Step Stepper::by(int size) {
    return [size](int value, int direction) { return value + direction * size; };
}

Stepper::Stepper(Label label, int minimum, int maximum, Step stepRule, QWidget* parent)
    : QWidget(parent)
    , m_label(std::move(label))
    , m_minimum(minimum)
    , m_maximum(maximum)
    , m_step(std::move(stepRule))
    , m_value(minimum)
    , m_text(Theme::label({}, this, 13))
    , m_down(new QToolButton(this))
    , m_up(new QToolButton(this)) {
    [[maybe_unused]] static const bool described =
        (QAccessible::installFactory(stepperAccessible), true);
    setFocusPolicy(Qt::StrongFocus);
    m_down->setText(u"−"_s);
    m_down->setAccessibleName(tr("Less"));
    m_up->setText(u"+"_s);
    m_up->setAccessibleName(tr("More"));
    auto* line = new QHBoxLayout(this);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(4);
    line->addWidget(m_text, 1);
    line->addWidget(m_down);
    line->addWidget(m_up);
    connect(m_down, &QToolButton::clicked, this, [this] { step(-1); });
    connect(m_up, &QToolButton::clicked, this, [this] { step(1); });
    display(m_value);
}

void Stepper::setValue(int value) {
    display(std::clamp(value, m_minimum, m_maximum));
}

void Stepper::step(int direction) {
    const int next = std::clamp(m_step(m_value, direction), m_minimum, m_maximum);
    if (next == m_value)
        return;
    display(next);
    Q_EMIT valueChanged(next);
}

void Stepper::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)
        step(event->key() == Qt::Key_Up ? 1 : -1);
    else
        QWidget::keyPressEvent(event);
}

void Stepper::display(int value) {
    m_value = value;
    const QString text = m_label(value);
    m_text->setText(text);
    setAccessibleName(text);
    m_down->setEnabled(value > m_minimum);
    m_up->setEnabled(value < m_maximum);
}

} // namespace SettingsForm
