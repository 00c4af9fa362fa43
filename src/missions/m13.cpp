// Mission 13: a petrol tanker has crashed in a small town. The driver is trapped in the cab, the
// tank trailer explodes at tick 4800 and the drains of the street above from tick 5050, and the
// petrol puddle must be put out and buried under the sand heap.

#include <array>
#include <cstdint>

#include "core/campaign.h"
#include "core/fire_counts.h"
#include "core/hover.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/view.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/input/click_orders.h"
#include "mission/scroll_view.h"
#include "missions/approach_points.h"
#include "missions/held_casualty.h"
#include "missions/mission_checks.h"
#include "missions/mission_houses.h"
#include "missions/mission_objects.h"
#include "missions/mission_persons.h"
#include "missions/mission_rows.h"
#include "missions/water_on_point.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer.h"
#include "persons/gaffer_ziele.h"
#include "persons/personen.h"
#include "persons/sonder_obj_actions.h"
#include "platform/cp1252.h"
#include "screens/mission_end.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/explosions.h"
#include "world/geometry.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {

namespace {

constexpr int kMission = 13;

// The fixed special objects by slot; slot 0 stays empty.
constexpr std::int16_t kSandHeap = 1;
constexpr std::int16_t kTruck = 2;
constexpr std::int16_t kTank = 3;
constexpr std::int16_t kPuddle = 4;
constexpr std::int16_t kFirstDrain = 5;
constexpr std::int16_t kLastDrain = 10;
constexpr std::int16_t kFixedSonderObjM13 = 11;

constexpr std::int16_t kSandHeapTyp = 19;
constexpr std::int16_t kTruckTyp = 20;
constexpr std::int16_t kTankTyp = 22;
constexpr std::int16_t kDrainTyp = 24;
constexpr std::int16_t kPuddleTyp = 26;
// The truck's frame: the driver still trapped, or cut free.
constexpr std::int16_t kDriverTrapped = 0;
constexpr std::int16_t kDriverFree = 1;

// The tank goes up at this tick; from the next the drains are offered one by one, ten ticks each.
constexpr std::uint32_t kTankExplodes = 4800;
constexpr std::uint32_t kDrainsFrom = 5000;
constexpr std::uint32_t kDrainsUntil = 5300;
constexpr std::uint32_t kTicksPerDrain = 10;

void InitLevelM13() {
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight - 2);
    ViewOrigin = {425, 660};
    HomeView = {0, 0};
    RoadEntry = {-100, 221, 250, 3};
    RoadExit = {-150, 171, kEdgeLeft};
    Money += 12000;
    KarteMarker = KarteMarkers[kMission];
    BriefingBox.x = 160;
    BriefingBox.y = 100;
}

struct StoreyGaffer {
    std::int8_t type;
    std::int16_t x;
    std::int16_t y;
    std::int8_t storey;
    std::uint8_t direction;
};
// Those above the ground look out of the houses.
constexpr auto kGafferM13 = std::to_array<StoreyGaffer>({
    {28, 570, 870, 0, 9},
    {31, 580, 925, 0, 0},
    {30, 630, 890, 0, 4},
    {31, 640, 875, 0, 7},
    {28, 690, 885, 0, 10},
    {27, 768, 784, 2, 6},
    {28, 1060, 603, 1, 5},
    {29, 1210, 354, 3, 0},
    {30, 408, 745, 1, 7},
    {31, 612, 320, 1, 7},
    {28, 291, 1061, 2, 5},
});

void InitPersonenM13() {
    PersonCount = 60;
    AllocPersonen();
    for (const StoreyGaffer& g : kGafferM13)
        CreateGaffer(g.type, g.x, g.y, g.storey, g.direction, 0);
    SpawnPassant(27, 0, 0, 0);
    SpawnPassant(30, 1, 0, 0);
    CreateHeldCasualty(28, 800000, 80, 300, kTruck);
}

void InitFahrzeugeM13() {
    FahrzeugCount = 50;
    AllocFahrzeuge();
    CreateFahrzeug(39, 934, 774, 7);
    CreateFahrzeug(37, 782, 1323, 1);
}

// No civilian traffic.
void InitZFWegeM13() {
    ZFWegCount = 0;
    AllocZFWege();
}

void InitGafferZieleM13() {
    GafferZielCount = 1;
    AllocGafferZiele();
    SetGafferZiel(0, 820, 915, 140);
}

constexpr auto kWeg0 =
    std::to_array<Point16>({{110, 540}, {625, 540}, {1210, 540}, {1385, 515}, {1480, 515}});
constexpr auto kWeg1 = std::to_array<Point16>(
    {{1605, 120}, {1440, 410}, {880, 410}, {330, 410}, {490, 120}, {1000, 120}});

void InitPassantenWegeM13() {
    PassantenWegCount = 2;
    AllocPassantenWege();
    SetPassantenWeg(0, kPassantenWegBackAndForth, kWeg0);
    SetPassantenWeg(1, kPassantenWegLoop, kWeg1);
}

constexpr auto kSonderObjM13 = std::to_array<MissionSonderObj>({
    {kSandHeap, kSandHeapTyp, 1010, 945, 15, 0},
    {kTruck, kTruckTyp, 805, 820, 15, 0},
    {kTank, kTankTyp, 810, 970, 15, 0},
    {kPuddle, kPuddleTyp, 830, 935, 0, 1},
    {5, kDrainTyp, 142, 473, 0, 1},
    {6, kDrainTyp, 342, 473, 0, 1},
    {7, kDrainTyp, 542, 473, 0, 1},
    {8, kDrainTyp, 742, 473, 0, 1},
    {9, kDrainTyp, 942, 473, 0, 1},
    {10, kDrainTyp, 1142, 473, 0, 1},
});
constexpr auto kHydrantsM13 = std::to_array<Point16>({{180, 542},
                                                      {374, 1098},
                                                      {1202, 685},
                                                      {969, 820},
                                                      {1608, 986},
                                                      {1103, 394},
                                                      {1865, 510},
                                                      {2126, 681}});

void InitSonderObjM13() {
    SonderObjTypCount = MissionSonderObjTypCount(kMission);
    SonderObjCount = kFixedSonderObjM13;
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(kMission)) return;
    PlaceSonderObjs(kSonderObjM13);
    for (const Point16& h : kHydrantsM13) AddHydrant(h.x, h.y);
}

constexpr auto kHousesM13 = std::to_array<MissionHouse>({
    {3, 35, 10, 0, 0}, {3, 25, 25, 0, 0}, {3, 37, 25, 0, 0}, {3, 60, 32, 0, 1},  {3, 22, 35, 0, 1},
    {3, 27, 35, 0, 1}, {3, 32, 35, 0, 1}, {3, 43, 20, 0, 1}, {4, 61, 40, 0, 0},  {3, 43, 10, 0, 0},
    {0, -1, 10, 0, 1}, {0, 11, 10, 0, 1}, {0, 23, 10, 0, 1}, {71, 60, 25, 0, 0}, {0, 61, 5, 0, 0},
    {0, 70, 5, 0, 0},  {0, 61, 14, 0, 0}, {0, 70, 14, 0, 0}, {0, 53, 47, 0, 0},
});

void InitHousesM13() {
    PlaceHouses(kHousesM13);
}

// Nothing burns until the tank or the drains go up.
void InitBrandM13() {}

SonderObj* SlotOfTyp(std::int16_t slot, std::int16_t type) {
    SonderObj* o = SonderObjAt(slot);
    return o != nullptr && o->type == type ? o : nullptr;
}

// The driver dies with a truck that burned or exploded around him; one who already bled to death
// in the cab was counted then.
void DriverDiesWithTruck() {
    SonderObj* truck = SonderObjAt(kTruck);
    if (truck == nullptr || truck->type == kTruckTyp || truck->user == -1) return;
    const std::int16_t held = truck->user;
    truck->user = -1;
    const Person* driver = UsedPersonAt(held);
    if (driver == nullptr || driver->offMap == 0) return;
    if (driver->energy >= 1) ++ToteCount;
    DeletePerson(held);
}

void UpdateMissionM13() {
    // A tank already destroyed by fire stays its cold wreck, which must not blow up again.
    if (TickCounter == kTankExplodes && SlotOfTyp(kTank, kTankTyp) != nullptr)
        ExplodeSonderObj(kTank);
    if (TickCounter >= kDrainsFrom && TickCounter < kDrainsUntil) {
        const auto slot = static_cast<std::int16_t>((TickCounter - kDrainsFrom) / kTicksPerDrain);
        const SonderObj* drain = SlotOfTyp(slot, kDrainTyp);
        if (slot >= kFirstDrain && slot <= kLastDrain && drain != nullptr && drain->frame == 0)
            ExplodeSonderObj(slot);
    }
    DriverDiesWithTruck();
}

// Selections the objects answer to.
constexpr std::int16_t kLoaderSelection = 12;
bool CutterSelection(std::int16_t mode) {
    return mode == 1009 || mode == 1017 || mode == 1022;
}
bool ExtinguisherSelection(std::int16_t mode) {
    return mode == 1008 || mode == 1016 || mode == 1021;
}
bool OneVehicleSelection(std::int16_t mode) {
    return mode >= 0 && mode <= 999;
}

enum class Act : std::uint8_t { None, Cut, Water, Extinguish, Push };

// What the mouse over a special object offers the current selection.
Act HoveredAct() {
    const auto slot = static_cast<std::int16_t>(HoverIds[0]);
    const SonderObj* o = SonderObjAt(slot);
    if (o == nullptr || o->type == -1) return Act::None;
    const std::int16_t mode = SignedSelectionMode();
    const bool onFoot = UsedPersonAt(SelectedIndex) != nullptr;
    const bool driving = UsedFahrzeugAt(SelectedIndex) != nullptr;
    switch (slot) {
        case kSandHeap:
            return mode == kLoaderSelection && driving && o->type == kSandHeapTyp ? Act::Push
                                                                                  : Act::None;
        case kTruck:
            if (CutterSelection(mode) && onFoot && o->frame == kDriverTrapped) return Act::Cut;
            return CannonSelection(mode) ? Act::Water : Act::None;
        case kTank:
            return CannonSelection(mode) ? Act::Water : Act::None;
        case kPuddle:
            return ExtinguisherSelection(mode) && onFoot ? Act::Extinguish : Act::None;
        default:
            return Act::None;
    }
}

std::uint8_t CursorOnSonderObjM13() {
    switch (HoveredAct()) {
        case Act::None:
            return 0;
        case Act::Water:
            CursorId = kCursorWater;
            return 1;
        case Act::Cut:
        case Act::Extinguish:
        case Act::Push:
            CursorId = kCursorRescue;
            return 1;
    }
    return 0;
}

constexpr std::int32_t kPhraseCareful = 14;
constexpr std::int32_t kPhraseExtinguish = 15;
constexpr std::int32_t kPhraseUnderstood = 17;
// The cut: order 183's position rule 1 (below the truck, left of its middle), its cycles and the
// callback that frees the driver.
constexpr std::int32_t kCutRule = 1;
constexpr std::int32_t kCutCycles = 10;
constexpr std::uint32_t kDriverFreeSlot = 5;
constexpr std::uint8_t kFacingUp = 1;
// The puddle is smothered from its left or right end.
constexpr std::int32_t kExtinguishCycles = 999;
// The loader pushes the heap west onto the puddle.
constexpr std::int32_t kFacingWest = 9;
constexpr std::int32_t kPushBound = 850;
constexpr std::int32_t kPushedSlot = 10;

std::uint8_t SendCutter() {
    Person* p = UsedPersonAt(SelectedIndex);
    const SonderObjSpot& spot =
        kWorkRules[static_cast<std::size_t>(kCutRule - kFirstWorkRule)].spots[0];
    const std::optional<PixelPos> at = SonderObjSpotPoint(kTruck, spot);
    if (p == nullptr || !at) return 0;
    GiveOrder(*p, PersonTypOf(*p), kOpMove, kPhraseCareful, at->x, at->y);
    ThenOrder(*p, kOpTurn, at->x, at->y, kFacingUp);
    AppendBefehl(*p, kOpWorkAtSonderObj, kTruck, kTruckTyp, kCutCycles, kCutRule, kDriverFreeSlot);
    return 1;
}

std::uint8_t SendExtinguisher() {
    Person* p = UsedPersonAt(SelectedIndex);
    if (p == nullptr) return 0;
    GiveOrder(*p, PersonTypOf(*p), kOpGoals, kPhraseExtinguish, ReleaseSpotGoals(kPuddle, {2, 10}));
    ThenOrder(*p, kOpWorkThenRemove, kPuddle, kPuddleTyp, kExtinguishCycles);
    return 1;
}

std::uint8_t SendLoader(const SonderObj& heap) {
    Fahrzeug* v = UsedFahrzeugAt(SelectedIndex);
    const SonderObjTyp* t = SonderObjTypAt(heap.type);
    if (v == nullptr || t == nullptr) return 0;
    const FahrzeugTyp& type = FahrzeugTypOf(*v);
    const std::int32_t x = TruncInt(heap.x) + t->boxX1 + type.extent[2] / 2 + 2;
    const std::int32_t y = TruncInt(heap.y) + t->boxY0 + (t->boxY1 - t->boxY0) / 2;
    GiveOrder(*v, type, kOpMove, kPhraseUnderstood, x, y);
    ThenOrder(*v, kOpWait, 1);
    ThenOrder(*v, kOpTurn, x, y, kFacingWest);
    ThenOrder(*v, kOpPushSonderObj, kSandHeap, kPushBound, kPushedSlot);
    return 1;
}

std::uint8_t ClickOnSonderObjM13() {
    const auto slot = static_cast<std::int16_t>(HoverIds[0]);
    switch (HoveredAct()) {
        case Act::None:
            return 0;
        case Act::Cut:
            return SendCutter();
        case Act::Water:
            // Only a vehicle of the selection sprays, and the click is taken only when it does.
            if (!OneVehicleSelection(SignedSelectionMode()) || CursorId != kCursorWater) return 0;
            return WaterOnPoint(slot) ? 1 : 0;
        case Act::Extinguish:
            return SendExtinguisher();
        case Act::Push:
            return SendLoader(*SonderObjAt(slot));
    }
    return 0;
}

// Callback 5: the driver is out of the cab and lies beside the truck.
void DriverCutFree(std::int32_t slot) {
    if (MissionNummer != kMission) return;
    SonderObj* truck = SonderObjAt(slot);
    if (truck == nullptr || truck->type == -1) return;
    truck->frame = kDriverFree;
    const SonderObjTyp* t = SonderObjTypAt(truck->type);
    if (t == nullptr) return;
    const float x = truck->x - 10.0f + static_cast<float>((t->boxX1 - t->boxX0) / 2);
    const float y = truck->y + 10.0f + static_cast<float>((t->boxY1 - t->boxY0) / 2);
    ReleaseHeldPerson(static_cast<std::int16_t>(slot), x, y, 15);
}

// Callback 10: the heap lies on the puddle; both are gone.
void HeapPushed(std::int32_t slot) {
    if (MissionNummer != kMission) return;
    const SonderObj* heap = SonderObjAt(slot);
    if (heap == nullptr || heap->type == -1) return;
    FreeSonderObjSlot(slot);
    if (SlotOfTyp(kPuddle, kPuddleTyp) != nullptr) FreeSonderObjSlot(kPuddle);
}

void CheckMissionM13() {
    if (ToteCount >= 1) {
        ShowMissionFailed(kFailAfterExplosions, W("Verletzter gestorben!"));
        return;
    }
    if (!RescuePending() && BurningCellCount == 0 && BurningHouseCount == 0) ShowWellDone();
}

void EvaluateMissionM13() {
    const int tote = WriteDeadLine(ResultLines[0], 100);
    const int zeit = WriteTimeLine(ResultLines[1], 6000, 30000);
    const int geld = WriteMoneyLine(ResultLines[2], 5000);
    EvaluationEfficiency = (tote + 2 * zeit + geld) / 4;
    FinishEvaluation(12000);
}

}  // namespace

void OnBefehlDone05M13(std::int32_t slot, std::int32_t) {
    DriverCutFree(slot);
}

void OnBefehlDone10M13(std::int32_t slot, std::int32_t) {
    HeapPushed(slot);
}

const MissionHooks kMissionHooksM13{
    .InitLevel = InitLevelM13,
    .InitHouses = InitHousesM13,
    .InitZFWege = InitZFWegeM13,
    .InitPassantenWege = InitPassantenWegeM13,
    .InitFahrzeuge = InitFahrzeugeM13,
    .UpdateMission = UpdateMissionM13,
    .CheckMission = CheckMissionM13,
    .InitBrand = InitBrandM13,
    .InitSonderObj = InitSonderObjM13,
    .InitPersonen = InitPersonenM13,
    .InitGafferZiele = InitGafferZieleM13,
    .CursorOnSonderObj = CursorOnSonderObjM13,
    .ClickOnSonderObj = ClickOnSonderObjM13,
    .EvaluateMission = EvaluateMissionM13,
};

}  // namespace kv
