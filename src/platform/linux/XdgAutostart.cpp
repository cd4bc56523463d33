#include "XdgAutostart.h"

#include "DesktopEntries.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// Quotes an Exec argument as desktop entries want it: inside double quotes, with the quote,
// backtick, dollar and backslash escaped, and every backslash doubled once more for the string
// level of the file.
QString execArgument(const QString& text) {
    static const QString reserved = uR"( "'\><~|&;$*?#()`)"_s;
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return reserved.contains(c); }))
        return text;
    QString quoted;
    for (const QChar c : text) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            quoted += u'\\';
        quoted += c;
    }
    quoted.replace(u"\\"_s, u"\\\\"_s);
    return u'"' + quoted + u'"';
}

} // namespace

XdgAutostart::XdgAutostart(QString executable)
    : m_executable(std::move(executable)) {}

QString XdgAutostart::entryPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           u"/autostart/com.tovanex.Brevimar.desktop"_s;
}

bool XdgAutostart::isEnabled() const {
    const auto keys = DesktopEntries::readDesktopEntryGroup(entryPath());
    return keys && keys->value(u"Hidden"_s) != u"true" &&
           keys->value(u"X-GNOME-Autostart-enabled"_s) != u"false";
}

bool XdgAutostart::setEnabled(bool enabled, QString& error) {
    const QString path = entryPath();
    if (!enabled) {
        QFile file(path);
        if (!file.exists() || file.remove())
            return true;
        error = QCoreApplication::translate("XdgAutostart", "Could not remove %1: %2")
                    .arg(path, file.errorString());
        return false;
    }
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        error = QCoreApplication::translate("XdgAutostart", "Could not create the folder %1")
                    .arg(QFileInfo(path).absolutePath());
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        error = QCoreApplication::translate("XdgAutostart", "Could not write %1: %2")
                    .arg(path, file.errorString());
        return false;
    }
    const QString entry = u"[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Brevimar\n"
                          "Comment=Reminders to drink water and move\n"
                          "Exec=%1\n"
                          "Icon=com.tovanex.Brevimar\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n"_s.arg(execArgument(m_executable));
    file.write(entry.toUtf8());
    if (!file.commit()) {
        error = QCoreApplication::translate("XdgAutostart", "Could not write %1: %2")
                    .arg(path, file.errorString());
        return false;
    }
    return true;
}
