#pragma once

#include <QString>

#include <optional>

// Whether a camera is running or the screen is being shared, checked on each call.
class MediaProbe {
public:
    virtual ~MediaProbe() = default;
    // The name of the first camera in use, "camera" when it has none; none when no camera runs.
    virtual std::optional<QString> cameraInUse() = 0;
    // "Zoom" for Zoom's sharing, else the sharing program's display name or "Screen Sharing";
    // none when nothing shares the screen.
    virtual std::optional<QString> screenShareApp() = 0;
};
