#include "PreferenceStore.h"

#include "platform/Log.h"

#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

bool isText(const QVariant& value) {
    return value.typeId() == QMetaType::QString;
}

} // namespace

PreferenceStore::PreferenceStore(const QString& domain)
    : m_settings(filePath(domain), QSettings::IniFormat) {}

QString PreferenceStore::filePath(const QString& domain) {
    // "com.tovanex.Brevimar": organisation "tovanex", application "Brevimar".
    const QStringList parts = domain.split(u'.');
    const QString application = parts.value(parts.size() - 1);
    const QString organisation = parts.size() > 1 ? parts.value(parts.size() - 2) : application;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
           organisation + u'/' + application + u".conf"_s;
}

bool PreferenceStore::contains(const QString& key) const {
    return m_settings.contains(key);
}

QStringList PreferenceStore::keys() const {
    return m_settings.allKeys();
}

qint64 PreferenceStore::integer(const QString& key, qint64 fallback) const {
    const QVariant value = m_settings.value(key);
    bool ok = false;
    const qint64 number = isText(value) ? value.toString().toLongLong(&ok, 10) : 0;
    if (ok)
        return number;
    markUnreadable(key);
    return fallback;
}

bool PreferenceStore::boolean(const QString& key, bool fallback) const {
    const QVariant value = m_settings.value(key);
    if (isText(value) && value.toString() == u"true")
        return true;
    if (isText(value) && value.toString() == u"false")
        return false;
    markUnreadable(key);
    return fallback;
}

QString PreferenceStore::string(const QString& key, const QString& fallback) const {
    const QVariant value = m_settings.value(key);
    if (isText(value))
        return value.toString();
    markUnreadable(key);
    return fallback;
}

QStringList PreferenceStore::stringList(const QString& key, const QStringList& fallback) const {
    if (!m_settings.contains(key))
        return fallback;
    const QVariant value = m_settings.value(key);
    // INI writes an empty list as @Invalid() and a one-item list as plain text.
    if (!value.isValid())
        return {};
    if (isText(value))
        return {value.toString()};
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList();
    markUnreadable(key);
    return fallback;
}

QByteArray PreferenceStore::bytes(const QString& key, const QByteArray& fallback) const {
    const QVariant value = m_settings.value(key);
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray();
    markUnreadable(key);
    return fallback;
}

// Scalars are stored as their text, as they come back from the file, so a value reads the same
// before and after the file is reloaded.
void PreferenceStore::setInteger(const QString& key, qint64 value) {
    write(key, QString::number(value));
}

void PreferenceStore::setBoolean(const QString& key, bool value) {
    write(key, value ? u"true"_s : u"false"_s);
}

void PreferenceStore::setString(const QString& key, const QString& value) {
    write(key, value);
}

void PreferenceStore::setStringList(const QString& key, const QStringList& value) {
    write(key, value);
}

void PreferenceStore::setBytes(const QString& key, const QByteArray& value) {
    write(key, value);
}

void PreferenceStore::remove(const QString& key) {
    keepAsideIfUnreadable(key);
    m_settings.remove(key);
    m_settings.sync();
}

void PreferenceStore::copyMissingFrom(const QString& domain) {
    const QSettings other(filePath(domain), QSettings::IniFormat);
    const QStringList keys = other.allKeys();
    for (const QString& key : keys) {
        if (!m_settings.contains(key))
            m_settings.setValue(key, other.value(key));
    }
    m_settings.sync();
}

void PreferenceStore::markUnreadable(const QString& key) const {
    if (m_settings.contains(key))
        m_unreadable.insert(key);
}

void PreferenceStore::keepAsideIfUnreadable(const QString& key) {
    if (!m_unreadable.remove(key))
        return;
    const QString aside = key + u".unreadable"_s;
    m_settings.setValue(aside, m_settings.value(key));
    Log::write(u"Brevimar could not read the setting "_s + key + u"; kept it as "_s + aside);
}

void PreferenceStore::write(const QString& key, const QVariant& value) {
    keepAsideIfUnreadable(key);
    m_settings.setValue(key, value);
    m_settings.sync();
    if (m_settings.status() != QSettings::NoError)
        Log::write(u"Brevimar preferences not saved: cannot write "_s + m_settings.fileName());
}
