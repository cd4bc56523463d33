#include "MessageCardView.h"

#include "NudgeCardView.h"
#include "ui/theme/Buttons.h"
#include "ui/theme/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace Theme;

MessageCardView::MessageCardView(const QString& title, const QString& message, const QString& icon,
                                 const QColor& tint, MessageActions actions, QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
    auto* row = new QHBoxLayout(this);
    const int inset = margin + padding;
    row->setContentsMargins(inset, inset, inset, inset);
    row->setSpacing(12);
    row->addWidget(new SymbolBadge(icon, tint, tileSize,
                                   {.fill = 0.18, .symbolSize = 16, .tileRadius = 9}, this),
                   0, Qt::AlignTop);

    const int columnWidth = cardWidth - 2 * padding - tileSize - 12;
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    const QColor primary = primaryText(palette());
    column->addWidget(
        textLabel(title, sizedFont(this, 13, QFont::DemiBold), primary, columnWidth, this));
    column->addWidget(
        textLabel(message, sizedFont(this, 12), secondaryText(palette()), columnWidth, this));
    column->addSpacing(6);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(new CardButton(tr("Open History"), fillUnderWhite(tint), Qt::white,
                                      std::move(actions.history), true, this));
    buttons->addWidget(new CardButton(tr("Close"), withAlpha(primary, 0.10), primary,
                                      std::move(actions.close), true, this));
    buttons->addStretch();
    column->addLayout(buttons);
    row->addLayout(column);
    FlatButton::keepOffTheKeyboard(this);
    resize(sizeHint());
}

QSize MessageCardView::sizeHint() const {
    return {cardWidth + 2 * margin, layout()->sizeHint().height()};
}

void MessageCardView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintCardBackground(painter, rect(), margin, radius, palette());
}
