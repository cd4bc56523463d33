#include "MenuBarView.h"

#include "ui/theme/Symbols.h"
#include "context/ContextMonitor.h"
#include "engine/RhythmEngine.h"
#include "platform/Clock.h"
#include "record/DayLog.h"
#include "settings/AppSettings.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

constexpr int panelWidth = 340;
constexpr int panelMargin = 6; // rows and footer buttons bring their own padding inside
constexpr int rowPadding = 6;
constexpr int refreshMSecs = 15000;
constexpr double tintedRowAlpha = 0.10;
constexpr double badgeFillAlpha = 0.13;
constexpr double pillFillAlpha = 0.13;

// Material Icons leave about a sixth of the em box empty around each glyph, so a symbol meant to
// stand as tall as text of a size is drawn from a font a third larger.
int symbolPixels(double size) {
    return qRound(size * 4.0 / 3.0);
}

// Fractional pixel sizes (11.5) need a point size for the widget's resolution.
QFont sizedFont(const QWidget* widget, double pixels, QFont::Weight weight = QFont::Normal) {
    QFont font = widget->font();
    font.setPointSizeF(pixels * 72.0 / double(widget->logicalDpiY()));
    font.setWeight(weight);
    return font;
}

QColor withAlpha(QColor colour, double alpha) {
    colour.setAlphaF(float(colour.alphaF() * alpha));
    return colour;
}

double luminance(const QColor& c) {
    const auto channel = [](float v) {
        return v <= 0.04045f ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The desktop palette's green and orange are made for fills; as small text on a light window
// they fade out. Keep the hue and move the lightness until the text can be read.
QColor readableOn(QColor colour, const QColor& background, double wanted = 4.5) {
    const bool darken = luminance(background) > 0.4;
    for (int step = 0; step < 20 && contrast(colour, background) < wanted; ++step)
        colour = darken ? colour.darker(108) : colour.lighter(108);
    return colour;
}

QColor secondaryText(const QPalette& palette) {
    return withAlpha(palette.color(QPalette::WindowText), 0.62);
}

QColor toneColour(PanelTone tone, const QColor& tint, const QPalette& palette) {
    const QColor window = palette.color(QPalette::Window);
    switch (tone) {
    case PanelTone::secondary:
        return secondaryText(palette);
    case PanelTone::tint:
        return readableOn(tint, window);
    case PanelTone::green:
        return readableOn(Symbols::tint(u"green"_s), window);
    case PanelTone::orange:
        return readableOn(Symbols::tint(u"orange"_s), window);
    }
    return secondaryText(palette);
}

// One line of text in coloured pieces; the piece that does not fit is cut with an ellipsis
// instead of widening the panel.
class TextLine : public QWidget {
public:
    struct Piece {
        QString text;
        QColor colour;
    };

    TextLine(QList<Piece> pieces, const QFont& font, QWidget* parent)
        : QWidget(parent)
        , m_pieces(std::move(pieces)) {
        setFont(font);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }

    QString text() const {
        QString all;
        for (const Piece& piece : m_pieces)
            all += piece.text;
        return all;
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

// The kind's symbol on a tinted disc with a ring.
class Badge : public QWidget {
public:
    Badge(const QString& symbol, const QColor& tint, QWidget* parent)
        : QWidget(parent)
        , m_glyph(Symbols::glyph(symbol))
        , m_tint(tint) {
        setFixedSize(36, 36);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        constexpr double ring = 2.5;
        painter.setPen(QPen(m_tint, ring));
        painter.setBrush(withAlpha(m_tint, badgeFillAlpha));
        painter.drawEllipse(QRectF(rect()).adjusted(ring / 2, ring / 2, -ring / 2, -ring / 2));
        QFont glyphFont = Symbols::font(symbolPixels(13));
        glyphFont.setWeight(QFont::DemiBold);
        painter.setFont(glyphFont);
        painter.setPen(m_tint);
        painter.drawText(rect(), Qt::AlignCenter, QString(m_glyph));
    }

private:
    QChar m_glyph;
    QColor m_tint;
};

// A button that draws itself, so it looks the same under every widget style.
class FlatButton : public QAbstractButton {
public:
    using QAbstractButton::QAbstractButton;

protected:
    bool hovered() const { return underMouse() || isDown(); }
    void enterEvent(QEnterEvent* event) override {
        update();
        QAbstractButton::enterEvent(event);
    }
    void leaveEvent(QEvent* event) override {
        update();
        QAbstractButton::leaveEvent(event);
    }
};

// The small round answer buttons at the end of a row.
class RoundIconButton : public FlatButton {
public:
    RoundIconButton(const QString& symbol, const QString& tooltip, QWidget* parent)
        : FlatButton(parent)
        , m_glyph(Symbols::glyph(symbol)) {
        setFixedSize(24, 24);
        setToolTip(tooltip);
        setAccessibleName(tooltip);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor primary = palette().color(QPalette::WindowText);
        painter.setPen(Qt::NoPen);
        painter.setBrush(withAlpha(primary, hovered() ? 0.12 : 0.06));
        painter.drawEllipse(QRectF(rect()));
        QFont glyphFont = Symbols::font(symbolPixels(11));
        glyphFont.setWeight(QFont::DemiBold);
        painter.setFont(glyphFont);
        painter.setPen(primary);
        painter.drawText(rect(), Qt::AlignCenter, QString(m_glyph));
    }

private:
    QChar m_glyph;
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
        setCursor(Qt::PointingHandCursor);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
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
            // White text needs a fill dark enough to read on, whatever the tint.
            QColor fill = *m_prominent;
            for (int step = 0; step < 20 && contrast(fill, Qt::white) < 4.5; ++step)
                fill = fill.darker(108);
            painter.setPen(Qt::NoPen);
            painter.setBrush(hovered() ? fill.darker(112) : fill);
            textColour = Qt::white;
        } else {
            const QColor primary = palette().color(QPalette::WindowText);
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
        setCursor(Qt::PointingHandCursor);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
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
        const QColor primary = palette().color(QPalette::WindowText);
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
        painter.setBrush(withAlpha(m_colour, pillFillAlpha));
        const double radius = height() / 2.0;
        painter.drawRoundedRect(QRectF(rect()), radius, radius);
        painter.setPen(readableOn(m_colour, palette().color(QPalette::Window)));
        painter.drawText(rect(), Qt::AlignCenter, m_text);
    }

private:
    QString m_text;
    QColor m_colour;
};

// A rounded background in a faint colour, or nothing.
class Backdrop : public QWidget {
public:
    Backdrop(std::optional<QColor> fill, QWidget* parent)
        : QWidget(parent)
        , m_fill(std::move(fill)) {}

protected:
    void paintEvent(QPaintEvent*) override {
        if (!m_fill)
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(*m_fill);
        painter.drawRoundedRect(QRectF(rect()), 10, 10);
    }

private:
    std::optional<QColor> m_fill;
};

class Divider : public QWidget {
public:
    explicit Divider(QWidget* parent)
        : QWidget(parent) {
        setFixedHeight(1);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), withAlpha(palette().color(QPalette::WindowText), 0.12));
    }
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

MenuBarView::MenuBarView(RhythmEngine& engine, ContextMonitor& monitor, DayLog& dayLog,
                         AppSettings& settings, const Clock& clock, QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint)
    , m_engine(engine)
    , m_monitor(monitor)
    , m_dayLog(dayLog)
    , m_settings(settings)
    , m_clock(clock) {
    setFixedWidth(panelWidth);
    setWindowTitle(u"Brevimar"_s);

    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(0, 0, 0, 0);

    m_pauseMenu = new QMenu(this);
    for (const PauseOption& option : PanelModel::pauseOptions()) {
        m_pauseMenu->addAction(option.title, this, [this, option] {
            m_monitor.pause(option.seconds, option.restOfDay);
        });
    }

    auto* quit = new QAction(u"Quit Brevimar"_s, this);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    quit->setShortcutContext(Qt::WindowShortcut);
    connect(quit, &QAction::triggered, qApp, &QCoreApplication::quit);
    addAction(quit);

    m_coalesce.setSingleShot(true);
    m_coalesce.setInterval(0);
    connect(&m_coalesce, &QTimer::timeout, this, &MenuBarView::refresh);
    m_clockTimer.setInterval(refreshMSecs);
    connect(&m_clockTimer, &QTimer::timeout, this, &MenuBarView::scheduleRefresh);

    for (const auto changed : {&RhythmEngine::nextAtChanged, &RhythmEngine::awaitingChanged,
                               &RhythmEngine::unansweredChanged, &RhythmEngine::parkedChanged})
        connect(&m_engine, changed, this, &MenuBarView::scheduleRefresh);
    connect(&m_monitor, &HoldState::holdReasonChanged, this, &MenuBarView::scheduleRefresh);
    connect(&m_monitor, &ContextMonitor::holdDetailChanged, this, &MenuBarView::scheduleRefresh);
    connect(&m_monitor, &ContextMonitor::manualPauseUntilChanged, this,
            &MenuBarView::scheduleRefresh);
    connect(&m_dayLog, &DayLog::stateChanged, this, &MenuBarView::scheduleRefresh);
    for (const auto changed :
         {&AppSettings::dailyGoalsEnabledChanged, &AppSettings::dailyGoalsChanged,
          &AppSettings::customRemindersChanged, &AppSettings::waterEnabledChanged,
          &AppSettings::movementEnabledChanged, &AppSettings::waterIntervalMinutesChanged,
          &AppSettings::breakIntervalMinutesChanged, &AppSettings::workScheduleChanged,
          &AppSettings::presetChanged})
        connect(&m_settings, changed, this, &MenuBarView::scheduleRefresh);
}

void MenuBarView::setShowHistory(std::function<void()> show) {
    m_showHistory = std::move(show);
    scheduleRefresh();
}

void MenuBarView::setShowSettings(std::function<void()> show) {
    m_showSettings = std::move(show);
    scheduleRefresh();
}

void MenuBarView::scheduleRefresh() {
    // A closed panel is rebuilt when it next opens.
    if (!isVisible()) {
        m_stale = true;
        return;
    }
    m_coalesce.start();
}

void MenuBarView::refresh() {
    m_coalesce.stop();
    m_stale = false;
    m_model = PanelModel::build({m_engine, m_monitor, m_dayLog, m_settings, m_clock});

    // The old content may hold the button whose click led here, so it goes once control is back
    // in the event loop.
    if (m_content) {
        m_layout->removeWidget(m_content);
        m_content->hide();
        m_content->deleteLater();
    }
    m_content = buildContent();
    m_layout->addWidget(m_content);
    m_content->show(); // children added to a shown widget stay hidden until told otherwise
    m_layout->invalidate();
    setFixedHeight(m_layout->sizeHint().height());

    // Grown while open (a pause bar, a new kind): keep the bottom on screen, as a panel opened
    // from a bottom tray would otherwise run off it.
    if (isVisible() && screen()) {
        const QRect available = screen()->availableGeometry();
        if (geometry().bottom() > available.bottom())
            move(x(), std::max(available.top(), available.bottom() + 1 - height()));
    }
}

QWidget* MenuBarView::buildContent() {
    auto* content = new QWidget(this);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(panelMargin, panelMargin + 4, panelMargin, panelMargin);
    column->setSpacing(8);

    column->addWidget(buildHeader(content));
    if (m_model.pausedUntil)
        column->addWidget(buildPausedBar(content));

    if (!m_model.rows.isEmpty()) {
        auto* rows = new QVBoxLayout;
        rows->setSpacing(4);
        for (qsizetype i = 0; i < m_model.rows.size(); ++i) {
            if (i > 0)
                rows->addWidget(new Divider(content));
            rows->addWidget(buildRow(m_model.rows[i], content));
        }
        column->addLayout(rows);
    }

    column->addWidget(new Divider(content));
    column->addWidget(buildFooter(content));
    return content;
}

QWidget* MenuBarView::buildHeader(QWidget* parent) {
    auto* header = new QWidget(parent);
    auto* line = new QHBoxLayout(header);
    // Lined up with the badges of the rows below.
    line->setContentsMargins(rowPadding, 0, rowPadding, 2);
    line->setSpacing(8);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(3);
    texts->addWidget(new TextLine({{m_model.summary, palette().color(QPalette::WindowText)}},
                                  sizedFont(this, 15, QFont::DemiBold), header));
    texts->addWidget(
        new TextLine({{m_model.subtitle, secondaryText(palette())}}, sizedFont(this, 12), header));
    line->addLayout(texts, 1);

    const QColor pillColour = m_model.pill.tone == PanelTone::orange ? Symbols::tint(u"orange"_s)
                                                                     : Symbols::tint(u"green"_s);
    line->addWidget(new Capsule(m_model.pill.label, pillColour, m_model.pill.tooltip, header), 0,
                    Qt::AlignTop);
    return header;
}

QWidget* MenuBarView::buildPausedBar(QWidget* parent) {
    const QColor orange = Symbols::tint(u"orange"_s);
    auto* bar = new Backdrop(withAlpha(orange, tintedRowAlpha), parent);
    auto* line = new QHBoxLayout(bar);
    line->setContentsMargins(10, 6, 6, 6);
    line->setSpacing(8);
    line->addWidget(glyphLabel(u"pause.circle.fill"_s, 16, orange, bar));
    line->addWidget(new TextLine({{*m_model.pausedUntil, palette().color(QPalette::WindowText)}},
                                 sizedFont(this, 12), bar),
                    1);
    auto* resume = new TextButton(u"Resume"_s, std::nullopt, bar);
    resume->setToolTip(u"Resume reminders now"_s);
    connect(resume, &QAbstractButton::clicked, this, [this] { m_monitor.resume(); });
    line->addWidget(resume);
    return bar;
}

QWidget* MenuBarView::buildRow(const PanelReminderRow& row, QWidget* parent) {
    const QColor tint = Symbols::tint(row.kind.tintName);
    auto* frame = new Backdrop(
        row.tinted ? std::optional(withAlpha(tint, tintedRowAlpha)) : std::nullopt, parent);
    auto* line = new QHBoxLayout(frame);
    line->setContentsMargins(rowPadding, 6, rowPadding, 6);
    line->setSpacing(8);

    auto* badge = new Badge(row.kind.icon, tint, frame);
    badge->setToolTip(row.lastLogText);
    line->addWidget(badge);

    const QColor secondary = secondaryText(palette());
    auto* texts = new QVBoxLayout;
    texts->setSpacing(2);
    texts->addStretch();
    auto* title = new TextLine({{row.kind.title, palette().color(QPalette::WindowText)}},
                               sizedFont(this, 13, QFont::DemiBold), frame);
    title->setToolTip(row.kind.title); // a long custom title is cut short
    texts->addWidget(title);
    texts->addWidget(new TextLine({{row.goalText, secondary},
                                   {u"  ·  "_s, withAlpha(secondary, 0.5)},
                                   {row.statusText, toneColour(row.statusTone, tint, palette())}},
                                  sizedFont(this, 11.5), frame));
    texts->addStretch();
    line->addLayout(texts, 1);

    if (!row.icons.isEmpty()) {
        auto* icons = new QHBoxLayout;
        icons->setSpacing(4);
        for (const RowIcon& icon : row.icons) {
            auto* button = new RoundIconButton(icon.symbol, icon.tooltip, frame);
            connect(button, &QAbstractButton::clicked, this,
                    [this, kind = row.kind, action = icon.action] { act(kind, action); });
            icons->addWidget(button);
        }
        line->addLayout(icons);
    }

    auto* done =
        new TextButton(u"Done"_s, row.prominentDone ? std::optional(tint) : std::nullopt, frame);
    done->setToolTip(row.doneTooltip);
    connect(done, &QAbstractButton::clicked, this,
            [this, kind = row.kind] { act(kind, RowAction::done); });
    line->addWidget(done);
    return frame;
}

QWidget* MenuBarView::buildFooter(QWidget* parent) {
    auto* footer = new QWidget(parent);
    auto* line = new QHBoxLayout(footer);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(2);

    if (!m_model.pausedUntil) {
        auto* pause = new FooterButton(u"pause.circle"_s, u"Pause"_s, true, footer);
        pause->setToolTip(u"Pause reminders"_s);
        connect(pause, &QAbstractButton::clicked, this, [this, pause] {
            m_pauseMenu->popup(pause->mapToGlobal(QPoint(0, pause->height())));
        });
        line->addWidget(pause);
    }
    line->addStretch(1);

    const auto addIcon = [&](const QString& symbol, const QString& help,
                             const std::function<void()>& show) {
        if (!show)
            return;
        auto* button = new FooterButton(symbol, QString(), false, footer);
        button->setToolTip(help);
        button->setAccessibleName(help);
        connect(button, &QAbstractButton::clicked, this, [this, show] { runAndClose(show); });
        line->addWidget(button);
    };
    addIcon(u"chart.bar.xaxis"_s, u"History"_s, m_showHistory);
    addIcon(u"gearshape"_s, u"Settings"_s, m_showSettings);

    auto* quit = new FooterButton(u"power"_s, u"Quit Brevimar"_s, false, footer);
    quit->setToolTip(u"Quit Brevimar (Ctrl+Q)"_s);
    connect(quit, &QAbstractButton::clicked, qApp, &QCoreApplication::quit);
    line->addWidget(quit);
    return footer;
}

void MenuBarView::act(const NudgeKind& kind, RowAction action) {
    switch (action) {
    case RowAction::done:
        m_engine.done(kind);
        break;
    case RowAction::snooze:
        m_engine.snooze(kind, 10);
        break;
    case RowAction::untilFree:
        m_engine.untilFree(kind);
        break;
    case RowAction::skip:
        m_engine.skip(kind);
        break;
    case RowAction::remindNow:
        m_engine.fire(kind);
        break;
    }
}

void MenuBarView::runAndClose(const std::function<void()>& action) {
    hide();
    action();
}

void MenuBarView::openAt(const QRect& iconGeometry) {
    refresh();
    const QPoint pointer = QCursor::pos();
    QScreen* screen =
        iconGeometry.isEmpty() ? nullptr : QGuiApplication::screenAt(iconGeometry.center());
    if (!screen)
        screen = QGuiApplication::screenAt(pointer);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect(QPoint(0, 0), size());

    // A Wayland session learns neither the icon's place nor the pointer's (through XWayland the
    // pointer is where it last crossed an X window), so the panel takes the corner where trays
    // usually are. The session says so, not the Qt platform: Brevimar runs on xcb there too.
    const bool wayland =
        qgetenv("XDG_SESSION_TYPE") == "wayland" || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    if (wayland)
        move(available.right() + 1 - width() - 8, available.top() + 8);
    else
        move(placement(size(), iconGeometry, pointer, available));
    show();
    raise();
    activateWindow();
}

QPoint MenuBarView::placement(const QSize& size, const QRect& icon, const QPoint& pointer,
                              const QRect& available) {
    constexpr int gap = 4;
    int x = 0;
    int top = 0;
    int bottom = 0;
    if (icon.isEmpty()) {
        x = pointer.x() - size.width() / 2;
        top = bottom = pointer.y();
    } else {
        x = icon.left() + (icon.width() - size.width()) / 2;
        top = icon.top();
        bottom = icon.bottom() + 1;
    }
    int y = bottom + gap;
    // A tray at the bottom of the screen opens upwards.
    if (y + size.height() > available.bottom() + 1 && (top + bottom) / 2 > available.center().y())
        y = top - gap - size.height();
    x = std::clamp(x, available.left(),
                   std::max(available.left(), available.right() + 1 - size.width()));
    y = std::clamp(y, available.top(),
                   std::max(available.top(), available.bottom() + 1 - size.height()));
    return {x, y};
}

bool MenuBarView::justClosed() const {
    return m_sinceHidden.isValid() && m_sinceHidden.elapsed() < 300;
}

void MenuBarView::showEvent(QShowEvent* event) {
    if (m_stale)
        refresh();
    m_clockTimer.start();
    QWidget::showEvent(event);
}

void MenuBarView::hideEvent(QHideEvent* event) {
    m_clockTimer.stop();
    m_pauseMenu->hide();
    m_sinceHidden.start();
    QWidget::hideEvent(event);
}

void MenuBarView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MenuBarView::changeEvent(QEvent* event) {
    // The content bakes in colours and fonts, so a theme switch needs a fresh build.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        scheduleRefresh();
    QWidget::changeEvent(event);
}

void MenuBarView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    painter.setPen(withAlpha(palette().color(QPalette::WindowText), 0.18));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
