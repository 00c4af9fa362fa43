#include "persons/person_evade.h"

#include <cmath>

#include "persons/personen.h"

namespace kv {

void ResetPersonEvade(Person& person) {
    person.evadeTicks = 0;
    person.evadeX = 0;
    person.evadeY = 0;
    person.evadeReset = 1;
}

void SetPersonEvade(std::int16_t, float, float, std::int32_t, std::int8_t, std::uint8_t,
                    std::int16_t) {}

bool IsPersonEvadeIdle(std::int16_t person) {
    const Person* p = PersonAt(person);
    return p == nullptr || (std::fabs(p->evadeX) < 0.5f && std::fabs(p->evadeY) < 0.5f);
}

void StepPersonEvade(std::int16_t) {}

void CountPersonEvade(std::int16_t) {}

}  // namespace kv
