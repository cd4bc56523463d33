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
    if (!isText(value))
        return fallback;
    bool ok = false;
    const qint64 number = value.toString().toLongLong(&ok, 10);
    return ok ? number : fallback;
}

bool PreferenceStore::boolean(const QString& key, bool fallback) const {
    const QVariant value = m_settings.value(key);
    if (!isText(value))
        return fallback;
    const QString text = value.toString();
    if (text == u"true")
        return true;
    if (text == u"false")
        return false;
    return fallback;
}

QString PreferenceStore::string(const QString& key, const QString& fallback) const {
    const QVariant value = m_settings.value(key);
    return isText(value) ? value.toString() : fallback;
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
    return fallback;
}

QByteArray PreferenceStore::bytes(const QString& key, const QByteArray& fallback) const {
    const QVariant value = m_settings.value(key);
    return value.typeId() == QMetaType::QByteArray ? value.toByteArray() : fallback;
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
    m_settings.remove(key);
    m_settings.sync();
}

void PreferenceStore::write(const QString& key, const QVariant& value) {
    m_settings.setValue(key, value);
    m_settings.sync();
    if (m_settings.status() != QSettings::NoError)
        Log::write(u"Brevimar preferences not saved: cannot write "_s + m_settings.fileName());
}
