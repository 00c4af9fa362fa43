// The height of a thrown arc.

#include "world/ballistics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kv {
namespace {

TEST(Ballistics, HeightAlongTheArc) {
    // 100 px at 45 degrees and 40 px a tick: 100 - 9.81 * 100^2 / (2 * 40^2 * 0.5).
    EXPECT_NEAR(BallisticHeight(100, 40, kCos45, kTan45), 100 - 9.81 * 10000 / 1600, 1e-9);
    EXPECT_EQ(BallisticHeight(0, 40, kCos45, kTan45), 0.0);
    EXPECT_LT(BallisticHeight(400, 40, kCos45, kTan45), 0.0) << "past the landing point";
    // A speed that is not positive and finite is the straight line.
    for (float v : {0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN(),
                    std::numeric_limits<float>::infinity()})
        EXPECT_EQ(BallisticHeight(30, v, 0.5, 2.0), 60.0) << v;
}

}  // namespace
}  // namespace kv
