#include "DesktopEntries.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

// Deep enough for any real layout, shallow enough that a symlink loop ends quickly.
constexpr int kMaxDepth = 6;

// Nanoseconds, because a file added within the same second must still be noticed; -1 when the
// folder does not exist, so that its appearing counts as a change.
qint64 folderStamp(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return -1;
    return qint64(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec;
}

QString unescapeValue(const QString& value) {
    QString text;
    text.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != u'\\' || i + 1 == value.size()) {
            text += c;
            continue;
        }
        const QChar next = value.at(++i);
        if (next == u's')
            text += u' ';
        else if (next == u'n')
            text += u'\n';
        else if (next == u't')
            text += u'\t';
        else if (next == u'r')
            text += u'\r';
        else
            text += next;
    }
    return text;
}

bool readEntry(const QString& path, DesktopEntries::Entry& entry) {
    const std::optional<QHash<QString, QString>> keys = DesktopEntries::readDesktopEntryGroup(path);
    if (!keys)
        return false;
    entry.name = keys->value(u"Name"_s);
    entry.startupWmClass = keys->value(u"StartupWMClass"_s);
    entry.icon = keys->value(u"Icon"_s);
    entry.hidden = keys->value(u"Hidden"_s) == u"true";
    entry.noDisplay = keys->value(u"NoDisplay"_s) == u"true";
    return true;
}

} // namespace

std::optional<QHash<QString, QString>> DesktopEntries::readDesktopEntryGroup(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return parseDesktopEntryGroup(file.readAll());
}

std::optional<QHash<QString, QString>>
DesktopEntries::parseDesktopEntryGroup(const QByteArray& text) {
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly | QIODevice::Text);
    QHash<QString, QString> keys;
    bool inEntry = false;
    bool sawEntry = false;
    while (!buffer.atEnd()) {
        const QString line = QString::fromUtf8(buffer.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            if (inEntry)
                break; // the keys that matter all live in the first group
            inEntry = line == u"[Desktop Entry]";
            sawEntry = sawEntry || inEntry;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (inEntry && equals >= 0)
            keys.insert(line.left(equals).trimmed(), unescapeValue(line.mid(equals + 1).trimmed()));
    }
    if (!sawEntry)
        return std::nullopt;
    return keys;
}

QStringList DesktopEntries::applicationDirs() {
    QStringList bases;
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (!QDir::isAbsolutePath(dataHome))
        dataHome = QDir::homePath() + u"/.local/share"_s;
    bases.append(dataHome);
    QString dataDirs = qEnvironmentVariable("XDG_DATA_DIRS");
    if (dataDirs.isEmpty())
        dataDirs = u"/usr/local/share:/usr/share"_s;
    for (const QString& dir : dataDirs.split(u':', Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(dir))
            bases.append(dir);
    }
    bases.append(dataHome + u"/flatpak/exports/share"_s);
    bases.append(u"/var/lib/flatpak/exports/share"_s);
    QStringList dirs;
    for (const QString& base : std::as_const(bases)) {
        const QString dir = QDir::cleanPath(base + u"/applications"_s);
        if (!dirs.contains(dir))
            dirs.append(dir);
    }
    return dirs;
}

QString DesktopEntries::name(const QString& id) {
    const Entry* entry = find(id);
    return entry ? entry->name : QString();
}

bool DesktopEntries::contains(const QString& id) {
    return find(id) != nullptr;
}

QList<DesktopEntries::Entry> DesktopEntries::applications() {
    refresh();
    QList<Entry> shown;
    for (const Entry& entry : std::as_const(m_entries)) {
        if (!entry.hidden && !entry.noDisplay && !entry.name.isEmpty())
            shown.append(entry);
    }
    return shown;
}

QString DesktopEntries::idForPath(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    QString relative = QFileInfo(clean).fileName();
    for (const QString& dir : applicationDirs()) {
        if (clean.startsWith(dir + u'/')) {
            relative = clean.mid(dir.size() + 1);
            break;
        }
    }
    relative.replace(u'/', u'-');
    if (relative.endsWith(u".desktop"))
        relative.chop(8);
    return relative;
}

QString DesktopEntries::idForWindowClass(const QString& instance, const QString& windowClass) {
    refresh();
    QStringList names;
    for (const QString& text : {instance, windowClass}) {
        if (!text.isEmpty())
            names.append(text);
    }
    // The instance comes first: browsers give each web app its own instance but one class.
    for (const QString& wanted : std::as_const(names)) {
        for (const Entry& entry : std::as_const(m_entries)) {
            if (!entry.hidden && entry.startupWmClass == wanted)
                return entry.id;
        }
    }
    for (const QString& wanted : std::as_const(names)) {
        for (const Entry& entry : std::as_const(m_entries)) {
            if (!entry.hidden && entry.id.compare(wanted, Qt::CaseInsensitive) == 0)
                return entry.id;
        }
    }
    return {};
}

const DesktopEntries::Entry* DesktopEntries::find(const QString& id) {
    if (id.isEmpty())
        return nullptr;
    refresh();
    const auto it = m_index.constFind(id);
    if (it == m_index.constEnd() || m_entries.at(*it).hidden)
        return nullptr;
    return &m_entries.at(*it);
}

void DesktopEntries::refresh() {
    const QStringList dirs = applicationDirs();
    bool changed = dirs != m_dirs;

    const auto upToDate = [](const Folder& folder) {
        for (auto it = folder.stamps.cbegin(); it != folder.stamps.cend(); ++it) {
            if (folderStamp(it.key()) != it.value())
                return false;
        }
        return true;
    };
    // The stamp is taken before listing, so a change during the listing shows up next time.
    const auto scan = [](auto& self, const QString& dir, const QString& prefix, Folder& folder,
                         int depth) -> void {
        folder.stamps.insert(dir, folderStamp(dir));
        const QFileInfoList items =
            QDir(dir).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
        for (const QFileInfo& item : items) {
            if (item.isDir()) {
                if (depth < kMaxDepth)
                    self(self, item.filePath(), prefix + item.fileName() + u'-', folder, depth + 1);
                continue;
            }
            if (!item.fileName().endsWith(u".desktop"))
                continue;
            Entry entry;
            if (!readEntry(item.filePath(), entry))
                continue;
            entry.id = prefix + item.fileName().chopped(8);
            folder.entries.append(entry);
        }
    };

    for (const QString& dir : dirs) {
        const auto it = m_folders.constFind(dir);
        if (it != m_folders.constEnd() && upToDate(*it))
            continue;
        Folder folder;
        scan(scan, dir, QString(), folder, 0);
        m_folders.insert(dir, folder);
        changed = true;
    }
    if (!changed)
        return;

    m_folders.removeIf([&dirs](const auto& item) { return !dirs.contains(item.key()); });
    m_dirs = dirs;
    m_entries.clear();
    m_index.clear();
    for (const QString& dir : dirs) {
        for (const Entry& entry : std::as_const(m_folders[dir].entries)) {
            if (m_index.contains(entry.id))
                continue;
            m_index.insert(entry.id, m_entries.size());
            m_entries.append(entry);
        }
    }
}
