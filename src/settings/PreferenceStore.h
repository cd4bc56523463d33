#pragma once

#include <QByteArray>
#include <QSettings>
#include <QString>
#include <QStringList>

// Typed per-user preferences of one domain, kept as an INI file. INI keeps no types, so every
// read checks the stored text: a missing key, or a value that is not of the asked type, gives the
// caller's fallback. Every write reaches the file at once.
class PreferenceStore {
public:
    // The domain "com.tovanex.Brevimar" lives in $XDG_CONFIG_HOME/tovanex/Brevimar.conf.
    explicit PreferenceStore(const QString& domain);

    static QString filePath(const QString& domain);
    QString fileName() const { return m_settings.fileName(); }

    bool contains(const QString& key) const;
    QStringList keys() const;

    qint64 integer(const QString& key, qint64 fallback) const;
    bool boolean(const QString& key, bool fallback) const;
    QString string(const QString& key, const QString& fallback) const;
    QStringList stringList(const QString& key, const QStringList& fallback) const;
    QByteArray bytes(const QString& key, const QByteArray& fallback) const;

    void setInteger(const QString& key, qint64 value);
    void setBoolean(const QString& key, bool value);
    void setString(const QString& key, const QString& value);
    void setStringList(const QString& key, const QStringList& value);
    void setBytes(const QString& key, const QByteArray& value);
    void remove(const QString& key);

private:
    void write(const QString& key, const QVariant& value);

    mutable QSettings m_settings;
};
