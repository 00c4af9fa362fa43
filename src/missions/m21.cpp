// Mission 21: an airliner has made a forced landing in a field; one engine burns.

#include <array>
#include <cstdint>

#include "core/campaign.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/view.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/scroll_view.h"
#include "missions/mission_checks.h"
#include "missions/mission_objects.h"
#include "missions/mission_persons.h"
#include "missions/mission_rows.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer.h"
#include "persons/gaffer_ziele.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "screens/mission_end.h"
#include "vehicles/fahrzeuge.h"
#include "world/explosions.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {

namespace {

constexpr int kMission = 21;

// ---------------------------------------------------------------------------------------------
// The mission's words in the scratch area (the explosion flag, S7, lives in src/core because the
// fire model reads it).

// The first and the fifth onlooker, whom the passenger script moves; -1 none.
std::int16_t& PassengerIndexA() {
    return SignedWord(MissionScratch.S0);
}
std::int16_t& PassengerIndexB() {
    return SignedWord(MissionScratch.S1);
}
// Persons standing on the ladder's basket at the fuselage; the fuselage is not solid meanwhile.
std::uint16_t& BasketTransferCount() {
    return MissionScratch.S2;
}
// The burning engine's heat count; it explodes at kEngineExplodes.
std::int32_t& EngineFireTimer() {
    return MissionScratch.S3;
}
// Ticks the fuselage has burnt without a break.
std::int32_t& FuselageFireTicks() {
    return MissionScratch.S4;
}

// ---------------------------------------------------------------------------------------------
// The aircraft's slots and types.

constexpr std::int16_t kFuselageSlot = 0;
constexpr std::int16_t kRearWing1Slot = 3;
constexpr std::int16_t kRearWing2Slot = 4;
constexpr std::int16_t kFrontWing1Slot = 5;
constexpr std::int16_t kFrontWing2Slot = 6;
constexpr std::int16_t kEngineSlot = 7;
constexpr std::int16_t kBurningEngineTyp = 31;
// The parts whose fire keeps the mission going: the fuselage and the four wing parts.
constexpr std::array<std::int16_t, 5> kAircraftParts = {
    kFuselageSlot, kRearWing1Slot, kRearWing2Slot, kFrontWing1Slot, kFrontWing2Slot};

constexpr std::int32_t kEngineExplodes = 60000;
// The explosion sets front wing 2 alight and cools the other parts so that they take long to
// catch from it.
constexpr std::int32_t kFrontWing2Heat = 4000;
constexpr std::int32_t kFrontWing1Heat = -17000000;
constexpr std::int32_t kRearWing2Heat = -17000000;
constexpr std::int32_t kRearWing1Heat = -3000000;
constexpr std::int32_t kFuselageHeat = -12000000;

constexpr std::int32_t kFuselageFireLimit = 4800;
constexpr std::uint32_t kMaxDead = 4;
constexpr std::uint32_t kModeMission = 2;
constexpr int kSoundAircraftFire = kFirstMissionSound;

void InitLevelM21() {
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight - 1);
    ViewOrigin = {1750, 360};
    HomeView = {0, 1950};
    RoadEntry = {-100, 2309, 250, 3};
    RoadExit = {-150, 2227, kEdgeLeft};
    Money += 40000;
    KarteMarker = KarteMarkers[kMission];
    BriefingBox.x = 190;
    BriefingBox.y = 100;
    PassengerIndexA() = -1;
    PassengerIndexB() = -1;
    BasketTransferCount() = 0;
    EngineFireTimer() = 0;
    FuselageFireTicks() = 0;
    MissionScratch.S5 = 0;
    MissionScratch.S6 = 0;
    FirstIgnitionFlagM21 = 0;
}

// ---------------------------------------------------------------------------------------------
// Set-up.

// An open field: no houses, traffic, pedestrians, onlooker targets or fires.
void InitHousesM21() {
    HouseCount = 0;
    InitHouseList();
}
void InitBrandM21() {}
void InitZFWegeM21() {}
void InitPassantenWegeM21() {
    PassantenWegCount = 0;
    AllocPassantenWege();
}
void InitGafferZieleM21() {
    GafferZielCount = 0;
    AllocGafferZiele();
}
void InitFahrzeugeM21() {
    FahrzeugCount = 50;
    AllocFahrzeuge();
}

// Passengers standing about; the first and the fifth are the ones the passenger script moves.
constexpr std::array<MissionGaffer, 8> kGafferM21 = {{
    {27, 1704, 701, 10},
    {28, 2034, 415, 5},
    {29, 2595, 832, 8},
    {30, 3037, 1039, 2},
    {28, 2421, 607, 7},
    {29, 2423, 567, 5},
    {27, 2388, 573, 4},
    {31, 2357, 547, 3},
}};
constexpr std::size_t kPassengerA = 0;
constexpr std::size_t kPassengerB = 4;

struct PlacedCasualty {
    std::int8_t type;
    std::int16_t x;
    std::int16_t y;
    std::uint8_t direction;
    std::int32_t energy;
    std::uint16_t loss;
};
constexpr std::array<PlacedCasualty, 9> kVerletzteM21 = {{
    {27, 2305, 547, 3, 500000, 10},
    {29, 2287, 569, 7, 500000, 20},
    {31, 2248, 549, 1, 200000, 2},
    {28, 2175, 569, 9, 800000, 25},
    {30, 1982, 552, 3, 599999, 10},
    {28, 2025, 561, 7, 400000, 8},
    {31, 2365, 679, 9, 200000, 5},
    {30, 2524, 740, 7, 699999, 20},
    {27, 2495, 818, 1, 400000, 10},
}};
constexpr std::int16_t kCasualtyHeal = 300;

void InitPersonenM21() {
    PersonCount = 80;
    AllocPersonen();
    LoadPersonTyp(49);
    LoadPersonTyp(50);
    LoadPersonTyp(51);
    for (std::size_t k = 0; k < kGafferM21.size(); ++k) {
        const MissionGaffer& g = kGafferM21[k];
        const std::int16_t index = CreateGaffer(g.type, g.x, g.y, 0, g.direction, 0);
        if (k == kPassengerA) PassengerIndexA() = index;
        if (k == kPassengerB) PassengerIndexB() = index;
    }
    for (const PlacedCasualty& c : kVerletzteM21)
        CreateVerletzter(c.type, c.x, c.y, 0, c.direction, c.energy, c.loss, kCasualtyHeal, 0);
}

// Two places where a pontoon can be laid across the water south of the field.
void InitPontonPunkteM21() {
    PontonPunktCount = 2;
    AllocPontonPunkte();
    AddPontonPunkt(860, 1350, 1, 13, 2);
    AddPontonPunkt(1500, 1140, 1, 25, 2);
}

constexpr std::int16_t kFixedSonderObjM21 = 30;
// The aircraft, then luggage and scrap lying flat. The fuselage and its door do not block by
// mask: the fuselage is solid through its visible flag, which the basket transfers clear.
constexpr std::array<MissionSonderObj, 15> kSonderObjM21 = {{
    {0, 18, 1824, 505, 0, 0},
    {1, 19, 1845, 588, 0, 0},
    {4, 22, 2080, 360, 15, 0},
    {3, 21, 2272, 287, 15, 0},
    {5, 23, 2248, 771, 15, 0},
    {6, 24, 2095, 644, 15, 0},
    {7, 31, 2077, 702, 15, 0},
    {13, 41, 2405, 718, 0, 1},
    {14, 42, 2164, 801, 0, 1},
    {15, 43, 2474, 937, 0, 1},
    {16, 44, 2542, 880, 0, 1},
    {17, 45, 1948, 846, 0, 1},
    {18, 40, 2069, 673, 0, 1},
    {19, 40, 2507, 704, 0, 1},
    {20, 40, 2312, 676, 0, 1},
}};

void InitSonderObjM21() {
    SonderObjTypCount = MissionSonderObjTypCount(kMission);
    SonderObjCount = kFixedSonderObjM21;
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(kMission)) return;
    PlaceSonderObjs(kSonderObjM21);
}

// ---------------------------------------------------------------------------------------------
// The tick script: engine fire, fuselage fire and the aircraft's fire sound.

bool SlotBurns(std::int16_t slot) {
    const SonderObj* o = SonderObjAt(slot);
    return o != nullptr && o->type != -1 && o->burning != 0;
}

bool AnyAircraftPartBurns() {
    for (const std::int16_t slot : kAircraftParts)
        if (SlotBurns(slot)) return true;
    return false;
}

void SetHeat(std::int16_t slot, std::int32_t heat) {
    if (SonderObj* o = SonderObjAt(slot)) o->heat = heat;
}

// Vehicles whose water cannon is aimed at the engine or the front wings beside it.
int CannonsOnEngine() {
    int n = 0;
    for (const Fahrzeug& v : Fahrzeuge) {
        if (v.type == -1 || HeadBefehlOpcode(v) != kOpCannonAtObject) continue;
        const std::int32_t target = v.orders->aInt();
        if (target == kFrontWing1Slot || target == kFrontWing2Slot || target == kEngineSlot) ++n;
    }
    return n;
}

// One cannon only slows the heating; two cool the engine; more crowd each other and do not.
std::int32_t EngineHeatStep(int cannons) {
    if (cannons == 1) return 1;
    if (cannons == 2) return -1;
    return 2;
}

// The burning engine heats up until it explodes, once: the flag stops the step while the
// explosion still shows the engine's type, so the heats are set and the flag raised only once.
void UpdateEngineFire() {
    const SonderObj* engine = SonderObjAt(kEngineSlot);
    if (engine == nullptr || engine->type != kBurningEngineTyp || FirstIgnitionFlagM21 != 0) return;
    std::int32_t& timer = EngineFireTimer();
    timer += EngineHeatStep(CannonsOnEngine());
    if (timer < 0) timer = 0;
    if (timer < kEngineExplodes) return;
    ExplodeSonderObj(kEngineSlot);
    FirstIgnitionFlagM21 = 1;
    SetHeat(kFrontWing2Slot, kFrontWing2Heat);
    SetHeat(kFrontWing1Slot, kFrontWing1Heat);
    SetHeat(kRearWing2Slot, kRearWing2Heat);
    SetHeat(kRearWing1Slot, kRearWing1Heat);
    SetHeat(kFuselageSlot, kFuselageHeat);
}

void UpdateFireSound() {
    if (SoundOn == 0) return;
    if (!AnyAircraftPartBurns()) {
        StopSound(kSoundAircraftFire);
        return;
    }
    if (GameMode == kModeMission && IsSoundPlaying(kSoundAircraftFire) == 0)
        PlaySoundFx(kSoundAircraftFire, kOwnerNone, -1, 1, 0, 0, kSoundDepth);
}

void UpdateAircraftFire() {
    if (SonderObj* fuselage = SonderObjAt(kFuselageSlot))
        fuselage->visible = BasketTransferCount() == 0 ? 1 : 0;
    UpdateEngineFire();
    FuselageFireTicks() = SlotBurns(kFuselageSlot) ? FuselageFireTicks() + 1 : 0;
    UpdateFireSound();
}

// ---------------------------------------------------------------------------------------------
// The rescue tasks at the aircraft (passengers, ladder basket, cushion) follow here.

// ---------------------------------------------------------------------------------------------

void UpdateMissionM21() {
    UpdateAircraftFire();
}

void CheckMissionM21() {
    if (ToteCount >= kMaxDead) {
        ShowMissionFailed(kFailAfterExplosions, W("Zu viele Tote!"));
        return;
    }
    if (FuselageFireTicks() >= kFuselageFireLimit) {
        ShowMissionFailed(kFailNow, W("Brand ist ausser Kontrolle geraten!"));
        return;
    }
    // The burning engine alone does not hold the win back.
    if (RescuePending() || BurningCellCount != 0 || AnyAircraftPartBurns()) return;
    ShowWellDone();
}

void EvaluateMissionM21() {
    const int tote = WriteDeadLine(ResultLines[0], 25);
    const int zeit = WriteTimeLine(ResultLines[1], 24000, 72000);
    const int geld = WriteMoneyLine(ResultLines[2], 9000);
    EvaluationEfficiency = (2 * tote + zeit + geld) / 4;
    FinishEvaluation(40000);
}

}  // namespace

const MissionHooks kMissionHooksM21{
    .InitLevel = InitLevelM21,
    .InitHouses = InitHousesM21,
    .InitZFWege = InitZFWegeM21,
    .InitPassantenWege = InitPassantenWegeM21,
    .InitFahrzeuge = InitFahrzeugeM21,
    .UpdateMission = UpdateMissionM21,
    .CheckMission = CheckMissionM21,
    .InitBrand = InitBrandM21,
    .InitSonderObj = InitSonderObjM21,
    .InitPontonPunkte = InitPontonPunkteM21,
    .InitPersonen = InitPersonenM21,
    .InitGafferZiele = InitGafferZieleM21,
    .EvaluateMission = EvaluateMissionM21,
};

}  // namespace kv
