#include "HistoryFixture.h"
#include "SettingsFixture.h"
#include "ui/reminders/NotchCardView.h"
#include "ui/reminders/NudgeCardView.h"
#include "ui/reminders/ReminderContent.h"
#include "ui/theme/Symbols.h"
#include "ui/theme/Theme.h"
#include "ui/tray/MenuBarView.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QStyle>
#include <QTest>

using namespace Qt::StringLiterals;

// What a keyboard or screen reader user meets in Brevimar's windows, and whether its colours stand
// out from their backgrounds.

namespace {

const NudgeKind& water = NudgeKind::water();

// Each control (anything that takes the focus, a button, a combo or a spin box; not a scroll area,
// where a reader reads, nor a label's mouse selection) a reader cannot announce: no name, or a
// "client" role. In a window that takes the keyboard, each one Tab does not reach as well.
QStringList faults(const QWidget& window, bool keyboard = true) {
    QStringList found{u"nothing walked"_s};
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisibleTo(&window) || qobject_cast<QAbstractScrollArea*>(w) ||
            qobject_cast<QLabel*>(w) || qobject_cast<QAbstractSpinBox*>(w->parentWidget()) ||
            (w->focusPolicy() == Qt::NoFocus && !qobject_cast<QAbstractButton*>(w) &&
             !qobject_cast<QComboBox*>(w) && !qobject_cast<QAbstractSpinBox*>(w)))
            continue;
        found.removeOne(u"nothing walked"_s);
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(w);
        const QString what =
            w->metaObject()->className() + u" \""_s + control->text(QAccessible::Name) + u"\" "_s;
        if (control->text(QAccessible::Name).trimmed().isEmpty())
            found.append(what + u"has no name"_s);
        if (control->role() == QAccessible::Client)
            found.append(what + u"has no role"_s);
        if (keyboard && w->isEnabled() && !(w->focusPolicy() & Qt::TabFocus))
            found.append(what + u"is out of Tab's reach"_s);
    }
    return found;
}

class AccessibilityTest : public SettingsFixture {};
class HistoryAccessibilityTest : public HistoryFixture {};

} // namespace

// Enter presses a panel button as Space does; the reminder views never take the keyboard, so
// only their names and roles count.
TEST_F(AccessibilityTest, TrayPanelAndReminderViewsNameEveryControl) {
    MenuBarView trayPanel{engine(), monitor(), dayLog, settings, clock};
    trayPanel.setShowHistory([] {});
    trayPanel.setShowSettings([] {});
    engine().fire(water);
    trayPanel.refresh();
    EXPECT_EQ(faults(trayPanel), QStringList());
    QTest::keyClick(findWidget(trayPanel, u"Done"_s), Qt::Key_Return);
    EXPECT_EQ(dayLog.state().counts.value(water.id), 1);

    NudgeCardView card(water, std::nullopt, 2, 8, {});
    EXPECT_EQ(faults(card, false), QStringList());
    NotchState state;
    state.setExpanded(true);
    NotchCardView top(water, {false, 200, 24}, state, {}, 2, 8, {});
    EXPECT_EQ(faults(top, false), QStringList());
}

TEST_F(AccessibilityTest, SettingsNameEveryControlOnEveryTabAndEscapeCloses) {
    for (int tab = 0; tab <= int(SettingsWindow::Tab::general); ++tab) {
        window().showTab(SettingsWindow::Tab(tab));
        EXPECT_EQ(faults(window()), QStringList()) << tab;
    }
    window().show();
    QApplication::setActiveWindow(&window());
    QTest::keyClick(&window(), Qt::Key_Escape);
    EXPECT_FALSE(window().isVisible());
}

TEST_F(HistoryAccessibilityTest, HistoryNamesEveryControlAndEscapeCloses) {
    window.show();
    EXPECT_EQ(faults(window), QStringList());
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

// Text keeps 4.5:1 and symbols 3:1 on the window colour, in light and dark. A symbol is measured
// as drawn, by its strongest pixel.
TEST(Contrast, TextAndSymbolsStandOutInLightAndDark) {
    for (const QPalette& palette :
         {QApplication::style()->standardPalette(), Theme::darkPalette()}) {
        const QColor window = palette.color(QPalette::Window);
        for (const double opacity : {1.0, Theme::secondaryOpacity, Theme::tertiaryOpacity}) {
            const QColor text = Theme::primaryText(palette);
            const auto mix = [&](float a, float b) {
                return float(a * opacity + b * (1 - opacity));
            };
            const QColor shown = QColor::fromRgbF(mix(text.redF(), window.redF()),
                                                  mix(text.greenF(), window.greenF()),
                                                  mix(text.blueF(), window.blueF()));
            EXPECT_GE(Theme::contrast(shown, window), Theme::textContrast) << opacity;
        }
        for (const QString& tint : {u"blue"_s, u"green"_s, u"orange"_s, u"purple"_s, u"teal"_s}) {
            QWidget host; // the badge of a panel row and the card's goal ring, side by side
            host.setPalette(palette);
            host.setAutoFillBackground(true);
            host.resize(80, 40);
            NudgeKind kind = water;
            kind.tintName = tint;
            auto* ring = new GoalRing(kind, 8, 8, true, 36, 3, &host);
            ring->move(40, 0);
            QWidget* badge = new SymbolBadge(kind.icon, Symbols::tint(tint), 36, {0.13, 13}, &host);
            for (QWidget* drawn : {badge, static_cast<QWidget*>(ring)}) {
                const QImage image = host.grab(drawn->geometry()).toImage();
                double strongest = 1;
                for (int y = 0; y < image.height(); ++y) {
                    for (int x = 0; x < image.width(); ++x)
                        strongest =
                            std::max(strongest, Theme::contrast(image.pixelColor(x, y), window));
                }
                EXPECT_GE(strongest, Theme::symbolContrast)
                    << drawn->metaObject()->className() << " " << tint.toStdString();
            }
        }
    }
}
