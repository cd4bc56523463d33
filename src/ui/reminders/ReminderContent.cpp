#include "ReminderContent.h"

#include "Spring.h"
#include "ui/theme/Buttons.h"
#include "ui/theme/Symbols.h"
#include "ui/theme/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>
#include <QVariantAnimation>

#include <algorithm>

using namespace Qt::StringLiterals;

using namespace Theme;

namespace {

// The big tinted answer: a checkmark and "Done" in white.
class DoneButton : public PressStyleButton {
public:
    DoneButton(const QColor& tint, QWidget* parent)
        : PressStyleButton(parent)
        , m_fill(fillUnderWhite(tint)) {
        setText(ReminderContent::tr("Done"));
        setAccessibleName(text());
        setFont(sizedFont(this, 13, QFont::DemiBold));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        applyPress(painter);
        QPainterPath shape;
        shape.addRoundedRect(QRectF(rect()), 10, 10);
        painter.fillPath(shape, hovered() ? Theme::hovered(m_fill) : m_fill);

        const QFont glyphFont = symbolFont(11, QFont::Bold);
        const QFontMetrics glyphMetrics(glyphFont);
        const QFontMetrics textMetrics(font());
        const QString check(Symbols::glyph(u"checkmark"_s));
        const int glyphWidth = glyphMetrics.horizontalAdvance(check);
        const int textWidth = textMetrics.horizontalAdvance(text());
        constexpr int gap = 6;
        const int x = (width() - glyphWidth - gap - textWidth) / 2;
        painter.setPen(Qt::white);
        painter.setFont(glyphFont);
        painter.drawText(QRect(x, 0, glyphWidth, height()), Qt::AlignCenter, check);
        painter.setFont(font());
        painter.drawText(QRect(x + glyphWidth + gap, 0, textWidth + 1, height()),
                         Qt::AlignVCenter | Qt::AlignLeft, text());
    }

private:
    QColor m_fill;
};

} // namespace

// Goal ring

GoalRing::GoalRing(const NudgeKind& kind, qint64 count, qint64 goal, bool completed, double size,
                   double lineWidth, QWidget* parent)
    : QWidget(parent)
    , m_kind(kind)
    , m_count(count)
    , m_goal(goal)
    , m_completed(completed)
    , m_lineWidth(lineWidth)
    , m_fraction(fraction(count, goal, completed))
    , m_completion(completed ? 1 : 0)
    , m_animation(new QVariantAnimation(this)) {
    setFixedSize(qRound(size), qRound(size));
    setAttribute(Qt::WA_TranslucentBackground);
    const Spring spring = Spring::completion();
    m_animation->setEasingCurve(spring.curve);
    m_animation->setDuration(spring.durationMs);
}

double GoalRing::fraction(qint64 count, qint64 goal, bool completed) {
    if (goal < 1)
        return completed ? 1 : 0;
    const double ratio = double(count) / double(goal);
    return completed ? std::max(ratio, 1.0) : std::min(ratio, 1.0);
}

void GoalRing::setProgress(qint64 count, bool completed, bool animated) {
    m_count = count;
    m_completed = completed;
    const double fromFraction = m_fraction;
    const double fromCompletion = m_completion;
    const double toFraction = targetFraction();
    const double toCompletion = completed ? 1 : 0;
    m_animation->stop();
    if (!animated) {
        m_fraction = toFraction;
        m_completion = toCompletion;
        update();
        return;
    }
    m_animation->disconnect(this);
    m_animation->setStartValue(0.0);
    m_animation->setEndValue(1.0);
    connect(m_animation, &QVariantAnimation::valueChanged, this, [=, this](const QVariant& v) {
        const double t = v.toDouble();
        m_fraction = fromFraction + (toFraction - fromFraction) * t;
        m_completion = std::clamp(fromCompletion + (toCompletion - fromCompletion) * t, 0.0, 1.0);
        update();
    });
    m_animation->start();
}

void GoalRing::paint(QPainter& painter, const QRectF& box, const NudgeKind& kind,
                     const QColor& background, double fraction, double completion,
                     double lineWidth) {
    const QColor tint = readableOn(Symbols::tint(kind.tintName), background, symbolContrast);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF circle =
        box.adjusted(lineWidth / 2, lineWidth / 2, -lineWidth / 2, -lineWidth / 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(withAlpha(tint, 0.14 + 0.08 * completion));
    painter.drawEllipse(circle);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(withAlpha(tint, 0.20), lineWidth));
    painter.drawEllipse(circle);
    const double shown = std::clamp(fraction, 0.0, 1.0);
    if (shown > 0) {
        QPen arc(tint, lineWidth);
        arc.setCapStyle(Qt::RoundCap);
        painter.setPen(arc);
        // From twelve o'clock, clockwise (Qt counts angles anticlockwise in 1/16 degrees).
        painter.drawArc(circle, 90 * 16, -qRound(shown * 360 * 16));
    }

    const auto drawSymbol = [&](const QString& name, double opacity, double scale) {
        if (opacity <= 0)
            return;
        painter.save();
        painter.setOpacity(painter.opacity() * opacity);
        painter.translate(box.center());
        painter.scale(scale, scale);
        painter.translate(-box.center());
        painter.setFont(symbolFont(box.height() * 0.36, QFont::DemiBold));
        painter.setPen(tint);
        painter.drawText(box, Qt::AlignCenter, QString(Symbols::glyph(name)));
        painter.restore();
    };
    const double c = std::clamp(completion, 0.0, 1.0);
    drawSymbol(kind.icon, 1 - c, 1 - 0.4 * c);
    drawSymbol(u"checkmark"_s, c, 0.6 + 0.4 * c);
    painter.restore();
}

void GoalRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paint(painter, QRectF(rect()), m_kind, palette().color(QPalette::Window), m_fraction,
          m_completion, m_lineWidth);
}

// Reminder block

ReminderContent::ReminderContent(double width, const NudgeKind& kind, std::optional<QString> reason,
                                 qint64 count, qint64 goal, ReminderActions actions,
                                 QWidget* parent)
    : QWidget(parent)
    , m_kind(kind)
    , m_reason(std::move(reason))
    , m_count(count)
    , m_goal(goal)
    , m_actions(std::move(actions)) {
    const int fullWidth = qRound(width);
    setFixedWidth(fullWidth);
    setAttribute(Qt::WA_TranslucentBackground);

    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(14);

    auto* header = new QHBoxLayout;
    header->setSpacing(14);
    m_ring = new GoalRing(kind, count, goal, false, ringSize, 3, this);
    header->addWidget(m_ring, 0, Qt::AlignVCenter);
    const int columnWidth = fullWidth - ringSize - 14;
    auto* column = new QVBoxLayout;
    column->setSpacing(3);
    const QPalette& p = palette();
    m_title = textLabel(kind.notificationTitle, sizedFont(this, 14, QFont::DemiBold),
                        primaryText(p), columnWidth, this);
    column->addWidget(m_title);
    m_body = textLabel(kind.notificationBody, sizedFont(this, 12.5), secondaryText(p), columnWidth,
                       this);
    column->addWidget(m_body);
    m_goalLine = textLabel(goalLine(count, goal, m_reason), sizedFont(this, 11.5), tertiaryText(p),
                           columnWidth, this);
    column->addWidget(m_goalLine);
    header->addLayout(column);
    rows->addLayout(header);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    auto* done = new DoneButton(Symbols::tint(kind.tintName), this);
    done->setFixedHeight(buttonHeight);
    done->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(done, &QAbstractButton::clicked, this, &ReminderContent::pressDone);
    buttons->addWidget(done);
    // Named as the notification's buttons are, so a screen reader says the same answers there and
    // here.
    const auto addAnswer = [&](const QString& icon, const QString& name, const QString& help,
                               std::function<void()> ReminderActions::*member) {
        const auto answer = [this, member] {
            if (m_actions.*member)
                (m_actions.*member)();
        };
        buttons->addWidget(
            new RoundAction(icon, name, help, answer, RoundAction::answerLook, this));
    };
    addAnswer(u"zzz"_s, tr("Snooze 10 min"), tr("Snooze 10 minutes"), &ReminderActions::snooze);
    addAnswer(u"hourglass"_s, tr("When I'm free"), tr("When I'm free: after my next call or break"),
              &ReminderActions::untilFree);
    addAnswer(u"forward.end"_s, tr("Skip"), tr("Skip this one"), &ReminderActions::skip);
    rows->addLayout(buttons);
    FlatButton::keepOffTheKeyboard(this);
    setFixedHeight(sizeHint().height());
}

QString ReminderContent::goalLine(qint64 shownCount, qint64 goal,
                                  const std::optional<QString>& reason) {
    QString line;
    if (goal < 1)
        line = tr("%1 today").arg(shownCount);
    else if (shownCount >= goal)
        line = tr("Goal met today");
    else
        line = tr("%1 of %2 today").arg(shownCount).arg(goal);
    if (reason && !reason->isEmpty())
        line += u" · "_s + *reason;
    return line;
}

QString ReminderContent::goalLineText() const {
    return goalLine(shownCount(), m_goal, m_reason);
}

namespace {
// Drops words from the end until the label fits in the given number of lines.
void cutToLines(QLabel* label, int lines) {
    const QString full = label->text();
    const int limit = lines * QFontMetrics(label->font()).lineSpacing() + 2;
    QStringList words = full.split(u' ');
    // A label never measures below its minimum height, so let go of the fixed one first.
    label->setMinimumHeight(0);
    label->setMaximumHeight(QWIDGETSIZE_MAX);
    while (label->heightForWidth(label->width()) > limit && words.size() > 1) {
        words.removeLast();
        label->setText(words.join(u' ') + u"…"_s);
    }
    if (label->text() != full)
        label->setToolTip(full);
    label->setFixedHeight(label->heightForWidth(label->width()));
}
} // namespace

void ReminderContent::limitHeight(int maxHeight) {
    if (height() <= maxHeight)
        return;
    m_limited = true;
    cutToLines(m_title, 1);
    cutToLines(m_body, 2);
    showGoalLine();
    layout()->activate();
    setFixedHeight(std::min(layout()->sizeHint().height(), maxHeight));
}

void ReminderContent::showGoalLine() {
    const QString text = goalLineText();
    const QFontMetrics metrics(m_goalLine->font());
    m_goalLine->setText(m_limited ? metrics.elidedText(text, Qt::ElideRight, m_goalLine->width())
                                  : text);
    m_goalLine->setToolTip(m_goalLine->text() == text ? QString() : text);
    const int before = m_goalLine->height();
    m_goalLine->setMinimumHeight(0);
    m_goalLine->setFixedHeight(m_goalLine->heightForWidth(m_goalLine->width()));
    // A longer line after Done may wrap once more; the block grows with it.
    if (!m_limited && m_goalLine->height() != before && layout()) {
        layout()->activate();
        setFixedHeight(layout()->sizeHint().height());
    }
}

void ReminderContent::showCompleted() {
    setCompleted(false);
}

void ReminderContent::pressDone() {
    if (m_completed)
        return;
    setCompleted(true);
    if (m_actions.done)
        m_actions.done();
}

void ReminderContent::setCompleted(bool animated) {
    if (m_completed)
        return;
    m_completed = true;
    showGoalLine();
    m_ring->setProgress(shownCount(), true, animated);
    Q_EMIT completedChanged();
}
