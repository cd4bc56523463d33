#pragma once

#include <QChar>
#include <QColor>
#include <QFont>
#include <QString>

// Every symbol the interface draws comes from the Material Icons font, looked up by the names the
// settings store ("drop.fill", "eye" …).
namespace Symbols {

// The glyph of a symbol name; unknown names get a plain circle.
QChar glyph(const QString& symbolName);
// The Material Icons font at a pixel size.
QFont font(int pixelSize);
// The colour of a tint name ("blue", "green", "orange", "purple", "teal"); anything else is the
// desktop's accent colour.
QColor tint(const QString& tintName);

} // namespace Symbols
