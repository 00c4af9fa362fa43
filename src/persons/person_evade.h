#pragma once
// The evade vector that pushes controlled persons aside.

#include <cstdint>

#include "persons/person.h"

namespace kv {

// A push by heat, a passing vehicle or the crowd cannon lasts this many ticks; a vehicle (and the
// cannon) pushes this hard.
inline constexpr std::int8_t kPushTicks = 8;
inline constexpr std::int32_t kVehiclePushStrength = 20000000;

// No evade impulse pending; the next one starts a new sum. The evade step itself comes with the
// onlooker and fight work.
void ResetPersonEvade(Person& person);

// Pushes the person away from (x, y) with that strength for a number of ticks; kind 0 is a push by
// heat or a passing unit, id the impulse's source (-1 none). Does nothing yet: the evade step
// comes with the onlooker and fight work.
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
// One step of a controlled person away from what pushes it. Does nothing yet: the evade step
// comes with the onlooker and fight work.
void StepPersonEvade(std::int16_t person);
// Every tick for a controlled person: the next push starts a new sum, and a vector whose ticks
// have run out is dropped. Does nothing yet: it comes with the onlooker and fight work.
void CountPersonEvade(std::int16_t person);

}  // namespace kv
