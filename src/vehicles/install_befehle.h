#pragma once
// Installing, taking down and the ladder basket.
//
// Declared here for the vehicle order interpreter; until the installing and basket orders come,
// each does nothing and the order stays at the head.

#include <cstdint>

namespace kv {

// Set up at the point.
void RunFahrzeugBefehl57(std::int16_t vehicle);
// Lower the basket.
void RunFahrzeugBefehl58(std::int16_t vehicle);
// Raise the basket.
void RunFahrzeugBefehl59(std::int16_t vehicle);
// Move the basket to a column and position.
void RunFahrzeugBefehl60(std::int16_t vehicle);
// Take down.
void RunFahrzeugBefehl62(std::int16_t vehicle);
// A person enters the basket from a house.
void RunFahrzeugBefehl63(std::int16_t vehicle);
// A person steps from the basket into the house.
void RunFahrzeugBefehl68(std::int16_t vehicle);

}  // namespace kv
