#include "Accessibility.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QButtonGroup>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTextDocumentFragment>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace Accessibility {

namespace {

// "&Save" shows as "Save" with the S underlined; "&&" is a plain "&".
QString withoutMnemonic(QString text) {
    for (qsizetype i = text.indexOf(u'&'); i >= 0 && i < text.size(); i = text.indexOf(u'&', i + 1))
        text.remove(i, 1);
    return text;
}

// A button of any look: a push, a check box, or one choice of several. Its action clicks it, as
// the pointer, Space and Enter do: what a control stores or starts hangs on the click. The click
// is queued behind the answer to the reader, whom a click that opens a modal dialog would
// otherwise keep waiting until the dialog closed.
class ButtonAccessible : public QAccessibleWidget {
public:
    explicit ButtonAccessible(QAbstractButton* button)
        : QAccessibleWidget(button, QAccessible::Button) {}

    QAbstractButton* button() const { return static_cast<QAbstractButton*>(widget()); }

    QAccessible::Role role() const override {
        if (!button()->isCheckable())
            return QAccessible::Button;
        const QButtonGroup* group = button()->group();
        const bool exclusive = group ? group->exclusive() : button()->autoExclusive();
        return exclusive ? QAccessible::RadioButton : QAccessible::CheckBox;
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.checkable = button()->isCheckable();
        state.checked = button()->isChecked();
        state.pressed = button()->isDown();
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty())
            text = withoutMnemonic(button()->text());
        return sayable(text);
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (widget()->isEnabled())
            names.prepend(button()->isCheckable() ? toggleAction() : pressAction());
        return names;
    }

    void doAction(const QString& name) override {
        if (name != pressAction() && name != toggleAction())
            QAccessibleWidget::doAction(name);
        else if (widget()->isEnabled())
            QMetaObject::invokeMethod(button(), &QAbstractButton::click, Qt::QueuedConnection);
    }
};

// Text on the window, as Qt describes it, less the symbols.
class LabelAccessible : public QAccessibleWidget {
public:
    explicit LabelAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    const QLabel* label() const { return static_cast<const QLabel*>(widget()); }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        return state;
    }

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Name || !widget()->accessibleName().isEmpty())
            return sayable(QAccessibleWidget::text(kind));
        QString text = label()->text();
        if (label()->textFormat() == Qt::RichText ||
            (label()->textFormat() == Qt::AutoText && Qt::mightBeRichText(text)))
            text = QTextDocumentFragment::fromHtml(text).toPlainText();
        else if (label()->buddy())
            text = withoutMnemonic(text);
        return sayable(text);
    }

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>>
    relations(QAccessible::Relation match) const override {
        auto found = QAccessibleWidget::relations(match);
        if ((match & QAccessible::Labelled) && label()->buddy())
            found.append(
                {QAccessible::queryAccessibleInterface(label()->buddy()), QAccessible::Labelled});
        return found;
    }
};

// Qt's action on an entry in a picker's list selects the entry and chooses nothing. The keyboard
// and the pointer move the current entry along with the selection, so an entry selected away from
// the current one was selected by a reader, and is chosen as a click on it would choose it.
void chooseWhenSelected(QComboBox* picker) {
    QItemSelectionModel* selection = picker->view()->selectionModel();
    QObject::connect(selection, &QItemSelectionModel::selectionChanged, picker,
                     [picker, selection](const QItemSelection& selected) {
                         const QModelIndexList entries = selected.indexes();
                         if (entries.isEmpty() || entries.first() == selection->currentIndex())
                             return;
                         const int row = entries.first().row();
                         if (picker->view()->isVisible())
                             picker->hidePopup();
                         picker->setCurrentIndex(row);
                         Q_EMIT picker->activated(row);
                         Q_EMIT picker->textActivated(picker->itemText(row));
                     });
}

QAccessibleInterface* describe(const QString& className, QObject* object) {
    // A picker keeps Qt's description; its list is made to choose on the reader's action, at
    // the moment a reader first asks about it.
    if (className == "QComboBox"_L1)
        chooseWhenSelected(static_cast<QComboBox*>(object));
    // Tool buttons keep Qt's description, which knows their menus, unless they are choices.
    if (className == "QAbstractButton"_L1 || className == "QCheckBox"_L1 ||
        (className == "QToolButton"_L1 && static_cast<QAbstractButton*>(object)->isCheckable()))
        return new ButtonAccessible(static_cast<QAbstractButton*>(object));
    if (className == "QLabel"_L1 && static_cast<QLabel*>(object)->pixmap().isNull())
        return new LabelAccessible(static_cast<QLabel*>(object));
    return nullptr;
}

} // namespace

void install() {
    QAccessible::installFactory(describe);
}

QString sayable(QString text) {
    const qsizetype length = text.size();
    text.removeIf([](QChar c) { return c.unicode() >= 0xe000 && c.unicode() <= 0xf8ff; });
    // The space that stood between a symbol and its word goes too.
    return text.size() == length ? text : text.simplified();
}

} // namespace Accessibility
