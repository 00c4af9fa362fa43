#pragma once
// Where persons stand beside a vehicle: at its door, at its equipment compartments and at its
// hatch.

#include <cstdint>

namespace kv {

// A point beside a vehicle, and the facing a person takes there, turned towards the vehicle.
struct FahrzeugPunkt {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint8_t facing = 0;
};

using FahrzeugPunktLookup = FahrzeugPunkt (*)(std::int16_t vehicle, std::int16_t person);

// The point at the vehicle's equipment compartment for that person. The door and side tables
// fill the lookup when they come; until then (or for an index that names no vehicle) it is the
// vehicle's own position, facing 0.
FahrzeugPunkt GetFahrzeugSidePoint(std::int16_t vehicle, std::int16_t person);
// Null goes back to the vehicle's own position.
void SetFahrzeugSidePointLookup(FahrzeugPunktLookup lookup);
// The compartment on the other side, the door and the F108's rear hatch. Until the door and side
// tables come, each is the vehicle's own whole position, facing 0, or (0, 0) for an index that
// names no vehicle.
FahrzeugPunkt GetFahrzeugOtherSidePoint(std::int16_t vehicle, std::int16_t person);
FahrzeugPunkt GetFahrzeugDoorPoint(std::int16_t vehicle, std::int16_t person);
FahrzeugPunkt GetFahrzeugHatchPoint(std::int16_t vehicle, std::int16_t person);

}  // namespace kv
