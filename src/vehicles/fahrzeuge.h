#pragma once
// The vehicle array of a mission: player vehicles, the mission's own, civilian traffic, parked
// cars, boats, the helicopter, the aircraft and the shark. A slot is free while its type is -1.
// The mission's vehicle set-up sizes the array and creates its vehicles; the array lives until
// the mission ends.

#include <cstdint>
#include <vector>

#include "core/unit_head.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeug_typ.h"

namespace kv {

// Set by the mission's vehicle set-up before it calls AllocFahrzeuge.
extern std::int16_t FahrzeugCount;
extern std::vector<Fahrzeug> Fahrzeuge;

// The vehicle of an index; null outside the array.
Fahrzeug* FahrzeugAt(std::int32_t index);
// The vehicle of an index that is in use; null for a free slot or outside the array.
Fahrzeug* UsedFahrzeugAt(std::int32_t index);
// The vehicle an order handler works on: in use and holding orders; null otherwise.
Fahrzeug* RunningFahrzeug(std::int32_t index);
// The type record of a vehicle in use.
const FahrzeugTyp& FahrzeugTypOf(const Fahrzeug& vehicle);
// The animation the vehicle shows now.
const AnimSlot& FahrzeugAnim(const Fahrzeug& vehicle);
// The draw corner: the whole position minus the hot spot of the current animation.
void UpdateFahrzeugDrawPos(Fahrzeug& vehicle);

// FahrzeugCount slots with the free defaults; the vehicle view reaches them.
void AllocFahrzeuge();
// Mission end: every vehicle's sound, orders and blocks, then the array, then every type.
void FreeFahrzeuge();
// The first free slot, or -1 when the array is full.
std::int16_t FindFreeFahrzeug();
// A new vehicle (owner: the mission) in the first free slot, waiting for SetupFahrzeug; -1 when
// the array is full, for the empty type 24, a type outside 0..46 or a facing outside 0..11.
std::int16_t CreateFahrzeug(std::int32_t type, std::int16_t x, std::int16_t y, std::int32_t facing);
// Switches the animation and restarts it.
void SetFahrzeugAnim(std::int16_t index, std::int8_t anim);
// Completes a created vehicle: layer, draw corner, movement state, seats, cannon with its jet
// object, ladder basket, counters.
void SetupFahrzeug(std::int16_t index, std::uint8_t owner);
// Mission start: the mission's player types, the mission's vehicle set-up, then every vehicle's
// type loaded and the vehicle set up (owner 0 left by the set-up counts as bought). False after
// a fatal error.
bool InitFahrzeuge(int mission);

// How a vehicle leaves play.
inline constexpr std::uint8_t kRemoveDestroyed = 0;  // occupants die, the loss is counted
inline constexpr std::uint8_t kRemoveDrivenOff = 1;

// Takes the vehicle out of play with its occupants, what it carries and the objects it set up.
// A free slot or an index outside the array is left alone.
void RemoveFahrzeug(std::int16_t index, std::uint8_t mode);
// The persons in the seats go with the vehicle: dead when it is destroyed; a stretcher patient
// in an ambulance or the helicopter below its threshold counts as dead when driven off too.
void RemoveFahrzeugOccupants(std::int16_t index, std::uint8_t mode);
// A medic treating or reviving the person stops and stands; nothing for a person that nobody
// treats, or whose medic the link does not name.
void ReleaseTreatingMedic(std::int32_t person);
// What the vehicle set up on the ground goes: the helicopter's landing object, the tent being
// pitched, or the standing tent with its beds and whoever is inside. Each link is freed once and
// then names nothing, so a second call does nothing.
void ReleaseFahrzeugSetUp(std::int16_t index);
// The tent vehicle's beds, from the last laid to the first (whoever lies on one getting up), and
// its tent go; the link and the bed list then name nothing. Those standing inside stay.
void FoldTent(std::int16_t index);
// The loaded crane's load goes with it: the carried vehicle or special object is freed.
void ReleaseCarriedByFahrzeug(std::int16_t index);

// The special object a vehicle pushed last; 0xFFFF none. Ignored for a unit that is not in the
// vehicle array.
void SetFahrzeugPushedObject(UnitHead& vehicle, std::uint16_t object);
// Whether the vehicle's box overlaps the box of another used, present vehicle on its layer; a
// box is the current animation's box at the draw corner, and touching edges count. False for an
// index that names no vehicle in use.
bool TestFahrzeugOverlap(std::int16_t index);
// How many of the vehicle's seats are taken; 0 for an index that names no vehicle.
int CountTakenSeats(std::int32_t vehicle);

}  // namespace kv
