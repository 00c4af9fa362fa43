#pragma once
// Casualties that a wreck holds: kept out of the world, bleeding, until the rescue frees them and
// lays them beside it.

#include <cstdint>

namespace kv {

// A casualty held by the special object in the slot: created at (0, 0) on the ground facing 3,
// then off the map and absent, with no ground object under it (the one the creation lays for a
// loaded type goes at once). The object's user names it. Its index, or -1 when it could not be
// created.
std::int16_t CreateHeldCasualty(std::int8_t type, std::int32_t energy, std::uint16_t loss,
                                std::int16_t heal, std::int16_t object);

// The person the object holds, while it is still held (in use, off the map and absent), comes
// back into the world at (x, y), is pushed free in the mask's directions and gets its ground
// object. The object holds nobody afterwards, whatever its user named.
void ReleaseHeldPerson(std::int16_t object, float x, float y, std::uint8_t mask);

}  // namespace kv
