#include "missions/mission_traffic.h"

namespace kv {

void SetStreet(ZFWeg& w, std::int32_t xr, std::int32_t y, std::int32_t backY, std::int16_t interval,
               std::span<const ZFWegTyp> types) {
    w.startX = -100;
    w.startY = y;
    w.startDir = 3;
    w.targetX = xr;
    w.targetY = y;
    w.turnX = -100;
    w.turnY = backY;
    w.interval = interval;
    SetZFWegTypen(w, types);
}

}  // namespace kv
