#include "GSettingsKey.h"

#include "platform/Log.h"

#include <QAbstractEventDispatcher>
#include <QFile>
#include <QLibrary>
#include <QStandardPaths>

#include <type_traits>

using namespace Qt::StringLiterals;

// The few functions of GIO and GObject that following one key takes, with GLib's types spelled
// out: gboolean is an int, gulong an unsigned long.
struct GSettingsKey::Gio {
    void* (*defaultSource)();
    void* (*lookup)(void* source, const char* schema, int recursive);
    int (*hasKey)(void* schema, const char* key);
    void (*unrefSchema)(void* schema);
    void* (*newSettings)(void* schema, void* backend, const char* path);
    int (*getBoolean)(void* settings, const char* key);
    unsigned long (*connect)(void* instance, const char* signal, void (*handler)(), void* data,
                             void* destroy, int flags);
    void (*disconnect)(void* instance, unsigned long handler);
    void (*unref)(void* object);

    // Loaded once and never unloaded, since GLib's types cannot be unregistered; none when GIO
    // is missing.
    static const Gio* load();
};

const GSettingsKey::Gio* GSettingsKey::Gio::load() {
    static const Gio* loaded = []() -> const Gio* {
        static QLibrary library(u"gio-2.0"_s, 0);
        if (!library.load()) {
            Log::write(u"Brevimar GSettings: no GIO: "_s + library.errorString());
            return nullptr;
        }
        static Gio functions;
        // dlsym looks through what GIO brought along too, GObject among it.
        const auto resolve = [](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                library.resolve(name));
            return function != nullptr;
        };
        const bool complete =
            resolve(functions.defaultSource, "g_settings_schema_source_get_default") &&
            resolve(functions.lookup, "g_settings_schema_source_lookup") &&
            resolve(functions.hasKey, "g_settings_schema_has_key") &&
            resolve(functions.unrefSchema, "g_settings_schema_unref") &&
            resolve(functions.newSettings, "g_settings_new_full") &&
            resolve(functions.getBoolean, "g_settings_get_boolean") &&
            resolve(functions.connect, "g_signal_connect_data") &&
            resolve(functions.disconnect, "g_signal_handler_disconnect") &&
            resolve(functions.unref, "g_object_unref");
        return complete ? &functions : nullptr;
    }();
    return loaded;
}

bool GSettingsKey::schemaInstalled(const QString& schema) {
    // The folders GLib reads, in its order: GSETTINGS_SCHEMA_DIR, then glib-2.0/schemas under
    // each data folder.
    QStringList folders =
        qEnvironmentVariable("GSETTINGS_SCHEMA_DIR").split(u':', Qt::SkipEmptyParts);
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        folders.append(data + u"/glib-2.0/schemas"_s);
    const QString file = schema + u".gschema.xml"_s;
    for (const QString& folder : std::as_const(folders)) {
        if (QFile::exists(folder + u'/' + file))
            return true;
    }
    return false;
}

GSettingsKey::GSettingsKey(const QByteArray& schema, const QByteArray& key, QObject* parent)
    : QObject(parent)
    , m_gio(Gio::load())
    , m_key(key) {
    if (!m_gio)
        return;
    // g_settings_new would abort the program for a schema that is not installed.
    void* source = m_gio->defaultSource();
    void* found = source ? m_gio->lookup(source, schema.constData(), true) : nullptr;
    if (!found) {
        Log::write(u"Brevimar GSettings: no schema %1"_s.arg(QString::fromLatin1(schema)));
        return;
    }
    if (m_gio->hasKey(found, key.constData()))
        m_settings = m_gio->newSettings(found, nullptr, nullptr);
    m_gio->unrefSchema(found);
    if (!m_settings)
        return;
    const QByteArray signal = "changed::" + key;
    m_handler =
        m_gio->connect(m_settings, signal.constData(),
                       reinterpret_cast<void (*)()>(&GSettingsKey::onChanged), this, nullptr, 0);
    // GSettings tells of changes only to a key read since the handler was connected.
    read();
    const QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher || !dispatcher->inherits("QEventDispatcherGlib"))
        Log::write(u"Brevimar GSettings: no GLib main loop; changes to %1 go unseen"_s.arg(
            QString::fromLatin1(key)));
}

GSettingsKey::~GSettingsKey() {
    if (!m_settings)
        return;
    m_gio->disconnect(m_settings, m_handler);
    m_gio->unref(m_settings);
}

void GSettingsKey::onChanged(void* settings, const char* key, void* self) {
    Q_UNUSED(settings)
    Q_UNUSED(key)
    static_cast<GSettingsKey*>(self)->read();
}

void GSettingsKey::read() {
    const bool value = m_gio->getBoolean(m_settings, m_key.constData()) != 0;
    if (m_value == value)
        return;
    m_value = value;
    Q_EMIT changed();
}
