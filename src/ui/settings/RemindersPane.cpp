#include "RemindersPane.h"

#include "ReminderEditor.h"
#include "SettingsForm.h"
#include "engine/RhythmEngine.h"
#include "platform/Clock.h"
#include "settings/AppSettings.h"
#include "ui/theme/Symbols.h"
#include "ui/theme/Theme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace SettingsForm;

namespace {

// How far ahead "Next 4 hours" looks, and how many times of one kind it lists at most.
constexpr qint64 upcomingWindowSeconds = 14400;
constexpr int upcomingPerKind = 40;

// The open pace list shows each preset's description after its title; the closed box, the title.
class PresetDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->text += u" — "_s + index.data(Qt::ToolTipRole).toString();
    }
};

QString titleOf(const NudgeKind& kind) {
    return kind.title.isEmpty() ? RemindersPane::tr("Untitled") : kind.title;
}

void clear(QVBoxLayout* layout) {
    while (QLayoutItem* item = layout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
}

QVBoxLayout* list(Group* group, int spacing) {
    auto* holder = new QWidget(group->body());
    auto* column = new QVBoxLayout(holder);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(spacing);
    group->addRow(holder);
    return column;
}

} // namespace

RemindersPane::RemindersPane(const SettingsParts& parts, QWidget* parent)
    : QWidget(parent)
    , m_parts(parts) {
    AppSettings& settings = m_parts.settings;
    QVBoxLayout* column = paneLayout(this);

    auto* reminders = new Group(tr("Reminders"), {}, this);
    m_rows = list(reminders, 8);
    auto* addLine = new QWidget(reminders->body());
    auto* addLayout = new QHBoxLayout(addLine);
    addLayout->setContentsMargins(0, 0, 0, 0);
    auto* add = new QPushButton(tr("Add Reminder"), addLine);
    auto* templates = new QMenu(add);
    for (const CustomReminder& reminder : CustomReminder::templates()) {
        templates->addAction(reminder.title, this, [this, reminder] {
            CustomReminder copy = reminder;
            copy.id = QUuid::createUuid();
            edit(new ReminderEditor(m_parts.settings, copy, ReminderEditor::Target::added, this));
        });
    }
    templates->addAction(tr("Custom…"), this, [this] {
        edit(new ReminderEditor(m_parts.settings, CustomReminder(), ReminderEditor::Target::added,
                                this));
    });
    add->setMenu(templates);
    addLayout->addWidget(add);
    addLayout->addStretch(1);
    reminders->addRow(addLine);
    column->addWidget(reminders);

    auto* timing =
        new Group(tr("Timing"),
                  tr("Adaptive timing comes up to 25% sooner in hours you usually answer "
                     "and up to 50% later in hours you skip. Changing an interval "
                     "restarts its clock."),
                  this);
    auto* pace = new QComboBox(timing->body());
    pace->setAccessibleName(tr("Pace"));
    wheelOnlyWhenFocused(pace);
    pace->setItemDelegate(new PresetDelegate(pace));
    for (const Preset preset : Preset::all) {
        pace->addItem(preset.title());
        pace->setItemData(pace->count() - 1, preset.description(), Qt::ToolTipRole);
    }
    connect(pace, &QComboBox::activated, this,
            [this](int index) { m_parts.settings.setPreset(Preset::all[size_t(index)]); });
    follow(&settings, &AppSettings::presetChanged, pace, [pace, &settings] {
        pace->setCurrentIndex(int(Preset::Value(settings.preset())));
        pace->setToolTip(settings.preset().description());
    });
    timing->addRow(tr("Pace"), pace);

    auto* gap =
        new Stepper([](int value) { return tr("At least %1 min between reminders").arg(value); }, 5,
                    30, Stepper::by(5), timing->body());
    connect(gap, &Stepper::valueChanged, this,
            [this](int value) { m_parts.settings.setMinimumGapMinutes(value); });
    follow(&settings, &AppSettings::minimumGapMinutesChanged, gap,
           [gap, &settings] { gap->setValue(int(settings.minimumGapMinutes())); });
    timing->addRow(gap);

    auto* adaptive = new Switch(
        tr("Adapt timing to how I answer"), [&settings] { return settings.adaptiveEnabled(); },
        [&settings](bool on) { settings.setAdaptiveEnabled(on); }, timing->body());
    connect(&settings, &AppSettings::adaptiveEnabledChanged, adaptive, &Switch::refresh);
    timing->addRow(adaptive);
    auto* goals = new Switch(
        tr("Show daily goals in the menu bar"),
        [&settings] { return settings.dailyGoalsEnabled(); },
        [&settings](bool on) { settings.setDailyGoalsEnabled(on); }, timing->body());
    connect(&settings, &AppSettings::dailyGoalsEnabledChanged, goals, &Switch::refresh);
    timing->addRow(goals);
    column->addWidget(timing);

    auto* upcoming = new Group(
        tr("Next 4 hours"),
        tr("If nothing holds them. Calls, screen sharing and time away push reminders later."),
        this);
    upcoming->setObjectName(u"upcoming"_s);
    m_upcoming = list(upcoming, 4);
    column->addWidget(upcoming);
    column->addStretch(1);

    m_rowsDue.setSingleShot(true);
    m_rowsDue.setInterval(0);
    connect(&m_rowsDue, &QTimer::timeout, this, &RemindersPane::rebuildRows);
    for (const auto changed :
         {&AppSettings::waterIntervalMinutesChanged, &AppSettings::breakIntervalMinutesChanged,
          &AppSettings::waterEnabledChanged, &AppSettings::movementEnabledChanged,
          &AppSettings::customRemindersChanged, &AppSettings::dailyGoalsChanged,
          &AppSettings::dailyGoalsEnabledChanged, &AppSettings::workScheduleChanged})
        connect(&settings, changed, &m_rowsDue, qOverload<>(&QTimer::start));
    rebuildRows();

    // The engine restarts its clocks on every change of the kinds and their intervals; a renamed
    // reminder keeps its times, so its new title comes from the settings.
    connect(&m_parts.engine, &RhythmEngine::nextAtChanged, this, &RemindersPane::refreshUpcoming);
    connect(&settings, &AppSettings::customRemindersChanged, this, &RemindersPane::refreshUpcoming);
    refreshUpcoming();
}

void RemindersPane::showEvent(QShowEvent* event) {
    // The look-ahead starts from now, which moved while the pane was away, and the rows say the
    // pace of a day that may have changed since.
    refreshUpcoming();
    m_rowsDue.start();
    QWidget::showEvent(event);
}

QWidget* RemindersPane::row(const NudgeKind& kind, const CustomReminder* custom) {
    AppSettings& settings = m_parts.settings;
    auto* line = new QWidget(m_rows->parentWidget());
    line->setObjectName(kind.id);
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(new SymbolBadge(kind.icon, Symbols::tint(kind.tintName), 30,
                                      {.fill = 0.16, .symbolSize = 14}, line));

    const QString title = titleOf(kind);
    const bool water = kind == NudgeKind::water();
    // The interval reminders run on today, which the goal and "Next 4 hours" count with too. On a
    // day with a pace of its own that is not the one the editor changes, so the row says so.
    const qint64 interval = settings.intervalMinutes(kind);
    const bool ofTheDay = !custom && interval != (water ? settings.waterIntervalMinutes()
                                                        : settings.breakIntervalMinutes());
    QString detail =
        ofTheDay ? tr("Every %1 min today").arg(interval) : tr("Every %1 min").arg(interval);
    if (settings.dailyGoalsEnabled())
        detail += tr(" · %1 a day").arg(settings.goal(kind));
    auto* texts = new QVBoxLayout;
    texts->setSpacing(1);
    texts->addWidget(Theme::label(title, line, 13, Theme::Tone::primary, QFont::DemiBold));
    texts->addWidget(Theme::label(detail, line, 12, Theme::Tone::secondary));
    layout->addLayout(texts, 1);

    auto* enabled = new QCheckBox(line);
    enabled->setObjectName(u"enabled"_s);
    enabled->setAccessibleName(title);
    enabled->setChecked(custom  ? custom->enabled
                        : water ? settings.waterEnabled()
                                : settings.movementEnabled());
    const QUuid id = custom ? custom->id : QUuid();
    connect(enabled, &QCheckBox::clicked, this, [&settings, id, water](bool on) {
        if (id.isNull()) {
            water ? settings.setWaterEnabled(on) : settings.setMovementEnabled(on);
            return;
        }
        QList<CustomReminder> reminders = settings.customReminders();
        for (CustomReminder& reminder : reminders) {
            if (reminder.id == id)
                reminder.enabled = on;
        }
        settings.setCustomReminders(reminders);
    });
    layout->addWidget(enabled);

    auto* pencil = new QToolButton(line);
    pencil->setObjectName(u"edit"_s);
    pencil->setAutoRaise(true);
    pencil->setFont(Theme::symbolFont(16));
    pencil->setText(QString(Symbols::glyph(u"pencil"_s)));
    pencil->setAccessibleName(tr("Edit %1").arg(title));
    pencil->setToolTip(tr("Edit"));
    const std::optional<CustomReminder> record =
        custom ? std::optional<CustomReminder>(*custom) : std::nullopt;
    connect(pencil, &QToolButton::clicked, this, [this, kind, record] {
        edit(record ? new ReminderEditor(m_parts.settings, *record, ReminderEditor::Target::custom,
                                         this)
                    : new ReminderEditor(m_parts.settings, kind, this));
    });
    layout->addWidget(pencil);
    return line;
}

void RemindersPane::rebuildRows() {
    // The keyboard stays where it was, on the same control of the same reminder's row: a row's
    // switch or its editor is what most often asks for new rows. The window's focus widget is
    // the one it gets back when the editor closes.
    QWidget* holder = m_rows->parentWidget();
    const QWidget* focused = window()->focusWidget();
    QString focusedRow, focusedControl;
    if (focused && holder->isAncestorOf(focused)) {
        focusedRow = focused->parentWidget()->objectName();
        focusedControl = focused->objectName();
    }
    clear(m_rows);
    const auto add = [this](QWidget* line) {
        m_rows->addWidget(line);
        line->show(); // now rather than on the next turn of the event loop: no frame without rows
    };
    for (const NudgeKind& kind : NudgeKind::builtIns())
        add(row(kind, nullptr));
    for (const CustomReminder& reminder : m_parts.settings.customReminders())
        add(row(reminder.asKind(), &reminder));
    if (focusedRow.isEmpty())
        return;
    if (const auto* line = holder->findChild<QWidget*>(focusedRow, Qt::FindDirectChildrenOnly)) {
        if (QWidget* control = line->findChild<QWidget*>(focusedControl))
            control->setFocus(Qt::OtherFocusReason);
    }
}

void RemindersPane::refreshUpcoming() {
    struct Entry {
        QDateTime at;
        NudgeKind kind;
    };
    const RhythmEngine& engine = m_parts.engine;
    const QDateTime now = m_parts.clock.now();
    const QDateTime end = now.addSecs(upcomingWindowSeconds);
    QList<Entry> entries;
    for (const NudgeKind& kind : engine.kinds()) {
        const auto interval = qint64(engine.intervalSeconds(kind) * 1000);
        if (interval <= 0)
            continue;
        const auto next = engine.nextAt().constFind(kind);
        QDateTime at =
            std::max(next != engine.nextAt().constEnd() ? *next : now.addMSecs(interval), now);
        for (int i = 0; i < upcomingPerKind && at <= end; ++i, at = at.addMSecs(interval))
            entries.append({at, kind});
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.at < b.at; });

    clear(m_upcoming);
    const QLocale locale = QLocale::system();
    for (const Entry& entry : entries) {
        auto* line = new QWidget(m_upcoming->parentWidget());
        auto* layout = new QHBoxLayout(line);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(10);
        layout->addWidget(new SymbolBadge(entry.kind.icon, Symbols::tint(entry.kind.tintName), 22,
                                          {.fill = 0.16, .symbolSize = 11}, line));
        layout->addWidget(Theme::label(titleOf(entry.kind), line, 13), 1);
        layout->addWidget(
            Theme::label(locale.toString(entry.at.toLocalTime().time(), QLocale::ShortFormat), line,
                         13, Theme::Tone::secondary));
        m_upcoming->addWidget(line);
    }
}

void RemindersPane::edit(QDialog* editor) {
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->open();
}
