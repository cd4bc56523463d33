#include "UpdateWindow.h"

#include "context/HoldReason.h"
#include "settings/PreferenceStore.h"
#include "ui/theme/Buttons.h"
#include "ui/theme/Symbols.h"
#include "ui/theme/Theme.h"
#include "ui/theme/Windowing.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <QVersionNumber>

using namespace Qt::StringLiterals;
using namespace Theme;

namespace {
constexpr int badgeSize = 52;
constexpr int textWidth = 340;
constexpr int notesHeight = 150;
const QString skippedKey = u"skippedVersion"_s;

// Outside work hours an update bothers nobody, and waiting for them to end would hold it until
// the next working morning.
bool remindersHeld(const HoldState* holds) {
    const std::optional<HoldReason> reason = holds ? holds->holdReason() : std::nullopt;
    return reason && *reason != HoldReason::offHours;
}

// The skipped version itself, and an older one should the feed go back to it.
bool skipped(const PreferenceStore* store, const QString& version) {
    const QString kept = store ? store->string(skippedKey, {}) : QString();
    if (kept.isEmpty())
        return false;
    const QVersionNumber offered = QVersionNumber::fromString(version);
    const QVersionNumber skippedNumber = QVersionNumber::fromString(kept);
    return version == kept ||
           (!offered.isNull() && !skippedNumber.isNull() && offered < skippedNumber);
}

QWidget* notesBox(const QString& notes, QWidget* parent) {
    auto* box = new RoundedFill(0.05, 10, parent);
    auto* inside = new QVBoxLayout(box);
    inside->setContentsMargins(6, 6, 4, 6);
    auto* text = new QPlainTextEdit(notes, box);
    text->setReadOnly(true);
    text->setFocusPolicy(Qt::ClickFocus);
    text->setFrameShape(QFrame::NoFrame);
    text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    text->setFont(sizedFont(parent, 12));
    text->setFixedHeight(notesHeight);
    QPalette palette = text->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Text, primaryText(parent->palette()));
    text->setPalette(palette);
    inside->addWidget(text);
    return box;
}
} // namespace

UpdateWindow::UpdateWindow(const HoldState* holds, PreferenceStore* store, QWidget* parent)
    : QWidget(parent, Qt::Dialog)
    , m_holds(holds)
    , m_store(store) {
    setWindowTitle(tr("Software Update"));
    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    column->setContentsMargins(0, 0, 0, 0);
    if (holds) {
        connect(holds, &HoldState::holdReasonChanged, this, [this] {
            if (m_waiting && !remindersHeld(m_holds))
                presentUpdate(*std::exchange(m_waiting, std::nullopt), Focus::leave);
        });
    }
}

void UpdateWindow::presentUpdate(const Update& update, Focus focus) {
    // Whoever asked sees every outcome, a skipped version too.
    if (focus == Focus::leave) {
        if (skipped(m_store, update.version))
            return;
        if (remindersHeld(m_holds)) {
            m_waiting = update;
            return;
        }
    }
    m_waiting.reset();
    present({tr("A new version of Brevimar is available!"),
             tr("Brevimar %1 is now available — you have %2.")
                 .arg(update.version, update.installedVersion),
             update},
            focus);
}

void UpdateWindow::skip(const QString& version) {
    if (m_store)
        m_store->setString(skippedKey, version);
    close();
}

void UpdateWindow::presentUpToDate(const QString& installedVersion) {
    present({tr("Brevimar is up to date."),
             tr("Brevimar %1 is the newest version available.").arg(installedVersion),
             {}},
            Focus::take);
}

void UpdateWindow::presentFailure(const QString& error) {
    present({tr("Brevimar couldn't check for updates."), error, {}}, Focus::take);
}

void UpdateWindow::present(Page page, Focus focus) {
    m_page = std::move(page);
    rebuild();
    if (!isVisible()) {
        adjustSize();
        const QScreen* screen = Windowing::screenInUse();
        QRect frame = rect();
        frame.moveCenter((screen ? screen : this->screen())->availableGeometry().center());
        move(frame.topLeft());
    }
    setAttribute(Qt::WA_ShowWithoutActivating, focus == Focus::leave);
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    if (focus == Focus::take)
        activateWindow();
}

void UpdateWindow::rebuild() {
    delete m_content;
    m_content = new QWidget(this);
    auto* row = new QHBoxLayout(m_content);
    row->setContentsMargins(20, 20, 22, 18);
    row->setSpacing(16);
    const QColor blue = Symbols::tint(u"blue"_s);
    row->addWidget(new SymbolBadge(u"drop.fill"_s, blue, badgeSize,
                                   {.fill = 0.16, .symbolSize = 26, .tileRadius = 12}, m_content),
                   0, Qt::AlignTop);

    auto* column = new QVBoxLayout;
    column->setSpacing(6);
    const QColor primary = primaryText(palette());
    column->addWidget(textLabel(m_page.heading, sizedFont(this, 15, QFont::DemiBold), primary,
                                textWidth, m_content));
    column->addWidget(textLabel(m_page.line, sizedFont(this, 13), secondaryText(palette()),
                                textWidth, m_content));

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    const Update& update = m_page.update;
    const auto close = [this] { this->close(); };
    CardButton* defaultButton = nullptr;
    if (update.download.isEmpty()) {
        m_defaultAction = close;
        buttons->addStretch();
        defaultButton =
            new CardButton(tr("OK"), fillUnderWhite(blue), Qt::white, close, true, m_content);
    } else {
        column->addSpacing(8);
        if (!update.notes.isEmpty()) {
            column->addWidget(textLabel(tr("Release notes:"), sizedFont(this, 12, QFont::DemiBold),
                                        primary, textWidth, m_content));
            column->addWidget(notesBox(update.notes, m_content));
        }
        if (update.notes.isEmpty() && !update.notesLink.isEmpty()) {
            buttons->addWidget(new CardButton(
                tr("Release Notes"), withAlpha(primary, 0.10), primary,
                [link = update.notesLink] { QDesktopServices::openUrl(link); }, true, m_content));
        }
        m_defaultAction = [this, link = update.download] {
            QDesktopServices::openUrl(link);
            this->close();
        };
        buttons->addWidget(new CardButton(
            tr("Skip This Version"), withAlpha(primary, 0.10), primary,
            [this, version = update.version] { skip(version); }, true, m_content));
        buttons->addStretch();
        buttons->addWidget(
            new CardButton(tr("Later"), withAlpha(primary, 0.10), primary, close, true, m_content));
        defaultButton = new CardButton(tr("Download"), fillUnderWhite(blue), Qt::white,
                                       m_defaultAction, true, m_content);
    }
    buttons->addWidget(defaultButton);
    column->addSpacing(10);
    column->addLayout(buttons);
    row->addLayout(column);
    layout()->addWidget(m_content);
    // Shown at once, not at the next turn of the event loop, so the new size is known now.
    m_content->show();
    layout()->activate();
    // The keyboard starts on the button Return stands for, never on "Skip This Version", which
    // comes first.
    defaultButton->setFocus();
}

void UpdateWindow::keyPressEvent(QKeyEvent* event) {
    // Where no button has the keyboard (the notes may), the window answers Return and Escape.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        m_defaultAction();
        break;
    case Qt::Key_Escape:
        close();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void UpdateWindow::changeEvent(QEvent* event) {
    // The texts take their colours from the palette when they are made.
    if (event->type() == QEvent::PaletteChange && m_content)
        rebuild();
    QWidget::changeEvent(event);
}
