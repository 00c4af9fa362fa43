#include "movement/route.h"

namespace kv {

void FreeRoute(Route*) {}

}  // namespace kv
