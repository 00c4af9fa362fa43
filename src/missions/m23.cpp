// Mission 23: a poison-gas attack in an underground station.

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/campaign.h"
#include "core/fire_counts.h"
#include "core/hover.h"
#include "core/mission_counters.h"
#include "core/mission_extras.h"
#include "core/mission_points.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "core/view.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/input/selected_unit.h"
#include "mission/scroll_view.h"
#include "missions/entrance_work.h"
#include "missions/gas_exposure.h"
#include "missions/mission_checks.h"
#include "missions/mission_houses.h"
#include "missions/mission_objects.h"
#include "missions/mission_rows.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer.h"
#include "persons/gaffer_ziele.h"
#include "persons/person_houses.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "screens/mission_end.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {

namespace {

// The person who set the gas off, hiding in house 7 until the square fills with rescuers; -1 (as
// 65535) before it is created.
std::int16_t& HostileIndex = SignedWord(MissionScratch.S0);
// Ticks until the hostile person walks at another vehicle; it picks one while this is 0.
std::int16_t& HostileWalkTimer = SignedWord(MissionScratch.S1);
constexpr std::uint16_t kNoHostile = 65535;

// The square in front of the station, where the gas lies.
constexpr CellArea kGasArea = {46, 25, 77, 36};

// The station's two entrances, and the building the hostile person hides in.
constexpr int kEntranceA = 0;
constexpr int kEntranceB = 1;
constexpr int kHideout = 7;

constexpr std::int32_t kSealWork = 20;

// The hostile person: comes out once this many of the player's units stand in the gas, walks at
// a bought vehicle's right side every so often, and leaves through the door facing down.
constexpr std::int8_t kHostileTyp = 32;
constexpr int kUnitsToDrawOut = 3;
constexpr int kChoiceChance = 5;
constexpr int kBesideVehicle = 20;
constexpr std::int16_t kWalkTicks = 600;
constexpr int kHideoutDoorDy = 20;
constexpr std::int32_t kHideoutFacing = 6;
constexpr std::int32_t kSilent = -1;

void InitLevelM23() {
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight);
    ViewOrigin = {1050, 580};
    HomeView = {0, 0};
    RoadEntry = {-100, 193, 250, 3};
    RoadExit = {-150, 143, kEdgeLeft};
    Money += 18000;
    KarteMarker = KarteMarkers[23];
    BriefingBox.x = 160;
    BriefingBox.y = 100;
    MissionScratch.S0 = kNoHostile;
    HostileWalkTimer = 0;
}

// The two station entrances first, then the town round the square.
constexpr std::array<MissionHouse, 24> kHousesM23 = {{
    {1, 50, 26, 3, 2}, {2, 58, 26, 3, 2}, {3, 1, -1, 0, 1},  {4, 18, -1, 0, 1}, {3, 35, -1, 0, 1},
    {3, 67, -1, 0, 1}, {4, 77, -1, 0, 1}, {3, 35, 9, 0, 1},  {3, 57, 9, 0, 1},  {4, 62, 9, 0, 1},
    {4, 67, 9, 0, 1},  {4, 18, 20, 0, 1}, {4, 28, 18, 0, 1}, {4, 18, 27, 1, 1}, {3, 28, 25, 1, 1},
    {3, 18, 33, 2, 1}, {3, 28, 32, 2, 1}, {3, 11, 33, 2, 1}, {0, 11, -1, 0, 1}, {0, 28, -1, 0, 1},
    {0, 45, -1, 0, 1}, {0, 57, -1, 0, 1}, {0, 45, 9, 0, 1},  {0, 77, 9, 0, 1},
}};

void InitHousesM23() {
    PlaceHouses(kHousesM23);
}

// An onlooker and whether the gas has already got to it.
struct Onlooker {
    std::int8_t type;
    std::int16_t x;
    std::int16_t y;
    std::int8_t storey;
    std::uint8_t direction;
    std::uint8_t contamination;
};
// On the square and round it, two of them inside the western entrance.
constexpr std::array<Onlooker, 7> kGafferM23 = {{
    {28, 1784, 929, 0, 4, 0},
    {30, 1422, 905, 0, 3, 1},
    {27, 1943, 770, 0, 8, 0},
    {29, 1656, 819, 0, 3, 1},
    {29, 1187, 896, 0, 9, 1},
    {27, 1262, 739, 1, 0, 0},
    {29, 1370, 739, 1, 0, 0},
}};

struct Casualty {
    std::int8_t type;
    std::int16_t x;
    std::int16_t y;
    std::int8_t storey;
    std::uint8_t direction;
    std::int32_t energy;
    std::uint16_t loss;
    std::uint8_t contamination;
};
// One inside the eastern entrance, two on the square, the last already contaminated.
constexpr std::array<Casualty, 3> kVerletzteM23 = {{
    {29, 1630, 738, 1, 3, 800000, 20, 0},
    {29, 1875, 798, 0, 3, 599999, 30, 0},
    {29, 1642, 898, 0, 1, 400000, 10, 1},
}};
constexpr std::int16_t kHealing = 300;
constexpr Point16 kHostileStart = {994, 306};
constexpr std::int8_t kHostileStorey = 1;
constexpr std::uint8_t kHostileFacing = 6;

void InitPersonenM23() {
    PersonCount = 70;
    AllocPersonen();
    for (const Onlooker& g : kGafferM23)
        CreateGaffer(g.type, g.x, g.y, g.storey, g.direction, g.contamination);
    HostileIndex = CreatePersonAt(kHostileStart.x, kHostileStart.y, kHostileStorey, kHostileFacing);
    for (const Casualty& v : kVerletzteM23)
        CreateVerletzter(v.type, v.x, v.y, v.storey, v.direction, v.energy, v.loss, kHealing,
                         v.contamination);
}

void InitFahrzeugeM23() {
    FahrzeugCount = 40;
    AllocFahrzeuge();
}

// No traffic, no onlooker targets and no pedestrians: the square is closed off.
void InitZFWegeM23() {
    ZFWegCount = 0;
    AllocZFWege();
}

void InitGafferZieleM23() {
    GafferZielCount = 0;
    AllocGafferZiele();
}

void InitPassantenWegeM23() {
    PassantenWegCount = 0;
    AllocPassantenWege();
}

// Two kiosks and two newspaper stands on the square.
constexpr std::uint16_t kStandsAndKiosks = 4;
constexpr std::array<MissionSonderObj, kStandsAndKiosks> kSonderObjM23 = {{
    {2, 21, 1448, 857},
    {3, 21, 1512, 745},
    {0, 18, 1623, 764},
    {1, 18, 1557, 900},
}};
constexpr std::array<Point16, 2> kHydrantsM23 = {{{1736, 792}, {1671, 904}}};

void InitSonderObjM23() {
    SonderObjTypCount = MissionSonderObjTypCount(23);
    SonderObjCount = kStandsAndKiosks;
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(23)) return;
    PlaceSonderObjs(kSonderObjM23);
    for (const Point16& h : kHydrantsM23) AddHydrant(h.x, h.y);
}

// Nothing burns at the start.
void InitBrandM23() {}

// Units may overlap where the hostile person comes out between the houses of the second row.
void InitMissionExtrasM23() {
    MissionExtraCount = 1;
    AllocMissionExtras();
    MissionExtraActive = 1;
    MissionExtras[0] = {935, 352, 1064, 536};
}

// The hostile person while it may act on the script: itself, with no orders, uninjured.
Person* IdleHostile() {
    Person* p = UsedPersonAt(HostileIndex);
    if (p == nullptr || p->type != kHostileTyp || (p->controlFlags & kPersonRival) == 0 ||
        p->casualty != 0 || p->orders != nullptr)
        return nullptr;
    return p;
}

// A bought vehicle on the ground or in the air, each an even chance of one in five, a later hit
// replacing an earlier one; null when none was hit.
const Fahrzeug* ChooseBoughtFahrzeug() {
    const Fahrzeug* chosen = nullptr;
    for (const Fahrzeug& v : Fahrzeuge) {
        if (v.type == -1 || v.controlFlags != kOwnerBought || v.storey < kLayerHelicopter ||
            v.present == 0)
            continue;
        if (Rand() % kChoiceChance == 0) chosen = &v;
    }
    return chosen;
}

// Out on the square, the hostile person walks at the right side of a bought vehicle now and then;
// with no vehicle chosen it tries again the next tick.
void RoamHostile(Person& p) {
    if (HostileWalkTimer > 0) --HostileWalkTimer;
    if (HostileWalkTimer > 0) return;
    const Fahrzeug* v = ChooseBoughtFahrzeug();
    if (v == nullptr) return;
    const int x = TruncInt(v->x) + FahrzeugTypOf(*v).extent[2] + kBesideVehicle;
    const int y = TruncInt(v->y);
    if (x == TruncInt(p.x) || y == TruncInt(p.y)) return;
    SetBefehl(p, PersonTypOf(p), kOpMove, kSilent, x, y, 0, 0, 0);
    HostileWalkTimer = kWalkTicks;
}

// Enough rescuers on the square draw the hostile person out of its hiding place.
void LeaveHideout(Person& p, House& hideout) {
    const auto door = HouseDoorSpot(kHideout);
    if (!door) return;
    hideout.evacuated = 1;
    const int x = door->x;
    const int y = door->y + kHideoutDoorDy;
    SetBefehl(p, PersonTypOf(p), kOpMove, kSilent, x, y, 0, 0, 0);
    AppendBefehl(p, kOpTurn, x, y, kHideoutFacing, 0, 0);
    AppendBefehl(p, kOpLeaveHouse, x, y, -1, 0, 0);
}

void UpdateMissionM23() {
    const int units = ExposePersonsInArea(kGasArea);
    Person* p = IdleHostile();
    if (p == nullptr) return;
    if (p->house != static_cast<std::uint16_t>(kHideout)) {
        RoamHostile(*p);
        return;
    }
    House* hideout = PlacedHouse(kHideout);
    if (hideout != nullptr && units >= kUnitsToDrawOut) LeaveHideout(*p, *hideout);
}

// A station entrance under the mouse that a selected fire fighter with a cutter may still seal.
Person* SealerOverEntrance(int& house) {
    if (HoverKind < kHoverHouseLower || HoverKind > kHoverHouseUpper) return nullptr;
    house = HoverIds[3];
    if (house != kEntranceA && house != kEntranceB) return nullptr;
    const House* h = PlacedHouse(house);
    if (h == nullptr || h->evacuated != 0) return nullptr;
    const SelectedUnit sel = CurrentSelection();
    if (sel.person == nullptr) return nullptr;
    return EntranceWorkerSelection(sel.mode) ? sel.person : nullptr;
}

std::uint8_t CursorOnHouseM23() {
    int house = 0;
    if (SealerOverEntrance(house) == nullptr) return 0;
    CursorId = kCursorRescue;
    return 1;
}

// The fire fighter walks below the entrance's door, turns to it and seals it; the work marks the
// house.
std::uint8_t ClickOnHouseM23() {
    int house = 0;
    Person* sealer = SealerOverEntrance(house);
    if (sealer == nullptr) return 0;
    return SendToWorkAtEntrance(*sealer, house, kSealWork) ? 1 : 0;
}

void CheckMissionM23() {
    if (ToteCount >= 2) {
        ShowMissionFailed(kFailAfterExplosions, W("Zu viele Tote!"));
        return;
    }
    if (LostBoughtFahrzeugCount >= 3) {
        ShowMissionFailed(kFailAfterExplosions, W("Zu viele Fahrzeuge zerstört!"));
        return;
    }
    if (RescuePending() || ContaminationPending() || BurningCellCount != 0 ||
        BurningHouseCount != 0)
        return;
    ShowWellDone();
}

// Time and money weigh twice the dead.
void EvaluateMissionM23() {
    const int tote = WriteDeadLine(ResultLines[0], 100);
    const int zeit = WriteTimeLine(ResultLines[1], 12000, 54000);
    const int geld = WriteMoneyLine(ResultLines[2], 8000);
    EvaluationEfficiency = (tote + 2 * zeit + 2 * geld) / 5;
    FinishEvaluation(18000);
}

}  // namespace

const MissionHooks kMissionHooksM23{
    .InitLevel = InitLevelM23,
    .InitHouses = InitHousesM23,
    .InitZFWege = InitZFWegeM23,
    .InitPassantenWege = InitPassantenWegeM23,
    .InitFahrzeuge = InitFahrzeugeM23,
    .InitMissionExtras = InitMissionExtrasM23,
    .UpdateMission = UpdateMissionM23,
    .CheckMission = CheckMissionM23,
    .InitBrand = InitBrandM23,
    .InitSonderObj = InitSonderObjM23,
    .InitPersonen = InitPersonenM23,
    .InitGafferZiele = InitGafferZieleM23,
    .ClickOnHouse = ClickOnHouseM23,
    .EvaluateMission = EvaluateMissionM23,
    .CursorOnHouse = CursorOnHouseM23,
};

}  // namespace kv
