#pragma once

#include "JsonFields.h"

#include <QByteArray>
#include <QSet>
#include <QSettings>
#include <QString>
#include <QStringList>

#include <optional>

// Typed per-user preferences of one domain, kept as an INI file. INI keeps no types, so every
// read checks the stored text: a missing key, or a value that is not of the asked type, gives the
// caller's fallback. Every write reaches the file at once. A stored value that could not be read
// is not lost to the next write of its key: it is first kept under "<key>.unreadable".
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
    // The JSON data under the key turned into a value by decode (a QJsonDocument to an optional
    // value); the fallback when the key is missing or its value does not decode.
    template <typename T, typename Decode>
    T json(const QString& key, T fallback, Decode decode) const {
        if (!contains(key))
            return fallback;
        std::optional<T> value = decode(JsonFields::decode(bytes(key, {})));
        if (value)
            return std::move(*value);
        markUnreadable(key);
        return fallback;
    }

    void setInteger(const QString& key, qint64 value);
    void setBoolean(const QString& key, bool value);
    void setString(const QString& key, const QString& value);
    void setStringList(const QString& key, const QStringList& value);
    void setBytes(const QString& key, const QByteArray& value);
    void remove(const QString& key);
    // Stores every key of the other domain that this one lacks, with its value as stored there.
    void copyMissingFrom(const QString& domain);

private:
    // Notes a stored value of the key that a read could not use.
    void markUnreadable(const QString& key) const;
    void keepAsideIfUnreadable(const QString& key);
    void write(const QString& key, const QVariant& value);

    mutable QSettings m_settings;
    mutable QSet<QString> m_unreadable;
};
