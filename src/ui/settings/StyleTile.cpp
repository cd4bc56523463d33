#include "StyleTile.h"

#include "ui/theme/Symbols.h"
#include "ui/theme/Theme.h"

#include <QPainter>
#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace {

constexpr int tileWidth = 136;
constexpr int screenHeight = 78;
constexpr int captionHeight = 26;

// Two short lines of text in a message.
void drawLines(QPainter& painter, double x, double y, double width, const QColor& colour) {
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(x, y, width, 3), 1.5, 1.5);
    painter.drawRoundedRect(QRectF(x, y + 5, width * 0.65, 3), 1.5, 1.5);
}

} // namespace

StyleTile::StyleTile(ReminderStyle style, const QString& title, QWidget* parent)
    : QAbstractButton(parent)
    , m_style(style) {
    setText(title);
    setAccessibleName(title);
    setCheckable(true);
    // One style of the three: a reader meets the tiles as radio buttons.
    setAutoExclusive(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

QSize StyleTile::sizeHint() const {
    return {tileWidth, screenHeight + captionHeight + 4};
}

void StyleTile::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(0.4); // a style this desktop cannot show
    const QColor ink = Theme::primaryText(palette());
    const QColor accent = palette().color(QPalette::Highlight);

    const QRectF screen = QRectF(2, 2, width() - 4, screenHeight - 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::withAlpha(ink, 0.10));
    painter.drawRoundedRect(screen, 7, 7);
    drawStyle(painter, screen);
    if (isChecked() || hasFocus()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(isChecked() ? accent : Theme::withAlpha(accent, 0.5), 2.5));
        painter.drawRoundedRect(screen.adjusted(-0.5, -0.5, 0.5, 0.5), 8, 8);
    }

    // The name, with a tick before it when chosen, so the choice does not rest on colour alone.
    QFont font = Theme::sizedFont(this, 12, isChecked() ? QFont::DemiBold : QFont::Normal);
    const QRectF caption(0, screenHeight, width(), captionHeight);
    const QFontMetricsF metrics(font);
    const double tick = isChecked() ? 16 : 0;
    const double start = (width() - metrics.horizontalAdvance(text()) - tick) / 2;
    if (isChecked()) {
        painter.setFont(Theme::symbolFont(12));
        painter.setPen(accent);
        painter.drawText(QRectF(start, caption.top(), 14, caption.height()), Qt::AlignCenter,
                         QString(Symbols::glyph(u"checkmark.circle.fill"_s)));
    }
    painter.setFont(font);
    painter.setPen(ink);
    painter.drawText(QRectF(start + tick, caption.top(), width(), caption.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text());
}

void StyleTile::drawStyle(QPainter& painter, const QRectF& screen) const {
    const QColor text = Theme::primaryText(palette());
    const QColor window = palette().color(QPalette::Window);
    const QColor water = Symbols::tint(u"blue"_s);
    // The desktop's top bar.
    painter.setBrush(Theme::withAlpha(text, 0.14));
    QPainterPath bar;
    bar.addRoundedRect(screen.left(), screen.top(), screen.width(), 7, 7, 7);
    bar.addRect(screen.left(), screen.top() + 3.5, screen.width(), 3.5);
    painter.drawPath(bar.simplified());

    switch (m_style) {
    case ReminderStyle::card: {
        // A card floating at the top right, with its round icon and a Done button.
        const QRectF card(screen.right() - 62, screen.top() + 12, 54, 36);
        painter.setBrush(Theme::withAlpha(text, 0.18));
        painter.drawRoundedRect(card.translated(0, 1), 6, 6);
        painter.setBrush(window);
        painter.drawRoundedRect(card, 6, 6);
        painter.setBrush(water);
        painter.drawEllipse(QRectF(card.left() + 5, card.top() + 5, 9, 9));
        drawLines(painter, card.left() + 18, card.top() + 6, 30, Theme::withAlpha(text, 0.45));
        painter.setBrush(water);
        painter.drawRoundedRect(QRectF(card.left() + 5, card.bottom() - 11, card.width() - 10, 7),
                                3.5, 3.5);
        break;
    }
    case ReminderStyle::notch: {
        // A black panel hanging from the top centre, rounded at the bottom only.
        const QRectF panel(screen.center().x() - 30, screen.top(), 60, 24);
        QPainterPath shape;
        shape.addRoundedRect(panel, 8, 8);
        shape.addRect(panel.left(), panel.top(), panel.width(), 8);
        painter.setBrush(Qt::black);
        painter.drawPath(shape.simplified());
        painter.setBrush(water);
        painter.drawEllipse(QRectF(panel.left() + 6, panel.top() + 9, 9, 9));
        drawLines(painter, panel.left() + 19, panel.top() + 10, 34, QColor(255, 255, 255, 160));
        break;
    }
    case ReminderStyle::notification: {
        // The desktop's notification bubble: app icon, two lines, gone after a while.
        const QRectF bubble(screen.right() - 66, screen.top() + 12, 58, 24);
        painter.setBrush(Theme::withAlpha(text, 0.18));
        painter.drawRoundedRect(bubble.translated(0, 1), 5, 5);
        painter.setBrush(window);
        painter.drawRoundedRect(bubble, 5, 5);
        painter.setBrush(Theme::withAlpha(text, 0.35));
        painter.drawRoundedRect(QRectF(bubble.left() + 5, bubble.top() + 6, 12, 12), 3, 3);
        drawLines(painter, bubble.left() + 21, bubble.top() + 7, 31, Theme::withAlpha(text, 0.45));
        break;
    }
    }
}
