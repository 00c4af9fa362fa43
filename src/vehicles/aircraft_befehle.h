#pragma once
// The fire-fighting aircraft's fly-over.
//
// Declared here for the vehicle order interpreter; until the aircraft's orders come, each does
// nothing and the order stays at the head.

#include <cstdint>

namespace kv {

// The aircraft flies along x.
void RunFahrzeugBefehl49(std::int16_t vehicle);
// The aircraft drops water.
void RunFahrzeugBefehl50(std::int16_t vehicle);

}  // namespace kv
