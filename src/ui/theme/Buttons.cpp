#include "Buttons.h"

#include "Symbols.h"
#include "Theme.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>

using namespace Theme;

namespace {
constexpr double pressedScale = 0.96;
constexpr double pressedOpacity = 0.85;
constexpr int pressMs = 120;

void runOnClick(QAbstractButton* button, std::function<void()> action) {
    QObject::connect(button, &QAbstractButton::clicked, button, [action = std::move(action)] {
        if (action)
            action();
    });
}
} // namespace

FlatButton::FlatButton(QWidget* parent)
    : QAbstractButton(parent) {
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void FlatButton::keepOffTheKeyboard(QWidget* view) {
    for (FlatButton* button : view->findChildren<FlatButton*>())
        button->setFocusPolicy(Qt::NoFocus);
}

bool FlatButton::event(QEvent* event) {
    const bool handled = QAbstractButton::event(event);
    // Every look draws its own shape, so the focus ring goes over whatever it drew.
    if (event->type() == QEvent::Paint && hasFocus()) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
    }
    return handled;
}

void FlatButton::enterEvent(QEnterEvent* event) {
    update();
    QAbstractButton::enterEvent(event);
}

void FlatButton::leaveEvent(QEvent* event) {
    update();
    QAbstractButton::leaveEvent(event);
}

void FlatButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat())
        click();
    else
        QAbstractButton::keyPressEvent(event);
}

PressStyleButton::PressStyleButton(QWidget* parent)
    : FlatButton(parent)
    , m_animation(new QVariantAnimation(this)) {
    m_animation->setDuration(pressMs);
    m_animation->setEasingCurve(QEasingCurve::OutQuad);
    connect(m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_pressed = value.toDouble();
        update();
    });
    const auto animateTo = [this](double target) {
        m_animation->stop();
        m_animation->setStartValue(m_pressed);
        m_animation->setEndValue(target);
        m_animation->start();
    };
    connect(this, &QAbstractButton::pressed, this, [animateTo] { animateTo(1); });
    connect(this, &QAbstractButton::released, this, [animateTo] { animateTo(0); });
}

void PressStyleButton::applyPress(QPainter& painter) const {
    const double scale = 1 - (1 - pressedScale) * m_pressed;
    const QPointF centre = QRectF(rect()).center();
    painter.translate(centre);
    painter.scale(scale, scale);
    painter.translate(-centre);
    painter.setOpacity(1 - (1 - pressedOpacity) * m_pressed);
}

CardButton::CardButton(const QString& title, const QColor& fill, const QColor& text,
                       std::function<void()> action, bool pill, QWidget* parent)
    : FlatButton(parent)
    , m_fill(fill)
    , m_text(text)
    , m_pill(pill) {
    setText(title);
    setAccessibleName(title);
    setFont(sizedFont(this, 12, pill ? QFont::Medium : QFont::Normal));
    runOnClick(this, std::move(action));
}

QSize CardButton::sizeHint() const {
    const QFontMetrics metrics(font());
    const int horizontal = m_pill ? 11 : 8;
    return {metrics.horizontalAdvance(text()) + 2 * horizontal + 1, metrics.height() + 2 * 5};
}

void CardButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(rect());
    const double radius = m_pill ? box.height() / 2 : 7;
    QPainterPath shape;
    shape.addRoundedRect(box, radius, radius);
    painter.fillPath(shape, withAlpha(m_fill, hovered() ? 0.85 : 1.0));
    if (hovered())
        painter.fillPath(shape, withAlpha(Qt::white, 0.08));
    painter.setPen(m_text);
    painter.drawText(rect(), Qt::AlignCenter, text());
}

RoundAction::RoundAction(const QString& icon, const QString& name, const QString& help,
                         std::function<void()> action, const Look& look, QWidget* parent)
    : PressStyleButton(parent)
    , m_glyph(Symbols::glyph(icon))
    , m_look(look) {
    setFixedSize(look.size, look.size);
    setToolTip(help);
    setAccessibleName(name);
    setAccessibleDescription(help);
    runOnClick(this, std::move(action));
}

void RoundAction::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    applyPress(painter);
    painter.setPen(Qt::NoPen);
    painter.setBrush(withAlpha(primaryText(palette()), hovered() ? m_look.hoverFill : m_look.fill));
    painter.drawEllipse(QRectF(rect()));
    painter.setFont(symbolFont(m_look.symbolSize, QFont::DemiBold));
    painter.setPen(m_look.secondarySymbol ? secondaryText(palette()) : primaryText(palette()));
    painter.drawText(rect(), Qt::AlignCenter, QString(m_glyph));
}

MiniIconButton::MiniIconButton(const QString& icon, const QString& help,
                               std::function<void()> action, QWidget* parent)
    : FlatButton(parent)
    , m_glyph(Symbols::glyph(icon)) {
    setFixedSize(26, 22);
    setToolTip(help);
    setAccessibleName(help);
    runOnClick(this, std::move(action));
}

void MiniIconButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(withAlpha(primaryText(palette()), hovered() ? 0.14 : 0.07));
    painter.drawRoundedRect(QRectF(rect()), 6, 6);
    painter.setFont(symbolFont(11));
    painter.setPen(primaryText(palette()));
    painter.drawText(rect(), Qt::AlignCenter, QString(m_glyph));
}
