#pragma once
// Contamination: a contaminated person exposes the persons near it and loses energy every tick
// (the person update runs both), until a decontamination vehicle has taken it in through its
// side compartment and let it out clean (person orders 198 and 199).

#include <cstdint>

namespace kv {

struct TypedFahrzeug;

// Exposure at which a person is contaminated itself.
inline constexpr std::uint16_t kKontaminiertExposure = 100;
// A contaminated person exposes others closer than this (whole pixels).
inline constexpr std::int32_t kKontaminationReach = 80;
// What a contaminated person loses each tick.
inline constexpr std::int32_t kKontaminationLoss = 30;
// Ticks a person spends inside the decontamination vehicle.
inline constexpr std::int32_t kDecontaminationTicks = 200;

// Asks the vehicle to open its compartment (order 43 for 8 ticks, without a word), in place of
// whatever it was doing. Persons that wait at a compartment ask every tick until it shows open.
void OpenCompartment(const TypedFahrzeug& vehicle);

// The fire-fighters of the protective-suit family never take contamination.
bool KontaminationProof(std::int8_t type);

// One tick of the contaminated person's spread: every person on its storey closer than 80 px
// gains exposure by chance, 1 in 4 x the distance.
void SpreadKontamination(std::int16_t person);

// Order 198: a = the person that leads this one, or -1; b = the decontamination vehicle. From
// the vehicle's side point the person waits for the vehicle to open, goes in clean and waits
// there with order 199.
void EnterDecontamination(std::int16_t person);
// Order 199: a = the vehicle, b = ticks left inside. Then the person comes out beside the open
// vehicle, on the side point or as near to it along the vehicle's side as it fits.
void LeaveDecontamination(std::int16_t person);

}  // namespace kv
