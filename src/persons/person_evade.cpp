#include "persons/person_evade.h"

namespace kv {

std::vector<GafferZiel> GafferZiele;

void ResetPersonEvade(Person& person) {
    person.evadeTicks = 0;
    person.evadeX = 0;
    person.evadeY = 0;
    person.evadeReset = 1;
}

void SetPersonEvade(std::int16_t, float, float, std::int32_t, std::int8_t, std::uint8_t,
                    std::int16_t) {}

const GafferZiel* GafferZielAt(std::int64_t index) {
    if (index < 0 || index >= static_cast<std::int64_t>(GafferZiele.size())) return nullptr;
    return &GafferZiele[static_cast<std::size_t>(index)];
}

void FreeGafferZiele() {
    GafferZiele = {};
}

}  // namespace kv
