#pragma once

#include <QAbstractButton>
#include <QLabel>

#include <gtest/gtest.h>

// The first widget of the type under `parent` whose accessible name or text (a button's, a
// label's) is `name`; the test fails when there is none.
template <typename T = QAbstractButton> T* findWidget(const QWidget& parent, const QString& name) {
    for (T* widget : parent.findChildren<T*>()) {
        const auto* button = qobject_cast<const QAbstractButton*>(widget);
        const auto* label = qobject_cast<const QLabel*>(widget);
        if (widget->accessibleName() == name || (button && button->text() == name) ||
            (label && label->text() == name))
            return widget;
    }
    ADD_FAILURE() << "no widget " << name.toStdString();
    return nullptr;
}

// The texts of every label under `parent`.
inline QStringList labelTexts(const QWidget& parent) {
    QStringList texts;
    for (const QLabel* label : parent.findChildren<QLabel*>())
        texts.append(label->text());
    return texts;
}
