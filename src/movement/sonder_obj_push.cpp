#include "movement/sonder_obj_push.h"

namespace kv {

bool CanPushSonderObj(const UnitHead&, const UnitTypHead&, float, float, std::uint8_t,
                      std::int16_t) {
    return false;
}

}  // namespace kv
