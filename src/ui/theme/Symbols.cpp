#include "Symbols.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QPalette>

using namespace Qt::StringLiterals;

namespace Symbols {

QChar glyph(const QString& symbolName) {
    // Codepoints of the Material Icons font (its scss/_variables.scss).
    static const QHash<QString, char16_t> glyphs{
        {u"drop.fill"_s, 0xe798},          // water_drop
        {u"figure.walk"_s, 0xe536},        // directions_walk
        {u"eye"_s, 0xe8f4},                // visibility
        {u"figure.flexibility"_s, 0xea78}, // self_improvement
        {u"figure.stand"_s, 0xe92c},       // accessibility_new
        {u"pills"_s, 0xf033},              // medication
        {u"zzz"_s, 0xe046},                // snooze
        {u"hourglass"_s, 0xe88b},          // hourglass_empty
        {u"forward.end"_s, 0xe044},        // skip_next
        {u"bolt"_s, 0xea0b},
        {u"sunset.fill"_s, 0xe1c6},                        // wb_twilight
        {u"calendar"_s, 0xe935},                           // calendar_today
        {u"pause.circle"_s, 0xe036},                       // pause_circle_outline
        {u"pause.circle.fill"_s, 0xe035},                  // pause_circle_filled
        {u"chart.bar.xaxis"_s, 0xe26b},                    // bar_chart
        {u"gearshape"_s, 0xe8b8},                          // settings
        {u"power"_s, 0xe8ac},                              // power_settings_new
        {u"checkmark"_s, 0xe5ca},                          // check
        {u"brain.head.profile"_s, 0xea4a},                 // psychology
        {u"hand.raised"_s, 0xe764},                        // back_hand
        {u"leaf"_s, 0xea35},                               // eco
        {u"cup.and.saucer"_s, 0xe541},                     // local_cafe
        {u"sun.max"_s, 0xe430},                            // wb_sunny
        {u"heart"_s, 0xe87e},                              // favorite_border
        {u"chevron.down"_s, 0xe5cf},                       // expand_more
        {u"xmark"_s, 0xe5cd},                              // close
        {u"sparkles"_s, 0xe65f},                           // auto_awesome
        {u"drop"_s, 0xe798},                               // water_drop
        {u"bell.badge"_s, 0xe7f7},                         // notifications_active
        {u"video"_s, 0xe04b},                              // videocam
        {u"rectangle.on.rectangle"_s, 0xe0e2},             // screen_share
        {u"arrow.up.left.and.arrow.down.right"_s, 0xf1ce}, // open_in_full
        {u"keyboard"_s, 0xe312},
        {u"minus.circle"_s, 0xe15d},          // remove_circle_outline
        {u"checkmark.circle.fill"_s, 0xe86c}, // check_circle
        {u"plus"_s, 0xe145},                  // add
        {u"pencil"_s, 0xe3c9},                // edit
        {u"square.grid.2x2"_s, 0xe5c3},       // apps
        {u"magnifyingglass"_s, 0xe8b6},       // search
    };
    return QChar(glyphs.value(symbolName, 0xef4a)); // circle
}

QFont font(int pixelSize) {
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(
            u"/usr/share/fonts/truetype/material-design-icons-iconfont/MaterialIcons-Regular.ttf"_s);
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? u"Material Icons"_s : families.first();
    }();
    QFont font(family);
    font.setPixelSize(pixelSize);
    return font;
}

QColor tint(const QString& tintName) {
    // Close to the GNOME palette, which most Linux desktops resemble.
    static const QHash<QString, QColor> tints{
        {u"blue"_s, QColor(0x35, 0x84, 0xe4)},   {u"green"_s, QColor(0x2e, 0xc2, 0x7e)},
        {u"orange"_s, QColor(0xff, 0x78, 0x00)}, {u"purple"_s, QColor(0x91, 0x41, 0xac)},
        {u"teal"_s, QColor(0x21, 0x90, 0xa4)},
    };
    const auto found = tints.constFind(tintName);
    return found != tints.constEnd() ? *found
                                     : QGuiApplication::palette().color(QPalette::Highlight);
}

} // namespace Symbols
