#include "ReminderEditor.h"

#include "SettingsForm.h"
#include "settings/AppSettings.h"
#include "ui/theme/Symbols.h"
#include "ui/theme/Theme.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;
using SettingsForm::Stepper;

namespace {

const std::array icons{
    u"figure.flexibility"_s, u"eye"_s,          u"hand.raised"_s,    u"pills"_s,   u"leaf"_s,
    u"brain.head.profile"_s, u"figure.stand"_s, u"cup.and.saucer"_s, u"sun.max"_s, u"heart"_s};
const std::array tints{u"orange"_s, u"purple"_s, u"teal"_s, u"blue"_s, u"green"_s};
// What a screen reader and the pointer's help call each of them; the names above are the
// settings file's.
const std::array iconTitles{QT_TRANSLATE_NOOP("ReminderEditor", "Stretching"),
                            QT_TRANSLATE_NOOP("ReminderEditor", "Eyes"),
                            QT_TRANSLATE_NOOP("ReminderEditor", "Hand"),
                            QT_TRANSLATE_NOOP("ReminderEditor", "Pills"),
                            QT_TRANSLATE_NOOP("ReminderEditor", "Leaf"),
                            QT_TRANSLATE_NOOP("ReminderEditor", "Mind"),
                            QT_TRANSLATE_NOOP("ReminderEditor", "Standing"),
                            QT_TRANSLATE_NOOP("ReminderEditor", "Cup"),
                            QT_TRANSLATE_NOOP("ReminderEditor", "Sun"),
                            QT_TRANSLATE_NOOP("ReminderEditor", "Heart")};
const std::array tintTitles{
    QT_TRANSLATE_NOOP("ReminderEditor", "Orange"), QT_TRANSLATE_NOOP("ReminderEditor", "Purple"),
    QT_TRANSLATE_NOOP("ReminderEditor", "Teal"), QT_TRANSLATE_NOOP("ReminderEditor", "Blue"),
    QT_TRANSLATE_NOOP("ReminderEditor", "Green")};

// A round patch of a tint, ringed in the text colour while it is the chosen one.
class Swatch : public QAbstractButton {
public:
    Swatch(const QString& tintName, const QString& title, QWidget* parent)
        : QAbstractButton(parent)
        , m_tint(Symbols::tint(tintName)) {
        setCheckable(true);
        setFixedSize(24, 24);
        setAccessibleName(title);
        setToolTip(title);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_tint);
        painter.drawEllipse(QRectF(rect()).adjusted(4, 4, -4, -4));
        if (isChecked() || hasFocus()) {
            painter.setPen(QPen(Theme::primaryText(palette()), 2));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(QRectF(rect()).adjusted(1, 1, -1, -1));
        }
    }

private:
    QColor m_tint;
};

// True when the name holds more than spaces and tabs.
bool named(const QString& name) {
    return std::any_of(name.begin(), name.end(), [](QChar c) { return c != u' ' && c != u'\t'; });
}

QLineEdit* field(const QString& text, const QString& placeholder, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setPlaceholderText(placeholder);
    return edit;
}

} // namespace

ReminderEditor::ReminderEditor(AppSettings& settings, const NudgeKind& builtIn, QWidget* parent)
    : ReminderEditor(settings, Target::builtIn, builtIn, {}, parent) {}

ReminderEditor::ReminderEditor(AppSettings& settings, const CustomReminder& reminder, Target target,
                               QWidget* parent)
    : ReminderEditor(settings, target, reminder.asKind(), reminder, parent) {}

ReminderEditor::ReminderEditor(AppSettings& settings, Target target, const NudgeKind& kind,
                               CustomReminder draft, QWidget* parent)
    : QDialog(parent)
    , m_settings(settings)
    , m_target(target)
    , m_kind(kind)
    , m_draft(std::move(draft)) {
    const bool builtIn = target == Target::builtIn;
    const bool water = builtIn && kind == NudgeKind::water();
    setWindowTitle(target == Target::added ? tr("New Reminder")
                   : kind.title.isEmpty()  ? tr("Untitled")
                                           : kind.title);
    setMinimumWidth(400);

    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    QPushButton* confirm = new QPushButton(target == Target::added ? tr("Add") : tr("Save"), this);
    if (!builtIn) {
        QLineEdit* name = field(m_draft.title, tr("Eye rest"), this);
        connect(name, &QLineEdit::textChanged, this, [this, confirm](const QString& text) {
            m_draft.title = text;
            confirm->setEnabled(named(text));
        });
        name->setAccessibleName(tr("Name"));
        confirm->setEnabled(named(m_draft.title));
        form->addRow(tr("Name"), name);
        QLineEdit* message = field(m_draft.message, tr("Look 20 feet away for 20 seconds."), this);
        connect(message, &QLineEdit::textChanged, this,
                [this](const QString& text) { m_draft.message = text; });
        form->addRow(tr("Message"), message);
    }

    const qint64 interval = water     ? settings.waterIntervalMinutes()
                            : builtIn ? settings.breakIntervalMinutes()
                                      : m_draft.intervalMinutes;
    m_interval = new Stepper([](int value) { return tr("Every %1 min").arg(value); },
                             builtIn ? (water ? 15 : 20) : 5, builtIn ? (water ? 120 : 180) : 240,
                             Stepper::by(5), this);
    m_interval->setValue(int(interval));
    form->addRow(m_interval);

    m_goal = new Stepper([](int value) { return tr("Goal: %1 a day").arg(value); }, 1, 40,
                         Stepper::by(1), this);
    m_goal->setValue(int(std::min<qint64>(settings.goal(kind), 40)));
    // What the stepper showed at first, so that a goal too large for it is not written over
    // by merely saving.
    m_loadedGoal = m_goal->value();
    form->addRow(m_goal);

    if (!builtIn) {
        auto* counted = new QWidget(this);
        auto* units = new QHBoxLayout(counted);
        units->setContentsMargins(0, 0, 0, 0);
        QLineEdit* unit = field(m_draft.unit, u"rest"_s, counted);
        QLineEdit* plural = field(m_draft.unitPlural, u"rests"_s, counted);
        for (QLineEdit* edit : {unit, plural}) {
            edit->setFixedWidth(90);
            units->addWidget(edit);
        }
        unit->setAccessibleName(tr("Unit"));
        plural->setAccessibleName(tr("Unit plural"));
        units->addStretch(1);
        connect(unit, &QLineEdit::textChanged, this,
                [this](const QString& text) { m_draft.unit = text; });
        connect(plural, &QLineEdit::textChanged, this,
                [this](const QString& text) { m_draft.unitPlural = text; });
        form->addRow(tr("Counted as"), counted);
        form->addRow(tr("Icon"), iconGrid());
        form->addRow(tr("Color"), swatches());
    }

    auto* buttons = new QHBoxLayout;
    if (target == Target::custom) {
        auto* remove = new QPushButton(tr("Delete Reminder"), this);
        QPalette red = remove->palette();
        red.setColor(QPalette::ButtonText,
                     Theme::readableOn(QColor(0xe0, 0x1b, 0x24), red.color(QPalette::Button)));
        remove->setPalette(red);
        connect(remove, &QPushButton::clicked, this, &ReminderEditor::remove);
        buttons->addWidget(remove);
    }
    buttons->addStretch(1);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(cancel);
    confirm->setDefault(true);
    connect(confirm, &QPushButton::clicked, this, &ReminderEditor::save);
    buttons->addWidget(confirm);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(20, 20, 20, 16);
    column->setSpacing(18);
    column->addLayout(form);
    column->addLayout(buttons);
}

QWidget* ReminderEditor::iconGrid() {
    auto* grid = new QWidget(this);
    auto* cells = new QGridLayout(grid);
    cells->setContentsMargins(0, 0, 0, 0);
    cells->setSpacing(4);
    auto* group = new QButtonGroup(grid);
    for (size_t i = 0; i < icons.size(); ++i) {
        auto* button = new QToolButton(grid);
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setFixedSize(34, 34);
        button->setFont(Theme::symbolFont(18));
        button->setText(QString(Symbols::glyph(icons[i])));
        button->setAccessibleName(tr(iconTitles[i]));
        button->setToolTip(tr(iconTitles[i]));
        button->setChecked(icons[i] == m_draft.icon);
        group->addButton(button);
        connect(button, &QToolButton::clicked, this, [this, i] { m_draft.icon = icons[i]; });
        cells->addWidget(button, int(i / 5), int(i % 5));
    }
    cells->setColumnStretch(5, 1);
    return grid;
}

QWidget* ReminderEditor::swatches() {
    auto* row = new QWidget(this);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(8);
    auto* group = new QButtonGroup(row);
    for (size_t i = 0; i < tints.size(); ++i) {
        const QString& name = tints[i];
        auto* swatch = new Swatch(name, tr(tintTitles[i]), row);
        swatch->setChecked(name == m_draft.tintName);
        group->addButton(swatch);
        connect(swatch, &Swatch::clicked, this, [this, name] { m_draft.tintName = name; });
        line->addWidget(swatch);
    }
    line->addStretch(1);
    return row;
}

void ReminderEditor::save() {
    const int interval = m_interval->value();
    m_draft.intervalMinutes = interval;
    QList<CustomReminder> reminders = m_settings.customReminders();
    switch (m_target) {
    case Target::builtIn:
        if (m_kind == NudgeKind::water())
            m_settings.setWaterIntervalMinutes(interval);
        else
            m_settings.setBreakIntervalMinutes(interval);
        break;
    case Target::custom:
        std::replace_if(
            reminders.begin(), reminders.end(),
            [this](const CustomReminder& reminder) { return reminder.id == m_draft.id; }, m_draft);
        m_settings.setCustomReminders(reminders);
        break;
    case Target::added:
        reminders.append(m_draft);
        m_settings.setCustomReminders(reminders);
        break;
    }
    // An untouched goal stays unset, so it keeps following the interval.
    if (m_goal->value() != m_loadedGoal) {
        AppSettings::DailyGoals goals = m_settings.dailyGoals();
        goals.insert(m_kind.id, m_goal->value());
        m_settings.setDailyGoals(goals);
    }
    accept();
}

void ReminderEditor::remove() {
    QList<CustomReminder> reminders = m_settings.customReminders();
    reminders.removeIf(
        [this](const CustomReminder& reminder) { return reminder.id == m_draft.id; });
    m_settings.setCustomReminders(reminders);
    accept();
}
