#include "persons/person_evade.h"

namespace kv {

void SetPersonEvade(std::int16_t, float, float, std::int32_t, std::int8_t, std::uint8_t,
                    std::int16_t) {}

}  // namespace kv
