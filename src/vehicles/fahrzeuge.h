#pragma once
// The mission's vehicles: the array's capacity, the mission start that loads the vehicle types and
// runs the mission's vehicle set-up, and the end that frees them. The vehicle records themselves
// (allocation, creation, set-up of each created vehicle) come with the vehicle record work; until
// then the array holds nothing.

#include <cstdint>

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

}  // namespace kv
