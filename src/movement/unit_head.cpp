#include "movement/unit_head.h"

namespace kv {

UnitArray PersonUnits;
UnitArray FahrzeugUnits;

}  // namespace kv
