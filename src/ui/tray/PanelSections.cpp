#include "PanelSections.h"

#include "ui/theme/Buttons.h"
#include "ui/theme/Symbols.h"
#include "ui/theme/Theme.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace Theme;

namespace {

constexpr int rowPadding = 6;
constexpr double tintedRowAlpha = 0.10;
constexpr double badgeFillAlpha = 0.13; // the row badge's disc and the status pill

QColor toneColour(PanelTone tone, const QColor& tint, const QPalette& palette) {
    const QColor window = palette.color(QPalette::Window);
    switch (tone) {
    case PanelTone::secondary:
        return secondaryText(palette);
    case PanelTone::tint:
        return readableOn(tint, window);
    case PanelTone::green:
    case PanelTone::orange:
        return readableOn(Symbols::tint(tone == PanelTone::green ? u"green"_s : u"orange"_s),
                          window);
    }
    return secondaryText(palette);
}

// One line of text in coloured pieces; the piece that does not fit is cut with an ellipsis
// instead of widening the panel. A label underneath, so a screen reader reads the whole line.
class TextLine : public QLabel {
public:
    struct Piece {
        QString text;
        QColor colour;
    };

    TextLine(QList<Piece> pieces, const QFont& font, QWidget* parent)
        : QLabel(parent)
        , m_pieces(std::move(pieces)) {
        QString all;
        for (const Piece& piece : m_pieces)
            all += piece.text;
        setTextFormat(Qt::PlainText);
        setText(all);
        setFont(font);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }

    QSize sizeHint() const override {
        const QFontMetrics metrics(font());
        return {metrics.horizontalAdvance(text()) + 1, metrics.height()};
    }
    QSize minimumSizeHint() const override {
        const QFontMetrics metrics(font());
        return {metrics.horizontalAdvance(u"…"_s) * 2, metrics.height()};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QFontMetrics metrics(font());
        int x = 0;
        for (const Piece& piece : m_pieces) {
            const int advance = metrics.horizontalAdvance(piece.text);
            const bool fits = x + advance <= width();
            const QString shown =
                fits ? piece.text : metrics.elidedText(piece.text, Qt::ElideRight, width() - x);
            painter.setPen(piece.colour);
            painter.drawText(x, metrics.ascent(), shown);
            if (!fits)
                break;
            x += advance;
        }
    }

private:
    QList<Piece> m_pieces;
};

// "Done" and "Resume": filled with a colour when it is the thing to press, quietly bordered
// otherwise.
class TextButton : public FlatButton {
public:
    TextButton(const QString& title, std::optional<QColor> prominent, QWidget* parent)
        : FlatButton(parent)
        , m_prominent(std::move(prominent)) {
        setText(title);
        setFont(sizedFont(this, 12, QFont::DemiBold));
    }

    QSize sizeHint() const override {
        const QFontMetrics metrics(font());
        return {metrics.horizontalAdvance(text()) + 18, 24};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        QColor textColour;
        if (m_prominent) {
            const QColor fill = fillUnderWhite(*m_prominent);
            painter.setPen(Qt::NoPen);
            painter.setBrush(hovered() ? Theme::hovered(fill) : fill);
            textColour = Qt::white;
        } else {
            const QColor primary = primaryText(palette());
            painter.setPen(QPen(withAlpha(primary, 0.22), 1));
            painter.setBrush(withAlpha(primary, hovered() ? 0.12 : 0.05));
            textColour = primary;
        }
        painter.drawRoundedRect(box, 6, 6);
        painter.setPen(textColour);
        painter.drawText(rect(), Qt::AlignCenter, text());
    }

private:
    std::optional<QColor> m_prominent;
};

// A footer entry: symbol, optional title, optional menu chevron, with a hover background.
class FooterButton : public FlatButton {
public:
    FooterButton(const QString& symbol, const QString& title, bool chevron, QWidget* parent)
        : FlatButton(parent)
        , m_glyph(Symbols::glyph(symbol))
        , m_chevron(chevron) {
        setText(title);
        setFont(sizedFont(this, 13));
    }

    QSize sizeHint() const override {
        const QFontMetrics metrics(font());
        int width = padding + glyphSize + padding;
        if (!text().isEmpty())
            width += metrics.horizontalAdvance(text()) - padding + gap + padding;
        if (m_chevron)
            width += chevronSize;
        return {std::max(width, 28), 28};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor primary = primaryText(palette());
        if (hovered()) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(withAlpha(primary, 0.10));
            painter.drawRoundedRect(QRectF(rect()), 6, 6);
        }
        const bool iconOnly = text().isEmpty() && !m_chevron;
        int x = iconOnly ? (width() - glyphSize) / 2 : padding;
        painter.setFont(Symbols::font(glyphSize));
        painter.setPen(primary);
        painter.drawText(QRect(x, 0, glyphSize, height()), Qt::AlignCenter, QString(m_glyph));
        x += glyphSize + gap;
        if (!text().isEmpty()) {
            painter.setFont(font());
            const int advance = QFontMetrics(font()).horizontalAdvance(text());
            painter.drawText(QRect(x, 0, advance + 1, height()), Qt::AlignVCenter | Qt::AlignLeft,
                             text());
            x += advance;
        }
        if (m_chevron) {
            painter.setFont(Symbols::font(chevronSize));
            painter.setPen(secondaryText(palette()));
            painter.drawText(QRect(x, 0, chevronSize, height()), Qt::AlignCenter,
                             QString(Symbols::glyph(u"chevron.down"_s)));
        }
    }

private:
    static constexpr int padding = 8;
    static constexpr int gap = 6;
    static constexpr int glyphSize = 16;
    static constexpr int chevronSize = 14;

    QChar m_glyph;
    bool m_chevron;
};

// The status capsule: the reason's label in green or orange on a faint fill of the same colour.
class Capsule : public QWidget {
public:
    Capsule(const QString& text, const QColor& colour, const QString& tooltip, QWidget* parent)
        : QWidget(parent)
        , m_text(text)
        , m_colour(colour) {
        setFont(sizedFont(this, 11, QFont::DemiBold));
        setToolTip(tooltip);
        setAccessibleName(text);
        setAccessibleDescription(tooltip);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    }

    QSize sizeHint() const override {
        const QFontMetrics metrics(font());
        return {metrics.horizontalAdvance(m_text) + 18, metrics.height() + 6};
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(withAlpha(m_colour, badgeFillAlpha));
        const double radius = height() / 2.0;
        painter.drawRoundedRect(QRectF(rect()), radius, radius);
        painter.setPen(readableOn(m_colour, palette().color(QPalette::Window)));
        painter.drawText(rect(), Qt::AlignCenter, m_text);
    }

private:
    QString m_text;
    QColor m_colour;
};

QLabel* glyphLabel(const QString& symbol, int size, const QColor& colour, QWidget* parent) {
    auto* label = new QLabel(QString(Symbols::glyph(symbol)), parent);
    label->setFont(Symbols::font(size));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setFixedSize(size + 2, size + 2);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

namespace PanelSections {

QWidget* header(const PanelModel& model, QWidget* parent) {
    auto* header = new QWidget(parent);
    auto* line = new QHBoxLayout(header);
    // Lined up with the badges of the rows below.
    line->setContentsMargins(rowPadding, 0, rowPadding, 2);
    line->setSpacing(8);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(3);
    texts->addWidget(new TextLine({{model.summary, primaryText(parent->palette())}},
                                  sizedFont(parent, 15, QFont::DemiBold), header));
    texts->addWidget(new TextLine({{model.subtitle, secondaryText(parent->palette())}},
                                  sizedFont(parent, 12), header));
    line->addLayout(texts, 1);

    const QColor pillColour = model.pill.tone == PanelTone::orange ? Symbols::tint(u"orange"_s)
                                                                   : Symbols::tint(u"green"_s);
    line->addWidget(new Capsule(model.pill.label, pillColour, model.pill.tooltip, header), 0,
                    Qt::AlignTop);
    return header;
}

QWidget* pausedBar(const QString& pausedUntil, std::function<void()> resume, QWidget* parent) {
    const QColor orange = Symbols::tint(u"orange"_s);
    auto* bar = new RoundedFill(tintedRowAlpha, 10, parent, orange);
    auto* line = new QHBoxLayout(bar);
    line->setContentsMargins(10, 6, 6, 6);
    line->setSpacing(8);
    line->addWidget(glyphLabel(
        u"pause.circle.fill"_s, 16,
        readableOn(orange, parent->palette().color(QPalette::Window), symbolContrast), bar));
    line->addWidget(
        new TextLine({{pausedUntil, primaryText(parent->palette())}}, sizedFont(parent, 12), bar),
        1);
    auto* button =
        new TextButton(QCoreApplication::translate("PanelSections", "Resume"), std::nullopt, bar);
    button->setToolTip(QCoreApplication::translate("PanelSections", "Resume reminders now"));
    QObject::connect(button, &QAbstractButton::clicked, bar, std::move(resume));
    line->addWidget(button);
    return bar;
}

QWidget* row(const PanelReminderRow& row, std::function<void(RowAction)> act, QWidget* parent) {
    const QColor tint = Symbols::tint(row.kind.tintName);
    auto* frame = new RoundedFill(row.tinted ? tintedRowAlpha : 0, 10, parent, tint);
    auto* line = new QHBoxLayout(frame);
    line->setContentsMargins(rowPadding, 6, rowPadding, 6);
    line->setSpacing(8);

    auto* badge = new SymbolBadge(row.kind.icon, tint, 36,
                                  {.fill = badgeFillAlpha, .symbolSize = 13, .ring = 2.5}, frame);
    badge->setToolTip(row.lastLogText);
    line->addWidget(badge);

    const QPalette& palette = parent->palette();
    const QColor secondary = secondaryText(palette);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addStretch();
    auto* title = new TextLine({{row.kind.title, primaryText(palette)}},
                               sizedFont(parent, 13, QFont::DemiBold), frame);
    title->setToolTip(row.kind.title); // a long custom title is cut short
    texts->addWidget(title);
    texts->addWidget(new TextLine({{row.goalText, secondary},
                                   {u"  ·  "_s, withAlpha(secondary, 0.5)},
                                   {row.statusText, toneColour(row.statusTone, tint, palette)}},
                                  sizedFont(parent, 11.5), frame));
    texts->addStretch();
    line->addLayout(texts, 1);

    if (!row.icons.isEmpty()) {
        auto* icons = new QHBoxLayout;
        icons->setSpacing(4);
        for (const RowIcon& icon : row.icons) {
            icons->addWidget(new RoundAction(
                icon.symbol, icon.title, icon.tooltip, [act, action = icon.action] { act(action); },
                RoundAction::rowLook, frame));
        }
        line->addLayout(icons);
    }

    auto* done = new TextButton(QCoreApplication::translate("PanelSections", "Done"),
                                row.prominentDone ? std::optional(tint) : std::nullopt, frame);
    done->setToolTip(row.doneTooltip);
    QObject::connect(done, &QAbstractButton::clicked, frame, [act] { act(RowAction::done); });
    line->addWidget(done);
    return frame;
}

QWidget* footer(QMenu* pauseMenu, const std::function<void()>& history,
                const std::function<void()>& settings, QWidget* parent) {
    auto* footer = new QWidget(parent);
    auto* line = new QHBoxLayout(footer);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(2);

    if (pauseMenu) {
        auto* pause = new FooterButton(
            u"pause.circle"_s, QCoreApplication::translate("PanelSections", "Pause"), true, footer);
        pause->setToolTip(QCoreApplication::translate("PanelSections", "Pause reminders"));
        QObject::connect(pause, &QAbstractButton::clicked, pauseMenu, [pauseMenu, pause] {
            pauseMenu->popup(pause->mapToGlobal(QPoint(0, pause->height())));
        });
        line->addWidget(pause);
    }
    line->addStretch(1);

    const auto addIcon = [&](const QString& symbol, const QString& help,
                             const std::function<void()>& action) {
        if (!action)
            return;
        auto* button = new FooterButton(symbol, QString(), false, footer);
        button->setToolTip(help);
        button->setAccessibleName(help);
        QObject::connect(button, &QAbstractButton::clicked, footer, [footer, action] {
            footer->window()->hide();
            action();
        });
        line->addWidget(button);
    };
    addIcon(u"chart.bar.xaxis"_s, QCoreApplication::translate("PanelSections", "History"), history);
    addIcon(u"gearshape"_s, QCoreApplication::translate("PanelSections", "Settings"), settings);

    auto* quit = new FooterButton(
        u"power"_s, QCoreApplication::translate("PanelSections", "Quit Brevimar"), false, footer);
    quit->setToolTip(QCoreApplication::translate("PanelSections", "Quit Brevimar (Ctrl+Q)"));
    QObject::connect(quit, &QAbstractButton::clicked, qApp, &QCoreApplication::quit);
    line->addWidget(quit);
    return footer;
}

QWidget* divider(QWidget* parent) {
    auto* line = new RoundedFill(0.12, 0, parent);
    line->setFixedHeight(1);
    return line;
}

} // namespace PanelSections
