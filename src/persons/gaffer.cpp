#include "persons/gaffer.h"

namespace kv {

void UpdateGaffer(std::int16_t) {}

void StartPersonFight(std::int16_t) {}

}  // namespace kv
