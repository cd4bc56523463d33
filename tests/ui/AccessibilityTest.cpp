#include "HistoryFixture.h"
#include "SettingsFixture.h"
#include "ui/reminders/NotchCardView.h"
#include "ui/reminders/NudgeCardView.h"
#include "ui/theme/Symbols.h"
#include "ui/theme/Theme.h"
#include "ui/tray/MenuBarView.h"

#include <QAbstractScrollArea>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTest>

using namespace Qt::StringLiterals;

// What a keyboard or screen reader user meets in Brevimar's windows, and whether its colours can
// be told apart from their backgrounds.

namespace {

const NudgeKind& water = NudgeKind::water();

bool isControl(const QWidget* widget) {
    // Scroll areas are where a reader reads, and a label's text is selected with the mouse only.
    if (qobject_cast<const QAbstractScrollArea*>(widget) ||
        qobject_cast<const QScrollBar*>(widget) || qobject_cast<const QLabel*>(widget) ||
        qobject_cast<const QAbstractSpinBox*>(widget->parentWidget())) // its own line edit
        return false;
    return widget->focusPolicy() != Qt::NoFocus || qobject_cast<const QAbstractButton*>(widget) ||
           qobject_cast<const QComboBox*>(widget) || qobject_cast<const QAbstractSlider*>(widget) ||
           qobject_cast<const QAbstractSpinBox*>(widget);
}

// Every control a screen reader cannot announce (no name, or no role it can say: a "client"),
// and in a window that takes the keyboard every one Tab does not reach. A window without any
// control is a fault too: the walk saw nothing.
QStringList faults(const QWidget& window, bool keyboard) {
    QStringList found;
    int controls = 0;
    const auto check = [&](QAccessibleInterface* control, const QString& where) {
        const QString name = control->text(QAccessible::Name);
        if (name.trimmed().isEmpty())
            found.append(where + u" has no name"_s);
        if (control->role() == QAccessible::Client || control->role() == QAccessible::NoRole)
            found.append(where + u" \""_s + name + u"\" has no role"_s);
    };
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window) || !isControl(widget))
            continue;
        ++controls;
        const QString where = QString::fromLatin1(widget->metaObject()->className());
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(widget);
        check(control, where);
        if (keyboard && widget->isEnabled() && !(widget->focusPolicy() & Qt::TabFocus))
            found.append(where + u" \""_s + control->text(QAccessible::Name) +
                         u"\" is out of Tab's reach"_s);
        if (qobject_cast<QTabBar*>(widget)) {
            for (int i = 0; i < control->childCount(); ++i)
                check(control->child(i), where + u" tab"_s);
        }
    }
    if (controls == 0)
        found.append(u"no control at all"_s);
    return found;
}

QStringList faults(const QWidget& window) {
    return faults(window, true);
}

class AccessibilityTest : public SettingsFixture {};
class HistoryAccessibilityTest : public HistoryFixture {};

} // namespace

// The panel answers from the keyboard: Enter presses a focused button as Space does.
TEST_F(AccessibilityTest, TrayPanelAndReminderViewsNameEveryControl) {
    MenuBarView trayPanel{engine(), monitor(), dayLog, settings, clock};
    trayPanel.setShowHistory([] {});
    trayPanel.setShowSettings([] {});
    engine().fire(water);
    trayPanel.refresh();
    EXPECT_EQ(faults(trayPanel), QStringList());

    QAbstractButton* done = nullptr;
    for (QAbstractButton* button : trayPanel.findChildren<QAbstractButton*>()) {
        if (button->text() == u"Done"_s && button->isVisibleTo(&trayPanel) && !done)
            done = button;
    }
    ASSERT_NE(done, nullptr);
    QTest::keyClick(done, Qt::Key_Return);
    EXPECT_EQ(dayLog.state().counts.value(water.id), 1);

    // The reminder views never take the keyboard, so only their names and roles count.
    NudgeCardView card(water, std::nullopt, 2, 8, {});
    EXPECT_EQ(faults(card, false), QStringList());
    NotchState state;
    state.setExpanded(true);
    NotchCardView top(water, {false, 200, 24}, state, {}, 2, 8, {});
    EXPECT_EQ(faults(top, false), QStringList());
}

TEST_F(AccessibilityTest, SettingsNameEveryControlOnEveryTabAndEscapeCloses) {
    for (const auto tab :
         {SettingsWindow::Tab::reminders, SettingsWindow::Tab::alerts, SettingsWindow::Tab::pauses,
          SettingsWindow::Tab::schedule, SettingsWindow::Tab::general}) {
        window().showTab(tab);
        EXPECT_EQ(faults(window()), QStringList()) << int(tab);
    }
    window().show();
    QApplication::setActiveWindow(&window());
    QTest::keyClick(&window(), Qt::Key_Escape);
    EXPECT_FALSE(window().isVisible());
}

TEST_F(HistoryAccessibilityTest, HistoryNamesEveryControlAndEscapeCloses) {
    simulate();
    window.show();
    EXPECT_EQ(faults(window), QStringList());
    QApplication::setActiveWindow(&window);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

// Text keeps 4.5:1 and symbols 3:1 against the window colour, on a group's faint fill too, in
// the light scheme and the dark one. A symbol is measured as drawn: its strongest pixel.
TEST(Contrast, TextAndSymbolsStandOutInLightAndDark) {
    const auto over = [](const QColor& top, const QColor& below) {
        const double a = top.alphaF();
        return QColor::fromRgbF(float(top.redF() * a + below.redF() * (1 - a)),
                                float(top.greenF() * a + below.greenF() * (1 - a)),
                                float(top.blueF() * a + below.blueF() * (1 - a)));
    };
    for (const QPalette& palette :
         {QApplication::style()->standardPalette(), Theme::darkPalette()}) {
        const QColor window = palette.color(QPalette::Window);
        const QString scheme = window.lightness() > 128 ? u"light"_s : u"dark"_s;
        for (const QColor& background :
             {window, over(Theme::withAlpha(Theme::primaryText(palette), 0.045), window)}) {
            for (const QColor& text : {Theme::primaryText(palette), Theme::secondaryText(palette),
                                       Theme::tertiaryText(palette)}) {
                EXPECT_GE(Theme::contrast(over(text, background), background), Theme::textContrast)
                    << scheme.toStdString() << " text " << text.name(QColor::HexArgb).toStdString();
            }
        }

        for (const QString& tint : {u"blue"_s, u"green"_s, u"orange"_s, u"purple"_s, u"teal"_s}) {
            QWidget host;
            host.setPalette(palette);
            host.setAutoFillBackground(true);
            host.resize(40, 40);
            new SymbolBadge(u"drop.fill"_s, Symbols::tint(tint), 36,
                            {.fill = 0.13, .symbolSize = 13}, &host);
            const QImage drawn = host.grab().toImage();
            double strongest = 1;
            for (int y = 0; y < drawn.height(); ++y) {
                for (int x = 0; x < drawn.width(); ++x)
                    strongest =
                        std::max(strongest, Theme::contrast(drawn.pixelColor(x, y), window));
            }
            EXPECT_GE(strongest, Theme::symbolContrast)
                << scheme.toStdString() << " " << tint.toStdString();
        }
    }
}
