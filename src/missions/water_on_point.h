#pragma once
// Water on the point under the mouse: the selected cannon vehicle sprays the special object there,
// driving up first when the point lies beyond its cannon's range.

#include <cstdint>

namespace kv {

// Gives the orders and says whether it did: only a used vehicle with a water cannon at
// SelectedIndex, under a vehicle selection, is sent. The caller decides whether the click counts
// as consumed.
bool WaterOnPoint(std::int16_t slot);

}  // namespace kv
