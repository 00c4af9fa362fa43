#include "persons/person_injury.h"

namespace kv {

void HitPerson(std::int16_t) {}

}  // namespace kv
