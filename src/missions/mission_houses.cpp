#include "missions/mission_houses.h"

#include "world/houses.h"

namespace kv {

void PlaceHouses(std::span<const MissionHouse> houses) {
    HouseCount = static_cast<std::int16_t>(houses.size());
    InitHouseList();
    for (const MissionHouse& h : houses)
        AddHouse(h.type, h.column, h.row, h.lowerSet, h.upperSet, h.markable);
}

}  // namespace kv
