#pragma once

#include "SettingsParts.h"

#include <QWidget>

#include <array>

class QScrollArea;
class QTabBar;

// Everything in the settings store, in five panes under tabs. Every control writes its setting
// at once. The window takes the height of the pane shown, up to what the screen has room for;
// panes are made when first shown.
class SettingsWindow : public QWidget {
    Q_OBJECT

public:
    enum class Tab { reminders, alerts, pauses, schedule, general };

    explicit SettingsWindow(SettingsParts parts, QWidget* parent = nullptr);
    ~SettingsWindow() override;

    // Shows the window in front with the keyboard, centred the first time.
    void present();
    Tab tab() const;
    void showTab(Tab tab);
    QWidget* pane(Tab tab) const { return m_panes[size_t(tab)]; }

    bool canCheckForUpdates() const { return m_canCheckForUpdates; }
    void setCanCheckForUpdates(bool can);

Q_SIGNALS:
    void canCheckForUpdatesChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* makePane(Tab tab);
    void fitToPane();

    SettingsParts m_parts;
    QTabBar* m_tabs;
    QScrollArea* m_scroll;
    std::array<QWidget*, 5> m_panes{};
    bool m_canCheckForUpdates = false;
};
