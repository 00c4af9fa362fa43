// Mission 1: a traffic accident on a country road.

#include <array>
#include <cstdint>

#include "core/campaign.h"
#include "core/hover.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/view.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/scroll_view.h"
#include "missions/approach_points.h"
#include "missions/fuel_puddle.h"
#include "missions/mission_checks.h"
#include "missions/mission_objects.h"
#include "missions/mission_rows.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "movement/traffic_paths.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "screens/mission_end.h"
#include "vehicles/fahrzeuge.h"
#include "world/explosions.h"
#include "world/geometry.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {

namespace {

// The fixed special objects the checks look at: the two wrecks and the leaked fuel, each still
// on the road while its slot holds its type.
constexpr std::int16_t kTractorSlot = 0;
constexpr std::int16_t kMotorcycleSlot = 1;
constexpr std::int16_t kFuelSlot = 2;
constexpr std::int16_t kTractorTyp = 18;
constexpr std::int16_t kMotorcycleTyp = 19;
constexpr std::int16_t kFuelTyp = kFuelPuddleTyp;

// The casualty lying beside the fuel.
constexpr std::int8_t kBadlyInjuredTyp = 35;

// The crane truck's selection mode.
constexpr std::uint16_t kCraneSelected = 9;

// The orders the mission gives or watches.
constexpr std::int32_t kCraneAck = 7;

// The road the win waits to see clear, between its two verges.
constexpr std::int16_t kRoadTop = 475;
constexpr std::int16_t kRoadBottom = 585;

void InitLevelM01() {
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight - 3);
    ViewOrigin = {530, 240};
    HomeView = {0, 240};
    RoadEntry = {-100, 560, 370, 3};
    RoadExit = {-150, 505, kEdgeLeft};
    Money += 6000;
    KarteMarker = KarteMarkers[1];
    BriefingBox.x = 170;
    BriefingBox.y = 90;
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
constexpr std::int16_t kFixedSonderObjM01 = 15;
constexpr std::array<MissionSonderObj, kFixedSonderObjM01> kSonderObjM01 = {{
    {0, 18, 835, 425, 15, 0, 0},
    {1, 19, 905, 470, 15, 0, 0},
    {2, 20, 905, 488, 0, 1, 0},
    {3, 21, 1550, 630, 15, 0, 0},
    {4, 22, 1420, 630, 15, 0, 0},
    {5, 21, 1350, 715, 15, 0, 4},
    {6, 22, 1530, 640, 15, 0, 1},
    {7, 21, 1700, 665, 15, 0, 6},
    {8, 22, 1630, 740, 15, 0, 5},
    {9, 21, 1430, 825, 15, 0, 2},
    {10, 22, 1280, 880, 15, 0, 3},
    {11, 21, 1700, 905, 15, 0, 4},
    {12, 22, 1390, 690, 15, 0, 5},
    {13, 21, 1680, 825, 15, 0, 2},
    {14, 22, 1590, 850, 15, 0, 3},
}};

void InitSonderObjM01() {
    SonderObjTypCount = MissionSonderObjTypCount(1);
    SonderObjCount = kFixedSonderObjM01;
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(1)) return;
    PlaceSonderObjs(kSonderObjM01);
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
    const std::int32_t xR = ViewRightEdgeX();
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

// No onlookers come.
void InitGafferZieleM01() {}

bool SlotHolds(std::int16_t slot, std::int16_t type) {
    const SonderObj* o = SonderObjAt(slot);
    return o != nullptr && o->type == type;
}

// Treating, lifting onto a stretcher or picking up the casualty beside the fuel; the order's a
// names the patient.
bool WorksOnBadlyInjured(const Person& p) {
    const int opcode = HeadBefehlOpcode(p);
    if (opcode != kOpTreat && opcode != kOpLoadStretcher && opcode != kOpPickUpCasualty)
        return false;
    const Person* patient = UsedPersonAt(p.orders->aInt());
    return patient != nullptr && patient->type == kBadlyInjuredTyp;
}

// A civilian car standing right of the road's end, facing the way its path comes in: the queue
// reaches back off the map and no more cars can come.
bool TrafficJammedM01() {
    const std::int16_t xR = ViewRightEdgeX();
    for (const Fahrzeug& v : Fahrzeuge) {
        if (v.type == -1 || FahrzeugTypOf(v).unitClass != kCivilVehicleUnitClass) continue;
        if (DrivesInTraffic(v)) continue;
        const ZFWeg* path = ZFWegAt(v.link);
        if (path == nullptr || v.direction != path->startDir) continue;
        if (v.x > static_cast<float>(xR)) return true;
    }
    return false;
}

void CheckMissionM01() {
    if (SlotHolds(kFuelSlot, kFuelTyp)) {
        // Whoever starts to work on the casualty beside the unbound fuel is stopped, and sets it
        // off.
        StopWorkBeside(kFuelSlot, WorksOnBadlyInjured);
        if (ExplosionPastFrame(kFuelSlot)) {
            ClearSonderObjCommands(kFuelSlot);
            ShowMissionFailed(kFailNow, W("Ausgelaufener Treibstoff ist explodiert!"));
            return;
        }
    }
    if (ToteCount > 0) {
        ShowMissionFailed(kFailAfterExplosions, W("Verletzter gestorben!"));
        return;
    }
    if (LostBoughtFahrzeugCount > 0 || LostMissionFahrzeugCount > 0) {
        ShowMissionFailed(kFailAfterExplosions, W("Einsatzfahrzeug zerstört!"));
        return;
    }
    if (TrafficJammedM01()) {
        ShowMissionFailed(kFailNow, W("Einsatz verursacht Verkehrschaos!"));
        return;
    }
    if (SlotHolds(kTractorSlot, kTractorTyp) || SlotHolds(kMotorcycleSlot, kMotorcycleTyp) ||
        SlotHolds(kFuelSlot, kFuelTyp) || RescuePending() ||
        !StripFree(0, kRoadTop, ViewRightEdgeX(), kRoadBottom))
        return;
    ShowWellDone();
}

// What the selection can do with the special object under the mouse.
enum class Action : std::uint8_t { None, TakeUpWreck, BindFuel };

Action HoveredAction() {
    if (HoverKind != kHoverSonderObj) return Action::None;
    const std::uint16_t slot = HoverIds[0];
    const SonderObj* o = SonderObjAt(slot);
    if (o == nullptr || o->type == -1) return Action::None;
    if ((slot == kTractorSlot || slot == kMotorcycleSlot) && SelectionMode == kCraneSelected &&
        UsedFahrzeugAt(SelectedIndex) != nullptr)
        return Action::TakeUpWreck;
    if (slot == kFuelSlot && BinderSelection(SignedSelectionMode()) &&
        UsedPersonAt(SelectedIndex) != nullptr)
        return Action::BindFuel;
    return Action::None;
}

std::uint8_t CursorOnSonderObjM01() {
    if (HoveredAction() == Action::None) return 0;
    CursorId = kCursorRescue;
    return 1;
}

// The crane drives to whichever side of the wreck it reaches first, then lifts it.
void SendCraneToWreck(Fahrzeug& crane, std::int16_t slot, std::int16_t wrecktype) {
    SetBefehl(crane, FahrzeugTypOf(crane), kOpGoals, kCraneAck, ApproachPoints(slot, crane), 0, 0,
              0);
    AppendBefehl(crane, kOpTakeUpObject, slot, wrecktype, 0, 0, 0);
}

std::uint8_t ClickOnSonderObjM01() {
    const Action action = HoveredAction();
    if (action == Action::None) return 0;
    const auto slot = static_cast<std::int16_t>(HoverIds[0]);
    const SonderObj& o = *SonderObjAt(slot);
    if (action == Action::TakeUpWreck)
        SendCraneToWreck(*UsedFahrzeugAt(SelectedIndex), slot, o.type);
    else
        SendBinderToFuel(*UsedPersonAt(SelectedIndex), kFuelSlot, 0);
    return 1;
}

// Time and money; any death fails the mission, so there is no line for the dead.
void EvaluateMissionM01() {
    const int zeit = WriteTimeLine(ResultLines[0], 4200, 30000);
    const int geld = WriteMoneyLine(ResultLines[1], 3000);
    EvaluationEfficiency = (zeit + geld) / 2;
    FinishEvaluation(6000);
}

}  // namespace

const MissionHooks kMissionHooksM01{
    .InitLevel = InitLevelM01,
    .InitHouses = InitHousesM01,
    .InitZFWege = InitZFWegeM01,
    .InitPassantenWege = InitPassantenWegeM01,
    .InitFahrzeuge = InitFahrzeugeM01,
    .CheckMission = CheckMissionM01,
    .InitBrand = InitBrandM01,
    .InitSonderObj = InitSonderObjM01,
    .InitPersonen = InitPersonenM01,
    .InitGafferZiele = InitGafferZieleM01,
    .CursorOnSonderObj = CursorOnSonderObjM01,
    .ClickOnSonderObj = ClickOnSonderObjM01,
    .EvaluateMission = EvaluateMissionM01,
};

}  // namespace kv
