#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

// One boolean key of GSettings, read through GIO loaded when the key is first wanted
// (libgio-2.0.so.0): linked in, GIO and GObject would be mapped at every start on every desktop,
// for a key that only GNOME has. Changes arrive through GLib's main loop, which Qt's event loop
// runs on Linux.
class GSettingsKey final : public QObject {
    Q_OBJECT

public:
    // Loads GIO and follows the key; the value stays none when GIO, the schema or the key is
    // missing.
    GSettingsKey(const QByteArray& schema, const QByteArray& key, QObject* parent = nullptr);
    ~GSettingsKey() override;
    GSettingsKey(const GSettingsKey&) = delete;
    GSettingsKey& operator=(const GSettingsKey&) = delete;

    // Whether the schema's definition lies in a folder GLib reads schemas from: known without
    // loading GIO.
    static bool schemaInstalled(const QString& schema);

    std::optional<bool> value() const { return m_value; }

Q_SIGNALS:
    void changed();

private:
    struct Gio;
    static void onChanged(void* settings, const char* key, void* self);
    void read();

    const Gio* m_gio = nullptr;
    void* m_settings = nullptr;
    unsigned long m_handler = 0;
    QByteArray m_key;
    std::optional<bool> m_value;
};
