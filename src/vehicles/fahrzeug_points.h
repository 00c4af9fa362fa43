#pragma once
// Where persons stand beside a vehicle: at its door, at its equipment compartments and at its
// hatch. Each point lies by the vehicle's type and facing either at a fixed offset from the
// vehicle's draw corner or just outside its box, so far that the person's box stays 2 px clear.

#include <cstdint>

namespace kv {

// On which side of the vehicle's box a point lies, by the markers that placed it.
inline constexpr std::uint8_t kPunktRight = 1;
inline constexpr std::uint8_t kPunktBelow = 2;
inline constexpr std::uint8_t kPunktLeft = 4;
inline constexpr std::uint8_t kPunktAbove = 8;
inline constexpr std::uint8_t kPunktBootPunkt = 16;  // the exit of the boat point the boat is on

// A point beside a vehicle, the facing a person takes there, turned towards the vehicle, and the
// side flags above. Flags 0 from the door point mean no way out there: the boat off its points,
// or an index or facing that names nothing.
struct FahrzeugPunkt {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint8_t facing = 0;
    std::uint8_t flags = 0;
};

// For an index that names no vehicle in use the points are (0, 0); for a person that names none,
// or a facing of either outside 0..11, the vehicle's own whole position; flags 0 in both cases.
FahrzeugPunkt GetFahrzeugDoorPoint(std::int16_t vehicle, std::int16_t person);
// The equipment compartment, and the one on the other side; a type without one gives the door.
FahrzeugPunkt GetFahrzeugSidePoint(std::int16_t vehicle, std::int16_t person);
FahrzeugPunkt GetFahrzeugOtherSidePoint(std::int16_t vehicle, std::int16_t person);
// The F108's rear hatch; any other type gives its door.
FahrzeugPunkt GetFahrzeugHatchPoint(std::int16_t vehicle, std::int16_t person);

// The facing towards the vehicle of a person at a door with these side flags.
std::uint8_t FacingTowardsDoor(std::uint8_t flags);

}  // namespace kv
