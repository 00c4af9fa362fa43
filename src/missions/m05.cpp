// Mission 5: one floor of an apartment house is on fire, two residents trapped upstairs.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/campaign.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/view.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/scroll_view.h"
#include "missions/mission_checks.h"
#include "missions/mission_houses.h"
#include "missions/mission_persons.h"
#include "missions/mission_rows.h"
#include "missions/mission_traffic.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer.h"
#include "persons/gaffer_ziele.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"
#include "world/brand.h"
#include "world/brand_cells.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {

namespace {

// The map cell over the burning flat, and the floor of the house it links to that burns.
constexpr int kFireColumn = 26;
constexpr int kFireRow = 21;
constexpr std::size_t kFireFloor = 2;

// The right edge of the visible map in world x, from the level's last column: the dispatcher
// has not yet taken the column off the scroll width.
std::int16_t VisibleRightEdgeM05() {
    return static_cast<std::int16_t>((MapWidth - 1) * kCellWidth - MapHeight * 16);
}

void InitLevelM05() {
    const std::int16_t xv = VisibleRightEdgeM05();
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight - 1);
    ViewOrigin = {340, 420};
    HomeView = {static_cast<std::int16_t>(xv - 640), 420};
    RoadEntry = {static_cast<std::int16_t>(xv + 100), 687, 250, 9};
    RoadExit = {static_cast<std::int16_t>(xv + 150), 769, kEdgeRight};
    Money += 7000;
    KarteMarker = KarteMarkers[5];
    BriefingBox.x = 125;
    BriefingBox.y = 90;
}

// The town block; house 6 is the burning one, house 7 its neighbour to the east.
constexpr std::array<MissionHouse, 17> kHousesM05 = {{
    {3, 14, -2, 0, 1},
    {3, 31, -2, 1, 1},
    {3, 4, 8, 2, 1},
    {3, 14, 8, 0, 1},
    {3, 31, 8, 1, 1},
    {3, 41, 8, 2, 1},
    {11, 24, 18, 0, 1},
    {12, 29, 18, 1, 1},
    {13, 34, 18, 2, 1},
    {14, 44, 18, 0, 1},
    {15, 14, 30, 1, 1},
    {0, 2, -2, 0, 0},
    {0, 24, -2, 1, 0},
    {0, 24, 8, 2, 1},
    {0, 12, 18, 0, 1},
    {0, 24, 30, 2, 1},
    {67, 44, 30, 1, 0},
}};

void InitHousesM05() {
    PlaceHouses(kHousesM05);
}

// The onlookers already standing in front of the house.
constexpr std::array<MissionGaffer, 10> kGafferM05 = {{
    {27, 340, 670, 3},
    {29, 260, 790, 6},
    {28, 320, 765, 9},
    {31, 390, 710, 4},
    {30, 390, 790, 7},
    {27, 480, 700, 1},
    {31, 520, 745, 11},
    {29, 550, 710, 2},
    {28, 570, 745, 5},
    {31, 420, 825, 10},
}};
constexpr std::uint8_t kPassantenWegeM05 = 4;
constexpr std::uint8_t kFirstPassantTyp = 27;

// Onlookers, a pedestrian on each path, and the two residents upstairs: one on the floor below
// the fire, one on the burning floor.
void InitPersonenM05() {
    PersonCount = 80;
    AllocPersonen();
    PlaceGaffers(kGafferM05);
    for (std::uint8_t k = 0; k < kPassantenWegeM05; ++k)
        SpawnPassant(static_cast<std::uint8_t>(kFirstPassantTyp + k), k, 0, 0);
    CreateVerletzter(27, 455, 595, 2, 3, 949999, 30, 300, 0);
    CreateVerletzter(30, 448, 585, 3, 7, 650000, 20, 300, 0);
}

void InitFahrzeugeM05() {
    FahrzeugCount = 30;
    AllocFahrzeuge();
}

// Two streets north of the block, each driven both ways: cars come in at the left edge, drive
// past the right edge and come back on the other lane.
constexpr std::array<ZFWegTyp, 6> kZFTypen0M05 = {{
    {27, 100},
    {28, 50},
    {29, 70},
    {30, 20},
    {31, 70},
    {32, 20},
}};
constexpr std::array<ZFWegTyp, 7> kZFTypen1M05 = {{
    {27, 100},
    {28, 50},
    {29, 70},
    {30, 20},
    {31, 70},
    {32, 20},
    {33, 15},
}};

void InitZFWegeM05() {
    ZFWegCount = 2;
    AllocZFWege();
    const std::int32_t xr = ViewRightEdgeX() + 100;
    SetStreet(ZFWege[0], xr, 168, 118, 160, kZFTypen0M05);
    SetStreet(ZFWege[1], xr, 450, 400, 240, kZFTypen1M05);
}

void InitGafferZieleM05() {
    GafferZielCount = 1;
    AllocGafferZiele();
    SetGafferZiel(0, 480, 630, 90);
}

constexpr std::array<Point16, 2> kPassantenWeg0M05 = {{{405, 50}, {150, 490}}};
constexpr std::array<Point16, 2> kPassantenWeg1M05 = {{{0, 205}, {1175, 205}}};
constexpr std::array<Point16, 2> kPassantenWeg2M05 = {{{0, 650}, {1175, 650}}};
constexpr std::array<Point16, 3> kPassantenWeg3M05 = {{{750, 630}, {395, 630}, {555, 345}}};

void InitPassantenWegeM05() {
    PassantenWegCount = kPassantenWegeM05;
    AllocPassantenWege();
    SetPassantenWeg(0, kPassantenWegBackAndForth, kPassantenWeg0M05);
    SetPassantenWeg(1, kPassantenWegBackAndForth, kPassantenWeg1M05);
    SetPassantenWeg(2, kPassantenWegBackAndForth, kPassantenWeg2M05);
    SetPassantenWeg(3, kPassantenWegBackAndForth, kPassantenWeg3M05);
}

// Only the hydrants; the mission has no objects of its own.
constexpr std::array<Point16, 6> kHydrantsM05 = {{
    {548, 620},
    {713, 620},
    {414, 957},
    {68, 340},
    {775, 339},
    {501, 810},
}};

void InitSonderObjM05() {
    SonderObjTypCount = MissionSonderObjTypCount(5);
    SonderObjCount = 0;
    AllocSonderObj();
    for (const Point16& h : kHydrantsM05) AddHydrant(h.x, h.y);
}

// The flat over the fire cell burns. A level whose cell there is ground, or links to no placed
// house with that floor, starts without a fire.
void InitBrandM05() {
    if (!CellInMap(kFireColumn, kFireRow)) return;
    const auto cell = static_cast<std::size_t>(CellIndex(kFireColumn, kFireRow));
    if (cell >= MapCells.size()) return;
    const HouseLinkTarget target = DecodeHouseLink(MapCells[cell].tile);
    House* house = PlacedHouse(target.house);
    if (house == nullptr || house->floors.size() <= kFireFloor) return;
    brand::At(house->floors[kFireFloor].brand, target.i, target.j).burning = 1;
}

// Any death fails the mission, and so does a second house on fire.
void CheckMissionM05() {
    CheckDeadThenFire(1, "Verletzter gestorben!", 1);
}

// Time and money; any death fails the mission, so there is no line for the dead.
void EvaluateMissionM05() {
    const int zeit = WriteTimeLine(ResultLines[0], 6000, 30000);
    const int geld = WriteMoneyLine(ResultLines[1], 3000);
    EvaluationEfficiency = (zeit + geld) / 2;
    FinishEvaluation(7000);
}

}  // namespace

// No tick script: the fire and the residents' bleeding run on the engine alone.
const MissionHooks kMissionHooksM05{
    .InitLevel = InitLevelM05,
    .InitHouses = InitHousesM05,
    .InitZFWege = InitZFWegeM05,
    .InitPassantenWege = InitPassantenWegeM05,
    .InitFahrzeuge = InitFahrzeugeM05,
    .CheckMission = CheckMissionM05,
    .InitBrand = InitBrandM05,
    .InitSonderObj = InitSonderObjM05,
    .InitPersonen = InitPersonenM05,
    .InitGafferZiele = InitGafferZieleM05,
    .EvaluateMission = EvaluateMissionM05,
};

}  // namespace kv
