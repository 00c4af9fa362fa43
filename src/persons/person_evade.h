#pragma once
// The evade vector that pushes controlled persons aside, and the onlooker targets that onlookers
// walk back to.

#include <cstdint>
#include <vector>

#include "persons/person.h"

namespace kv {

// No evade impulse pending; the next one starts a new sum. The evade step itself comes with the
// onlooker and fight work.
void ResetPersonEvade(Person& person);

// Pushes the person away from (x, y) with that strength for a number of ticks; kind 0 is a push by
// heat or a passing unit, id the impulse's source (-1 none). Does nothing yet: the evade step
// comes with the onlooker and fight work.
void SetPersonEvade(std::int16_t person, float x, float y, std::int32_t strength, std::int8_t ticks,
                    std::uint8_t kind, std::int16_t id);

// One onlooker target: its onlookers gather within radius of (x, y).
struct GafferZiel {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int16_t radius = 0;
};
// The mission's onlooker targets. Nothing fills them until the onlooker work brings the missions'
// set-ups.
extern std::vector<GafferZiel> GafferZiele;
// The target of an index; null for one that names none.
const GafferZiel* GafferZielAt(std::int64_t index);
// Mission end: no targets.
void FreeGafferZiele();

// Whether no push is pending: both components of the evade vector below half a pixel.
bool IsPersonEvadeIdle(std::int16_t person);
// One step of a controlled person away from what pushes it. Does nothing yet: the evade step
// comes with the onlooker and fight work.
void StepPersonEvade(std::int16_t person);
// Every tick for a controlled person: the next push starts a new sum, and a vector whose ticks
// have run out is dropped. Does nothing yet: it comes with the onlooker and fight work.
void CountPersonEvade(std::int16_t person);

}  // namespace kv
