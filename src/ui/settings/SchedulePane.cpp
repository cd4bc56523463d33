#include "SchedulePane.h"

#include "SettingsForm.h"
#include "engine/RhythmEngine.h"
#include "settings/AppSettings.h"
#include "ui/theme/Theme.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;
using namespace SettingsForm;

namespace {

// The stored weekday (1 = Sunday … 7 = Saturday) of a Qt one (1 = Monday … 7 = Sunday).
int storedDay(int qtDay) {
    return qtDay % 7 + 1;
}

// The week as the user's locale lays it out, in Qt's numbering.
QList<int> weekInLocaleOrder() {
    QList<int> days;
    const int first = QLocale().firstDayOfWeek();
    for (int i = 0; i < 7; ++i)
        days.append((first - 1 + i) % 7 + 1);
    return days;
}

// A weekday's round toggle: its short label, filled with the accent colour while on.
class DayToggle : public QAbstractButton {
public:
    DayToggle(int qtDay, QWidget* parent)
        : QAbstractButton(parent) {
        const QString name = QLocale().standaloneDayName(qtDay, QLocale::LongFormat);
        setText(QLocale().standaloneDayName(qtDay, QLocale::NarrowFormat));
        setToolTip(name);
        setAccessibleName(name);
        setCheckable(true);
        setFixedSize(24, 24);
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF disc = QRectF(rect()).adjusted(1, 1, -1, -1);
        const QColor ink = Theme::primaryText(palette());
        painter.setPen(hasFocus() ? QPen(palette().color(QPalette::Highlight), 2) : Qt::NoPen);
        painter.setBrush(isChecked() ? palette().color(QPalette::Highlight)
                                     : Theme::withAlpha(ink, isDown() ? 0.2 : 0.1));
        painter.drawEllipse(disc);
        painter.setFont(Theme::sizedFont(this, 11, QFont::DemiBold));
        painter.setPen(isChecked() ? palette().color(QPalette::HighlightedText) : ink);
        painter.drawText(rect(), Qt::AlignCenter, text());
    }
};

int minutesOf(const QTime& time) {
    return time.hour() * 60 + time.minute();
}

QTime timeOf(qint64 minutes) {
    return QTime(int(minutes / 60) % 24, int(minutes % 60));
}

// A time of day. Qt tells a screen reader a spin box's value, bounds and step by the properties
// named so, which a time edit lacks, and Increase then does nothing: here the value is minutes
// since midnight and a step is the part under the cursor, as a click on the arrows steps it.
class TimePicker : public QTimeEdit {
    Q_OBJECT
    Q_PROPERTY(int value READ minutes WRITE setMinutes)
    Q_PROPERTY(int minimum READ minimum CONSTANT)
    Q_PROPERTY(int maximum READ maximum CONSTANT)
    Q_PROPERTY(int stepSize READ stepSize)

public:
    using QTimeEdit::QTimeEdit;

private:
    int minutes() const { return minutesOf(time()); }
    void setMinutes(int minutes) { setTime(timeOf(std::clamp(minutes, minimum(), maximum()))); }
    static int minimum() { return 0; }
    static int maximum() { return 24 * 60 - 1; }
    int stepSize() const {
        switch (currentSection()) {
        case HourSection:
            return 60;
        case AmPmSection:
            return 12 * 60;
        default:
            return 1;
        }
    }
};

// Hours and minutes as the locale writes them, 24-hour or with AM/PM.
QTimeEdit* timePicker(const QString& name, QWidget* parent) {
    auto* picker = new TimePicker(parent);
    const bool twelveHour =
        QLocale().timeFormat(QLocale::ShortFormat).contains(u"a"_s, Qt::CaseInsensitive);
    picker->setDisplayFormat(twelveHour ? u"h:mm AP"_s : u"HH:mm"_s);
    picker->setAccessibleName(name);
    wheelOnlyWhenFocused(picker);
    return picker;
}

} // namespace

SchedulePane::SchedulePane(const SettingsParts& parts, QWidget* parent)
    : QWidget(parent) {
    AppSettings& settings = parts.settings;
    QVBoxLayout* column = paneLayout(this);
    // Every control changes one field of the stored schedule and writes it back whole.
    const auto change = [&settings](const std::function<void(WorkSchedule&)>& edit) {
        WorkSchedule schedule = settings.workSchedule();
        edit(schedule);
        settings.setWorkSchedule(schedule);
    };

    auto* hours = new Group(tr("Work hours"),
                            tr("Outside these hours reminders stay quiet. Pace by day can make "
                               "Fridays gentler, for example."),
                            this);
    auto* only = new Switch(
        tr("Only remind me during work hours"),
        [&settings] { return settings.workSchedule().enabled; },
        [change](bool on) { change([on](WorkSchedule& s) { s.enabled = on; }); }, hours->body());
    hours->addRow(only);

    QTimeEdit* from = timePicker(tr("From"), hours->body());
    QTimeEdit* until = timePicker(tr("Until"), hours->body());
    hours->addRow(tr("From"), from);
    hours->addRow(tr("Until"), until);
    connect(from, &QTimeEdit::timeChanged, this, [change](const QTime& time) {
        change([&](WorkSchedule& s) { s.startMinutes = minutesOf(time); });
    });
    connect(until, &QTimeEdit::timeChanged, this, [change](const QTime& time) {
        change([&](WorkSchedule& s) { s.endMinutes = minutesOf(time); });
    });

    auto* week = new QWidget(hours->body());
    auto* toggles = new QHBoxLayout(week);
    toggles->setContentsMargins(0, 0, 0, 0);
    toggles->setSpacing(4);
    QList<std::pair<int, DayToggle*>> days;
    for (const int qtDay : weekInLocaleOrder()) {
        auto* toggle = new DayToggle(qtDay, week);
        toggles->addWidget(toggle);
        days.append({storedDay(qtDay), toggle});
    }
    hours->addRow(tr("Days"), week);

    auto* pace = new QWidget(hours->body());
    auto* paceGrid = new QGridLayout(pace);
    paceGrid->setContentsMargins(0, 0, 0, 0);
    paceGrid->setHorizontalSpacing(8);
    paceGrid->setColumnStretch(2, 1); // between the two columns of days
    QList<std::pair<int, QComboBox*>> pickers;
    int place = 0;
    for (const int qtDay : weekInLocaleOrder()) {
        const QString name = QLocale().standaloneDayName(qtDay, QLocale::LongFormat);
        auto* picker = new QComboBox(pace);
        picker->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        picker->setAccessibleName(tr("Pace on %1").arg(name));
        wheelOnlyWhenFocused(picker);
        picker->addItem(tr("Same as always"));
        for (const Preset preset : {Preset::gentle, Preset::balanced, Preset::active})
            picker->addItem(preset.title(), int(preset));
        QLabel* caption =
            Theme::label(QLocale().standaloneDayName(qtDay, QLocale::ShortFormat), pace, 13);
        caption->setBuddy(picker);
        paceGrid->addWidget(caption, place % 4, place / 4 * 3);
        paceGrid->addWidget(picker, place % 4, place / 4 * 3 + 1);
        ++place;
        const int day = storedDay(qtDay);
        pickers.append({day, picker});
        connect(picker, &QComboBox::activated, this, [change, picker, day](int index) {
            const QVariant preset = picker->itemData(index);
            change([&](WorkSchedule& s) {
                if (preset.isValid())
                    s.presetByDay[day] = Preset::Value(preset.toInt());
                else
                    s.presetByDay.erase(day);
            });
        });
    }
    auto* paceTitle = Theme::label(tr("Pace by day"), hours->body(), 13);
    hours->addRow(paceTitle);
    hours->addRow(pace);

    // The rows that only mean something while the schedule is on.
    const QList<QWidget*> detail{from->parentWidget(), until->parentWidget(), week->parentWidget(),
                                 paceTitle, pace};
    const auto show = [&settings, only, detail, from, until, days, pickers] {
        const WorkSchedule schedule = settings.workSchedule();
        only->refresh();
        for (QWidget* row : detail)
            row->setVisible(schedule.enabled);
        const QSignalBlocker quietFrom(from);
        const QSignalBlocker quietUntil(until);
        from->setTime(timeOf(schedule.startMinutes));
        until->setTime(timeOf(schedule.endMinutes));
        for (const auto& [day, toggle] : days)
            toggle->setChecked(schedule.days.contains(day));
        // A day stored as Custom has no pair of its own and runs on the usual one, which is
        // what "Same as always" means; the picker offers no Custom and shows it so.
        for (const auto& [day, picker] : pickers) {
            const auto preset = schedule.presetByDay.find(day);
            const int shown =
                preset == schedule.presetByDay.end() ? 0 : picker->findData(int(preset->second));
            picker->setCurrentIndex(std::max(shown, 0));
        }
    };
    for (const auto& [day, toggle] : days) {
        connect(toggle, &DayToggle::clicked, this, [change, show, day] {
            change([day](WorkSchedule& s) {
                if (!s.days.erase(day))
                    s.days.insert(day);
            });
            show(); // a click has flipped the toggle already; the setting decides
        });
    }
    follow(&settings, &AppSettings::workScheduleChanged, this, show);
    column->addWidget(hours);

    auto* summaries = new Group(tr("Summaries"),
                                tr("Today's counts at the end of the day, and how the week went on "
                                   "Sunday. They appear in your reminder style."),
                                this);
    auto* daily = new QWidget(summaries->body());
    auto* dailyLine = new QHBoxLayout(daily);
    dailyLine->setContentsMargins(0, 0, 0, 0);
    auto* dailySwitch = new Switch(
        tr("Daily summary"), [&settings] { return settings.windDownEnabled(); },
        [&settings](bool on) { settings.setWindDownEnabled(on); }, daily);
    QTimeEdit* windDown = timePicker(tr("Daily summary time"), daily);
    dailyLine->addWidget(dailySwitch, 1);
    dailyLine->addWidget(windDown);
    summaries->addRow(daily);
    connect(windDown, &QTimeEdit::timeChanged, this, [&settings](const QTime& time) {
        settings.setWindDownHour(time.hour());
        settings.setWindDownMinute(time.minute());
    });
    const auto showDaily = [&settings, dailySwitch, windDown] {
        dailySwitch->refresh();
        windDown->setEnabled(settings.windDownEnabled());
        const QSignalBlocker quiet(windDown);
        windDown->setTime(QTime(int(settings.windDownHour()), int(settings.windDownMinute())));
    };
    follow(&settings, &AppSettings::windDownEnabledChanged, this, showDaily);
    connect(&settings, &AppSettings::windDownHourChanged, this, showDaily);
    connect(&settings, &AppSettings::windDownMinuteChanged, this, showDaily);

    auto* weekly = new Switch(
        tr("Weekly summary on Sunday evening"),
        [&settings] { return settings.weeklyReportEnabled(); },
        [&settings](bool on) { settings.setWeeklyReportEnabled(on); }, summaries->body());
    connect(&settings, &AppSettings::weeklyReportEnabledChanged, weekly, &Switch::refresh);
    summaries->addRow(weekly);
    auto* preview = new QPushButton(tr("Show Summary Now"));
    connect(preview, &QPushButton::clicked, this,
            [&engine = parts.engine] { engine.previewWindDown(); });
    summaries->addRow(tr("See how it looks"), preview);
    column->addWidget(summaries);
    column->addStretch(1);
}

#include "SchedulePane.moc"
