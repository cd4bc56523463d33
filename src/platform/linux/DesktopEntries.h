#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The installed desktop entries ("applications") of the session, looked up by desktop-file id.
// The folders are taken from $XDG_DATA_HOME and $XDG_DATA_DIRS, then Flatpak's exports (a session
// started before Flatpak was installed lacks them), on every lookup; a folder is parsed
// again only when its modification time, or one of its subfolders', has changed.
class DesktopEntries {
public:
    struct Entry {
        QString id; // "org.gnome.Nautilus", subfolders joined with '-', without ".desktop"
        QString name;
        QString startupWmClass;
        QString icon;        // a theme icon name or an absolute path
        bool hidden = false; // Hidden=true: deleted, and it hides entries of the same id further on
        bool noDisplay = false; // NoDisplay=true: installed, but not offered to the user
    };

    // The keys of the [Desktop Entry] group of a desktop file, values unescaped; none when the
    // file cannot be read or has no such group.
    static std::optional<QHash<QString, QString>> readDesktopEntryGroup(const QString& path);
    // The same, of a desktop file's contents.
    static std::optional<QHash<QString, QString>> parseDesktopEntryGroup(const QByteArray& text);

    // The "applications" folders, the one that wins first.
    static QStringList applicationDirs();

    // The entry's unlocalised Name; empty when there is no such entry.
    QString name(const QString& id);
    bool contains(const QString& id);
    // The entries a person would pick from, as application menus list them: neither hidden nor
    // NoDisplay, with a name.
    QList<Entry> applications();
    // The id of the desktop file at path: relative to the folder it lies in, else its file name.
    static QString idForPath(const QString& path);
    // The entry a window with this WM_CLASS belongs to: StartupWMClass first, then the file id
    // compared without case. Empty when none matches.
    QString idForWindowClass(const QString& instance, const QString& windowClass);

private:
    struct Folder {
        QHash<QString, qint64> stamps; // folder and subfolders ↦ modification time in ns
        QList<Entry> entries;
    };

    void refresh();
    const Entry* find(const QString& id);

    QStringList m_dirs;
    QHash<QString, Folder> m_folders;
    QList<Entry> m_entries; // every id once, from the folder that wins, in search order
    QHash<QString, qsizetype> m_index;
};
