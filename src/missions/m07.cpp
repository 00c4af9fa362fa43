// Mission 7: fire in an underground station, a fire that keeps coming back.

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
#include "core/mouse.h"
#include "core/view.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/input/selected_unit.h"
#include "mission/scroll_view.h"
#include "missions/entrance_work.h"
#include "missions/mission_checks.h"
#include "missions/mission_houses.h"
#include "missions/mission_objects.h"
#include "missions/mission_persons.h"
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
#include "world/brand_cells.h"
#include "world/geometry.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/materials.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {

namespace {

// How often the station's fire has been kindled again since the first return; saved with the
// game, so a loaded game re-kindles on the same ticks.
std::uint16_t& RekindlingsM07 = MissionScratch.S2;

// The station: houses 0..2, the script's cells (1..7, 0) of their ground floor, and the fire's
// seat in house 1.
constexpr int kStationHouses = 3;
constexpr int kFirstScriptCell = 1;
constexpr int kLastScriptCell = 7;
constexpr int kSeatHouse = 1;
constexpr int kSeatCell = 7;
constexpr std::uint8_t kStationMaterial = 4;

// The fire returns first after this tick, then every period.
constexpr std::uint32_t kFirstReturn = 9600;
constexpr std::uint32_t kReturnPeriod = 2400;

// The station area nobody with a controller may stand in for the win.
constexpr int kAreaLeft = 46;
constexpr int kAreaRight = 77;
constexpr int kAreaTop = 25;
constexpr int kAreaBottom = 36;

// Who sprays with a hose.
constexpr std::int16_t kHoseSelected = PersonSelection(11);
constexpr std::uint16_t kNoLink2 = 65535;
constexpr std::int32_t kHoseReach = 250;
constexpr std::uint16_t kStandsAndKiosks = 4;  // fixed slots 0..3

constexpr std::uint8_t kOpHoseAtGround = 208;
constexpr std::int32_t kHoseAck = 17;
constexpr std::int32_t kEntranceWork = 60;

void InitLevelM07() {
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight);
    ViewOrigin = {1050, 580};
    HomeView = {0, 0};
    RoadEntry = {-100, 193, 250, 3};
    RoadExit = {-150, 143, kEdgeLeft};
    Money += 17000;
    KarteMarker = KarteMarkers[7];
    BriefingBox.x = 160;
    BriefingBox.y = 100;
    RekindlingsM07 = 0;
}

// The station first, closed to the player's mark; then the town round the square.
constexpr std::array<MissionHouse, 25> kHousesM07 = {{
    {1, 50, 26, 3, 2, 0}, {2, 58, 26, 3, 2, 0}, {2, 66, 26, 3, 2, 0}, {3, 1, -1, 0, 1},
    {4, 18, -1, 0, 1},    {3, 35, -1, 0, 1},    {3, 67, -1, 0, 1},    {4, 77, -1, 0, 1},
    {3, 35, 9, 0, 1},     {3, 57, 9, 0, 1},     {4, 62, 9, 0, 1},     {4, 67, 9, 0, 1},
    {4, 18, 20, 0, 1},    {4, 28, 18, 0, 1},    {4, 18, 27, 1, 1},    {3, 28, 25, 1, 1},
    {3, 18, 33, 2, 1},    {3, 28, 32, 2, 1},    {3, 11, 33, 2, 1},    {0, 11, -1, 0, 1},
    {0, 28, -1, 0, 1},    {0, 45, -1, 0, 1},    {0, 57, -1, 0, 1},    {0, 45, 9, 0, 1},
    {0, 77, 9, 0, 1},
}};

void InitHousesM07() {
    PlaceHouses(kHousesM07);
}

// Three people standing at the entrances, five more further up the square.
constexpr std::array<MissionGaffer, 8> kGafferM07 = {{
    {27, 1784, 929, 0},
    {29, 1422, 905, 1},
    {30, 1869, 796, 11},
    {29, 1555, 581, 5},
    {30, 1585, 583, 6},
    {27, 1610, 579, 6},
    {28, 1640, 581, 6},
    {27, 1655, 580, 7},
}};

// Two hurt in front of the station, four inside it.
constexpr std::array<MissionCasualty, 6> kVerletzteM07 = {{
    {29, 1706, 799, 0, 7, 1000000, 70},
    {28, 1629, 912, 0, 3, 500000, 10},
    {28, 1260, 738, 1, 3, 900000, 30},
    {27, 1378, 738, 1, 3, 100000, 0},
    {30, 1633, 738, 1, 9, 400000, 20},
    {31, 1887, 738, 1, 9, 800000, 50},
}};
constexpr std::int16_t kHealing = 300;

void InitPersonenM07() {
    PersonCount = 70;
    AllocPersonen();
    PlaceGaffers(kGafferM07);
    for (const MissionCasualty& v : kVerletzteM07) PlaceCasualty(v, kHealing);
}

void InitFahrzeugeM07() {
    FahrzeugCount = 50;
    AllocFahrzeuge();
}

// No traffic, no onlooker targets and no pedestrians: the square is closed off.
void InitZFWegeM07() {
    ZFWegCount = 0;
    AllocZFWege();
}

void InitGafferZieleM07() {
    GafferZielCount = 0;
    AllocGafferZiele();
}

void InitPassantenWegeM07() {
    PassantenWegCount = 0;
    AllocPassantenWege();
}

// Two kiosks and two newspaper stands in front of the station.
constexpr std::array<MissionSonderObj, kStandsAndKiosks> kSonderObjM07 = {{
    {2, 21, 1448, 857},
    {3, 21, 1512, 745},
    {0, 18, 1623, 764},
    {1, 18, 1557, 900},
}};
constexpr std::array<Point16, 7> kHydrantsM07 = {{
    {1736, 792},
    {1671, 904},
    {659, 90},
    {1050, 90},
    {1586, 90},
    {2025, 90},
    {492, 1019},
}};

void InitSonderObjM07() {
    SonderObjTypCount = MissionSonderObjTypCount(7);
    SonderObjCount = kStandsAndKiosks;
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(7)) return;
    PlaceSonderObjs(kSonderObjM07);
    for (const Point16& h : kHydrantsM07) AddHydrant(h.x, h.y);
}

// The script's ground-floor cell of a station house: null for an unplaced house, or a cell its
// type does not have.
BrandState* StationCell(int house, int i) {
    House* h = PlacedHouse(house);
    if (h == nullptr || i >= HouseTypOf(*h).extentI || HouseTypOf(*h).extentJ == 0) return nullptr;
    return &brand::At(h->floors[0].brand, i, 0);
}

void InitBrandM07() {
    if (BrandState* seat = StationCell(kSeatHouse, kSeatCell)) seat->burning = 1;
}

// Units may overlap where the square narrows between the houses of the second row.
void InitMissionExtrasM07() {
    MissionExtraCount = 1;
    MissionExtraActive = 1;
    AllocMissionExtras();
    MissionExtras[0] = {915, 393, 1062, 556};
}

// The station's cells burn as wood: the types of houses 0 and 1 (house 2 shares house 1's).
void SetStationMaterial() {
    for (int house = 0; house <= kSeatHouse; ++house) {
        House* h = PlacedHouse(house);
        if (h == nullptr) continue;
        HouseTyp& t = HouseTypen[static_cast<std::size_t>(h->type)];
        if (t.extentJ == 0) continue;
        for (int i = kFirstScriptCell; i <= kLastScriptCell && i < t.extentI; ++i)
            t.cell(0, i, 0).material = kStationMaterial;
    }
}

bool StationMaterialSet() {
    const House* h = PlacedHouse(0);
    if (h == nullptr) return true;
    const HouseTyp& t = HouseTypOf(*h);
    if (t.extentJ == 0 || t.extentI <= kFirstScriptCell) return true;
    return t.cell(0, kFirstScriptCell, 0).material == kStationMaterial;
}

// The station fills with fuel again and its seat burns at full heat, counted as the fire model
// counts a cell that catches fire.
void RekindleStation() {
    SetStationMaterial();
    const Material& wood = MaterialOf(kStationMaterial);
    for (int house = 0; house < kStationHouses; ++house)
        for (int i = kFirstScriptCell; i <= kLastScriptCell; ++i)
            if (BrandState* s = StationCell(house, i)) {
                s->fuel = wood.fuel;
                s->heat = 0;
            }
    const brand::HouseCellRef seat = brand::FindHouseCell(kSeatHouse, 0, kSeatCell, 0);
    if (!seat) return;
    BrandState& s = seat.state();
    if (s.burning == 0) {
        s.burning = 1;
        brand::CountHouseCellLit(*seat.house);
        brand::StartCellFlames(seat);
    }
    const Material& m = MaterialOf(HouseTypOf(*seat.house).cell(0, kSeatCell, 0).material);
    s.fuel = m.fuel;
    s.heat = m.maxHeat;
}

void UpdateMissionM07() {
    if (TickCounter <= kFirstReturn) {
        if (!StationMaterialSet()) SetStationMaterial();
        return;
    }
    if (TickCounter - kFirstReturn <= std::uint32_t{RekindlingsM07} * kReturnPeriod) return;
    ++RekindlingsM07;
    RekindleStation();
}

// A station house under the mouse that a selected entrance worker may still open up.
Person* EntranceWorkerOverStation(int& house) {
    if (HoverKind != kHoverHouseLower) return nullptr;
    house = HoverIds[3];
    if (house >= kStationHouses) return nullptr;
    const House* h = PlacedHouse(house);
    if (h == nullptr || h->evacuated != 0) return nullptr;
    const SelectedUnit sel = CurrentSelection();
    if (sel.person == nullptr) return nullptr;
    return EntranceWorkerSelection(sel.mode) ? sel.person : nullptr;
}

std::uint8_t CursorOnHouseM07() {
    int house = 0;
    if (EntranceWorkerOverStation(house) == nullptr) return 0;
    CursorId = kCursorRescue;
    return 1;
}

// The worker walks to the entrance below the door and opens it up; only this mark lets the fire
// fighters in to fetch the casualties.
std::uint8_t ClickOnHouseM07() {
    int house = 0;
    Person* worker = EntranceWorkerOverStation(house);
    if (worker == nullptr) return 0;
    return SendToWorkAtEntrance(*worker, house, kEntranceWork) ? 1 : 0;
}

// A hose person within reach of the clicked point over a stand or kiosk.
Person* HoseOverStand() {
    if (HoverKind != kHoverSonderObj || HoverIds[0] >= kStandsAndKiosks) return nullptr;
    const SonderObj* o = SonderObjAt(HoverIds[0]);
    if (o == nullptr || o->type == -1) return nullptr;
    const SelectedUnit sel = CurrentSelection();
    if (sel.person == nullptr || sel.mode != kHoseSelected || sel.person->link2 == kNoLink2)
        return nullptr;
    const Person& p = *sel.person;
    const std::int32_t d = DistanceInt(static_cast<std::int16_t>(TruncInt(p.x)),
                                       static_cast<std::int16_t>(TruncInt(p.y)),
                                       static_cast<std::int16_t>(ViewOrigin.x + MouseX),
                                       static_cast<std::int16_t>(ViewOrigin.y + MouseY));
    return d <= kHoseReach ? sel.person : nullptr;
}

std::uint8_t CursorOnSonderObjM07() {
    if (HoseOverStand() == nullptr) return 0;
    CursorId = kCursorWater;
    return 1;
}

// Only where the cursor shows water: the engine's own choice stays for every other click.
std::uint8_t ClickOnSonderObjM07() {
    Person* hose = HoseOverStand();
    if (hose == nullptr) return 0;
    SetBefehl(*hose, PersonTypOf(*hose), kOpHoseAtGround, kHoseAck, ViewOrigin.x + MouseX,
              ViewOrigin.y + MouseY, HoverIds[0], 0, 0);
    return 1;
}

// Somebody the game steers (onlookers, not the player's staff or the casualties) still standing
// in the station area.
bool SomebodyInStationArea() {
    for (const Person& p : Personen) {
        if (p.type == -1 || (p.controlFlags & kPersonController) == 0 || p.offMap != 0) continue;
        const CellPos c = CellFromPixel(TruncInt(p.x), TruncInt(p.y));
        if (c.column >= kAreaLeft && c.column <= kAreaRight && c.row >= kAreaTop &&
            c.row <= kAreaBottom)
            return true;
    }
    return false;
}

void CheckMissionM07() {
    if (ToteCount >= 1) {
        ShowMissionFailed(kFailAfterExplosions, W("Verletzter gestorben!"));
        return;
    }
    if (RescuePending() || SomebodyInStationArea() || BurningCellCount != 0 ||
        BurningHouseCount != 0)
        return;
    ShowWellDone();
}

// Time and money; any death fails the mission, so there is no line for the dead.
void EvaluateMissionM07() {
    const int zeit = WriteTimeLine(ResultLines[0], 9000, 36000);
    const int geld = WriteMoneyLine(ResultLines[1], 5000);
    EvaluationEfficiency = (zeit + geld) / 2;
    FinishEvaluation(17000);
}

}  // namespace

const MissionHooks kMissionHooksM07{
    .InitLevel = InitLevelM07,
    .InitHouses = InitHousesM07,
    .InitZFWege = InitZFWegeM07,
    .InitPassantenWege = InitPassantenWegeM07,
    .InitFahrzeuge = InitFahrzeugeM07,
    .InitMissionExtras = InitMissionExtrasM07,
    .UpdateMission = UpdateMissionM07,
    .CheckMission = CheckMissionM07,
    .InitBrand = InitBrandM07,
    .InitSonderObj = InitSonderObjM07,
    .InitPersonen = InitPersonenM07,
    .InitGafferZiele = InitGafferZieleM07,
    .CursorOnSonderObj = CursorOnSonderObjM07,
    .ClickOnSonderObj = ClickOnSonderObjM07,
    .ClickOnHouse = ClickOnHouseM07,
    .EvaluateMission = EvaluateMissionM07,
    .CursorOnHouse = CursorOnHouseM07,
};

}  // namespace kv
