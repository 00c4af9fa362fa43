#include "movement/path_output.h"

namespace kv {

std::uint8_t RejoinRoute(UnitHead&, const UnitTypHead&, float, float, std::uint8_t, float, float,
                         float, float) {
    return 0;
}

}  // namespace kv
