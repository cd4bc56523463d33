#pragma once

#include "UiFixture.h"
#include "ui/settings/SettingsWindow.h"

#include <QAbstractButton>
#include <QLabel>

#include <memory>

// The settings window over the real engine and context monitor of UiFixture, made on first use.
class SettingsFixture : public UiFixture {
protected:
    SettingsParts parts() {
        return {settings,
                monitor(),
                engine(),
                events,
                clock,
                QStringLiteral("1.2.0"),
                QStringLiteral("Build 345"),
                checkForUpdates};
    }
    SettingsWindow& window() {
        if (!m_window)
            m_window = std::make_unique<SettingsWindow>(parts());
        return *m_window;
    }
    // The pane of the tab, shown as the user would see it.
    QWidget& pane(SettingsWindow::Tab tab) {
        window().showTab(tab);
        return *window().pane(tab);
    }
    // The first widget of the type in the pane whose text (a button's, a label's) or accessible
    // name is the one given; the test fails when there is none.
    template <typename T = QWidget> T* control(SettingsWindow::Tab tab, const QString& name) {
        const QList<T*> found = pane(tab).template findChildren<T*>();
        for (T* widget : found) {
            if (widget->accessibleName() == name || textOf(widget) == name)
                return widget;
        }
        ADD_FAILURE() << "no control " << name.toStdString();
        return nullptr;
    }

    std::function<void()> checkForUpdates; // empty: a build without an update feed

private:
    static QString textOf(const QWidget* widget) {
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            return button->text();
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            return label->text();
        return {};
    }

    std::unique_ptr<SettingsWindow> m_window;
};
