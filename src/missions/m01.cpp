// Mission 1: a traffic accident on a country road.

#include "core/view.h"
#include "mission/scroll_view.h"
#include "missions/mission_rows.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"
#include "world/level_map.h"

namespace kv {

namespace {

void InitLevelM01() {
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight - 3);
    ViewOrigin = {530, 240};
    HomeView = {0, 240};
}

// No houses stand on the road.
void InitHousesM01() {
    HouseCount = 0;
    InitHouseList();
}

void InitFahrzeugeM01() {
    FahrzeugCount = 20;
    AllocFahrzeuge();
}

}  // namespace

const MissionHooks kMissionHooksM01{
    .InitLevel = InitLevelM01,
    .InitHouses = InitHousesM01,
    .InitFahrzeuge = InitFahrzeugeM01,
};

}  // namespace kv
