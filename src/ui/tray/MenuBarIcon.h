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
//
// It is made before the rest of the application, so the desktop shows it while the settings,
// the event log and the desktop's services are still being reached; at start it is always the
// plain drop. Attached to the engine, the holds and the panel, it follows them.
class MenuBarIcon : public QObject {
    Q_OBJECT

public:
    enum class Look { plain, awaiting, held };

    explicit MenuBarIcon(QObject* parent = nullptr);
    ~MenuBarIcon() override;
    void attach(RhythmEngine& engine, HoldState& context, MenuBarView& view);

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

    RhythmEngine* m_engine = nullptr;
    HoldState* m_context = nullptr;
    MenuBarView* m_view = nullptr; // a click before the panel exists does nothing
    QSystemTrayIcon* m_tray;
    QMenu m_menu;
    Look m_look = Look::plain;
};
