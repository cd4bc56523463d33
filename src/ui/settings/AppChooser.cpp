#include "AppChooser.h"

#include "ui/theme/Theme.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int kIdRole = Qt::UserRole;

QIcon appIcon(const QString& icon) {
    if (QDir::isAbsolutePath(icon))
        return QIcon(icon);
    return QIcon::fromTheme(icon, QIcon::fromTheme(u"application-x-executable"_s));
}

} // namespace

AppChooser::AppChooser(const QString& message, const QList<DesktopEntries::Entry>& apps,
                       QWidget* parent)
    : QDialog(parent)
    , m_search(new QLineEdit(this))
    , m_list(new QListWidget(this)) {
    setWindowTitle(tr("Choose an App"));
    setWindowModality(Qt::WindowModal);
    resize(420, 480);

    m_search->setPlaceholderText(tr("Search"));
    m_search->setAccessibleName(tr("Search"));
    m_search->setClearButtonEnabled(true);
    m_list->setIconSize(QSize(24, 24));
    m_list->setUniformItemSizes(true);
    m_list->setAccessibleName(tr("Applications"));

    QList<DesktopEntries::Entry> sorted = apps;
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        return QString::localeAwareCompare(a.name.toCaseFolded(), b.name.toCaseFolded()) < 0;
    });
    for (const DesktopEntries::Entry& app : std::as_const(sorted)) {
        auto* item = new QListWidgetItem(appIcon(app.icon), app.name, m_list);
        item->setData(kIdRole, app.id);
        item->setToolTip(app.id);
    }

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    m_choose = buttons->addButton(tr("Choose"), QDialogButtonBox::AcceptRole);
    m_choose->setDefault(true);
    m_choose->setEnabled(false);

    auto* column = new QVBoxLayout(this);
    column->addWidget(Theme::label(message, this, 13, Theme::Tone::primary, QFont::Normal, true));
    column->addWidget(m_search);
    column->addWidget(m_list, 1);
    column->addWidget(buttons);

    connect(m_search, &QLineEdit::textChanged, this, &AppChooser::search);
    connect(m_list, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) { m_choose->setEnabled(item && !item->isHidden()); });
    connect(m_list, &QListWidget::itemActivated, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

std::optional<AppChooser::Choice> AppChooser::choose(const QString& message, QWidget* parent) {
    AppChooser chooser(message, DesktopEntries().applications(), parent->window());
    if (chooser.exec() != QDialog::Accepted)
        return std::nullopt;
    return chooser.chosen();
}

std::optional<AppChooser::Choice> AppChooser::chosen() const {
    const QListWidgetItem* item = m_list->currentItem();
    if (!item || item->isHidden())
        return std::nullopt;
    return Choice{item->data(kIdRole).toString(), item->text()};
}

void AppChooser::search(const QString& text) {
    const QString wanted = text.trimmed();
    QListWidgetItem* first = nullptr;
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        const bool shown = item->text().contains(wanted, Qt::CaseInsensitive) ||
                           item->data(kIdRole).toString().contains(wanted, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && !first)
            first = item;
    }
    // Typing and pressing Enter picks the best match, as in a launcher.
    if (!m_list->currentItem() || m_list->currentItem()->isHidden())
        m_list->setCurrentItem(first);
    m_choose->setEnabled(chosen().has_value());
}
