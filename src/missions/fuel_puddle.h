#pragma once
// Leaked fuel lying as a special object, which a fire-fighter with the binding agent takes up.

#include <cstdint>

namespace kv {

struct Person;

// The special-object type of a fuel puddle.
inline constexpr std::int16_t kFuelPuddleTyp = 20;

// Whether the selection mode is one fire-fighter carrying the binding agent (types 8, 16, 21).
constexpr bool BinderSelection(std::int16_t mode) {
    return mode == 1008 || mode == 1016 || mode == 1021;
}

// The person walks to whichever end of the puddle in the slot it reaches first (left facing 2,
// right facing 10), binds the fuel in five work cycles and takes the puddle away; e is the
// binding order's own.
void SendBinderToFuel(Person& binder, std::int16_t slot, std::uint32_t e);

}  // namespace kv
