// Mission 16: a coach has crashed on the motorway and burns, a car wreck lies in the median.
// Traffic keeps running on three lanes until the traffic-jam sign slows the lane towards the
// scene. A passenger is trapped in the coach and a driver in the wreck; both are cut free, the
// coach is put out, the crane lifts the wreck and the sign comes down again at the end.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "core/campaign.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/view.h"
#include "media/sound_slots.h"
#include "media/sound_table.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/input/click_orders.h"
#include "mission/scroll_view.h"
#include "missions/approach_points.h"
#include "missions/held_casualty.h"
#include "missions/mission_checks.h"
#include "missions/mission_objects.h"
#include "missions/mission_rows.h"
#include "missions/motorway.h"
#include "missions/water_on_point.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer_ziele.h"
#include "persons/person_update.h"
#include "persons/personen.h"
#include "persons/sonder_obj_actions.h"
#include "platform/cp1252.h"
#include "screens/mission_end.h"
#include "vehicles/fahrzeuge.h"
#include "world/explosions.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {

namespace {

constexpr int kMission = 16;
constexpr std::uint32_t kModeMission = 2;

// The fixed special objects by slot.
constexpr std::int16_t kWreck = 0;
constexpr std::int16_t kCoach = 1;
constexpr std::int16_t kMarker = 2;  // lies on the coach until it has burnt out
constexpr std::int16_t kSign = 3;
constexpr std::int16_t kFixedSonderObjM16 = 4;

constexpr std::int16_t kWreckTyp = 18;
constexpr std::int16_t kCoachStage1 = 19;
constexpr std::int16_t kCoachStage2 = 20;
constexpr std::int16_t kCoachStage3 = 21;
constexpr std::int16_t kMarkerTyp = 23;
constexpr std::int16_t kCoachBurntOut = 26;
constexpr std::int16_t kSignTyp = 27;
// The wreck's frame: the driver still trapped, or cut free.
constexpr std::int16_t kDriverTrapped = 0;
constexpr std::int16_t kDriverFree = 1;

// The coach's fire grows a stage after each of these ticks.
constexpr std::uint32_t kStage2After = 2400;
constexpr std::uint32_t kStage3After = 4800;
constexpr int kSoundFire = kFirstMissionSound + 1;

void InitLevelM16() {
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight - 1);
    const auto r = static_cast<std::int16_t>(kCellWidth * (MapWidth - 1) - 16 * MapHeight);
    ViewOrigin = {2440, 270};
    HomeView = {static_cast<std::int16_t>(r - 640),
                static_cast<std::int16_t>(kCellHeight * (MapHeight - 1) - 480)};
    RoadEntry = {static_cast<std::int16_t>(r + 100), 882, 300, 9};
    RoadExit = {static_cast<std::int16_t>(r + 150), 938, kEdgeRight};
    Money += 11000;
    KarteMarker = KarteMarkers[kMission];
    BriefingBox.x = 140;
    BriefingBox.y = 80;
}

// No houses stand by the motorway.
void InitHousesM16() {
    HouseCount = 0;
    InitHouseList();
}

struct CasualtyRow {
    std::int8_t type;
    std::int16_t x;
    std::int16_t y;
    std::uint8_t direction;
    std::int32_t energy;
    std::uint16_t loss;
    std::int16_t heal;
};
// The coach's passengers on the verge; the first gets worse even while treated.
constexpr auto kCasualtiesM16 = std::to_array<CasualtyRow>({
    {27, 2895, 585, 3, 500000, 50, -50},
    {30, 2726, 697, 9, 599999, 20, 300},
    {27, 2707, 738, 1, 200000, 10, 400},
    {31, 2783, 746, 7, 800000, 40, 600},
    {28, 2746, 813, 1, 299999, 75, 200},
    {27, 2822, 827, 9, 400000, 10, 400},
    {30, 2998, 755, 1, 500000, 20, 300},
    {29, 3065, 810, 3, 299999, 1, 100},
    {28, 2858, 663, 7, 200000, 35, 120},
});

void InitPersonenM16() {
    PersonCount = 70;
    AllocPersonen();
    CreateHeldCasualty(28, 599999, 30, 300, kWreck);
    CreateHeldCasualty(27, 500000, 25, 300, kCoach);
    for (const CasualtyRow& c : kCasualtiesM16)
        CreateVerletzter(c.type, c.x, c.y, 0, c.direction, c.energy, c.loss, c.heal, 0);
}

void InitFahrzeugeM16() {
    FahrzeugCount = 50;
    AllocFahrzeuge();
}

// Two lanes run west on the northern carriageway, one east towards the scene.
constexpr std::int32_t kLaneWestEnd = -100;
void InitZFWegeM16() {
    ZFWegCount = 3;
    AllocZFWege();
    const std::int32_t x = MotorwayFarX();
    SetMotorwayLane(ZFWege[0], x, kLaneWestEnd, 320, 9, 240, kMotorwaySpeed0, kMotorwayTypen0);
    SetMotorwayLane(ZFWege[1], x, kLaneWestEnd, 242, 9, 160, kMotorwaySpeed1, kMotorwayTypen1);
    SetMotorwayLane(ZFWege[2], kLaneWestEnd, x, 535, 3, 480, kMotorwaySpeed2, kMotorwayTypen2);
}

// No onlookers come and nobody walks by.
void InitGafferZieleM16() {
    GafferZielCount = 0;
    AllocGafferZiele();
}

void InitPassantenWegeM16() {
    PassantenWegCount = 0;
    AllocPassantenWege();
}

constexpr auto kSonderObjM16 = std::to_array<MissionSonderObj>({
    {kSign, kSignTyp, 424, 587, 15, 0},
    {kWreck, kWreckTyp, 2976, 385, 15, 0},
    {kCoach, kCoachStage1, 2839, 665, 15, 0},
    {kMarker, kMarkerTyp, 2839, 665, 0, 2},
});

void InitSonderObjM16() {
    SonderObjTypCount = MissionSonderObjTypCount(kMission);
    SonderObjCount = kFixedSonderObjM16;
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(kMission)) return;
    PlaceSonderObjs(std::span(kSonderObjM16).first(3));
    SonderObjAt(kCoach)->burning = 1;
    ++BurningSonderObjCount;
    PlaceSonderObjs(std::span(kSonderObjM16).subspan(3));
    // Shown only once the passenger is out.
    SonderObjAt(kMarker)->visible = 0;
}

// Nothing burns on the ground.
void InitBrandM16() {}

SonderObj* Present(std::int16_t slot) {
    SonderObj* o = SonderObjAt(slot);
    return o != nullptr && o->type != -1 ? o : nullptr;
}

// The passenger is still in the coach while the marker lies there unshown.
bool PassengerInside() {
    const SonderObj* marker = Present(kMarker);
    return marker != nullptr && marker->visible == 0;
}

void RaiseCoachFire() {
    SonderObj* coach = SonderObjAt(kCoach);
    if (coach == nullptr) return;
    if (coach->type == kCoachStage1 && TickCounter > kStage2After)
        coach->type = kCoachStage2;
    else if (coach->type == kCoachStage2 && TickCounter > kStage3After)
        coach->type = kCoachStage3;
}

void CoachFireSound() {
    if (SoundOn == 0) return;
    const SonderObj* coach = SonderObjAt(kCoach);
    if (coach == nullptr || coach->burning == 0) {
        StopSound(kSoundFire);
        return;
    }
    if (GameMode == kModeMission && SoundSlots[kSoundFire].buffer != kNoSoundBuffer &&
        IsSoundPlaying(kSoundFire) == 0)
        PlaySoundFx(kSoundFire, kOwnerSonderObj, kCoach, 1, 0, 0, kSoundDepth);
}

// The coach has burnt out: a passenger still inside has burnt with it (one who bled to death in
// there was counted then), and the marker goes.
void PassengerBurnt() {
    SonderObj* coach = SonderObjAt(kCoach);
    if (coach == nullptr || coach->type != kCoachBurntOut || Present(kMarker) == nullptr) return;
    if (PassengerInside()) {
        const std::int16_t held = coach->user;
        coach->user = -1;
        const Person* passenger = UsedPersonAt(held);
        if (passenger != nullptr) {
            if (passenger->energy >= 1) ++ToteCount;
            DeletePerson(held);
        }
    }
    FreeSonderObjSlot(kMarker);
}

void UpdateMissionM16() {
    RaiseCoachFire();
    CoachFireSound();
    PassengerBurnt();
}

constexpr std::int16_t kCraneSelection = 9;
constexpr std::int16_t kSignSelection = 1000;
bool CutterSelection(std::int16_t mode) {
    return mode == 1009 || mode == 1017 || mode == 1022;
}

enum class Act : std::uint8_t { None, Lift, CutDriver, CutPassenger, Water, Sign };

// What the mouse over a special object offers the current selection.
Act HoveredAct() {
    const auto slot = static_cast<std::int16_t>(HoverIds[0]);
    const SonderObj* o = Present(slot);
    if (o == nullptr) return Act::None;
    const std::int16_t mode = SignedSelectionMode();
    switch (slot) {
        case kWreck:
            if (mode == kCraneSelection && o->frame == kDriverFree) return Act::Lift;
            if (CutterSelection(mode) && o->frame == kDriverTrapped) return Act::CutDriver;
            return Act::None;
        case kCoach:
            if (CannonSelection(mode)) return Act::Water;
            if (CutterSelection(mode) && o->burning == 0 && PassengerInside())
                return Act::CutPassenger;
            return Act::None;
        case kSign:
            return mode == kSignSelection ? Act::Sign : Act::None;
        default:
            return Act::None;
    }
}

std::uint8_t CursorOnSonderObjM16() {
    switch (HoveredAct()) {
        case Act::None:
            return 0;
        case Act::Water:
            CursorId = kCursorWater;
            return 1;
        case Act::Lift:
        case Act::CutDriver:
        case Act::CutPassenger:
        case Act::Sign:
            CursorId = kCursorRescue;
            return 1;
    }
    return 0;
}

constexpr std::int32_t kPhraseCutter = 15;
constexpr std::int32_t kCutCycles = 10;
constexpr std::uint8_t kFacingUp = 1;
// Order 183's position rules: below the wreck at seven tenths of its width, below the coach at
// nine tenths of its box.
constexpr std::int32_t kWreckCutRule = 3;
constexpr std::int32_t kCoachCutRule = 2;
constexpr std::int32_t kAnyTyp = -1;
constexpr std::uint32_t kDriverFreeSlot = 7;
constexpr std::uint32_t kPassengerFreeSlot = 8;

// The selected cutter walks to the rule's spot below the object and cuts there until the
// callback frees the one inside.
std::uint8_t SendCutter(std::int16_t slot, std::int32_t type, std::int32_t rule,
                        std::uint32_t callback) {
    Person* p = UsedPersonAt(SelectedIndex);
    const SonderObjSpot& spot =
        kWorkRules[static_cast<std::size_t>(rule - kFirstWorkRule)].spots[0];
    const std::optional<PixelPos> at = SonderObjSpotPoint(slot, spot);
    if (p == nullptr || !at) return 0;
    GoalList goals{{static_cast<float>(at->x), static_cast<float>(at->y), kFacingUp, 0}};
    GiveOrder(*p, PersonTypOf(*p), kOpGoals, kPhraseCutter, std::move(goals));
    AppendBefehl(*p, kOpWorkAtSonderObj, slot, type, kCutCycles, rule, callback);
    return 1;
}

std::uint8_t ClickOnSonderObjM16() {
    switch (HoveredAct()) {
        case Act::None:
            break;
        case Act::Lift:
            return SendCraneToObject(kWreck);
        case Act::CutDriver:
            return SendCutter(kWreck, kWreckTyp, kWreckCutRule, kDriverFreeSlot);
        case Act::CutPassenger:
            return SendCutter(kCoach, kAnyTyp, kCoachCutRule, kPassengerFreeSlot);
        case Act::Water:
            break;
        case Act::Sign:
            if (UsedPersonAt(SelectedIndex) == nullptr) return 0;
            TrafficSignOrders(static_cast<std::int16_t>(SelectedIndex), kSign);
            return 1;
    }
    // Water on the coach, whether or not a vehicle could be sent.
    if (static_cast<std::int16_t>(HoverIds[0]) == kCoach && Present(kCoach) != nullptr &&
        CursorId == kCursorWater) {
        WaterOnPoint(kCoach);
        return 1;
    }
    return 0;
}

// Turns the held person to face up before the release lays it down.
void FaceUp(const SonderObj& holder) {
    if (Person* p = UsedPersonAt(holder.user)) p->direction = static_cast<std::int8_t>(kFacingUp);
}

constexpr std::uint8_t kReleasePush = 7;

// Callback 7: the driver is out of the wreck and lies below it.
void DriverCutFree(std::int32_t slot) {
    SonderObj* wreck = Present(static_cast<std::int16_t>(slot));
    const SonderObjTyp* t = wreck != nullptr ? SonderObjTypAt(wreck->type) : nullptr;
    if (t == nullptr) return;
    wreck->frame = kDriverFree;
    const float x = wreck->x + static_cast<float>((t->boxX1 - t->boxX0) >> 1);
    const float y = wreck->y + 10.0f + static_cast<float>((t->boxY1 - t->boxY0) >> 1);
    FaceUp(*wreck);
    ReleaseHeldPerson(static_cast<std::int16_t>(slot), x, y, kReleasePush);
}

// What the passenger has left depends on how far the fire had got.
constexpr std::int32_t kEnergyAtStage1 = 599999;
constexpr std::int32_t kEnergyAtStage2 = 299999;

// Callback 8: the passenger is out of the coach and lies beside it.
void PassengerCutFree(std::int32_t slot) {
    SonderObj* marker = Present(kMarker);
    SonderObj* coach = Present(static_cast<std::int16_t>(slot));
    const SonderObjTyp* t = coach != nullptr ? SonderObjTypAt(coach->type) : nullptr;
    if (marker == nullptr || t == nullptr || t->frames == nullptr) return;
    marker->visible = 1;
    const SonderObj* stage = SonderObjAt(kCoach);
    if (Person* p = UsedPersonAt(coach->user); p != nullptr && stage != nullptr) {
        if (stage->type == kCoachStage1)
            p->energy = kEnergyAtStage1;
        else if (stage->type == kCoachStage2)
            p->energy = kEnergyAtStage2;
        else if (stage->type == kCoachStage3 && p->energy >= 1)
            // Out of the third stage he does not live; his death counts now, once.
            CountDeath(*p);
    }
    const float x = coach->x + static_cast<float>(t->frames[0].width);
    const float y = coach->y + static_cast<float>(t->boxY1);
    FaceUp(*coach);
    ReleaseHeldPerson(static_cast<std::int16_t>(slot), x, y, kReleasePush);
}

// The car hits the wreck: both go up, and a driver still inside dies with it (one who bled to
// death in there was counted then).
void CarHitsWreck(std::int16_t car) {
    if (Fahrzeug* v = UsedFahrzeugAt(car)) v->energy = 0;
    ExplodeFahrzeug(car);
    SonderObj* wreck = SonderObjAt(kWreck);
    if (wreck == nullptr) return;
    wreck->fuel = 0;
    ExplodeSonderObj(kWreck);
    if (wreck->frame != kDriverTrapped) return;
    const std::int16_t held = wreck->user;
    wreck->user = -1;
    const Person* driver = UsedPersonAt(held);
    if (driver == nullptr) return;
    if (driver->energy >= 1) ++ToteCount;
    DeletePerson(held);
}

std::uint8_t HandleZFCollisionM16(std::int16_t car, std::uint8_t kind, std::uint16_t index,
                                  std::uint8_t lookAhead) {
    if (MotorwayCarStops(car)) return 1;
    if (lookAhead == 0 && kind == kHitSonderObj && index == static_cast<std::uint16_t>(kWreck)) {
        CarHitsWreck(car);
        return 0;
    }
    return MotorwayStrike(car, kind, index, lookAhead);
}

constexpr std::uint32_t kMostDead = 5;
constexpr std::uint32_t kMostLostFahrzeuge = 3;

void CheckMissionM16() {
    if (ToteCount >= kMostDead) {
        ShowMissionFailed(kFailAfterExplosions, W("Zu viele Tote!"));
        return;
    }
    if (LostBoughtFahrzeugCount + LostMissionFahrzeugCount >= kMostLostFahrzeuge) {
        ShowMissionFailed(kFailAfterExplosions, W("Zu viele Fahrzeuge zerstört!"));
        return;
    }
    const SonderObj* coach = SonderObjAt(kCoach);
    const SonderObj* wreck = SonderObjAt(kWreck);
    const SonderObj* sign = SonderObjAt(kSign);
    if (RescuePending() || coach == nullptr || coach->burning != 0 || BurningCellCount != 0 ||
        wreck == nullptr || wreck->type == kWreckTyp || sign == nullptr || sign->frame != 0)
        return;
    ShowWellDone();
}

void EvaluateMissionM16() {
    const int tote = WriteDeadLine(ResultLines[0], 25);
    const int zeit = WriteTimeLine(ResultLines[1], 14400, 36000);
    const int geld = WriteMoneyLine(ResultLines[2], 4000);
    EvaluationEfficiency = (2 * tote + 2 * zeit + geld) / 5;
    FinishEvaluation(11000);
}

}  // namespace

void OnBefehlDone07M16(std::int32_t slot, std::int32_t) {
    if (MissionNummer == kMission) DriverCutFree(slot);
}

void OnBefehlDone08M16(std::int32_t slot, std::int32_t) {
    if (MissionNummer == kMission) PassengerCutFree(slot);
}

const MissionHooks kMissionHooksM16{
    .InitLevel = InitLevelM16,
    .InitHouses = InitHousesM16,
    .InitZFWege = InitZFWegeM16,
    .InitPassantenWege = InitPassantenWegeM16,
    .InitFahrzeuge = InitFahrzeugeM16,
    .UpdateMission = UpdateMissionM16,
    .CheckMission = CheckMissionM16,
    .InitBrand = InitBrandM16,
    .InitSonderObj = InitSonderObjM16,
    .InitPersonen = InitPersonenM16,
    .HandleZFCollision = HandleZFCollisionM16,
    .InitGafferZiele = InitGafferZieleM16,
    .CursorOnSonderObj = CursorOnSonderObjM16,
    .ClickOnSonderObj = ClickOnSonderObjM16,
    .EvaluateMission = EvaluateMissionM16,
};

}  // namespace kv
