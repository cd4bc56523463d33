#include "Sound.h"

#include <canberra.h>

CanberraSound::~CanberraSound() {
    if (m_context)
        ca_context_destroy(m_context);
}

void CanberraSound::play() {
    // Made on first use: most runs never play a sound, and a machine without audio should not
    // pay for a connection to the sound server at start-up.
    if (!m_context && !m_failed) {
        if (ca_context_create(&m_context) != CA_SUCCESS) {
            m_context = nullptr;
            m_failed = true;
            return;
        }
        ca_context_change_props(m_context, CA_PROP_APPLICATION_NAME, "Brevimar",
                                CA_PROP_APPLICATION_ID, "com.tovanex.Brevimar", nullptr);
    }
    if (!m_context)
        return;
    if (ca_context_play(m_context, 0, CA_PROP_EVENT_ID, "message-new-instant",
                        CA_PROP_EVENT_DESCRIPTION, "Brevimar reminder", nullptr) != CA_SUCCESS)
        ca_context_play(m_context, 0, CA_PROP_EVENT_ID, "bell", nullptr);
}
