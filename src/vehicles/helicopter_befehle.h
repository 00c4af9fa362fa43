#pragma once
// Helicopter orders: landing, taking off, taking a person aboard and setting it down.
//
// Declared here for the vehicle order interpreter; until the helicopter orders come, each does
// nothing and the order stays at the head.

#include <cstdint>

namespace kv {

// The helicopter lands.
void RunFahrzeugBefehl51(std::int16_t vehicle);
// The helicopter takes off.
void RunFahrzeugBefehl52(std::int16_t vehicle);
// The helicopter takes a person aboard.
void RunFahrzeugBefehl78(std::int16_t vehicle);
// The helicopter sets its person down.
void RunFahrzeugBefehl79(std::int16_t vehicle);

}  // namespace kv
