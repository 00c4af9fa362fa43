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

PersonEvadeWatch PersonEvadeWatcher;

void SetPersonEvade(std::int16_t person, float x, float y, std::int32_t strength, std::int8_t ticks,
                    std::uint8_t kind, std::int16_t id) {
    if (PersonEvadeWatcher.set != nullptr) {
        PersonEvadeWatcher.set(person, x, y, strength, ticks, kind, id);
        return;
    }
    // The push itself comes with the onlooker and fight work.
}

bool IsPersonEvadeIdle(std::int16_t person) {
    const Person* p = PersonAt(person);
    return p == nullptr || (std::fabs(p->evadeX) < 0.5f && std::fabs(p->evadeY) < 0.5f);
}

void StepPersonEvade(std::int16_t) {}

void CountPersonEvade(std::int16_t) {}

}  // namespace kv
