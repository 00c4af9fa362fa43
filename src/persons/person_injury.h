#pragma once
// What strikes a person: explosions and mission events set persons on fire.

#include <cstdint>

namespace kv {

// The person is struck by an explosion or a mission event: its partners are released, what it
// carries is dropped, and it is set on fire. Does nothing yet: the injury model comes with the
// person update.
void HitPerson(std::int16_t person);

}  // namespace kv
