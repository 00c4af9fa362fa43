#include "persons/equipment.h"

namespace kv {

void DropHose(std::int16_t) {}

}  // namespace kv
