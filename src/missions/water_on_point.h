#pragma once
// Water on the point under the mouse: the selected cannon vehicle sprays the special object there,
// driving up first when the point lies beyond its cannon's range.

#include <cstdint>

namespace kv {

// Gives the orders and says whether it did: only a used vehicle with a water cannon at
// SelectedIndex, under a vehicle selection, is sent. The caller decides whether the click counts
// as consumed.
bool WaterOnPoint(std::int16_t slot);

// Whether the selection mode names one vehicle with a water cannon (F104, F105, F107, F115).
constexpr bool CannonSelection(std::int16_t mode) {
    return mode == 3 || mode == 4 || mode == 6 || mode == 13;
}

}  // namespace kv
