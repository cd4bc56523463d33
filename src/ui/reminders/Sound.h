#pragma once

// The short sound that comes with a reminder or message on screen ("Tink"). Behind an interface
// so tests can count what would have been heard.
class Sound {
public:
    virtual ~Sound() = default;
    virtual void play() = 0;
};

struct ca_context;

// The desktop's sound theme through libcanberra: the instant-message sound, or the bell where the
// theme has none. A sound that cannot be played is simply not heard; nothing is logged.
class CanberraSound final : public Sound {
public:
    CanberraSound() = default;
    ~CanberraSound() override;
    CanberraSound(const CanberraSound&) = delete;
    CanberraSound& operator=(const CanberraSound&) = delete;

    void play() override;

private:
    ca_context* m_context = nullptr;
    bool m_failed = false;
};
