#pragma once
// The evade vector that pushes controlled persons aside.

#include "persons/person.h"

namespace kv {

// No evade impulse pending; the next one starts a new sum. The evade step itself comes with the
// onlooker and fight work.
void ResetPersonEvade(Person& person);

}  // namespace kv
