#pragma once
// Boat orders at boat points and pontoons.
//
// Declared here for the vehicle order interpreter; until the boat orders come, each does nothing
// and the order stays at the head.

#include <cstdint>

namespace kv {

// A boat passes a pontoon chain.
void RunFahrzeugBefehl69(std::int16_t vehicle);
// Launch the boat at a boat point.
void RunFahrzeugBefehl71(std::int16_t vehicle);
// Take the boat back at a boat point.
void RunFahrzeugBefehl72(std::int16_t vehicle);

}  // namespace kv
