#pragma once
// The evade vector that pushes controlled persons aside: fire heat, explosions, water jets,
// passing units and the evade step itself add impulses to it within a tick, and each tick the
// person steps away from where the sum points.

#include <cstdint>

#include "persons/person.h"

namespace kv {

// A push by heat, a passing vehicle or the crowd cannon lasts this many ticks; a vehicle (and the
// cannon) pushes this hard. A push of exactly that strength replaces the sum instead of adding.
inline constexpr std::int8_t kPushTicks = 8;
inline constexpr std::int32_t kVehiclePushStrength = 20000000;
// evadeLastDir after an impulse from a source other than the last one.
inline constexpr std::uint8_t kEvadeNewSource = 255;

// No evade impulse pending; the next one starts a new sum.
void ResetPersonEvade(Person& person);

// Pushes the person away from (x, y) with that strength for at least that many ticks. Kind 0 is
// a push by heat or a passing unit, which holds its direction for a while; any other kind names
// its source by id (-1 none). A negative strength, or a source on the person's own point, adds
// nothing.
void SetPersonEvade(std::int16_t person, float x, float y, std::int32_t strength, std::int8_t ticks,
                    std::uint8_t kind, std::int16_t id);

// Tests of the callers put a stand-in here: while it is set, every SetPersonEvade goes to it and
// the push itself is not made.
struct PersonEvadeWatch {
    void (*set)(std::int16_t person, float x, float y, std::int32_t strength, std::int8_t ticks,
                std::uint8_t kind, std::int16_t id) = nullptr;
};
extern PersonEvadeWatch PersonEvadeWatcher;

// Whether no push is pending: both components of the evade vector below half a pixel.
bool IsPersonEvadeIdle(std::int16_t person);
// One step of a controlled person away from what pushes it, trying the directions beside the
// pushed one in turn; a controlled person in the way that carries nothing is pushed on in turn.
void StepPersonEvade(std::int16_t person);
// Every tick for a controlled person: the next push starts a new sum, and a vector whose ticks
// have run out is dropped.
void CountPersonEvade(std::int16_t person);

// The direction 0..11 of the vector (x, y), by its angle to the upward vector (0, up) (up
// negative) in sectors of 30 degrees that start 15 degrees left of up. A zero vector keeps
// current.
std::uint8_t DirectionFromUpward(float x, float y, float up, std::uint8_t current);
// The direction of an evade vector.
inline std::uint8_t VectorToDirection12(float x, float y, std::uint8_t current) {
    return DirectionFromUpward(x, y, -static_cast<float>(kVehiclePushStrength), current);
}

}  // namespace kv
