#pragma once
// Rivals: persons that look for vehicles, objects and persons to attack.

#include <cstdint>

namespace kv {

// The per-tick controller of a rival: picks a target and orders a throw. Does nothing yet: it
// comes with the rival persons.
void UpdateRivalPerson(std::int16_t person);

}  // namespace kv
