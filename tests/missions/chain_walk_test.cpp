// The search for the point a walk along chains starts at: the nearest point at least 101 px away,
// where a later list wins only with a nearer point.

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "missions/chain_walk.h"

namespace kv {
namespace {

struct FarCase {
    const char* what;
    std::vector<Point16> first;
    std::vector<Point16> second;
    int expectFirst;
    int expectSecond;
    std::int32_t expectBest;
};

TEST(NearestFarPoint, TakesTheNearestPointBeyond100AndALaterListOnlyWhenNearer) {
    const Point16 from{1000, 1000};
    const std::array<FarCase, 6> cases = {{
        {"100 px is too near", {{1100, 1000}}, {}, -1, -1, kFarPointBound},
        {"101 px counts", {{1100, 1000}, {1101, 1000}}, {}, 1, -1, 101},
        {"a tie goes to the first", {{1000, 1200}, {1200, 1000}}, {}, 0, -1, 200},
        {"a later list wins when nearer", {{1300, 1000}}, {{1000, 1150}}, 0, 0, 150},
        {"and not when as far", {{1300, 1000}}, {{1000, 1300}, {700, 1000}}, 0, -1, 300},
        {"none beyond 100", {{1000, 1000}, {1050, 1050}}, {{1099, 1000}}, -1, -1, kFarPointBound},
    }};
    for (const FarCase& c : cases) {
        SCOPED_TRACE(c.what);
        std::int32_t best = kFarPointBound;
        EXPECT_EQ(NearestFarPoint(c.first, from, best), c.expectFirst);
        EXPECT_EQ(NearestFarPoint(c.second, from, best), c.expectSecond);
        EXPECT_EQ(best, c.expectBest);
    }
}

}  // namespace
}  // namespace kv
