#pragma once

#include "FindWidget.h"
#include "UiFixture.h"
#include "ui/settings/SettingsWindow.h"

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
                workspace,
                session,
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
    // The first widget of the type in the pane with this text or accessible name.
    template <typename T = QWidget> T* control(SettingsWindow::Tab tab, const QString& name) {
        return findWidget<T>(pane(tab), name);
    }

    std::function<void()> checkForUpdates; // empty: a build without an update feed

private:
    std::unique_ptr<SettingsWindow> m_window;
};
