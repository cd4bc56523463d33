#include "CalendarModule.h"

#include "EdsCalendarModule.h"
#include "platform/Log.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

CalendarModule::CalendarModule(const QString& path, QObject* parent)
    : CalendarStore(parent)
    , m_library(path) {}

// The store goes before the library would; the library itself is never unloaded, since GLib
// types cannot be unregistered.
CalendarModule::~CalendarModule() {
    delete m_store;
}

QString CalendarModule::installedPath() {
    return QCoreApplication::applicationDirPath() + u"/" BREVIMAR_MODULE_DIR "/"_s +
           QString::fromLatin1(EdsCalendarModule::fileName);
}

bool CalendarModule::load() {
    if (m_store)
        return true;
    auto create =
        reinterpret_cast<EdsCalendarModule::Create>(m_library.resolve(EdsCalendarModule::entry));
    if (!create) {
        Log::write(u"Brevimar calendar: no calendar module: "_s + m_library.errorString());
        return false;
    }
    m_store = create(&Log::write);
    // The module carries its own copy of the store's class, so the signal is joined by name.
    connect(m_store, SIGNAL(changed()), this, SIGNAL(changed()));
    return true;
}

CalendarStore::Status CalendarModule::status() const {
    if (m_store)
        return m_store->status();
    return m_missing ? Status::denied : Status::notDetermined;
}

void CalendarModule::requestAccess(std::function<void(bool granted)> done) {
    if (load()) {
        m_store->requestAccess(std::move(done));
        return;
    }
    m_missing = true;
    if (done)
        QMetaObject::invokeMethod(
            this, [done = std::move(done)] { done(false); }, Qt::QueuedConnection);
}

QList<CalendarInfo> CalendarModule::calendars() {
    return m_store ? m_store->calendars() : QList<CalendarInfo>();
}

QList<CalendarEvent> CalendarModule::events(const QDateTime& from, const QDateTime& to) {
    return m_store ? m_store->events(from, to) : QList<CalendarEvent>();
}
