#include "AlertsPane.h"

#include "SettingsForm.h"
#include "StyleTile.h"
#include "engine/RhythmEngine.h"
#include "settings/AppSettings.h"
#include "ui/theme/Theme.h"
#include "ui/theme/Windowing.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

using namespace Qt::StringLiterals;
using namespace SettingsForm;

AlertsPane::AlertsPane(const SettingsParts& parts, QWidget* parent)
    : QWidget(parent) {
    AppSettings& settings = parts.settings;
    QVBoxLayout* column = paneLayout(this);

    auto* styles = new Group(
        tr("Show reminders as"),
        tr("The card and the notch stay until you answer and never take focus. On displays without "
           "a notch, it hangs from the top of the screen. Notifications go away after a few "
           "seconds."),
        this);
    auto* tiles = new QWidget(styles->body());
    auto* line = new QHBoxLayout(tiles);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(8);
    static const std::array<std::pair<ReminderStyle, QString>, 3> choices{
        {{ReminderStyle::card, tr("Floating card")},
         {ReminderStyle::notch, tr("Notch")},
         {ReminderStyle::notification, tr("Notification")}}};
    std::array<StyleTile*, 3> made{};
    for (size_t i = 0; i < made.size(); ++i) {
        made[i] = new StyleTile(choices[i].first, choices[i].second, tiles);
        line->addWidget(made[i]);
    }
    // Without XWayland reminders come as notifications whatever is stored, so that is the choice
    // marked, and the others cannot be made; the stored one holds again on a desktop with it.
    const bool placeable = !Windowing::withoutXWayland();
    // A click toggles a checkable button, so the marks are put back from the setting after
    // every click, even one on the tile already chosen.
    const auto mark = [&settings, made, placeable] {
        const ReminderStyle shown =
            placeable ? settings.reminderStyle() : ReminderStyle::notification;
        for (size_t i = 0; i < made.size(); ++i)
            made[i]->setChecked(shown == choices[i].first);
    };
    for (size_t i = 0; i < made.size(); ++i) {
        connect(made[i], &StyleTile::clicked, this, [&settings, mark, style = choices[i].first] {
            settings.setReminderStyle(style);
            mark();
        });
    }
    follow(&settings, &AppSettings::reminderStyleChanged, this, mark);
    styles->addRow(tiles);
    if (!placeable) {
        for (size_t i = 0; i < made.size(); ++i)
            made[i]->setEnabled(choices[i].first == ReminderStyle::notification);
        styles->addRow(Theme::label(tr("This desktop runs without XWayland, so Brevimar can't "
                                       "place a card or the notch: reminders come as "
                                       "notifications."),
                                    styles->body(), 12, Theme::Tone::secondary, QFont::Normal,
                                    true));
    }
    column->addWidget(styles);

    auto* sound = new Group({}, {}, this);
    auto* playSound = new Switch(
        tr("Play a sound"), [&settings] { return settings.soundEnabled(); },
        [&settings](bool on) { settings.setSoundEnabled(on); }, sound->body());
    connect(&settings, &AppSettings::soundEnabledChanged, playSound, &Switch::refresh);
    sound->addRow(playSound);
    auto* test = new QPushButton(tr("Send Test Reminder"));
    connect(test, &QPushButton::clicked, this,
            [&engine = parts.engine] { engine.fire(NudgeKind::water()); });
    sound->addRow(tr("See how it looks"), test);
    column->addWidget(sound);
    column->addStretch(1);
}
