#include "MenuBarIcon.h"

#include "MenuBarView.h"
#include "context/HoldReason.h"
#include "engine/RhythmEngine.h"
#include "ui/theme/Symbols.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPainterPath>
#include <QSystemTrayIcon>

using namespace Qt::StringLiterals;

namespace {

const QColor glyphColour(0xf6, 0xf5, 0xf4);
const QColor outlineColour(0, 0, 0, 190);
const QColor cutOutColour(0x1e, 0x1e, 0x1e);

// The drop glyph as a path, scaled so its own outline (not the font's em box) fills the height
// and centred in the box.
QPainterPath dropPath(const QRectF& box) {
    static const QPainterPath path = Symbols::outline(u"drop.fill"_s);
    const QRectF bounds = path.boundingRect();
    const double scale = box.height() / bounds.height();
    QTransform transform;
    transform.translate(box.center().x(), box.center().y());
    transform.scale(scale, scale);
    transform.translate(-bounds.center().x(), -bounds.center().y());
    return transform.map(path);
}

void drawOutlined(QPainter& painter, const QPainterPath& shape, double outline) {
    painter.setPen(QPen(outlineColour, 2 * outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
    painter.setPen(Qt::NoPen);
    painter.setBrush(glyphColour);
    painter.drawPath(shape);
}

} // namespace

MenuBarIcon::MenuBarIcon(QObject* parent)
    : QObject(parent)
    , m_tray(new QSystemTrayIcon(this)) {
    m_tray->setToolTip(u"Brevimar"_s);
    // Some trays (GNOME's extension) open this menu on a plain click, so it leads to the panel.
    m_menu.addAction(tr("Open Brevimar"), this, &MenuBarIcon::open);
    m_menu.addAction(tr("Open History"), this, [this] {
        if (m_view)
            m_view->openHistory();
    });
    m_menu.addAction(tr("Settings…"), this, [this] {
        if (m_view)
            m_view->openSettings();
    });
    m_menu.addSeparator();
    QAction* quit = m_menu.addAction(tr("Quit Brevimar"), qApp, &QCoreApplication::quit);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    m_tray->setContextMenu(&m_menu);

    connect(m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason != QSystemTrayIcon::Trigger || !m_view)
                    return;
                // The click that reached the icon has already closed an open panel; a second
                // click should leave it closed.
                if (m_view->isVisible())
                    m_view->hide();
                else if (!m_view->justClosed())
                    open();
            });
    m_tray->setIcon(icon(m_look));
}

void MenuBarIcon::attach(RhythmEngine& engine, HoldState& context, MenuBarView& view) {
    m_engine = &engine;
    m_context = &context;
    m_view = &view;
    connect(m_engine, &RhythmEngine::awaitingChanged, this, &MenuBarIcon::update);
    connect(m_context, &HoldState::holdReasonChanged, this, &MenuBarIcon::update);
    update();
}

MenuBarIcon::~MenuBarIcon() {
    m_tray->setContextMenu(nullptr);
}

void MenuBarIcon::show() {
    m_tray->show();
}

void MenuBarIcon::open() {
    if (m_view)
        m_view->openAt(m_tray->geometry());
}

MenuBarIcon::Look MenuBarIcon::currentLook() const {
    if (!m_engine->awaiting().isEmpty())
        return Look::awaiting;
    return m_context->holdReason() ? Look::held : Look::plain;
}

void MenuBarIcon::update() {
    const Look look = currentLook();
    if (look == m_look)
        return;
    m_look = look;
    m_tray->setIcon(icon(look));
}

QPixmap MenuBarIcon::draw(Look look, int size, qreal devicePixelRatio) {
    QPixmap full(QSize(size, size) * devicePixelRatio);
    full.setDevicePixelRatio(devicePixelRatio);
    full.fill(Qt::transparent);
    {
        QPainter painter(&full);
        painter.setRenderHint(QPainter::Antialiasing);
        const double outline = std::max(1.0, size / 18.0);
        const QRectF box = QRectF(0, 0, size, size).adjusted(outline, outline, -outline, -outline);
        if (look == Look::awaiting) {
            QPainterPath circle;
            circle.addEllipse(box);
            drawOutlined(painter, circle, outline);
            const double dropHeight = box.height() * 0.62;
            const QRectF dropBox(box.center().x() - dropHeight / 2,
                                 box.center().y() - dropHeight / 2, dropHeight, dropHeight);
            painter.setPen(Qt::NoPen);
            // Drawn rather than cut out: a hole would show a light panel and lose the drop.
            painter.setBrush(cutOutColour);
            painter.drawPath(dropPath(dropBox));
        } else {
            drawOutlined(painter, dropPath(box), outline);
        }
    }
    if (look != Look::held)
        return full;

    // Faded as a whole; fading stroke and fill one by one would let the outline show through.
    QPixmap faded(full.size());
    faded.setDevicePixelRatio(devicePixelRatio);
    faded.fill(Qt::transparent);
    QPainter painter(&faded);
    painter.setOpacity(0.5);
    painter.drawPixmap(0, 0, full);
    return faded;
}

QIcon MenuBarIcon::icon(Look look) {
    QIcon icon;
    for (const int size : {16, 22, 24, 32})
        icon.addPixmap(draw(look, size));
    return icon;
}
