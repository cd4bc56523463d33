#include "NotchMessageView.h"

#include "ui/theme/Buttons.h"
#include "ui/theme/Theme.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using namespace Theme;

NotchMessageView::NotchMessageView(const QString& title, const QString& message,
                                   const QString& icon, const QColor& tint, NotchGeometry geometry,
                                   NotchState& state, MessageActions actions, QWidget* parent)
    : NotchContainer(geometry, state, bodyHeight,
                     QSizeF(fullWidth, geometry.notchHeight + bodyHeight), parent) {
    auto* content = new QWidget(this);
    const QSize area = contentRect().size().toSize();
    content->setFixedSize(area);
    auto* row = new QHBoxLayout(content);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(12);
    row->addWidget(new SymbolBadge(icon, tint, iconSize, {.fill = 0.25, .symbolSize = 16}, content),
                   0, Qt::AlignVCenter);

    const QColor primary = primaryText(palette());
    auto* history = new CardButton(tr("History"), withAlpha(primary, 0.12), primary,
                                   std::move(actions.history), true, content);
    auto* close = new MiniIconButton(u"xmark"_s, tr("Close"), std::move(actions.close), content);
    const int textWidth =
        area.width() - iconSize - history->sizeHint().width() - close->width() - 3 * row->spacing();

    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    column->addStretch();
    column->addWidget(textLabel(title, sizedFont(this, 13, QFont::DemiBold), primary, textWidth,
                                content, area.height()));
    column->addWidget(textLabel(message, sizedFont(this, 12), secondaryText(palette()), textWidth,
                                content, area.height()));
    column->addStretch();
    row->addLayout(column);
    row->addWidget(history, 0, Qt::AlignVCenter);
    row->addWidget(close, 0, Qt::AlignVCenter);
    FlatButton::keepOffTheKeyboard(content);
    setContent(content);
    retarget();
}
