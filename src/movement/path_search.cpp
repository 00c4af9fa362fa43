#include "movement/path_search.h"

#include "movement/collision_line.h"

namespace kv {

void FreePathSearch(UnitHead& unit) {
    unit.pathSearch = nullptr;
    FreeContourRecord(unit);
}

}  // namespace kv
