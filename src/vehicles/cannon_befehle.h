#pragma once
// Water-cannon orders: the cannon at a map point, at a house cell, at a special object.
//
// Declared here for the vehicle order interpreter; until the water-cannon orders come, each does
// nothing and the order stays at the head.

#include <cstdint>

namespace kv {

// Water cannon at a map point.
void RunFahrzeugBefehl53(std::int16_t vehicle);
// Water cannon at a house cell.
void RunFahrzeugBefehl55(std::int16_t vehicle);
// Water cannon at a special object.
void RunFahrzeugBefehl67(std::int16_t vehicle);

}  // namespace kv
