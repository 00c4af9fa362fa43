#pragma once
// Crew out, doors, leaving the map and burning out.

#include <cstdint>

namespace kv {

// The person in the vehicle's seat gets out beside it: at the door, or at the hatch for the
// jump-cushion team, and then a little along the vehicle's side until it stands free on the map.
// A casualty is pushed free instead. Without a free spot (or without a way out there) the person
// stays in its seat. The person's index; -1 for an empty seat or one the vehicle does not have.
std::int16_t PlacePersonBesideFahrzeug(std::int32_t seat, std::int16_t vehicle);

// Door open for a ticks; when a reaches 4 the occupants get out (b = 1: only the staff).
void RunFahrzeugBefehl40(std::int16_t vehicle);
// Door or hatch open for a ticks.
void RunFahrzeugBefehl41(std::int16_t vehicle);
// Leaves the map at the mission's exit point once near enough to it; anywhere else the queue is
// cleared.
void RunFahrzeugBefehl42(std::int16_t vehicle);
// Burns out under the explosion in special object a (of type b): off the map at its trigger
// frame, destroyed when it has ended.
void RunFahrzeugBefehl44(std::int16_t vehicle);

}  // namespace kv
