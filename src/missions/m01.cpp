// Mission 1: a traffic accident on a country road.

#include <array>
#include <cstdint>

#include "core/campaign.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/view.h"
#include "mission/scroll_view.h"
#include "missions/mission_rows.h"
#include "movement/traffic_paths.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {

namespace {

void InitLevelM01() {
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight - 3);
    ViewOrigin = {530, 240};
    HomeView = {0, 240};
    RoadExit = {-150, 505, 0};
    Money += 6000;
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

// The wrecks, the leaked fuel and the cows; the cows start on different frames so that they do
// not move in step.
struct PlacedSonderObj {
    std::int16_t slot;
    std::int16_t type;
    std::int16_t x;
    std::int16_t y;
    std::uint16_t frame;
    std::uint8_t blockMask;
    std::uint8_t depthLayer;
};
constexpr std::int16_t kFixedSonderObjM01 = 15;
constexpr std::array<PlacedSonderObj, kFixedSonderObjM01> kSonderObjM01 = {{
    {0, 18, 835, 425, 0, 15, 0},
    {1, 19, 905, 470, 0, 15, 0},
    {2, 20, 905, 488, 0, 0, 1},
    {3, 21, 1550, 630, 0, 15, 0},
    {4, 22, 1420, 630, 0, 15, 0},
    {5, 21, 1350, 715, 4, 15, 0},
    {6, 22, 1530, 640, 1, 15, 0},
    {7, 21, 1700, 665, 6, 15, 0},
    {8, 22, 1630, 740, 5, 15, 0},
    {9, 21, 1430, 825, 2, 15, 0},
    {10, 22, 1280, 880, 3, 15, 0},
    {11, 21, 1700, 905, 4, 15, 0},
    {12, 22, 1390, 690, 5, 15, 0},
    {13, 21, 1680, 825, 2, 15, 0},
    {14, 22, 1590, 850, 3, 15, 0},
}};

void InitSonderObjM01() {
    SonderObjTypCount = MissionSonderObjTypCount(1);
    SonderObjCount = kFixedSonderObjM01;
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(1)) return;
    for (const PlacedSonderObj& o : kSonderObjM01)
        CreateSonderObj(o.slot, o.type, o.x, o.y, o.frame, o.blockMask, o.depthLayer, 0.0f, 0);
}

// Nothing burns at the start.
void InitBrandM01() {}

// Traffic comes along the road from the right edge and leaves at the left.
constexpr std::array<ZFWegTyp, 9> kZFTypenM01 = {{
    {27, 100},
    {28, 50},
    {29, 70},
    {30, 20},
    {31, 70},
    {32, 20},
    {33, 20},
    {34, 20},
    {44, 10},
}};

void InitZFWegeM01() {
    ZFWegCount = 1;
    AllocZFWege();
    // The right end of the road: just past the map's largest x.
    const std::int32_t xR = WorldMaxX + 1;
    ZFWeg& w = ZFWege[0];
    w.startX = xR + 100;
    w.startY = 505;
    w.startDir = 9;
    w.targetX = -100;
    w.targetY = 505;
    w.turnX = xR + 100;
    w.turnY = 560;
    w.interval = 800;
    SetZFWegTypen(w, kZFTypenM01);
}

// No pedestrians walk here.
void InitPassantenWegeM01() {
    PassantenWegCount = 0;
    AllocPassantenWege();
}

void InitFahrzeugeM01() {
    FahrzeugCount = 20;
    AllocFahrzeuge();
}

}  // namespace

const MissionHooks kMissionHooksM01{
    .InitLevel = InitLevelM01,
    .InitHouses = InitHousesM01,
    .InitZFWege = InitZFWegeM01,
    .InitPassantenWege = InitPassantenWegeM01,
    .InitFahrzeuge = InitFahrzeugeM01,
    .InitBrand = InitBrandM01,
    .InitSonderObj = InitSonderObjM01,
    .InitPersonen = InitPersonenM01,
};

}  // namespace kv
