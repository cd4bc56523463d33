#include "PausesPane.h"

#include "SettingsForm.h"
#include "context/ContextMonitor.h"
#include "platform/SessionEvents.h"
#include "platform/Workspace.h"
#include "settings/AppSettings.h"
#include "ui/theme/Symbols.h"
#include "ui/theme/Theme.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <array>
#include <cmath>

using namespace Qt::StringLiterals;
using namespace SettingsForm;

namespace {

// Rows that belong to the condition above them start under its title.
constexpr int kIndent = 30;
constexpr int kStateWidth = 130;

const char* const meetingAppMessage =
    QT_TRANSLATE_NOOP("PausesPane", "Pick an app that means you're on a call when it's in front.");
const char* const appRuleMessage = QT_TRANSLATE_NOOP(
    "PausesPane", "Pick an app. Reminders hold while it's in front (or full screen).");
const char* const onlyX11Seen =
    QT_TRANSLATE_NOOP("PausesPane", "On this desktop only X11 applications are seen.");

// GNOME tells no application which window is in front or full screen; there, an application that
// keeps the screen awake stands in for the full-screen one.
bool gnomeDesktop() {
    return qEnvironmentVariable("XDG_CURRENT_DESKTOP")
        .split(u':')
        .contains(u"GNOME"_s, Qt::CaseInsensitive);
}

// The meeting apps of the default list by their names; the ids are those their makers gave them.
const QHash<QString, QString>& knownMeetingApps() {
    static const QHash<QString, QString> names{
        {u"us.zoom.xos"_s, u"Zoom"_s},
        {u"com.microsoft.teams2"_s, u"Microsoft Teams"_s},
        {u"com.microsoft.teams"_s, u"Microsoft Teams (classic)"_s},
        {u"com.apple.FaceTime"_s, u"FaceTime"_s},
        {u"com.webex.meetingmanager"_s, u"Webex Meetings"_s},
        {u"Cisco-Systems.Spark"_s, u"Webex"_s},
    };
    return names;
}

QString holdSentence(HoldReason reason, const std::optional<QString>& detail) {
    switch (reason) {
    case HoldReason::idle:
        return PausesPane::tr("You seem to be away. They start fresh when you're back.");
    case HoldReason::locked:
        return PausesPane::tr("Your screen is locked.");
    case HoldReason::call:
        return PausesPane::tr("You're on a call");
    case HoldReason::screenShare:
        return PausesPane::tr("Your screen is being shared.");
    case HoldReason::fullScreen:
        return PausesPane::tr("%1 is full screen.").arg(detail.value_or(PausesPane::tr("An app")));
    case HoldReason::manualPause:
        return PausesPane::tr("You paused them.");
    case HoldReason::doNotDisturb:
        return PausesPane::tr("Do Not Disturb is on.");
    case HoldReason::meeting:
        return PausesPane::tr("You're in %1.")
            .arg(detail ? u"“%1”"_s.arg(*detail) : PausesPane::tr("a calendar event"));
    case HoldReason::appRule:
        return PausesPane::tr("Your rule for %1 holds them.")
            .arg(detail.value_or(PausesPane::tr("an app")));
    case HoldReason::offHours:
        return PausesPane::tr("Outside your work hours.");
    }
    return {};
}

// Stepping by one minute while short, then by five: 2, 3 … 14, 15, 20 … 60. A value set elsewhere
// between two fives steps to the next five.
int idleStep(int value, int direction) {
    if (direction > 0)
        return value < 15 ? value + 1 : (value / 5 + 1) * 5;
    return value <= 15 ? value - 1 : (value - 1) / 5 * 5;
}

QLabel* symbolLabel(const QString& symbol, QWidget* parent) {
    auto* label = new QLabel(QString(Symbols::glyph(symbol)), parent);
    label->setFont(Theme::symbolFont(16));
    label->setFixedWidth(kIndent - 8);
    label->setAlignment(Qt::AlignCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Theme::secondaryText(parent->palette()));
    label->setPalette(palette);
    return label;
}

void setTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

// A colour that reads as "holding" on the window of either scheme.
QColor holdingColour(const QWidget* widget) {
    return Theme::readableOn(Symbols::tint(u"orange"_s), widget->palette().color(QPalette::Window));
}

// Lines of a list that is drawn again when it changes. The widgets go at once from the layout and
// from their parent (so nothing finds them any more) but are deleted later: the button that asked
// for the change may still be inside its click.
void clearLines(QVBoxLayout* lines) {
    while (QLayoutItem* item = lines->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->setParent(nullptr);
            widget->deleteLater();
        }
        delete item;
    }
}

QHBoxLayout* rowLayout(QWidget* row, int indent = 0) {
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(indent, 0, 0, 0);
    line->setSpacing(8);
    return line;
}

// A row that opens to show more rows under it, closed at first.
struct Expander {
    QWidget* widget;
    QWidget* body;
    QVBoxLayout* rows;
    QLabel* detail;
};

Expander expander(const QString& title, QWidget* parent) {
    auto* widget = new QWidget(parent);
    auto* column = new QVBoxLayout(widget);
    column->setContentsMargins(kIndent, 0, 0, 0);
    column->setSpacing(6);

    auto* head = new QWidget(widget);
    QHBoxLayout* line = rowLayout(head);
    auto* toggle = new QToolButton(head);
    toggle->setText(title);
    toggle->setAutoRaise(true);
    toggle->setArrowType(Qt::RightArrow);
    toggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toggle->setFont(Theme::sizedFont(head, 13));
    line->addWidget(toggle);
    line->addStretch(1);
    QLabel* detail = Theme::label({}, head, 13, Theme::Tone::secondary);
    line->addWidget(detail);
    column->addWidget(head);

    auto* body = new QWidget(widget);
    auto* rows = new QVBoxLayout(body);
    rows->setContentsMargins(22, 0, 0, 4);
    rows->setSpacing(6);
    body->hide();
    column->addWidget(body);

    // Not a checkable button: a pressed look would read as a setting turned on.
    QObject::connect(toggle, &QToolButton::clicked, body, [toggle, body] {
        const bool open = body->isHidden();
        toggle->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
        body->setVisible(open);
    });
    return {widget, body, rows, detail};
}

// What this desktop keeps Brevimar from seeing, under the row it concerns and starting under its
// title; hidden where Brevimar sees it all.
QLabel* limitNote(QWidget* parent) {
    QLabel* note = Theme::label({}, parent, 12, Theme::Tone::secondary, QFont::Normal, true);
    note->setContentsMargins(kIndent, 0, 0, 0);
    note->hide();
    return note;
}

} // namespace

// A condition that can hold reminders: its symbol, the control that turns it on or tunes it, and
// what its signal shows now, in the look of its state.
class PausesPane::ConditionRow : public QWidget {
public:
    enum class State { clear, holding, off };

    ConditionRow(const QString& symbol, QWidget* control, QWidget* parent)
        : QWidget(parent)
        , m_state(Theme::label({}, this, 12, Theme::Tone::secondary)) {
        QHBoxLayout* line = rowLayout(this);
        line->addWidget(symbolLabel(symbol, this));
        control->setParent(this);
        line->addWidget(control, 1);
        m_state->setMinimumWidth(kStateWidth);
        m_state->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        line->addWidget(m_state);
    }

    void setLive(const QString& text, State state) {
        m_state->setText(text);
        const QPalette& palette = parentWidget()->palette();
        setTextColour(m_state, state == State::holding ? holdingColour(this)
                               : state == State::clear ? Theme::secondaryText(palette)
                                                       : Theme::tertiaryText(palette));
        m_state->setFont(
            Theme::sizedFont(this, 12, state == State::holding ? QFont::DemiBold : QFont::Normal));
    }

private:
    QLabel* m_state;
};

PausesPane::PausesPane(const SettingsParts& parts, QWidget* parent)
    : QWidget(parent)
    , m_settings(parts.settings)
    , m_context(parts.context)
    , m_workspace(parts.workspace)
    , m_session(parts.session)
    , m_live(new LiveSignals(parts.context, this)) {
    QVBoxLayout* column = paneLayout(this);

    auto* holds =
        new Group(tr("Hold reminders while"),
                  tr("Checked on this computer every few seconds. Brevimar sees whether the "
                     "camera is on, never what it sees, and reads only calendar event "
                     "times. Holds start fresh when they end."),
                  this);
    QWidget* body = holds->body();
    AppSettings& settings = m_settings;

    holds->addRow(statusLine(body));

    const auto condition = [this, body](const QString& symbol, const QString& title,
                                        std::function<bool()> read,
                                        std::function<void(bool)> write) {
        auto* control = new Switch(title, std::move(read), std::move(write), body);
        m_switches.append(control);
        return new ConditionRow(symbol, control, body);
    };
    m_call = condition(
        u"video"_s, tr("On a call"), [&settings] { return settings.pauseDuringCalls(); },
        [&settings](bool on) { settings.setPauseDuringCalls(on); });
    holds->addRow(m_call);
    // A microphone alone makes a call of its own, under the call row; what records shows beside
    // it, so that a recorder that is always on can be seen and switched off.
    m_microphone = condition(
        u"mic"_s, tr("Count a microphone in use as a call"),
        [&settings] { return settings.pauseForMicrophone(); },
        [&settings](bool on) { settings.setPauseForMicrophone(on); });
    m_microphone->layout()->setContentsMargins(kIndent, 0, 0, 0);
    holds->addRow(m_microphone);
    m_microphoneNote = limitNote(body);
    m_microphoneNote->setContentsMargins(2 * kIndent, 0, 0, 0);
    m_microphoneNote->setText(
        tr("Microphones aren't seen on this computer: Brevimar reads them from PipeWire."));
    holds->addRow(m_microphoneNote);
    follow(&settings, &AppSettings::pauseDuringCallsChanged, m_microphone,
           [this, &settings] { m_microphone->setEnabled(settings.pauseDuringCalls()); });
    holds->addRow(meetingApps(body));

    m_sharing = condition(
        u"rectangle.on.rectangle"_s, tr("Sharing the screen"),
        [&settings] { return settings.pauseDuringScreenShare(); },
        [&settings](bool on) { settings.setPauseDuringScreenShare(on); });
    holds->addRow(m_sharing);

    m_fullScreen = condition(
        u"arrow.up.left.and.arrow.down.right"_s, tr("An app is full screen"),
        [&settings] { return settings.pauseDuringFullScreen(); },
        [&settings](bool on) { settings.setPauseDuringFullScreen(on); });
    holds->addRow(m_fullScreen);
    m_fullScreenNote = limitNote(body);
    holds->addRow(m_fullScreenNote);

    m_doNotDisturb = condition(
        u"moon.fill"_s, tr("Pause while Do Not Disturb is on"),
        [&settings] { return settings.pauseDuringDoNotDisturb(); },
        [&settings](bool on) { settings.setPauseDuringDoNotDisturb(on); });
    holds->addRow(m_doNotDisturb);
    m_doNotDisturbNote = limitNote(body);
    m_doNotDisturbNote->setText(tr("Do Not Disturb isn't seen on this desktop."));
    holds->addRow(m_doNotDisturbNote);

    // Turning calendar holds on is what connects to the calendar service the first time.
    CalendarMonitor& calendar = m_context.calendar();
    m_calendar = condition(
        u"calendar"_s, tr("In a calendar event"),
        [&settings] { return settings.calendarRules().enabled; },
        [&settings, &calendar](bool on) {
            CalendarRules rules = settings.calendarRules();
            rules.enabled = on;
            settings.setCalendarRules(rules);
            if (on && calendar.access() == CalendarMonitor::Access::notDetermined)
                calendar.requestAccess();
        });
    holds->addRow(m_calendar);
    holds->addRow(calendarRows(body));

    auto* idle = new Stepper([](int minutes) { return tr("Away after %1 min idle").arg(minutes); },
                             2, 60, idleStep, body);
    m_idle = new ConditionRow(u"keyboard"_s, idle, body);
    holds->addRow(m_idle);
    m_idleNote = limitNote(body);
    m_idleNote->setText(tr("Time away isn't seen on this desktop."));
    holds->addRow(m_idleNote);
    follow(&settings, &AppSettings::idleThresholdMinutesChanged, idle,
           [idle, &settings] { idle->setValue(int(settings.idleThresholdMinutes())); });
    connect(idle, &Stepper::valueChanged, this,
            [&settings](int minutes) { settings.setIdleThresholdMinutes(minutes); });

    column->addWidget(holds);
    column->addWidget(appRules(this));
    column->addStretch(1);

    // The switches follow changes made elsewhere; the live texts follow the switches.
    const std::array conditions{
        &AppSettings::pauseDuringCallsChanged,        &AppSettings::pauseForMicrophoneChanged,
        &AppSettings::pauseDuringScreenShareChanged,  &AppSettings::pauseDuringFullScreenChanged,
        &AppSettings::pauseDuringDoNotDisturbChanged, &AppSettings::calendarRulesChanged};
    for (Switch* control : std::as_const(m_switches)) {
        for (auto changed : conditions)
            connect(&settings, changed, control, &Switch::refresh);
    }
    for (auto changed : conditions)
        connect(&settings, changed, this, &PausesPane::showSignals);
    connect(&settings, &AppSettings::idleThresholdMinutesChanged, this, &PausesPane::showSignals);
    connect(m_live, &LiveSignals::changed, this, &PausesPane::showSignals);
    showLimits();
}

void PausesPane::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    showLimits();
    m_live->start();
    if (m_context.calendar().access() == CalendarMonitor::Access::granted)
        m_context.calendar().loadCalendars();
}

void PausesPane::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_live->stop();
}

void PausesPane::addMeetingApp(const AppChooser::Choice& app) {
    QStringList ids = m_settings.meetingAppBundleIDs();
    if (ids.contains(app.id))
        return;
    ids.append(app.id);
    m_settings.setMeetingAppBundleIDs(ids);
}

void PausesPane::addAppRule(const AppChooser::Choice& app) {
    QList<AppRule> rules = m_settings.appRules();
    AppRule rule;
    rule.bundleID = app.id;
    rule.name = app.name;
    rules.append(rule);
    m_settings.setAppRules(rules);
}

QWidget* PausesPane::statusLine(QWidget* parent) {
    auto* row = new QWidget(parent);
    QHBoxLayout* line = rowLayout(row);
    m_statusSymbol = new QLabel(row);
    m_statusSymbol->setFont(Theme::symbolFont(20));
    m_statusSymbol->setFixedWidth(kIndent - 8);
    m_statusSymbol->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    line->addWidget(m_statusSymbol, 0, Qt::AlignTop);
    auto* text = new QVBoxLayout;
    text->setSpacing(2);
    m_statusTitle = Theme::label({}, row, 13, Theme::Tone::primary, QFont::DemiBold);
    m_statusSentence = Theme::label({}, row, 12, Theme::Tone::secondary, QFont::Normal, true);
    text->addWidget(m_statusTitle);
    text->addWidget(m_statusSentence);
    line->addLayout(text, 1);
    follow(&m_context, &HoldState::holdReasonChanged, this, [this] { showStatus(); });
    connect(&m_context, &ContextMonitor::holdDetailChanged, this, &PausesPane::showStatus);
    return row;
}

void PausesPane::showStatus() {
    const std::optional<HoldReason> reason = m_context.holdReason();
    m_statusTitle->setText(reason ? tr("Holding reminders") : tr("Reminders are running"));
    m_statusSentence->setText(reason ? holdSentence(*reason, m_context.holdDetail())
                                     : tr("Nothing is holding them right now."));
    m_statusSymbol->setText(
        QString(Symbols::glyph(reason ? u"pause.circle"_s : u"checkmark.circle.fill"_s)));
    setTextColour(m_statusSymbol, reason ? holdingColour(this)
                                         : Theme::readableOn(Symbols::tint(u"green"_s),
                                                             palette().color(QPalette::Window), 3));
}

void PausesPane::showLimits() {
    const bool everyApplication = m_workspace.seesEveryApplication();
    m_rulesNote->setHidden(everyApplication);
    m_fullScreenNote->setHidden(everyApplication);
    m_fullScreenNote->setText(gnomeDesktop() ? tr("On this desktop only X11 applications are "
                                                  "seen, and those that keep the screen awake.")
                                             : tr(onlyX11Seen));
    m_idleSeen = m_session.idleSeconds().has_value();
    m_idleNote->setHidden(m_idleSeen);
    showSignals();
}

void PausesPane::showSignals() {
    using State = ConditionRow::State;
    const std::optional<ContextMonitor::Signals>& now = m_live->now();
    const ContextMonitor::Signals sample = now.value_or(ContextMonitor::Signals{});
    const auto state = [](bool on, bool holding) {
        return !on ? State::off : holding ? State::holding : State::clear;
    };

    const bool calls = m_settings.pauseDuringCalls();
    const bool microphoneCalls = calls && m_settings.pauseForMicrophone();
    if (sample.camera)
        m_call->setLive(tr("Camera on"), state(calls, true));
    else if (sample.meetingApp)
        m_call->setLive(tr("%1 in front").arg(*sample.meetingApp), state(calls, true));
    else if (sample.microphone && microphoneCalls)
        m_call->setLive(tr("Microphone on"), State::holding);
    else
        m_call->setLive(tr("Camera off"), state(calls, false));

    if (!sample.microphoneSeen)
        m_microphone->setLive(tr("Not seen"), State::off);
    else if (sample.microphone)
        m_microphone->setLive(tr("Microphone: %1").arg(*sample.microphone),
                              state(microphoneCalls, true));
    else
        m_microphone->setLive(tr("Not in use"), state(microphoneCalls, false));
    m_microphoneNote->setHidden(sample.microphoneSeen);

    // Read from the desktop's own signals, so the sample is as fresh as the desktop tells it.
    if (sample.doNotDisturb)
        m_doNotDisturb->setLive(*sample.doNotDisturb ? tr("On") : tr("Off"),
                                state(m_settings.pauseDuringDoNotDisturb(), *sample.doNotDisturb));
    else
        m_doNotDisturb->setLive(tr("Not seen"), State::off);
    m_doNotDisturbNote->setHidden(sample.doNotDisturb.has_value());

    m_sharing->setLive(sample.screenShare ? tr("Via %1").arg(*sample.screenShare)
                                          : tr("Not sharing"),
                       state(m_settings.pauseDuringScreenShare(), sample.screenShare.has_value()));
    m_fullScreen->setLive(
        sample.fullScreenApp.value_or(tr("None")),
        state(m_settings.pauseDuringFullScreen(), sample.fullScreenApp.has_value()));

    if (m_settings.calendarRules().enabled)
        m_calendar->setLive(sample.calendarEvent.value_or(tr("No event now")),
                            state(true, sample.calendarEvent.has_value()));
    else
        m_calendar->setLive(tr("Not checked"), State::off);

    const auto minutes = qint64(std::floor(sample.idleSeconds / 60));
    const bool away = sample.idleSeconds > double(m_settings.idleThresholdMinutes()) * 60;
    if (!m_idleSeen)
        m_idle->setLive(tr("Not seen"), State::off);
    else
        m_idle->setLive(minutes < 1 ? tr("In use") : tr("%1 min").arg(minutes), state(true, away));
}

QString PausesPane::meetingAppName(const QString& id) {
    if (const auto known = knownMeetingApps().constFind(id); known != knownMeetingApps().cend())
        return *known;
    const QString name = m_entries.name(id);
    return name.isEmpty() ? id : name;
}

QWidget* PausesPane::meetingApps(QWidget* parent) {
    const Expander apps = expander(tr("Meeting apps"), parent);
    auto* lines = new QWidget(apps.body);
    m_meetingLines = new QVBoxLayout(lines);
    m_meetingLines->setContentsMargins(0, 0, 0, 0);
    m_meetingLines->setSpacing(2);
    apps.rows->addWidget(lines);

    auto* actions = new QWidget(apps.body);
    QHBoxLayout* line = rowLayout(actions);
    auto* choose = new QPushButton(tr("Choose App…"), actions);
    auto* restore = new QPushButton(tr("Restore Defaults"), actions);
    line->addWidget(choose);
    line->addWidget(restore);
    line->addStretch(1);
    apps.rows->addWidget(actions);

    connect(choose, &QPushButton::clicked, this, [this] {
        if (const auto app = AppChooser::choose(tr(meetingAppMessage), this))
            addMeetingApp(*app);
    });
    connect(restore, &QPushButton::clicked, this, [this] {
        m_settings.setMeetingAppBundleIDs(AppSettings::defaultMeetingAppBundleIDs());
    });
    QLabel* count = apps.detail;
    follow(&m_settings, &AppSettings::meetingAppBundleIDsChanged, this, [this, count] {
        const qsizetype listed = m_settings.meetingAppBundleIDs().size();
        count->setText(listed == 1 ? tr("1 app") : tr("%n apps", nullptr, int(listed)));
        listMeetingApps();
    });
    return apps.widget;
}

void PausesPane::listMeetingApps() {
    clearLines(m_meetingLines);
    auto* lines = m_meetingLines->parentWidget();
    for (const QString& id : m_settings.meetingAppBundleIDs()) {
        auto* row = new QWidget(lines);
        QHBoxLayout* line = rowLayout(row);
        QLabel* name = Theme::label(meetingAppName(id), row, 13);
        name->setToolTip(id);
        line->addWidget(name, 1);
        auto* remove = new QToolButton(row);
        remove->setText(QString(Symbols::glyph(u"minus.circle"_s)));
        remove->setFont(Theme::symbolFont(15));
        remove->setAutoRaise(true);
        remove->setToolTip(tr("Remove"));
        remove->setAccessibleName(tr("Remove"));
        remove->setAccessibleDescription(name->text());
        line->addWidget(remove);
        connect(remove, &QToolButton::clicked, this, [this, id] {
            QStringList ids = m_settings.meetingAppBundleIDs();
            ids.removeAll(id);
            m_settings.setMeetingAppBundleIDs(ids);
        });
        m_meetingLines->addWidget(row);
    }
}

QWidget* PausesPane::calendarRows(QWidget* parent) {
    auto* rows = new QWidget(parent);
    auto* column = new QVBoxLayout(rows);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(6);
    AppSettings& settings = m_settings;

    const auto rule = [this, &settings, rows, column](const QString& title,
                                                      bool CalendarRules::*flag) -> QWidget* {
        auto* control = new Switch(
            title, [&settings, flag] { return settings.calendarRules().*flag; },
            [&settings, flag](bool on) {
                CalendarRules rules = settings.calendarRules();
                rules.*flag = on;
                settings.setCalendarRules(rules);
            },
            rows);
        control->layout()->setContentsMargins(kIndent, 0, 0, 0);
        m_switches.append(control);
        column->addWidget(control);
        return control;
    };
    QWidget* skipFree = rule(tr("Skip events where I'm free"), &CalendarRules::skipFreeEvents);
    QWidget* skipAllDay = rule(tr("Skip all-day events"), &CalendarRules::skipAllDay);

    // What the calendar service allows: the list of calendars, a way to ask, or why there is none.
    auto* access = new QWidget(rows);
    m_calendarAccess = new QVBoxLayout(access);
    m_calendarAccess->setContentsMargins(0, 0, 0, 0);
    column->addWidget(access);

    const Expander calendars = expander(tr("Calendars"), rows);
    m_calendarList = calendars.widget;
    m_calendarDetail = calendars.detail;
    m_calendarLines = calendars.rows;
    column->addWidget(m_calendarList);

    CalendarMonitor& calendar = m_context.calendar();
    connect(&calendar, &CalendarMonitor::accessChanged, this, &PausesPane::listCalendars);
    connect(&calendar, &CalendarMonitor::calendarsChanged, this, &PausesPane::listCalendars);
    listCalendars();
    // The choices rest while calendar holds are off; access can be given before turning them on.
    follow(&settings, &AppSettings::calendarRulesChanged, rows,
           [this, skipFree, skipAllDay, &settings] {
               for (QWidget* choice : {skipFree, skipAllDay, m_calendarList})
                   choice->setEnabled(settings.calendarRules().enabled);
               showCalendarChoice();
           });
    return rows;
}

void PausesPane::listCalendars() {
    CalendarMonitor& calendar = m_context.calendar();
    clearLines(m_calendarAccess);
    QWidget* access = m_calendarAccess->parentWidget();
    access->setVisible(calendar.access() != CalendarMonitor::Access::granted);
    switch (calendar.access()) {
    case CalendarMonitor::Access::granted:
        break;
    case CalendarMonitor::Access::denied: {
        QLabel* none =
            Theme::label(tr("No calendar service was found on this computer. Brevimar "
                            "reads Evolution Data Server calendars, as GNOME Calendar and "
                            "Thunderbird keep them."),
                         access, 12, Theme::Tone::secondary, QFont::Normal, true);
        none->setContentsMargins(kIndent, 0, 0, 0);
        m_calendarAccess->addWidget(none);
        break;
    }
    case CalendarMonitor::Access::notDetermined: {
        auto* row = new QWidget(access);
        QHBoxLayout* line = rowLayout(row, kIndent);
        line->addWidget(Theme::label(tr("Brevimar needs to read event times"), row, 13), 1);
        auto* allow = new QPushButton(tr("Allow Access…"), row);
        connect(allow, &QPushButton::clicked, &calendar, &CalendarMonitor::requestAccess);
        line->addWidget(allow);
        m_calendarAccess->addWidget(row);
        break;
    }
    }

    clearLines(m_calendarLines);
    const QList<CalendarInfo>& calendars = calendar.calendars();
    m_calendarList->setVisible(calendar.access() == CalendarMonitor::Access::granted &&
                               !calendars.isEmpty());
    for (const CalendarInfo& info : calendars) {
        auto* box = new QCheckBox(info.title, m_calendarLines->parentWidget());
        box->setProperty("calendarID", info.id);
        connect(box, &QCheckBox::clicked, this, [this, id = info.id](bool on) {
            CalendarRules rules = m_settings.calendarRules();
            if (on)
                rules.calendarIDs.insert(id);
            else
                rules.calendarIDs.erase(id);
            m_settings.setCalendarRules(rules);
        });
        m_calendarLines->addWidget(box);
    }
    showCalendarChoice();
}

void PausesPane::showCalendarChoice() {
    const std::set<QString> ids = m_settings.calendarRules().calendarIDs;
    m_calendarDetail->setText(ids.empty() ? tr("All") : tr("%1 selected").arg(ids.size()));
    for (int i = 0; i < m_calendarLines->count(); ++i) {
        if (auto* box = qobject_cast<QCheckBox*>(m_calendarLines->itemAt(i)->widget()))
            box->setChecked(ids.contains(box->property("calendarID").toString()));
    }
}

QWidget* PausesPane::appRules(QWidget* parent) {
    auto* group = new Group(tr("App rules"),
                            tr("Hold reminders while a chosen app is in front or full screen, for "
                               "recording, presenting or deep work."),
                            parent);
    m_rulesNote = limitNote(group->body());
    m_rulesNote->setContentsMargins(0, 0, 0, 0);
    m_rulesNote->setText(tr(onlyX11Seen));
    group->addRow(m_rulesNote);
    auto* lines = new QWidget(group->body());
    m_ruleLines = new QVBoxLayout(lines);
    m_ruleLines->setContentsMargins(0, 0, 0, 0);
    m_ruleLines->setSpacing(6);
    group->addRow(lines);

    auto* actions = new QWidget(group->body());
    QHBoxLayout* line = rowLayout(actions);
    auto* add = new QPushButton(tr("Add App…"), actions);
    m_removeRule = new QToolButton(actions);
    m_removeRule->setText(tr("Remove"));
    m_removeRule->setAutoRaise(true);
    m_removeRule->setPopupMode(QToolButton::InstantPopup);
    m_removeRule->setMenu(new QMenu(m_removeRule));
    line->addWidget(add);
    line->addWidget(m_removeRule);
    line->addStretch(1);
    group->addRow(actions);

    connect(add, &QPushButton::clicked, this, [this] {
        if (const auto app = AppChooser::choose(tr(appRuleMessage), this))
            addAppRule(*app);
    });
    follow(&m_settings, &AppSettings::appRulesChanged, this, [this] { listAppRules(); });
    return group;
}

void PausesPane::listAppRules() {
    const QList<AppRule> rules = m_settings.appRules();

    QMenu* menu = m_removeRule->menu();
    menu->clear();
    for (const AppRule& rule : rules) {
        menu->addAction(rule.name, this, [this, id = rule.id] {
            QList<AppRule> kept = m_settings.appRules();
            kept.removeIf([&id](const AppRule& r) { return r.id == id; });
            m_settings.setAppRules(kept);
        });
    }
    m_removeRule->setVisible(!rules.isEmpty());

    // A changed mode keeps the rows (and the keyboard focus in the picker); only a rule added,
    // removed or renamed lists them again.
    bool same = rules.size() == m_ruleModes.size();
    for (qsizetype i = 0; same && i < rules.size(); ++i)
        same = m_ruleModes[i]->property("ruleID").toUuid() == rules[i].id &&
               m_ruleModes[i]->accessibleName() == rules[i].name;
    if (!same) {
        clearLines(m_ruleLines);
        m_ruleModes.clear();
        for (const AppRule& rule : rules) {
            auto* row = new QWidget(m_ruleLines->parentWidget());
            QHBoxLayout* line = rowLayout(row);
            QLabel* name = Theme::label(rule.name, row, 13);
            name->setToolTip(rule.bundleID);
            line->addWidget(name, 1);
            auto* mode = new QComboBox(row);
            mode->addItem(tr("In front"), int(AppRule::Mode::frontmost));
            mode->addItem(tr("Full screen"), int(AppRule::Mode::fullScreen));
            mode->setAccessibleName(rule.name);
            wheelOnlyWhenFocused(mode);
            mode->setProperty("ruleID", rule.id);
            name->setBuddy(mode);
            line->addWidget(mode);
            connect(mode, &QComboBox::activated, this, [this, mode, id = rule.id](int index) {
                QList<AppRule> changed = m_settings.appRules();
                for (AppRule& r : changed) {
                    if (r.id == id)
                        r.mode = AppRule::Mode(mode->itemData(index).toInt());
                }
                m_settings.setAppRules(changed);
            });
            m_ruleLines->addWidget(row);
            m_ruleModes.append(mode);
        }
    }
    for (qsizetype i = 0; i < rules.size(); ++i)
        m_ruleModes[i]->setCurrentIndex(m_ruleModes[i]->findData(int(rules[i].mode)));
}
