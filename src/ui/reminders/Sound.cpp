#include "Sound.h"

#include <QLibrary>

#include <canberra.h>

namespace {

// libcanberra and the codecs it brings in are loaded with the first sound, not at start-up: many
// days pass without one.
struct Canberra {
    decltype(&ca_context_create) create = nullptr;
    decltype(&ca_context_destroy) destroy = nullptr;
    decltype(&ca_context_change_props) changeProps = nullptr;
    decltype(&ca_context_play) play = nullptr;
};

const Canberra* canberra() {
    static const Canberra* const loaded = []() -> const Canberra* {
        static QLibrary library(QStringLiteral("canberra"), 0);
        static Canberra functions;
        const auto resolve = [](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(
                library.resolve(name));
            return function != nullptr;
        };
        if (resolve(functions.create, "ca_context_create") &&
            resolve(functions.destroy, "ca_context_destroy") &&
            resolve(functions.changeProps, "ca_context_change_props") &&
            resolve(functions.play, "ca_context_play"))
            return &functions;
        return nullptr;
    }();
    return loaded;
}

} // namespace

CanberraSound::~CanberraSound() {
    if (m_context)
        canberra()->destroy(m_context);
}

void CanberraSound::play() {
    // Made on first use: most runs never play a sound, and a machine without audio should not
    // pay for a connection to the sound server at start-up.
    const Canberra* ca = m_failed ? nullptr : canberra();
    if (!m_context && ca) {
        if (ca->create(&m_context) != CA_SUCCESS)
            m_context = nullptr;
        else
            ca->changeProps(m_context, CA_PROP_APPLICATION_NAME, "Brevimar", CA_PROP_APPLICATION_ID,
                            "com.tovanex.Brevimar", nullptr);
    }
    if (!m_context) {
        m_failed = true;
        return;
    }
    if (ca->play(m_context, 0, CA_PROP_EVENT_ID, "message-new-instant", CA_PROP_EVENT_DESCRIPTION,
                 "Brevimar reminder", nullptr) != CA_SUCCESS)
        ca->play(m_context, 0, CA_PROP_EVENT_ID, "bell", nullptr);
}
