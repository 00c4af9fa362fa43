// Mission 25: an arsonist walks through the prison quarter from house to house, goes in, waits,
// comes out and sets the house on fire. The first house burns from the start; after his ninth
// fire of his own the circuit is closed and he is gone.

#include <array>
#include <cstdint>
#include <optional>

#include "core/campaign.h"
#include "core/fire_counts.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "core/view.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/input/click_orders.h"
#include "mission/scroll_view.h"
#include "missions/mission_checks.h"
#include "missions/mission_houses.h"
#include "missions/mission_rows.h"
#include "missions/quarter_tables.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer.h"
#include "persons/gaffer_ziele.h"
#include "persons/person_houses.h"
#include "persons/personen.h"
#include "screens/mission_end.h"
#include "vehicles/fahrzeuge.h"
#include "world/brand_cells.h"
#include "world/geometry.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {

namespace {

constexpr int kMission = 25;
constexpr std::uint16_t kNoIndex = 65535;

// The houses of his circuit, with the onlookers' target while each burns.
struct ArsonTarget {
    std::int16_t house;
    std::uint16_t x;
    std::uint16_t y;
    std::uint16_t radius;
};
constexpr std::array<ArsonTarget, 10> ArsonTargets = {{
    {35, 460, 2060, 250},
    {33, 1720, 1860, 250},
    {28, 1800, 880, 250},
    {26, 300, 320, 250},
    {17, 215, 1385, 250},
    {18, 1065, 1585, 250},
    {21, 2790, 1585, 250},
    {11, 2935, 880, 250},
    {4, 1785, 320, 250},
    {1, 825, 320, 250},
}};
constexpr auto kTargetCount = static_cast<std::int16_t>(ArsonTargets.size());

// The arsonist is always the first person; he stays one while his type is this.
constexpr std::int16_t kArsonist = 0;
constexpr std::int8_t kArsonistTyp = 27;
constexpr std::uint8_t kArsonistFacing = 3;

// Below this many pixels from him a police officer (type 0) stops him.
constexpr std::int8_t kOfficerTyp = 0;
constexpr std::int32_t kOfficerReach = 100;

// His points at a house, as y offsets from its door cell's corner: where he stands to mark it,
// where he goes in, the point inside he walks to and waits at, and where he comes back out.
constexpr int kMarkDy = 36;
constexpr int kEnterDy = 34;
constexpr int kInsideDy = -2;
constexpr int kLeaveDy = 20;
constexpr std::int32_t kFacingHouse = 0;
constexpr std::int32_t kFacingStreet = 6;
constexpr std::int32_t kWaitInside = 1200;
constexpr std::int32_t kSilent = -1;
constexpr std::int32_t kNoStorey = -1;

const ArsonTarget* TargetAt(std::int32_t entry) {
    if (entry < 0 || entry >= kTargetCount) return nullptr;
    return &ArsonTargets[static_cast<std::size_t>(entry)];
}

void InitLevelM25() {
    quarter::SetUpView();
    Money += 10000;
    KarteMarker = KarteMarkers[kMission];
    BriefingBox.x = 160;
    BriefingBox.y = 100;
    ArsonFirstTarget = static_cast<std::int16_t>(Rand() % kTargetCount);
    ArsonEscapeMark = ArsonFirstTarget;
    ArsonNextTarget = static_cast<std::int16_t>((ArsonFirstTarget + 1) % kTargetCount);
    ArsonFireSet = 0;
}

void InitHousesM25() {
    PlaceHouses(quarter::kHouses);
}

// The ground-floor cell he lights burns in the first house of his circuit.
void InitBrandM25() {
    const ArsonTarget* target = TargetAt(ArsonFirstTarget);
    if (target == nullptr) return;
    const House* h = PlacedHouse(target->house);
    if (h == nullptr) return;
    const HouseTyp& t = HouseTypOf(*h);
    const int i = t.extentI - 1;
    const int j = t.extentJ - 2;
    const brand::HouseCellRef c = brand::FindHouseCell(target->house, 0, i, j);
    if (!c || t.cell(0, i, j).lowerImage == 0) return;
    c.state().burning = 1;
}

// The traffic road along the top, from beyond the map's right end.
constexpr auto kZFTypenM25 =
    std::to_array<ZFWegTyp>({{27, 100}, {28, 50}, {29, 70}, {30, 20}, {31, 70}, {32, 20}});

void InitZFWegeM25() {
    ZFWegCount = 1;
    AllocZFWege();
    const auto xr = static_cast<std::int16_t>(32 * MapWidth - 16 * MapHeight + 100);
    ZFWeg& w = ZFWege[0];
    w.startX = xr;
    w.startY = 83;
    w.startDir = 9;
    w.targetX = -100;
    w.targetY = 83;
    w.turnX = xr;
    w.turnY = 139;
    w.interval = 100;
    SetZFWegTypen(w, kZFTypenM25);
}

void InitGafferZieleM25() {
    GafferZielCount = 1;
    AllocGafferZiele();
    const ArsonTarget* target = TargetAt(ArsonFirstTarget);
    if (target != nullptr) SetGafferZiel(0, target->x, target->y, target->radius);
}

void InitPassantenWegeM25() {
    PassantenWegCount = static_cast<std::uint8_t>(quarter::kPassantenWege.size());
    AllocPassantenWege();
    for (std::size_t k = 0; k < quarter::kPassantenWege.size(); ++k)
        SetPassantenWeg(static_cast<std::int32_t>(k), quarter::kPassantenWege[k].mode,
                        quarter::kPassantenWege[k].points);
}

void InitSonderObjM25() {
    SonderObjTypCount = MissionSonderObjTypCount(kMission);
    SonderObjCount = static_cast<std::int16_t>(quarter::kFixedObjects.size());
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(kMission)) return;
    for (std::size_t s = 0; s < quarter::kFixedObjects.size(); ++s) {
        const quarter::FixedObject& o = quarter::kFixedObjects[s];
        CreateSonderObj(static_cast<int>(s), o.type, o.x, o.y, 0, o.blockMask, o.depthLayer,
                        o.height, 0);
    }
    for (const Point16& h : quarter::kHydrants) AddHydrant(h.x, h.y);
}

struct Civilian {
    std::int8_t type;
    std::int16_t x;
    std::int16_t y;
    std::int8_t storey;
    std::uint8_t direction;
};
// Outside first, then upstairs at the windows.
constexpr std::array<Civilian, 8> kOutsideM25 = {{
    {27, 180, 40, 0, 1},
    {28, 2015, 320, 0, 3},
    {29, 2515, 880, 0, 5},
    {30, 920, 825, 0, 7},
    {31, 125, 1535, 0, 9},
    {27, 1725, 1250, 0, 11},
    {28, 2460, 1725, 0, 1},
    {29, 1255, 1900, 0, 3},
}};
constexpr std::array<Civilian, 10> kInsideM25 = {{
    {27, 1060, 1490, 2, 7},
    {28, 1380, 1507, 1, 9},
    {29, 2790, 1515, 3, 11},
    {30, 2895, 1790, 1, 1},
    {31, 2912, 841, 3, 3},
    {27, 2945, 535, 1, 5},
    {28, 1785, 230, 2, 7},
    {29, 1280, 525, 3, 9},
    {30, 825, 280, 1, 11},
    {31, 355, 1065, 2, 1},
}};
struct Passant {
    std::uint8_t type;
    std::uint8_t path;
    std::uint8_t point;
};
constexpr std::array<Passant, 8> kPassantenM25 = {{
    {27, 0, 0},
    {29, 0, 7},
    {28, 1, 0},
    {30, 1, 6},
    {27, 2, 0},
    {29, 3, 0},
    {28, 4, 0},
    {30, 5, 0},
}};

void PlaceArsonist() {
    const std::int16_t index = FindFreePerson();
    const ArsonTarget* target = TargetAt(ArsonFirstTarget);
    if (index < 0 || target == nullptr) return;
    const std::optional<PixelPos> door = HouseDoorSpot(target->house);
    // Without its house he waits at the onlookers' point of it.
    const int x = door ? door->x : target->x;
    const int y = door ? door->y + kMarkDy : target->y;
    Person& p = PlacePerson(index, kArsonistTyp, static_cast<float>(x), static_cast<float>(y), 0);
    p.direction = kArsonistFacing;
    p.selectable = 0;
    p.controlFlags = kPersonScriptMarked;
}

void InitPersonenM25() {
    PersonCount = 70;
    AllocPersonen();
    PlaceArsonist();
    for (const Civilian& c : kOutsideM25) CreateGaffer(c.type, c.x, c.y, c.storey, c.direction, 0);
    for (const Passant& p : kPassantenM25) SpawnPassant(p.type, p.path, p.point, 0);
    for (const Civilian& c : kInsideM25) CreateGaffer(c.type, c.x, c.y, c.storey, c.direction, 0);
}

void InitFahrzeugeM25() {
    FahrzeugCount = 40;
    AllocFahrzeuge();
}

// He still walks free: his type unchanged, on the map, and no casualty (a hurt arsonist keeps
// his type while he lies).
Person* FreeArsonist() {
    Person* p = UsedPersonAt(kArsonist);
    if (p == nullptr || p->type != kArsonistTyp || p->offMap != 0 || p->casualty != 0)
        return nullptr;
    return p;
}

Point16 Whole(const Person& p) {
    return {Clamp16(TruncInt(p.x)), Clamp16(TruncInt(p.y))};
}

// A police officer standing in the world near him; one seated in a car or waiting at a base
// keeps a stale point and is not there.
bool OfficerNear(const Person& arsonist) {
    const Point16 at = Whole(arsonist);
    for (const Person& p : Personen) {
        if (p.type != kOfficerTyp || !PersonInWorld(p)) continue;
        const Point16 q = Whole(p);
        if (DistanceInt(q.x, q.y, at.x, at.y) < kOfficerReach) return true;
    }
    return false;
}

// Inside: out to the street in front of the door, and the house goes up behind him.
void LeaveAndSetFire(Person& p, int house) {
    const std::optional<PixelPos> door = HouseDoorSpot(house);
    if (!door) return;
    const int x = door->x;
    const int y = door->y + kLeaveDy;
    GiveOrder(p, PersonTypOf(p), kOpMove, kSilent, x, y);
    ThenOrder(p, kOpTurn, x, y, kFacingStreet);
    ThenOrder(p, kOpLeaveHouse, x, y, kNoStorey);
    ThenOrder(p, kOpSetHouseOnFire, house, kTargetCount);
}

// Outside: to the next house of his circuit, mark it unless it is marked, in, and wait there.
void GoToNextHouse(Person& p) {
    const ArsonTarget* target = TargetAt(ArsonNextTarget);
    if (target == nullptr) return;
    const std::optional<PixelPos> door = HouseDoorSpot(target->house);
    const House* h = PlacedHouse(target->house);
    if (!door || h == nullptr) return;
    const int x = door->x;
    GiveOrder(p, PersonTypOf(p), kOpMove, kSilent, x, door->y + kMarkDy);
    ThenOrder(p, kOpTurn, x, door->y + kMarkDy, kFacingHouse);
    if (h->evacuated == 0) ThenOrder(p, kOpMarkHouse, target->house, x, door->y + kMarkDy);
    ThenOrder(p, kOpMove, x, door->y + kEnterDy);
    ThenOrder(p, kOpEnterHouse, x, door->y + kEnterDy, target->house, kNoStorey);
    ThenOrder(p, kOpMove, x, door->y + kInsideDy);
    ThenOrder(p, kOpWait, kWaitInside);
}

// Returns false when an officer holds him, which ends the tick's script.
bool DriveArsonist() {
    Person* found = FreeArsonist();
    if (found == nullptr) return true;
    Person& p = *found;
    if (p.house == kNoIndex && p.link == kNoLink && OfficerNear(p)) {
        ClearBefehle(p);
        SetPersonAnim(kArsonist, kAnimStand);
        return false;
    }
    if (p.orders != nullptr || p.link != kNoLink) return true;
    if (p.house == kNoIndex)
        GoToNextHouse(p);
    else
        LeaveAndSetFire(p, p.house);
    return true;
}

// The onlookers move on to the house he has just set on fire.
void FollowFire() {
    if (ArsonFireSet < 1) return;
    ArsonFireSet = 0;
    const std::int16_t entry = ArsonNextTarget == 0
                                   ? static_cast<std::int16_t>(kTargetCount - 1)
                                   : static_cast<std::int16_t>(ArsonNextTarget - 1);
    const ArsonTarget* target = TargetAt(entry);
    if (target != nullptr) SetGafferZiel(0, target->x, target->y, target->radius);
}

void UpdateMissionM25() {
    if (!DriveArsonist()) return;
    FollowFire();
}

// Caught: taken into a vehicle or off the map, or no longer the arsonist.
bool ArsonistCaught() {
    const Person* p = UsedPersonAt(kArsonist);
    return p == nullptr || p->type != kArsonistTyp || p->offMap != 0;
}

void CheckMissionM25() {
    if (ToteCount > 0) {
        ShowMissionFailed(kFailNow, "Verletzter gestorben!");
        return;
    }
    if (BurningHouseCount > 10) {
        ShowMissionFailed(kFailNow, "Brand ist ausser Kontrolle geraten!");
        return;
    }
    if (ArsonNextTarget == ArsonEscapeMark) {
        ShowMissionFailed(kFailNow, "Brandstifter entkommen!");
        return;
    }
    if (ArsonistCaught() && BurningCellCount == 0 && BurningHouseCount == 0) ShowWellDone();
}

// Time counts twice; any death fails the mission, so there is no line for the dead.
void EvaluateMissionM25() {
    const int zeit = WriteTimeLine(ResultLines[0], 6000, 36000);
    const int geld = WriteMoneyLine(ResultLines[1], 4000);
    EvaluationEfficiency = (2 * zeit + geld) / 3;
    FinishEvaluation(10000);
}

}  // namespace

const MissionHooks kMissionHooksM25{
    .InitLevel = InitLevelM25,
    .InitHouses = InitHousesM25,
    .InitZFWege = InitZFWegeM25,
    .InitPassantenWege = InitPassantenWegeM25,
    .InitFahrzeuge = InitFahrzeugeM25,
    .UpdateMission = UpdateMissionM25,
    .CheckMission = CheckMissionM25,
    .InitBrand = InitBrandM25,
    .InitSonderObj = InitSonderObjM25,
    .InitPersonen = InitPersonenM25,
    .InitGafferZiele = InitGafferZieleM25,
    .EvaluateMission = EvaluateMissionM25,
};

}  // namespace kv
