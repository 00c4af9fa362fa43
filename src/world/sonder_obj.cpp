#include "world/sonder_obj.h"

namespace kv {

void AddPersonSonderObj(int) {}

}  // namespace kv
