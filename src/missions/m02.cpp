// Mission 2: a wood burns beside a camp and a small settlement.

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/campaign.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/random.h"
#include "core/view.h"
#include "media/sound_slots.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/scroll_view.h"
#include "missions/fire_sound.h"
#include "missions/mission_checks.h"
#include "missions/mission_houses.h"
#include "missions/mission_rows.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer.h"
#include "persons/gaffer_ziele.h"
#include "persons/person_types.h"
#include "persons/person_update.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"
#include "world/brand_cells.h"
#include "world/geometry.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {

namespace {

constexpr int kMission = 2;

void InitLevelM02() {
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight);
    ViewOrigin = {0, 1280};
    HomeView = {0, 1280};
    RoadEntry = {-100, 1609, 250, 3};
    RoadExit = {-150, 1527, kEdgeLeft};
    Money += 22000;
    KarteMarker = KarteMarkers[2];
    BriefingBox.x = 200;
    BriefingBox.y = 100;
}

constexpr auto kHousesM02 = std::to_array<MissionHouse>({
    {3, 56, 36, 0, 0},
    {4, 61, 36, 1, 1},
    {5, 54, 48, 2, 1},
    {8, 98, 36, 2, 0},
    {9, 103, 36, 0, 1},
    {16, 98, 48, 2, 0},
    {0, 71, 48, 0, 1},
    {0, 71, 38, 0, 0},
    {16, 101, 60, 1, 0},
    {17, 108, 60, 2, 1},
    {0, 94, 23, 2, 0},
    {16, 59, 48, 1, 0},
});

void InitHousesM02() {
    PlaceHouses(kHousesM02);
}

// The fire is drawn into the level itself.
void InitBrandM02() {}

// No traffic passes.
void InitZFWegeM02() {}

// Pedestrians walk to and fro between the houses and along the roads.
constexpr auto kPassantenWeg0 = std::to_array<Point16>({{945, 1330},
                                                        {1490, 1330},
                                                        {1412, 1465},
                                                        {1800, 1465},
                                                        {2285, 1465},
                                                        {2475, 1130},
                                                        {2635, 1130}});
constexpr auto kPassantenWeg1 =
    std::to_array<Point16>({{1690, 1670}, {1145, 1670}, {1620, 825}, {1685, 655}});
constexpr auto kPassantenWeg2 =
    std::to_array<Point16>({{2605, 1505}, {2100, 1505}, {1600, 1505}, {1015, 1505}, {1155, 1270}});
constexpr std::uint8_t kBackAndForth = 1;

void InitPassantenWegeM02() {
    PassantenWegCount = 3;
    AllocPassantenWege();
    SetPassantenWeg(0, kBackAndForth, kPassantenWeg0);
    SetPassantenWeg(1, kBackAndForth, kPassantenWeg1);
    SetPassantenWeg(2, kBackAndForth, kPassantenWeg2);
}

// The flag over the camp, and the hydrants of the settlement.
constexpr std::int16_t kFlagSlot = 0;
constexpr std::int16_t kFlagTyp = 18;
constexpr auto kHydrantsM02 = std::to_array<Point16>({{870, 1460},
                                                      {1647, 1462},
                                                      {1134, 1125},
                                                      {1786, 1202},
                                                      {1630, 655},
                                                      {2035, 600},
                                                      {2673, 781},
                                                      {2785, 1124}});

void InitSonderObjM02() {
    SonderObjTypCount = MissionSonderObjTypCount(kMission);
    SonderObjCount = 1;
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(kMission)) return;
    CreateSonderObj(kFlagSlot, kFlagTyp, 331, 405, 0, 15, 0, 0.0f, 0);
    for (const Point16& h : kHydrantsM02) AddHydrant(h.x, h.y);
}

// Campers in the clearing, people in the fields and at the windows of the houses; the
// pedestrians are created between the people outside and those at the windows.
struct PlacedGaffer {
    std::int8_t type;
    std::int16_t x;
    std::int16_t y;
    std::int8_t storey;
    std::uint8_t direction;
};
constexpr auto kGafferM02 = std::to_array<PlacedGaffer>({
    {40, 355, 335, 0, 4},    {40, 375, 335, 0, 5},   {40, 405, 335, 0, 5},
    {40, 355, 375, 0, 3},    {40, 405, 375, 0, 3},   {40, 515, 375, 0, 9},
    {40, 490, 405, 0, 10},   {40, 530, 405, 0, 10},  {30, 1200, 1200, 0, 0},
    {28, 1250, 1160, 0, 4},  {31, 1155, 1250, 0, 7}, {29, 1125, 1310, 0, 10},
    {27, 1200, 1250, 0, 1},  {31, 985, 1670, 0, 5},  {30, 1255, 1200, 0, 8},
    {28, 1210, 1275, 0, 11}, {31, 1255, 1255, 0, 2}, {30, 1030, 1465, 0, 3},
    {27, 1383, 1069, 2, 7},  {28, 968, 1396, 2, 6},  {29, 1009, 1429, 3, 3},
    {30, 1529, 1404, 2, 1},  {31, 1618, 1406, 2, 2}, {27, 1686, 1113, 1, 11},
    {28, 1686, 1113, 3, 10}, {29, 2745, 1062, 1, 6}, {28, 2370, 1397, 1, 6},
    {31, 2294, 1744, 2, 4},  {31, 1130, 1420, 3, 6},
});
constexpr std::size_t kGafferBeforePassanten = 18;

struct PlacedPassant {
    std::uint8_t type;
    std::uint8_t path;
    std::uint8_t point;
};
constexpr auto kPassantenM02 =
    std::to_array<PlacedPassant>({{27, 0, 0}, {29, 0, 4}, {28, 1, 0}, {30, 2, 0}});

void CreateGafferRows(std::size_t from, std::size_t to) {
    for (std::size_t n = from; n < to; ++n) {
        const PlacedGaffer& g = kGafferM02[n];
        CreateGaffer(g.type, g.x, g.y, g.storey, g.direction, 0);
    }
}

void InitPersonenM02() {
    PersonCount = 100;
    AllocPersonen();
    CreateGafferRows(0, kGafferBeforePassanten);
    for (const PlacedPassant& p : kPassantenM02) SpawnPassant(p.type, p.path, p.point, 0);
    CreateGafferRows(kGafferBeforePassanten, kGafferM02.size());
}

void InitFahrzeugeM02() {
    FahrzeugCount = 30;
    AllocFahrzeuge();
}

// No onlooker targets.
void InitGafferZieleM02() {
    GafferZielCount = 0;
    AllocGafferZiele();
}

// The wood cells round the camp whose fire sends smoke into it.
struct WatchedCell {
    int column;
    int row;
};
constexpr auto kWatchedCellsM02 =
    std::to_array<WatchedCell>({{15, 11}, {15, 15}, {16, 8}, {21, 8}, {28, 11}, {28, 18}});

// The camp, in whole world pixels, edges included.
constexpr int kCampLeft = 240;
constexpr int kCampRight = 789;
constexpr int kCampTop = 190;
constexpr int kCampBottom = 499;
// Smoke fills the camp once more watched cells than this burn.
constexpr int kSmokeCells = 2;

// The fire's roar sets in once this many map cells burn.
constexpr std::uint16_t kRoarCells = 21;
constexpr int kSoundRoar = kFirstMissionSound;

int BurningWatchedCells() {
    int n = 0;
    for (const WatchedCell& c : kWatchedCellsM02) {
        const std::ptrdiff_t cell = brand::FireCellIndex(c.column, c.row);
        if (cell >= 0 && BrandStates[static_cast<std::size_t>(cell)].burning != 0) ++n;
    }
    return n;
}

bool InCamp(const Person& p) {
    const int x = TruncInt(p.x);
    const int y = TruncInt(p.y);
    return x >= kCampLeft && x <= kCampRight && y >= kCampTop && y <= kCampBottom;
}

// Every person in the camp draws its share of smoke, the dead included, so that the draws stay
// in step with the persons; only the living are hurt, and a casualty dies once.
void SmokeCamp(int burningCells) {
    for (Person& p : Personen) {
        if (!PersonInWorld(p) || !InCamp(p)) continue;
        const std::int32_t r = Rand();
        if (p.energy <= 0) continue;
        const PersonTyp& t = PersonTypen[static_cast<std::size_t>(p.type)];
        const std::int32_t divisor = std::max<std::int32_t>(t.heatDivisor, 1);
        const std::int32_t d = ((r % 300 + 300) * burningCells - t.heatProtection) / divisor;
        if (d <= 0) continue;
        p.energy -= d;
        if (p.energy >= 1) continue;
        if (p.casualty != 0)
            CountDeath(p);
        else
            p.energy = 0;
    }
}

void UpdateMissionM02() {
    const int n = BurningWatchedCells();
    if (n > kSmokeCells) SmokeCamp(n);
    LoopSoundWhileCellsBurn(kSoundRoar, kRoarCells);
}

constexpr std::uint32_t kMaxDead = 4;
constexpr std::uint16_t kMaxBurningHouses = 3;

void CheckMissionM02() {
    CheckDeadThenFire(kMaxDead, "Zu viele Tote!", kMaxBurningHouses);
}

void EvaluateMissionM02() {
    const int tote = WriteDeadLine(ResultLines[0], 25);
    const int zeit = WriteTimeLine(ResultLines[1], 14400, 54000);
    const int geld = WriteMoneyLine(ResultLines[2], 5000);
    EvaluationEfficiency = (2 * tote + 2 * zeit + geld) / 5;
    FinishEvaluation(22000);
}

}  // namespace

const MissionHooks kMissionHooksM02{
    .InitLevel = InitLevelM02,
    .InitHouses = InitHousesM02,
    .InitZFWege = InitZFWegeM02,
    .InitPassantenWege = InitPassantenWegeM02,
    .InitFahrzeuge = InitFahrzeugeM02,
    .UpdateMission = UpdateMissionM02,
    .CheckMission = CheckMissionM02,
    .InitBrand = InitBrandM02,
    .InitSonderObj = InitSonderObjM02,
    .InitPersonen = InitPersonenM02,
    .InitGafferZiele = InitGafferZieleM02,
    .EvaluateMission = EvaluateMissionM02,
};

}  // namespace kv
