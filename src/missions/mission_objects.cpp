#include "missions/mission_objects.h"

#include "world/sonder_obj.h"

namespace kv {

void PlaceSonderObjs(std::span<const MissionSonderObj> objects) {
    for (const MissionSonderObj& o : objects)
        CreateSonderObj(o.slot, o.type, o.x, o.y, o.frame, o.blockMask, o.depthLayer, 0.0f, 0);
}

}  // namespace kv
