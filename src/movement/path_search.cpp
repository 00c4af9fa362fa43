#include "movement/path_search.h"

namespace kv {

void FreePathSearch(UnitHead& unit) {
    unit.pathSearch = nullptr;
}

}  // namespace kv
