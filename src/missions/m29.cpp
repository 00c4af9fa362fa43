// Mission 29: a display aircraft has crashed at an air show. Its parts lie over the field, two
// wrecks burn, casualties lie around, spectators stand in the rows, and the pilot hangs in his
// parachute until a rescuer with the metal cutter takes him down.

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/campaign.h"
#include "core/fire_counts.h"
#include "core/hover.h"
#include "core/mission_points.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/view.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/input/click_orders.h"
#include "mission/scroll_view.h"
#include "missions/mission_objects.h"
#include "missions/mission_persons.h"
#include "missions/mission_rows.h"
#include "missions/water_on_point.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer.h"
#include "persons/gaffer_ziele.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
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

constexpr int kMission = 29;

// The first and the last spectator created; -1 names nobody.
std::int16_t& FirstSpectator() {
    return SignedWord(MissionScratch.S0);
}
std::int16_t& LastSpectator() {
    return SignedWord(MissionScratch.S1);
}

// The pilot in his parachute, and the parachute once he is down.
constexpr std::int16_t kParachute = 21;
constexpr std::int16_t kFixedSonderObjM29 = 22;
constexpr std::int16_t kWreckLeft = 18;
constexpr std::int16_t kWreckRight = 19;
constexpr std::int16_t kHangingTyp = 53;
constexpr std::int16_t kEmptyParachuteTyp = 52;
// Aircraft parts, wrecks and the tanker, whole, destroyed or burning.
constexpr std::int16_t kWreckageFirst = 18;
constexpr std::int16_t kWreckageLast = 51;

constexpr std::int8_t kPilotTyp = 54;
// Until this tick the pilot comes down alive, the sooner the stronger.
constexpr std::uint32_t kPilotDeadline = 14400;
// From this tick on a pilot still hanging fails the mission.
constexpr std::uint32_t kPilotFailsAt = 14401;
constexpr std::int32_t kPilotEnergyPerTick = 69;
constexpr std::uint16_t kPilotLoss = 10;
constexpr std::int16_t kPilotHeal = 300;
// Where the pilot lies beside the emptied parachute, and how far the parachute moves.
constexpr float kParachuteShift = 7.0f;
constexpr int kPilotDx = 3;
constexpr int kPilotDy = 24;
constexpr std::uint8_t kPilotDirection = 1;

// The callback slot of the rescue at the parachute.
constexpr std::uint32_t kPilotDownSlot = 13;
constexpr std::int32_t kPhraseUnderstoodM29 = 15;
constexpr std::int32_t kCutCycles = 1;
constexpr std::int32_t kCutRule = 0;
// The goal points above and below the parachute's box, and how the rescuer faces at each.
constexpr int kGoalGap = 7;
constexpr std::uint8_t kFacingAbove = 7;
constexpr std::uint8_t kFacingBelow = 1;

// The spectator rows: the fire fails the mission once it reaches them.
constexpr int kRowsRow = 22;
constexpr int kRowsFirstColumn = 119;
constexpr int kRowsLastColumn = 125;

// The selection modes of a person holding the metal cutter (types 9, 17, 22).
constexpr bool CutterSelection(std::int16_t mode) {
    return mode == 1009 || mode == 1017 || mode == 1022;
}
constexpr std::int16_t kVehicleModeEnd = 1000;

void InitLevelM29() {
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight - 2);
    ViewOrigin = {650, 345};
    HomeView = {0, 0};
    RoadEntry = {-100, 237, 250, 3};
    RoadExit = {-150, 155, kEdgeLeft};
    Money += 27000;
    KarteMarker = KarteMarkers[kMission];
    BriefingBox.x = 160;
    BriefingBox.y = 100;
    FirstSpectator() = -1;
    LastSpectator() = -1;
    MissionScratch.S2 = 0;
}

constexpr std::int16_t kCasualtyHeal = 300;
constexpr std::array<MissionCasualty, 10> kHurtM29 = {{
    {30, 756, 699, 0, 3, 699999, 80},
    {29, 808, 810, 0, 1, 900000, 60},
    {31, 1152, 816, 0, 7, 500000, 25},
    {27, 1249, 742, 0, 3, 200000, 2},
    {31, 1261, 824, 0, 3, 599999, 33},
    {27, 1533, 826, 0, 1, 299999, 12},
    {28, 1547, 689, 0, 3, 400000, 50},
    {27, 1689, 979, 0, 1, 800000, 80},
    {29, 1700, 852, 0, 7, 100000, 10},
    {30, 1803, 744, 0, 9, 599999, 50},
}};
// What each of them gains a tick while treated.
constexpr std::array<std::int16_t, kHurtM29.size()> kHurtHealM29 = {300, 300, 300, 100, 300,
                                                                    100, 300, 300, 100, 300};

constexpr std::uint16_t kDeadLoss = 20;
constexpr std::array<MissionCasualty, 16> kDeadM29 = {{
    {30, 771, 792, 0, 1, 0, kDeadLoss},
    {29, 869, 719, 0, 7, 0, kDeadLoss},
    {29, 980, 670, 0, 3, 0, kDeadLoss},
    {27, 1045, 762, 0, 9, 0, kDeadLoss},
    {27, 1057, 699, 0, 9, 0, kDeadLoss},
    {29, 1082, 889, 0, 9, 0, kDeadLoss},
    {28, 1247, 701, 0, 9, 0, kDeadLoss},
    {31, 1394, 897, 0, 7, 0, kDeadLoss},
    {28, 1409, 862, 0, 3, 0, kDeadLoss},
    {29, 1420, 763, 0, 1, 0, kDeadLoss},
    {30, 1475, 847, 0, 3, 0, kDeadLoss},
    {27, 1510, 754, 0, 3, 0, kDeadLoss},
    {28, 1611, 838, 0, 1, 0, kDeadLoss},
    {28, 1667, 962, 0, 7, 0, kDeadLoss},
    {31, 1792, 844, 0, 3, 0, kDeadLoss},
    {28, 1793, 676, 0, 1, 0, kDeadLoss},
}};

constexpr std::array<MissionGaffer, 19> kSpectatorsM29 = {{
    {30, 1261, 903, 1},  {27, 1298, 954, 2}, {28, 1405, 824, 4}, {31, 1453, 757, 8},
    {29, 1525, 913, 10}, {28, 2264, 557, 9}, {30, 2272, 715, 7}, {29, 2276, 602, 9},
    {31, 2340, 628, 8},  {31, 2356, 694, 8}, {27, 2389, 582, 8}, {28, 2397, 755, 9},
    {29, 2402, 643, 6},  {30, 2449, 611, 7}, {31, 2460, 547, 6}, {27, 2685, 566, 7},
    {28, 2640, 609, 3},  {27, 2711, 750, 9}, {27, 2534, 541, 8},
}};

void InitPersonenM29() {
    PersonCount = 100;
    AllocPersonen();
    LoadPersonTyp(kPilotTyp);
    for (std::size_t i = 0; i < kHurtM29.size(); ++i) PlaceCasualty(kHurtM29[i], kHurtHealM29[i]);
    for (const MissionCasualty& c : kDeadM29) PlaceCasualty(c, kCasualtyHeal);
    for (std::size_t i = 0; i < kSpectatorsM29.size(); ++i) {
        const MissionGaffer& g = kSpectatorsM29[i];
        const std::int16_t made = CreateGaffer(g.type, g.x, g.y, 0, g.direction, 0);
        if (i == 0) FirstSpectator() = made;
        if (i + 1 == kSpectatorsM29.size()) LastSpectator() = made;
    }
}

void InitFahrzeugeM29() {
    FahrzeugCount = 50;
    AllocFahrzeuge();
}

// No houses, no civilian traffic, no onlooker targets, no pedestrians.
void InitHousesM29() {
    HouseCount = 0;
    InitHouseList();
}

void InitZFWegeM29() {
    ZFWegCount = 0;
    AllocZFWege();
}

void InitGafferZieleM29() {
    GafferZielCount = 0;
    AllocGafferZiele();
}

void InitPassantenWegeM29() {
    PassantenWegCount = 0;
    AllocPassantenWege();
}

// The aircraft's parts, the two burning wrecks, the fuel tanker and the parachute; slot 6 stays
// empty.
constexpr std::array<MissionSonderObj, 21> kSonderObjM29 = {{
    {0, 18, 750, 855},    {1, 18, 860, 855},    {2, 19, 2620, 650},   {3, 19, 2470, 935},
    {4, 18, 2220, 1060},  {5, 20, 2360, 1020},  {7, 22, 1230, 1000},  {8, 23, 1670, 1080},
    {9, 21, 1820, 1070},  {10, 29, 2670, 560},  {11, 25, 2500, 840},  {12, 27, 2000, 1070},
    {13, 28, 1180, 1100}, {14, 30, 1330, 1085}, {15, 24, 1480, 1070}, {16, 26, 995, 900},
    {17, 26, 1110, 900},  {18, 50, 1603, 682},  {19, 51, 870, 730},   {20, 33, 532, 475},
    {21, 53, 2971, 1452},
}};

void InitSonderObjM29() {
    SonderObjTypCount = MissionSonderObjTypCount(kMission);
    SonderObjCount = kFixedSonderObjM29;
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(kMission)) return;
    PlaceSonderObjs(kSonderObjM29);
    for (const std::int16_t slot : {kWreckLeft, kWreckRight}) {
        SonderObjAt(slot)->burning = 1;
        ++BurningSonderObjCount;
    }
}

struct FireStart {
    int column;
    int row;
};
constexpr std::array<FireStart, 2> kFireStartM29 = {{{48, 41}, {55, 47}}};

void InitBrandM29() {
    for (const FireStart& c : kFireStartM29) {
        const std::ptrdiff_t cell = brand::FireCellIndex(c.column, c.row);
        if (cell >= 0) BrandStates[static_cast<std::size_t>(cell)].burning = 1;
    }
}

// The hovered object, in use; null otherwise.
const SonderObj* HoveredSonderObj() {
    const SonderObj* o = SonderObjAt(static_cast<std::int16_t>(HoverIds[0]));
    return o != nullptr && o->type != -1 ? o : nullptr;
}

bool IsWreckage(const SonderObj& o) {
    return o.type >= kWreckageFirst && o.type <= kWreckageLast;
}

std::uint8_t CursorOnSonderObjM29() {
    const SonderObj* o = HoveredSonderObj();
    if (o == nullptr) return 0;
    const std::int16_t mode = SignedSelectionMode();
    if (o->type == kHangingTyp && CutterSelection(mode)) {
        CursorId = kCursorRescue;
        return 1;
    }
    if (IsWreckage(*o) && CannonSelection(mode)) {
        CursorId = kCursorWater;
        return 1;
    }
    return 0;
}

// The rescuer walks to whichever side of the parachute it reaches first, facing it, and cuts the
// pilot down there.
std::uint8_t SendToParachute(const SonderObj& parachute) {
    Person* p = UsedPersonAt(SelectedIndex);
    const SonderObjTyp* t = SonderObjTypAt(parachute.type);
    if (p == nullptr || t == nullptr) return 0;
    const int width = t->frames != nullptr ? t->frames[0].width : 0;
    const auto x = static_cast<float>(TruncInt(parachute.x) + width / 2);
    const int y = TruncInt(parachute.y);
    const GoalList goals = {
        {x, static_cast<float>(y + t->boxY0 - kGoalGap), kFacingAbove, 0},
        {x, static_cast<float>(y + t->boxY1 + kGoalGap), kFacingBelow, 0},
    };
    GiveOrder(*p, PersonTypOf(*p), kOpGoals, kPhraseUnderstoodM29, goals);
    // The callback slot is the order's own e, so it is appended as it stands.
    AppendBefehl(*p, kOpWorkAtSonderObj, kParachute, kHangingTyp, kCutCycles, kCutRule,
                 kPilotDownSlot);
    return 1;
}

std::uint8_t ClickOnSonderObjM29() {
    const auto slot = static_cast<std::int16_t>(HoverIds[0]);
    const SonderObj* o = HoveredSonderObj();
    if (o == nullptr) return 0;
    const std::int16_t mode = SignedSelectionMode();
    if (o->type == kHangingTyp && CutterSelection(mode)) return SendToParachute(*o);
    if (IsWreckage(*o) && CursorId == kCursorWater) {
        // The water cursor's click is the wreckage's; only a vehicle gets orders.
        if (mode >= 0 && mode < kVehicleModeEnd) WaterOnPoint(slot);
        return 1;
    }
    return 0;
}

// Any cell of the spectator rows burning.
bool RowsBurn() {
    for (int column = kRowsFirstColumn; column <= kRowsLastColumn; ++column) {
        const std::ptrdiff_t cell = brand::FireCellIndex(column, kRowsRow);
        if (cell >= 0 && BrandStates[static_cast<std::size_t>(cell)].burning != 0) return true;
    }
    return false;
}

constexpr std::int8_t kSpectatorTypFirst = 27;
constexpr std::int8_t kSpectatorTypLast = 31;

// A spectator from the first up to, not including, the last has come to harm. Indices outside
// the person array name nobody.
bool SpectatorHurt() {
    const int first = std::max<int>(FirstSpectator(), 0);
    const int end = std::min<int>(LastSpectator(), PersonCount);
    for (int i = first; i < end; ++i) {
        const Person* p = UsedPersonAt(i);
        if (p != nullptr && p->type >= kSpectatorTypFirst && p->type <= kSpectatorTypLast &&
            p->casualty != 0)
            return true;
    }
    return false;
}

bool PilotHanging() {
    const SonderObj* o = SonderObjAt(kParachute);
    return o != nullptr && o->type == kHangingTyp;
}

// Whether a casualty still alive waits for rescue; the dead hold nothing back.
bool LivingCasualtyLeft() {
    for (const Person& p : Personen)
        if (p.type != -1 && p.casualty != 0 && p.energy > 0) return true;
    return false;
}

void CheckMissionM29() {
    if (RowsBurn()) {
        ShowMissionFailed(kFailNow, "Brand ist ausser Kontrolle geraten!");
        return;
    }
    if (SpectatorHurt()) {
        ShowMissionFailed(kFailAfterExplosions, "Unbeteiligte Zuschauer wurden verletzt!");
        return;
    }
    if (TickCounter >= kPilotFailsAt && PilotHanging()) {
        ShowMissionFailed(kFailAfterExplosions, "Der Pilot wurde nicht gerettet!");
        return;
    }
    if (!PilotHanging() && !LivingCasualtyLeft() && BurningCellCount == 0) ShowWellDone();
}

void EvaluateMissionM29() {
    const int tote = WriteDeadLine(ResultLines[0], 10);
    const int zeit = WriteTimeLine(ResultLines[1], 18000, 54000);
    const int geld = WriteMoneyLine(ResultLines[2], 7000);
    EvaluationEfficiency = (tote + zeit + geld) / 3;
    FinishEvaluation(27000);
}

}  // namespace

void OnBefehlDone13M29(std::int32_t object, std::int32_t /*person*/) {
    SonderObj* o = SonderObjAt(object);
    // A second rescuer finishing at the same parachute finds the pilot gone.
    if (o == nullptr || o->type != kHangingTyp) return;
    o->type = kEmptyParachuteTyp;
    o->x += kParachuteShift;
    // The tick counter is unsigned: the energy is worked out signed, and nothing from the deadline.
    const std::int64_t left =
        static_cast<std::int64_t>(kPilotDeadline) - static_cast<std::int64_t>(TickCounter);
    const auto energy = static_cast<std::int32_t>(left > 0 ? left * kPilotEnergyPerTick : 0);
    CreateVerletzter(kPilotTyp, static_cast<std::int16_t>(TruncInt(o->x) + kPilotDx),
                     static_cast<std::int16_t>(TruncInt(o->y) + kPilotDy), 0, kPilotDirection,
                     energy, kPilotLoss, kPilotHeal, 0);
}

// No CursorOnGround: its tests for the hovered column exclude each other, so it never answers.
const MissionHooks kMissionHooksM29{
    .InitLevel = InitLevelM29,
    .InitHouses = InitHousesM29,
    .InitZFWege = InitZFWegeM29,
    .InitPassantenWege = InitPassantenWegeM29,
    .InitFahrzeuge = InitFahrzeugeM29,
    .CheckMission = CheckMissionM29,
    .InitBrand = InitBrandM29,
    .InitSonderObj = InitSonderObjM29,
    .InitPersonen = InitPersonenM29,
    .InitGafferZiele = InitGafferZieleM29,
    .CursorOnSonderObj = CursorOnSonderObjM29,
    .ClickOnSonderObj = ClickOnSonderObjM29,
    .EvaluateMission = EvaluateMissionM29,
};

}  // namespace kv
