#pragma once

#include <QString>

#include <optional>

// Whether a camera or a microphone is in use or the screen is being shared, checked on each call.
class MediaProbe {
public:
    virtual ~MediaProbe() = default;
    // The name of the first camera in use, "camera" when it has none; none when no camera runs.
    virtual std::optional<QString> cameraInUse() = 0;
    // "Zoom" for Zoom's sharing, else the sharing program's display name or "Screen Sharing";
    // none when nothing shares the screen.
    virtual std::optional<QString> screenShareApp() = 0;
    // The name of the first application recording from a microphone; none when nothing records,
    // or when the microphone cannot be seen.
    virtual std::optional<QString> microphoneInUse() = 0;
    // Whether this computer lets microphones be seen at all.
    virtual bool seesMicrophone() = 0;
};
