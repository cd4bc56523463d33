#include "Spring.h"

#include <cmath>
#include <numbers>

namespace {
// Position of a spring released from 0 towards 1 after `seconds`.
double position(double seconds, double response, double damping) {
    const double omega = 2 * std::numbers::pi / response;
    const double decay = damping * omega;
    const double omegaD = omega * std::sqrt(1 - damping * damping);
    return 1 - std::exp(-decay * seconds) *
                   (std::cos(omegaD * seconds) + decay / omegaD * std::sin(omegaD * seconds));
}

// Easing curves take a plain function, so each spring gets its own instantiation. The animation
// runs one and a half responses, by which time the spring is within a thousandth of rest.
template <int ResponseMs, int DampingPermille> qreal springStep(qreal progress) {
    if (progress >= 1)
        return 1;
    const double duration = 1.5 * ResponseMs / 1000.0;
    return position(progress * duration, ResponseMs / 1000.0, DampingPermille / 1000.0);
}

template <int ResponseMs, int DampingPermille> Spring spring() {
    QEasingCurve curve;
    curve.setCustomType(&springStep<ResponseMs, DampingPermille>);
    return {curve, int(1.5 * ResponseMs)};
}
} // namespace

Spring Spring::completion() {
    return spring<450, 800>();
}
Spring Spring::notch() {
    return spring<420, 820>();
}
Spring Spring::notchContainer() {
    return spring<450, 820>();
}
