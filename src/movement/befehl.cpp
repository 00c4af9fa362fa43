#include "movement/befehl.h"

namespace kv {

void ClearBefehle(UnitHead&) {}

int HeadBefehlOpcode(const UnitHead&) {
    return -1;
}

}  // namespace kv
