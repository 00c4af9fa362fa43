#include "world/ballistics.h"

#include <cmath>

namespace kv {

double BallisticHeight(std::int16_t x, float v, double c, double t) {
    const double d = x;
    if (!(v > 0.0f) || !std::isfinite(v)) return d * t;
    const double speed = v;
    return d * t - kGravity * d * d / (2.0 * speed * speed * c * c);
}

}  // namespace kv
