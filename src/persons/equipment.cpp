#include "persons/equipment.h"

namespace kv {

void DropHose(std::int16_t) {}

void PutDownReifen(std::int16_t) {}

}  // namespace kv
