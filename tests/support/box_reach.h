#pragma once
// Checks that a box reach covers every box a type's animations have.

#include <gtest/gtest.h>

#include "core/unit_views.h"
#include "movement/unit_type.h"

namespace kv::test {

inline void ExpectReachCovers(const AnimBoxReach& reach, const UnitTypHead& typ, int type) {
    for (std::size_t d = 0; d < typ.dirAnims.size(); ++d) {
        if (typ.dirAnims[d] == nullptr) continue;
        for (int a = 0; a < typ.animCount; ++a) {
            const auto& b = typ.dirAnims[d][a].box;
            EXPECT_TRUE(b[0] >= reach.left && b[1] >= reach.top && b[2] <= reach.right &&
                        b[3] <= reach.bottom)
                << "type " << type << " direction " << d << " animation " << a;
            for (std::int16_t v : b) EXPECT_TRUE(v >= reach.least && v <= reach.greatest);
        }
    }
}

}  // namespace kv::test
