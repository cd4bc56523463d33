#include "HistoryFixture.h"
#include "SettingsFixture.h"
#include "UiFixture.h"
#include "fakes/ScopedEnv.h"
#include "fakes/StoredServices.h"
#include "ui/onboarding/OnboardingWindow.h"
#include "ui/reminders/MessageCardView.h"
#include "ui/reminders/NotchCardView.h"
#include "ui/reminders/NotchMessageView.h"
#include "ui/reminders/NudgeCardView.h"
#include "ui/theme/Symbols.h"
#include "ui/tray/MenuBarIcon.h"
#include "ui/tray/MenuBarView.h"
#include "ui/updates/UpdateWindow.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QScrollArea>
#include <QStyle>

using namespace Qt::StringLiterals;

// Draws the views in their looks, under a light and a dark desktop palette, as PNGs under
// build/tests/ui/screenshots for a person to look at (`make screenshots`).

namespace {

void save(const QPixmap& picture, const QString& name, bool dark) {
    const QString folder = QStringLiteral(BREVIMAR_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    const QString file = folder + u'/' + name + (dark ? u"-dark.png"_s : u"-light.png"_s);
    EXPECT_TRUE(picture.save(file)) << file.toStdString();
}
void save(QWidget& view, const QString& name, bool dark) {
    save(view.grab(), name, dark);
}

// A dark desktop as Qt derives it from one colour: text, base and the frames' shades around it.
void useDesktopPalette(bool dark) {
    const QColor window(0x24, 0x24, 0x24);
    QApplication::setPalette(dark ? QPalette(window, window)
                                  : QApplication::style()->standardPalette());
}

} // namespace

TEST(Screenshots, ReminderAndMessageViews) {
    const NudgeKind& water = NudgeKind::water();
    const std::optional<QString> reason = u"Back from a call"_s;
    for (const bool dark : {false, true}) {
        useDesktopPalette(dark);
        NudgeCardView card(water, reason, 2, 8, {});
        save(card, u"card-water"_s, dark);
        NudgeCardView done(NudgeKind::movement(), {}, 3, 0, {}, true);
        save(done, u"card-movement-done"_s, dark);
        MessageCardView message(u"Your week"_s, u"You drank water 41 times."_s, u"calendar"_s,
                                Symbols::tint(u"blue"_s), {});
        save(message, u"message-week"_s, dark);
        // The top panel open, folded to its strip, and shut; with and without a camera notch.
        for (const NotchGeometry& geometry : {NotchGeometry{true, 185, 32}, NotchGeometry{}}) {
            const QString shape = geometry.hasNotch ? u"notch-"_s : u"flat-"_s;
            for (const auto& [look, open, peek] : {std::tuple{u"full"_s, true, false},
                                                   {u"peek"_s, true, true},
                                                   {u"closed"_s, false, false}}) {
                NotchState state;
                NotchCardView view(water, geometry, state, reason, 2, 8, {}, peek);
                state.setExpanded(open);
                view.finishAnimation();
                save(view, shape + look, dark);
            }
            NotchState state;
            NotchMessageView view(u"Want to wrap up?"_s, u"Today: 6 sips, 4 breaks."_s,
                                  u"sunset.fill"_s, Symbols::tint(u"orange"_s), geometry, state,
                                  {});
            state.setExpanded(true);
            view.finishAnimation();
            save(view, shape + u"message"_s, dark);
        }
    }
}

// The tray icon in its three looks at the common tray sizes, on a light and a dark panel.
TEST(TrayIconScreenshots, PlainHeldAwaiting) {
    for (const bool dark : {false, true}) {
        QPixmap picture(3 * 40, 2 * 40);
        picture.fill(dark ? QColor(0x24, 0x24, 0x24) : QColor(0xf6, 0xf5, 0xf4));
        QPainter painter(&picture);
        int column = 0;
        for (const auto look :
             {MenuBarIcon::Look::plain, MenuBarIcon::Look::held, MenuBarIcon::Look::awaiting}) {
            painter.drawPixmap(40 * column + 4, 4, MenuBarIcon::draw(look, 32));
            painter.drawPixmap(40 * column + 9, 49, MenuBarIcon::draw(look, 22));
            ++column;
        }
        painter.end();
        save(picture.scaled(picture.size() * 3), u"tray-icon"_s, dark);
    }
}

using TrayPanelScreenshots = UiFixture;

TEST_F(TrayPanelScreenshots, NothingLoggedThenAwaitingParkedAndHeld) {
    const auto draw = [this](const QString& name) {
        for (const bool dark : {false, true}) {
            useDesktopPalette(dark);
            MenuBarView view(engine(), monitor(), dayLog, settings, clock);
            view.setShowHistory([] {});
            view.setShowSettings([] {});
            view.show();
            view.refresh();
            save(view, u"panel-"_s + name, dark);
        }
    };
    draw(u"nothing-logged"_s);
    engine().done(NudgeKind::movement());
    engine().fire(NudgeKind::water());
    engine().fire(NudgeKind::movement());
    engine().untilFree(NudgeKind::movement());
    startCall();
    draw(u"awaiting-parked-held"_s);
}

using HistoryScreenshots = HistoryFixture;

// What the window shows, and the whole scrolled page under it.
TEST_F(HistoryScreenshots, SevenAndNinetyDaysOfAWorkingPerson) {
    simulate();
    for (const bool dark : {false, true}) {
        useDesktopPalette(dark);
        for (const QString& range : {u"7 days"_s, u"90 days"_s}) {
            window.present();
            choose(range);
            QCoreApplication::processEvents();
            const QString name = u"history-"_s + range.section(u' ', 0, 0);
            save(window, name, dark);
            save(*window.findChild<QScrollArea*>()->widget(), name + u"-page"_s, dark);
        }
    }
}

using SettingsScreenshots = SettingsFixture;

// Every pane of the settings window as the window shows it.
TEST_F(SettingsScreenshots, EveryPane) {
    const std::array names{u"reminders"_s, u"alerts"_s, u"pauses"_s, u"schedule"_s, u"general"_s};
    for (const bool dark : {false, true}) {
        useDesktopPalette(dark);
        SettingsWindow shown(parts());
        shown.present();
        for (size_t tab = 0; tab < names.size(); ++tab) {
            shown.showTab(SettingsWindow::Tab(tab));
            QCoreApplication::processEvents();
            save(shown, u"settings-"_s + names[tab], dark);
        }
    }
}

// The panes that tell what a desktop keeps from Brevimar: GNOME on Wayland without XWayland, its
// Do Not Disturb unseen, and no PipeWire.
TEST_F(SettingsScreenshots, OnADesktopThatSeesLess) {
    const ScopedEnv wayland("WAYLAND_DISPLAY", u"wayland-0"_s);
    const ScopedEnv noX11("DISPLAY", {});
    const ScopedEnv gnome("XDG_CURRENT_DESKTOP", u"GNOME"_s);
    workspace.seesEvery = false;
    session.idle.reset();
    session.dnd.reset();
    media.seesMic = false;
    for (const bool dark : {false, true}) {
        useDesktopPalette(dark);
        SettingsWindow shown(parts());
        shown.present();
        for (const auto& [tab, name] : {std::pair{SettingsWindow::Tab::alerts, u"alerts"_s},
                                        {SettingsWindow::Tab::pauses, u"pauses"_s}}) {
            shown.showTab(tab);
            QCoreApplication::processEvents();
            save(*shown.pane(tab), u"settings-limited-"_s + name, dark);
        }
    }
}

// A newer version with its notes and with only a link to them, up to date, and a failed check.
TEST(Screenshots, UpdateWindow) {
    const UpdateWindow::Update update{
        u"0.2.0"_s,
        u"0.1.0"_s,
        u"What's new\n\nReminders can wait until a call ends.\nThe history window shows 90 days.\n"
        "Fixed: the tray icon stayed dark after waking the computer from sleep on some desktops."_s,
        {},
        QUrl(u"https://example.org/brevimar-0.2.0.tar.gz"_s)};
    for (const bool dark : {false, true}) {
        useDesktopPalette(dark);
        UpdateWindow window(nullptr, nullptr);
        const auto shot = [&](const QString& name) {
            QCoreApplication::processEvents();
            save(window, u"update-"_s + name, dark);
        };
        window.presentUpdate(update, UpdateWindow::Focus::leave);
        shot(u"notes"_s);
        window.presentUpdate(
            {u"0.2.0"_s, u"0.1.0"_s, {}, QUrl(u"https://example.org/notes"_s), update.download},
            UpdateWindow::Focus::leave);
        shot(u"link"_s);
        window.presentUpToDate(u"0.1.0"_s);
        shot(u"up-to-date"_s);
        window.presentFailure(u"Host feed.example.org not found"_s);
        shot(u"failed"_s);
    }
}

// The first-run window of a fresh installation.
TEST(OnboardingScreenshots, FreshInstall) {
    StoredServices stored{QDateTime(QDate(2026, 12, 7), QTime(10, 0))};
    for (const bool dark : {false, true}) {
        useDesktopPalette(dark);
        OnboardingWindow window(stored.settings, [] {});
        window.show();
        save(window, u"onboarding"_s, dark);
    }
}
