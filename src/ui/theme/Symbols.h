#pragma once

#include <QChar>
#include <QColor>
#include <QFont>
#include <QPainterPath>
#include <QString>

// Every symbol the interface draws comes from the Material Icons font, looked up by the names the
// settings store ("drop.fill", "eye" …).
namespace Symbols {

// The glyph of a symbol name; unknown names get a plain circle.
QChar glyph(const QString& symbolName);
// The Material Icons font at a pixel size.
QFont font(int pixelSize);
// A symbol's outline at 64 pixels, its baseline at 0. Read from the font file itself: the font
// configuration takes longer to load than the rest of the start together, and the tray icon
// is drawn before anything else is shown.
QPainterPath outline(const QString& symbolName);
// The colour of a tint name ("blue", "green", "orange", "purple", "teal"); anything else is the
// desktop's accent colour.
QColor tint(const QString& tintName);

} // namespace Symbols
