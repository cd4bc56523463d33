#include "EdsCalendarModule.h"
#include "EdsCalendarStore.h"
#include "platform/Log.h"

extern "C" Q_DECL_EXPORT CalendarStore*
brevimar_create_calendar_store(void (*log)(const QString&)) {
    Log::setSink(log);
    return new EdsCalendarStore;
}

// Catches a change of the agreed signature at compile time.
[[maybe_unused]] static constexpr EdsCalendarModule::Create checked =
    &brevimar_create_calendar_store;
