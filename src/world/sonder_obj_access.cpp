#include "world/sonder_obj_access.h"

namespace kv {

std::int16_t BurningSonderObjCount = 0;
SonderObjArray SonderObjPlaces;

}  // namespace kv
