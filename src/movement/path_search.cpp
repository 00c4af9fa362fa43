#include "movement/path_search.h"

#include "movement/collision_line.h"

namespace kv {

std::uint8_t FindPath(UnitHead&, const UnitTypHead&) {
    return 0;
}

void FreePathSearch(UnitHead& unit) {
    unit.pathSearch = nullptr;
    FreeContourRecord(unit);
}

}  // namespace kv
