#pragma once
// The world view: which world point lies at its top-left corner.

#include <cstdint>

namespace kv {

struct ViewPoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
};
extern ViewPoint ViewOrigin;

void ResetView();

}  // namespace kv
