#include "persons/rival_persons.h"

namespace kv {

void UpdateRivalPerson(std::int16_t) {}

}  // namespace kv
