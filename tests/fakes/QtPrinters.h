#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <ostream>

// Readable failure messages for the Qt values the tests compare.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* out) {
    *out << '[' << list.join(QStringLiteral(", ")).toStdString() << ']';
}

inline void PrintTo(const QDateTime& instant, std::ostream* out) {
    *out << instant.toString(Qt::ISODateWithMs).toStdString() << " ("
         << instant.toUTC().toString(Qt::ISODateWithMs).toStdString() << ')';
}

inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << bytes.toStdString();
}
