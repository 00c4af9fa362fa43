// Mission 24: a dinghy capsized on the river; its five people drift down from the left edge.

#include <array>
#include <cstdint>

#include "core/campaign.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "core/view.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/scroll_view.h"
#include "missions/mission_rows.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/traffic_paths.h"
#include "persons/gaffer_ziele.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "persons/timed_victims.h"
#include "platform/cp1252.h"
#include "screens/mission_end.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/sonder_obj_sets.h"

namespace kv {

namespace {

// The five people in the water hold the first person slots.
constexpr std::int16_t kWaterSlots = 5;

// Their animations: in distress in the water, going under, and holding a ring.
constexpr std::uint16_t kAnimInWater = 3;
constexpr std::uint16_t kAnimGoingUnder = 4;
constexpr std::uint16_t kAnimHoldingRing = 5;

// The person types of the people in the water.
constexpr std::int8_t kSP11 = 49;
constexpr std::int8_t kSP11B = 50;
constexpr std::int8_t kSP11C = 51;
// The ring carrier the holders turn fire-fighters into.
constexpr std::int16_t kP02Ring = 46;

// The drift phases, kept in the plan: bobbing, calming before the bridge, under it (the engine
// counts the person out of reach), and bobbing again past it.
constexpr std::uint16_t kPhaseDrift = 0;
constexpr std::uint16_t kPhaseCalm = 1;
constexpr std::uint16_t kPhaseUnderBridge = kPlanOutOfReach;
constexpr std::uint16_t kPhasePastBridge = 3;

constexpr double kDrift = 0.3;  // pixels a tick
constexpr int kCalmX = 375;
constexpr float kBridgeX = 400.0f;
constexpr float kBridgeEndX = 530.0f;
constexpr int kSinkStretch = 80;  // one pixel down per stretch drifted
constexpr std::int16_t kBobReach = 20;
constexpr std::int32_t kFlipChance = 25;
constexpr int kGoingUnderX = 1200;

constexpr std::uint8_t kOpTakeAboard = 77;
constexpr std::int32_t kNoVoice = -1;

// The plan's fields as the drift uses them.
std::int8_t& BobDirection(DeadlinePlan& plan) {
    return reinterpret_cast<std::int8_t&>(plan.active);
}
std::int16_t& BobOffset(DeadlinePlan& plan) {
    return reinterpret_cast<std::int16_t&>(plan.spare2);
}
std::int16_t& LastX(DeadlinePlan& plan) {
    return plan.startX;
}
std::uint16_t& Phase(DeadlinePlan& plan) {
    return plan.state;
}
std::uint16_t& SinkSteps(DeadlinePlan& plan) {
    return plan.spare3;
}

void InitLevelM24() {
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight);
    ViewOrigin = {0, 430};
    HomeView = {0, 0};
    RoadEntry = {-100, 287, 250, 3};
    RoadExit = {-150, 217, kEdgeLeft};
    Money += 10000;
    KarteMarker = KarteMarkers[24];
    BriefingBox.x = 160;
    BriefingBox.y = 100;
}

void InitHousesM24() {
    HouseCount = 0;
    InitHouseList();
}

struct WaterPerson {
    std::int8_t type;
    std::int16_t x;
};
// From the first, already at the left edge, to the last some 2400 ticks behind.
constexpr std::array<WaterPerson, kWaterSlots> kWaterPersonsM24 = {{
    {kSP11B, 0},
    {kSP11, -250},
    {kSP11C, -330},
    {kSP11B, -500},
    {kSP11C, -720},
}};
constexpr std::int16_t kWaterY = 780;
constexpr std::uint16_t kWaterDeadline = 3600;
constexpr std::int16_t kBoatApproachDx = 50;

void InitPersonenM24() {
    PersonCount = 50;
    AllocPersonen();
    LoadPersonTyp(kP02Ring);
    for (const WaterPerson& w : kWaterPersonsM24)
        CreateTimedVictim(w.type, w.x, kWaterY, kPhaseDrift, kWaterDeadline, kBoatApproachDx, 0);
}

void InitFahrzeugeM24() {
    FahrzeugCount = 25;
    AllocFahrzeuge();
}

// No traffic, no pedestrians, no onlookers.
void InitZFWegeM24() {
    ZFWegCount = 0;
    AllocZFWege();
}

void InitPassantenWegeM24() {
    PassantenWegCount = 0;
    AllocPassantenWege();
}

void InitGafferZieleM24() {
    GafferZielCount = 0;
    AllocGafferZiele();
}

// The ring holders on the south bank.
constexpr std::array<Point16, 7> kRingHoldersM24 = {{
    {110, 940},
    {820, 900},
    {1710, 920},
    {2455, 940},
    {2530, 960},
    {970, 905},
    {1190, 905},
}};

void InitSonderObjM24() {
    SonderObjTypCount = MissionSonderObjTypCount(24);
    SonderObjCount = static_cast<std::int16_t>(kRingHoldersM24.size());
    AllocSonderObj();
    for (std::size_t i = 0; i < kRingHoldersM24.size(); ++i) {
        const Point16& h = kRingHoldersM24[i];
        CreateSonderObj(static_cast<int>(i), kSobjRingHalterMitRing, h.x, h.y, 0, 15, 0, 0.0f, 0);
    }
}

void InitBrandM24() {}

// The slipway at the end of the road down to the river's north bank.
void InitBootPunkteM24() {
    BootPunktCount = 1;
    AllocBootPunkte();
    AddBootPunkt(3450, 685, 1, -45, 100, -20, 40, 1);
}

// A boat in the person's way takes it aboard. A full boat, or one outside order 77's reach,
// would drop the order at once and be given it again every tick, the player's orders lost each
// time: such a boat keeps its orders and the person waits behind it.
bool MeetsBoat(std::int16_t slot, Person& p) {
    CollisionHit hit;
    if (TestCollision(0, p, PersonTypOf(p), static_cast<float>(p.x + kDrift), p.y,
                      static_cast<std::uint8_t>(p.direction), p.storey,
                      static_cast<std::uint8_t>(p.anim), &hit) == 0 ||
        hit.kind != kHitFahrzeug)
        return false;
    Fahrzeug* boat = UsedFahrzeugAt(hit.index1);
    if (boat == nullptr || boat->type != kTypF116) return false;
    if (MayTakeAboard(*boat, p))
        SetBefehl(*boat, FahrzeugTypOf(*boat), kOpTakeAboard, kNoVoice, slot, 0, 0, 0, 0);
    return true;
}

void DriftOn(Person& p) {
    p.x = static_cast<float>(p.x + kDrift);
}

// One bob step: the direction may flip, then the person moves a pixel up or down, turning at the
// ends of its reach.
void Bob(Person& p, DeadlinePlan& plan) {
    std::int8_t& direction = BobDirection(plan);
    std::int16_t& offset = BobOffset(plan);
    const std::int32_t r = Rand();
    if (direction == 1) {
        if (r % 100 < kFlipChance) direction = -1;
    } else if (r % 100 < kFlipChance) {
        direction = 1;
    }
    // A pixel per step: the bob is a slow swell, not a jump from one end to the other.
    if (direction == -1) {
        if (offset > -kBobReach) {
            --offset;
            p.y -= 1.0f;
        } else {
            direction = 1;
        }
    } else if (offset < kBobReach) {
        ++offset;
        p.y += 1.0f;
    } else {
        direction = -1;
    }
}

// Before the bridge the person calms, one pixel back toward the water line per step.
void Calm(Person& p, DeadlinePlan& plan) {
    std::int16_t& offset = BobOffset(plan);
    if (offset > 0) {
        --offset;
        p.y -= 1.0f;
    } else if (offset < 0) {
        ++offset;
        p.y += 1.0f;
    }
}

void DriftPerson(std::int16_t slot, Person& p, DeadlinePlan& plan) {
    std::uint16_t& phase = Phase(plan);
    switch (phase) {
        case kPhaseDrift:
            if (p.anim != kAnimInWater && p.anim != kAnimHoldingRing)
                SetPersonAnim(slot, kAnimInWater);
            DriftOn(p);
            if (TruncInt(p.x) >= kCalmX) phase = kPhaseCalm;
            break;
        case kPhaseCalm:
            DriftOn(p);
            if (p.x >= kBridgeX) {
                phase = kPhaseUnderBridge;
                p.present = 0;
            }
            break;
        case kPhaseUnderBridge:
            DriftOn(p);
            if (p.x >= kBridgeEndX) {
                phase = kPhasePastBridge;
                p.present = 1;
            }
            break;
        default:
            if (!MeetsBoat(slot, p)) DriftOn(p);
            break;
    }
    const int x = TruncInt(p.x);
    if (x / kSinkStretch > static_cast<int>(SinkSteps(plan))) {
        ++SinkSteps(plan);
        p.y += 1.0f;
    }
    const bool stepped = static_cast<std::int16_t>(x) != LastX(plan);
    if (stepped) LastX(plan) = static_cast<std::int16_t>(x);
    if (phase == kPhaseUnderBridge) {
        // Pinned at the bottom of its reach every tick, moved or not.
        std::int16_t& offset = BobOffset(plan);
        if (offset != kBobReach) {
            p.y = p.y - static_cast<float>(offset) + static_cast<float>(kBobReach);
            offset = kBobReach;
        }
    } else if (stepped) {
        if (phase == kPhaseCalm)
            Calm(p, plan);
        else
            Bob(p, plan);
    }
    UpdatePersonDrawPos(p);
}

// A slot the drift owns: used, in distress, and holding its plan. A slot freed and taken by
// another person is passed over.
DeadlinePlan* WaterPlan(Person* p) {
    if (p == nullptr || (p->controlFlags & kPersonInDistress) == 0) return nullptr;
    return p->attachment.plan();
}

void UpdateMissionM24() {
    for (std::int16_t slot = 0; slot < kWaterSlots; ++slot) {
        Person* p = UsedPersonAt(slot);
        DeadlinePlan* plan = WaterPlan(p);
        if (plan == nullptr) continue;
        if (Phase(*plan) != kPhaseDrift && p->anim != kAnimInWater && p->anim != kAnimHoldingRing)
            continue;
        DriftPerson(slot, *p, *plan);
    }
}

bool IsWaterPersonTyp(std::int8_t type) {
    return type == kSP11 || type == kSP11B || type == kSP11C;
}

void CheckMissionM24() {
    const auto rightEdge = static_cast<std::int16_t>(32 * MapWidth - 16 * MapHeight);
    for (std::int16_t slot = 0; slot < kWaterSlots; ++slot) {
        Person* p = UsedPersonAt(slot);
        if (p == nullptr || (p->controlFlags & kPersonInDistress) == 0) continue;
        const int x = TruncInt(p->x);
        if (p->anim == kAnimInWater && x >= kGoingUnderX) {
            SetPersonAnim(slot, kAnimGoingUnder);
            UpdatePersonDrawPos(*p);
            return;
        }
        if (p->anim == kAnimGoingUnder &&
            p->frame + 1 == PersonAnimSlot(p->type, p->direction, kAnimGoingUnder).frames) {
            ShowMissionFailed(kFailNow, W("Person ertrunken!"));
            return;
        }
        if (p->anim == kAnimHoldingRing && x >= rightEdge) {
            ShowMissionFailed(kFailNow, W("Person ertrunken!"));
            return;
        }
    }
    if (ToteCount >= 1) {
        ShowMissionFailed(kFailAfterExplosions, W("Verletzter gestorben!"));
        return;
    }
    for (std::int16_t slot = 0; slot < kWaterSlots; ++slot) {
        const Person* p = UsedPersonAt(slot);
        if (p != nullptr && IsWaterPersonTyp(p->type)) return;
    }
    ShowWellDone();
}

// Time weighs twice; any death fails the mission, so there is no line for the dead.
void EvaluateMissionM24() {
    const int zeit = WriteTimeLine(ResultLines[0], 9600, 30000);
    const int geld = WriteMoneyLine(ResultLines[1], 4000);
    EvaluationEfficiency = (2 * zeit + geld) / 3;
    FinishEvaluation(10000);
}

}  // namespace

// No cursor or click hook: the rescue clicks on the people in the water are the engine's.
const MissionHooks kMissionHooksM24{
    .InitLevel = InitLevelM24,
    .InitHouses = InitHousesM24,
    .InitZFWege = InitZFWegeM24,
    .InitPassantenWege = InitPassantenWegeM24,
    .InitFahrzeuge = InitFahrzeugeM24,
    .UpdateMission = UpdateMissionM24,
    .CheckMission = CheckMissionM24,
    .InitBrand = InitBrandM24,
    .InitSonderObj = InitSonderObjM24,
    .InitBootPunkte = InitBootPunkteM24,
    .InitPersonen = InitPersonenM24,
    .InitGafferZiele = InitGafferZieleM24,
    .EvaluateMission = EvaluateMissionM24,
};

}  // namespace kv
