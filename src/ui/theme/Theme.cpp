#include "Theme.h"

#include "Symbols.h"
#include "Windowing.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace Theme {

QColor primaryText(const QPalette& palette) {
    return palette.color(QPalette::WindowText);
}

QColor secondaryText(const QPalette& palette) {
    return withAlpha(primaryText(palette), secondaryOpacity);
}

QColor tertiaryText(const QPalette& palette) {
    return withAlpha(primaryText(palette), tertiaryOpacity);
}

QPalette darkPalette() {
    QPalette p;
    const QColor text(0xf2, 0xf2, 0xf2);
    p.setColor(QPalette::Window, Qt::black);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::Base, Qt::black);
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::Button, QColor(0x30, 0x30, 0x30));
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::Highlight, QColor(0x35, 0x84, 0xe4));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::ToolTipBase, QColor(0x24, 0x24, 0x24));
    p.setColor(QPalette::ToolTipText, text);
    return p;
}

QColor withAlpha(QColor colour, double alpha) {
    colour.setAlphaF(float(colour.alphaF() * alpha));
    return colour;
}

namespace {
double luminance(const QColor& c) {
    const auto channel = [](float v) {
        return v <= 0.04045f ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}
} // namespace

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(QColor colour, const QColor& background, double wanted) {
    const bool darken = luminance(background) > 0.4;
    for (int step = 0; step < 20 && contrast(colour, background) < wanted; ++step)
        colour = darken ? colour.darker(108) : colour.lighter(115);
    return colour;
}

QColor fillUnderWhite(QColor fill) {
    for (int step = 0; step < 20 && contrast(fill, Qt::white) < textContrast; ++step)
        fill = fill.darker(108);
    return fill;
}

QColor hovered(const QColor& fill) {
    return fill.darker(110);
}

QFont symbolFont(double size, QFont::Weight weight) {
    QFont font = Symbols::font(qRound(size * 4.0 / 3.0));
    font.setWeight(weight);
    return font;
}

QFont sizedFont(const QWidget* widget, double pixels, QFont::Weight weight) {
    QFont font = QApplication::font();
    font.setPointSizeF(pixels * 72.0 / double(widget->logicalDpiY()));
    font.setWeight(weight);
    return font;
}

QLabel* label(const QString& text, QWidget* parent, double pixels, Tone tone, QFont::Weight weight,
              bool wrap) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(sizedFont(parent, pixels, weight));
    label->setWordWrap(wrap);
    const QPalette& palette = parent->palette();
    QPalette own = label->palette();
    own.setColor(QPalette::WindowText, tone == Tone::primary     ? primaryText(palette)
                                       : tone == Tone::secondary ? secondaryText(palette)
                                                                 : tertiaryText(palette));
    label->setPalette(own);
    return label;
}

QLabel* textLabel(const QString& text, const QFont& font, const QColor& colour, int width,
                  QWidget* parent, int maxHeight) {
    auto* label = new QLabel(text, parent);
    label->setFont(font);
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setFixedWidth(width);
    label->setFixedHeight(std::min(label->heightForWidth(width), maxHeight));
    return label;
}

void presentWindow(QWidget* window, bool centre) {
    if (centre) {
        const QScreen* screen = Windowing::screenInUse();
        QRect frame = window->rect();
        frame.moveCenter((screen ? screen : window->screen())->availableGeometry().center());
        window->move(frame.topLeft());
    }
    window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    Windowing::useActivationToken(window);
    window->show();
    window->raise();
    window->activateWindow();
}

void closeOnEscape(QWidget* window) {
    auto* close = new QAction(window);
    close->setShortcut(Qt::Key_Escape);
    close->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(close, &QAction::triggered, window, &QWidget::close);
    window->addAction(close);
}

} // namespace Theme

RoundedFill::RoundedFill(double opacity, double radius, QWidget* parent, const QColor& tint)
    : QWidget(parent)
    , m_opacity(opacity)
    , m_radius(radius)
    , m_tint(tint) {}

void RoundedFill::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(
        Theme::withAlpha(m_tint.isValid() ? m_tint : Theme::primaryText(palette()), m_opacity));
    const double radius = m_radius < 0 ? height() / 2.0 : m_radius;
    painter.drawRoundedRect(QRectF(rect()), radius, radius);
}

SymbolBadge::SymbolBadge(const QString& symbol, const QColor& tint, int size, const Look& look,
                         QWidget* parent)
    : QWidget(parent)
    , m_glyph(Symbols::glyph(symbol))
    , m_tint(tint)
    , m_look(look) {
    setFixedSize(size, size);
}

void SymbolBadge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // The faint disc is the tint itself; the symbol and its ring darken on a light background
    // until they stand out from it.
    const QColor ink =
        Theme::readableOn(m_tint, palette().color(QPalette::Window), Theme::symbolContrast);
    const double ring = m_look.ring;
    painter.setPen(ring > 0 ? QPen(ink, ring) : QPen(Qt::NoPen));
    painter.setBrush(Theme::withAlpha(m_tint, m_look.fill));
    const QRectF box = QRectF(rect()).adjusted(ring / 2, ring / 2, -ring / 2, -ring / 2);
    if (m_look.tileRadius > 0)
        painter.drawRoundedRect(box, m_look.tileRadius, m_look.tileRadius);
    else
        painter.drawEllipse(box);
    painter.setFont(Theme::symbolFont(m_look.symbolSize, QFont::DemiBold));
    painter.setPen(ink);
    painter.drawText(rect(), Qt::AlignCenter, QString(m_glyph));
}

RoundedFill* section(QWidget* parent, const QString& heading) {
    auto* panel = new RoundedFill(0.045, 12, parent);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(18, 14, 18, 16);
    column->setSpacing(10);
    if (!heading.isEmpty())
        column->addWidget(Theme::label(heading, panel, 14, Theme::Tone::primary, QFont::DemiBold));
    return panel;
}
