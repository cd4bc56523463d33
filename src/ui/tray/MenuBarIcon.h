#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPixmap>

class HoldState;
class MenuBarView;
class QSystemTrayIcon;
class RhythmEngine;

// The tray icon: a drop, inside a filled circle while a reminder waits for an answer, faded while
// reminders are held. A click opens the panel.
class MenuBarIcon : public QObject {
    Q_OBJECT

public:
    enum class Look { plain, awaiting, held };

    MenuBarIcon(RhythmEngine& engine, HoldState& context, MenuBarView& view,
                QObject* parent = nullptr);
    ~MenuBarIcon() override;

    Look look() const { return m_look; }
    QSystemTrayIcon& trayIcon() { return *m_tray; }
    void show();

    // Panels differ (GNOME's top bar is always dark, KDE follows the theme), and the icon cannot
    // know which it sits on, so it is drawn light with a thin dark outline that holds on both.
    static QPixmap draw(Look look, int size, qreal devicePixelRatio = 1.0);
    // Drawn at the sizes trays ask for: 16, 22, 24 and 32.
    static QIcon icon(Look look);

private:
    Look currentLook() const;
    void update();
    void open();

    RhythmEngine& m_engine;
    HoldState& m_context;
    MenuBarView& m_view;
    QSystemTrayIcon* m_tray;
    QMenu m_menu;
    Look m_look = Look::plain;
};
