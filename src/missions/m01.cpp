// Mission 1: a traffic accident on a country road.

#include "core/view.h"
#include "mission/scroll_view.h"
#include "missions/mission_rows.h"
#include "persons/personen.h"
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

// The two injured: the badly injured one beside the leaked fuel bleeds until treated, the other
// does not get worse.
void InitPersonenM01() {
    PersonCount = 50;
    AllocPersonen();
    CreateVerletzter(35, 917, 500, 0, 3, 250000, 15, 300, 0);
    CreateVerletzter(34, 800, 490, 0, 3, 750000, 0, 300, 0);
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
    .InitPersonen = InitPersonenM01,
};

}  // namespace kv
