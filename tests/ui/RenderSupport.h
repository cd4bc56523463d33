#pragma once

#include <QApplication>
#include <QDir>
#include <QPalette>
#include <QStyle>

// For the tests that draw views as PNGs under the build tree for a person to look at.

inline QString screenshot(const QString& name) {
    QDir().mkpath(QStringLiteral(BREVIMAR_SCREENSHOT_DIR));
    return QStringLiteral(BREVIMAR_SCREENSHOT_DIR) + u'/' + name + QStringLiteral(".png");
}

// A dark desktop palette, or the style's own light one, for as long as this lives.
class DesktopPalette {
public:
    explicit DesktopPalette(bool dark)
        : m_previous(QApplication::palette()) {
        QApplication::setPalette(dark ? darkPalette() : QApplication::style()->standardPalette());
    }
    ~DesktopPalette() { QApplication::setPalette(m_previous); }
    DesktopPalette(const DesktopPalette&) = delete;
    DesktopPalette& operator=(const DesktopPalette&) = delete;

private:
    static QPalette darkPalette() {
        QPalette p;
        const QColor text(0xf0, 0xf0, 0xf0);
        p.setColor(QPalette::Window, QColor(0x24, 0x24, 0x24));
        p.setColor(QPalette::WindowText, text);
        p.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
        p.setColor(QPalette::Text, text);
        p.setColor(QPalette::Button, QColor(0x33, 0x33, 0x33));
        p.setColor(QPalette::ButtonText, text);
        p.setColor(QPalette::Highlight, QColor(0x35, 0x84, 0xe4));
        p.setColor(QPalette::HighlightedText, Qt::white);
        return p;
    }

    QPalette m_previous;
};
