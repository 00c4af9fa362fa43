#include "persons/person_evade.h"

namespace kv {

void ResetPersonEvade(Person& person) {
    person.evadeTicks = 0;
    person.evadeX = 0;
    person.evadeY = 0;
    person.evadeReset = 1;
}

}  // namespace kv
