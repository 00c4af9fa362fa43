#include "persons/equipment.h"

namespace kv {

void DropHose(std::int16_t) {}

void PutDownReifen(std::int16_t) {}

void WalkPersonToHydrant(std::int16_t, std::int16_t) {}

}  // namespace kv
