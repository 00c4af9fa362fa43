#pragma once
// Helicopter orders: landing, taking off, taking a person aboard and setting it down.
//
// The rescue helicopter (F203) flies on layer -1; its point there lies 177 px above the ground
// under it. Landed, it stands on layer 0 over a landing object (link2) whose frames run the
// rotor's slowing down; with a person winched aboard it becomes the F203B until it sets the
// person down.

#include <cstdint>

namespace kv {

// How far the helicopter's point in the air lies above the ground under it.
inline constexpr float kHeliFlightHeight = 177.0f;

// The helicopter lands at the ground point: it takes off first if it stands, flies to the air
// point above, turns to facing 3 and lands.
void OrderFahrzeugLandAt(std::int16_t vehicle, std::int16_t x, std::int16_t y);

// The helicopter lands. a, b: the air point.
void RunFahrzeugBefehl51(std::int16_t vehicle);
// The helicopter takes off.
void RunFahrzeugBefehl52(std::int16_t vehicle);
// The helicopter takes a person aboard. a, b: its ground point; c: the person.
void RunFahrzeugBefehl78(std::int16_t vehicle);
// The helicopter sets its person down. a, b: its ground point.
void RunFahrzeugBefehl79(std::int16_t vehicle);

}  // namespace kv
