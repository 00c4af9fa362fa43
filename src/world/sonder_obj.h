#pragma once
// Special objects: the mission's scripted map objects.

namespace kv {

// Creates the ground object that the person's type puts under it in its current direction,
// unless an identical one is there. Does nothing yet: the special objects fill it.
void AddPersonSonderObj(int person);

}  // namespace kv
