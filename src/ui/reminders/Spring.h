#pragma once

#include <QEasingCurve>

// A damped spring as an easing curve, and how long the animation must run to settle.
struct Spring {
    QEasingCurve curve;
    int durationMs;

    static Spring completion();     // response 0.45 s, damping 0.8
    static Spring notch();          // response 0.42 s, damping 0.82
    static Spring notchContainer(); // response 0.45 s, damping 0.82
};
