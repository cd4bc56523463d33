#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QWidget>

class QLabel;

// How every Brevimar window looks: text colours, fonts and the small drawing helpers. The light
// and dark schemes are the desktop's own palette; only the top panel, black on every desktop,
// brings its own (darkPalette).
namespace Theme {

// Text roles: primary is the palette's window text, secondary and tertiary fade it. Secondary
// keeps 4.5:1 on the window colour of both the light and the dark scheme.
constexpr double secondaryOpacity = 0.72;
constexpr double tertiaryOpacity = 0.62;
QColor primaryText(const QPalette& palette);
QColor secondaryText(const QPalette& palette);
QColor tertiaryText(const QPalette& palette);
QPalette darkPalette();

QColor withAlpha(QColor colour, double alpha);
// The contrast ratio of two opaque colours, 1 to 21. Text needs textContrast on its background;
// symbols and the shapes that carry meaning need symbolContrast.
double contrast(const QColor& a, const QColor& b);
constexpr double textContrast = 4.5;
constexpr double symbolContrast = 3.0;
// Keeps the hue and moves the lightness until text in that colour can be read on the background.
QColor readableOn(QColor colour, const QColor& background, double wanted = textContrast);
// A fill dark enough for white text on it.
QColor fillUnderWhite(QColor fill);
// A solid fill under the pointer.
QColor hovered(const QColor& fill);

// A symbol as tall as text of the size. Material Icons leave about a sixth of the em box empty
// around each glyph, so the font is a third larger.
QFont symbolFont(double size, QFont::Weight weight = QFont::Normal);
// Fractional pixel sizes (12.5) need a point size for the widget's resolution.
QFont sizedFont(const QWidget* widget, double pixels, QFont::Weight weight = QFont::Normal);
// Plain text in one of the three text roles, at a pixel size; wrapped to the width it is given
// when asked.
enum class Tone { primary, secondary, tertiary };
QLabel* label(const QString& text, QWidget* parent, double pixels, Tone tone = Tone::primary,
              QFont::Weight weight = QFont::Normal, bool wrap = false);
// Plain text wrapped to a fixed width, as tall as its lines (up to maxHeight).
QLabel* textLabel(const QString& text, const QFont& font, const QColor& colour, int width,
                  QWidget* parent, int maxHeight = QWIDGETSIZE_MAX);

// Shows a top-level window in front with the keyboard, restored if it was minimised, with the
// desktop's leave when it asked for the window; centred on the screen in use when asked.
void presentWindow(QWidget* window, bool centre);
// Escape closes the window, as it does a dialog.
void closeOnEscape(QWidget* window);

} // namespace Theme

// A faint rounded fill behind a group: the tint, or the text colour when none is given, at an
// opacity; a capsule when the radius is negative. Drawn from the palette in force, so it follows a
// change between light and dark.
class RoundedFill : public QWidget {
public:
    RoundedFill(double opacity, double radius, QWidget* parent, const QColor& tint = {});

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_opacity;
    double m_radius;
    QColor m_tint;
};

// A group of rows on a faint rounded fill, headed by its title when it has one.
RoundedFill* section(QWidget* parent, const QString& heading = {});

// A symbol in its tint on a faint disc (or rounded tile) of the same tint, ringed if asked.
class SymbolBadge : public QWidget {
public:
    struct Look {
        double fill;
        double symbolSize;
        double ring = 0;
        double tileRadius = 0; // 0: a disc
    };
    SymbolBadge(const QString& symbol, const QColor& tint, int size, const Look& look,
                QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QChar m_glyph;
    QColor m_tint;
    Look m_look;
};
