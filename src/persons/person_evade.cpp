#include "persons/person_evade.h"

namespace kv {

void ResetPersonEvade(Person& person) {
    person.evadeTicks = 0;
    person.evadeX = 0;
    person.evadeY = 0;
    person.evadeReset = 1;
}

void SetPersonEvade(std::int16_t, float, float, std::int32_t, std::int8_t, std::uint8_t,
                    std::int16_t) {}

}  // namespace kv
