#pragma once
// The mission's vehicles: the array's capacity, the mission start that loads the vehicle types and
// runs the mission's vehicle set-up, and the end that frees them. The vehicle records themselves
// (allocation, creation, set-up of each created vehicle, seats, pushed objects) come with the
// vehicle record work; until then the array holds nothing.

#include <cstdint>

#include "core/unit_head.h"

namespace kv {

// Slots of the vehicle array, set by the mission's vehicle set-up.
extern std::int16_t FahrzeugCount;

// Allocates FahrzeugCount free slots. Inert until the vehicle records exist.
void AllocFahrzeuge();
// Mission start: the player types the mission offers, then the mission's vehicle set-up; a
// mission without one is fatal ("InitFahrzeuge not defined").
void InitFahrzeuge(int mission);
// Mission end: every vehicle type is freed and the array is empty.
void FreeFahrzeuge();

// The special object a vehicle pushed last; 0xFFFF none. Reaches no vehicle until the vehicle
// records come.
void SetFahrzeugPushedObject(UnitHead& vehicle, std::uint16_t object);
// How many of the vehicle's seats are taken. 0 until the vehicle records come.
int CountTakenSeats(std::int32_t vehicle);

}  // namespace kv
