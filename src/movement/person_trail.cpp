#include "movement/person_trail.h"

#include "persons/person.h"

namespace kv {

void PushPersonTrail(PersonTrail& trail, float x, float y, std::uint8_t direction) {
    // A loaded index past the ring would write outside it; start the ring afresh instead.
    if (trail.trailWrite >= kPersonTrailEntries) trail.trailWrite = 0;
    trail.trail[trail.trailWrite] = {direction, x, y};
    if (trail.trailWrite == kPersonTrailEntries - 1) {
        trail.trailWrite = 0;
        trail.trailWrapped = 1;
    } else {
        ++trail.trailWrite;
    }
}

void PushPersonTrail(Person& person, float x, float y, std::uint8_t direction) {
    PushPersonTrail(person.trail, x, y, direction);
}

void ResetPersonTrail(PersonTrail& trail) {
    trail.trailWrite = kTrailEmpty;
    trail.trailWrapped = 0;
}

void ResetPersonTrail(Person& person) {
    ResetPersonTrail(person.trail);
}

}  // namespace kv
