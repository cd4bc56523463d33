#include "Symbols.h"

#include <QFile>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHash>
#include <QPalette>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

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
        {u"mic"_s, 0xe029},                                // mic
        {u"moon.fill"_s, 0xe51c},                          // dark_mode
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

namespace {

const QString fontFile =
    u"/usr/share/fonts/truetype/material-design-icons-iconfont/MaterialIcons-Regular.ttf"_s;

// FreeType hands an outline over as pen moves in font units, y upwards.
struct OutlineBuilder {
    QPainterPath path;
    double scale;
    QPointF point(const FT_Vector* v) const { return {v->x * scale, -v->y * scale}; }
};

OutlineBuilder& builder(void* user) {
    return *static_cast<OutlineBuilder*>(user);
}

const FT_Outline_Funcs outlineFuncs = {
    [](const FT_Vector* to, void* user) {
        OutlineBuilder& b = builder(user);
        b.path.moveTo(b.point(to));
        return 0;
    },
    [](const FT_Vector* to, void* user) {
        OutlineBuilder& b = builder(user);
        b.path.lineTo(b.point(to));
        return 0;
    },
    [](const FT_Vector* control, const FT_Vector* to, void* user) {
        OutlineBuilder& b = builder(user);
        b.path.quadTo(b.point(control), b.point(to));
        return 0;
    },
    [](const FT_Vector* control1, const FT_Vector* control2, const FT_Vector* to, void* user) {
        OutlineBuilder& b = builder(user);
        b.path.cubicTo(b.point(control1), b.point(control2), b.point(to));
        return 0;
    },
    0,
    0,
};

// The glyph's outline read with FreeType alone; empty when the file or the glyph is missing.
QPainterPath outlineFromFile(char32_t codepoint) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return {};
    OutlineBuilder outline{{}, 0};
    FT_Face face = nullptr;
    if (FT_New_Face(library, QFile::encodeName(fontFile).constData(), 0, &face) == 0) {
        const FT_UInt index = FT_Get_Char_Index(face, codepoint);
        if (index != 0 && FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE) == 0 &&
            face->glyph->format == FT_GLYPH_FORMAT_OUTLINE) {
            outline.scale = 64.0 / face->units_per_EM;
            outline.path.setFillRule(Qt::WindingFill);
            FT_Outline_Decompose(&face->glyph->outline, &outlineFuncs, &outline);
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return outline.path;
}

} // namespace

QFont font(int pixelSize) {
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(fontFile);
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? u"Material Icons"_s : families.first();
    }();
    QFont font(family);
    font.setPixelSize(pixelSize);
    return font;
}

QPainterPath outline(const QString& symbolName) {
    const QChar glyphChar = glyph(symbolName);
    QPainterPath path = outlineFromFile(glyphChar.unicode());
    if (path.isEmpty()) // the font installed elsewhere: found through the font configuration
        path.addText(0, 0, font(64), QString(glyphChar));
    return path;
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
