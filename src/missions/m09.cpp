// Mission 9: fans of two clubs stream into the ground outside a stadium; a suburban train at the
// platform takes away whoever stands on it.

#include <array>
#include <cstdint>

#include "core/campaign.h"
#include "core/game_mode.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/random.h"
#include "core/view.h"
#include "media/sound_slots.h"
#include "mission/campaign_tables.h"
#include "mission/evaluation.h"
#include "mission/scroll_view.h"
#include "missions/mission_rows.h"
#include "missions/mission_vehicles.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "movement/stepping.h"
#include "persons/gaffer.h"
#include "persons/gaffer_ziele.h"
#include "persons/person_fight.h"
#include "persons/person_types.h"
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

constexpr int kMission = 9;
constexpr std::uint32_t kModeMission = 2;

// The script's words.
std::int16_t& ArrivalTimer() {
    return SignedWord(MissionScratch.S0);
}
std::int16_t& SbahnTimer() {
    return SignedWord(MissionScratch.S1);
}
std::uint16_t& SbahnPhase() {
    return MissionScratch.S2;
}

constexpr std::uint16_t kNoWalker = 65535;

// A gate: where its club's people appear, the club's fan type, and the words of its count, its
// walker and the walker's steps.
struct Gate {
    std::int16_t x;
    std::int16_t y;
    std::int8_t fanTyp;
    std::int32_t MissionScratchArea::*arrived;
    std::uint16_t MissionScratchArea::*walker;
    std::uint16_t MissionScratchArea::*steps;
};
constexpr std::array<Gate, 2> kGates = {{
    {982, 707, 41, &MissionScratchArea::S3, &MissionScratchArea::S5, &MissionScratchArea::S10},
    {1112, 707, 43, &MissionScratchArea::S4, &MissionScratchArea::S8, &MissionScratchArea::S11},
}};

constexpr std::int32_t kFansPerClub = 26;
// A walker is through its gate after this many steps.
constexpr std::uint16_t kGateSteps = 40;
constexpr std::uint8_t kGateDirection = 7;

// Arrivals: the first one, the pause between them, and how the clubs are let in while the
// onlookers still come.
constexpr std::int16_t kFirstArrival = 2400;
constexpr std::uint32_t kOnlookersUntil = 6001;
constexpr std::uint32_t kFanInterval = 900;
constexpr std::uint32_t kFirstFanTick = 2700;
constexpr std::int8_t kOnlookerA = 27;
constexpr std::int8_t kOnlookerB = 28;

// The train in slot 0, its platform and its sounds.
constexpr int kTrainSlot = 0;
constexpr std::int16_t kTrainTyp = 18;
constexpr std::int16_t kFirstTrainWait = 200;
constexpr std::int16_t kTrainStands = 300;
constexpr float kTrainY = 1552.0f;
constexpr float kTrainSpeed = 5.0f;
constexpr float kTrainStops = 340.0f;
constexpr int kPlatformLeft = 350;
constexpr int kPlatformOffset = 320;  // past the train's hit box: the boarding zone's right end
constexpr int kPlatformTop = 1578;
constexpr int kSoundTrain = kFirstMissionSound;
constexpr int kSoundBrawl = kFirstMissionSound + 1;
constexpr std::uint16_t kPhaseAway = 0;
constexpr std::uint16_t kPhaseIn = 1;
constexpr std::uint16_t kPhaseStanding = 2;
constexpr std::uint16_t kPhaseOut = 3;

// The fight orders, and how many fights it takes for the brawl to be heard.
constexpr std::uint8_t kOpFight = 168;
constexpr std::uint8_t kOpFightWait = 173;
constexpr int kBrawlFighters = 3;

constexpr std::uint8_t kControlBehaviour = 1;
constexpr std::uint8_t kControlFighter = 16;

void InitLevelM09() {
    const int lastColumn = MapWidth - 1;
    const auto r = static_cast<std::int16_t>(32 * lastColumn - 32 - 16 * MapHeight);
    ScrollCols = static_cast<std::int16_t>(lastColumn);
    ScrollRows = static_cast<std::int16_t>(MapHeight - 1);
    ViewOrigin = {700, 460};
    HomeView = {static_cast<std::int16_t>(r - 640), 1160};
    RoadEntry = {static_cast<std::int16_t>(r + 100), 1387, 250, 9};
    RoadExit = {static_cast<std::int16_t>(r + 150), 1469, kEdgeRight};
    Money += 19000;
    KarteMarker = KarteMarkers[kMission];
    BriefingBox.x = 200;
    BriefingBox.y = 100;
    ArrivalTimer() = kFirstArrival;
    SbahnTimer() = kFirstTrainWait;
    SbahnPhase() = kPhaseAway;
    for (const Gate& g : kGates) {
        MissionScratch.*g.arrived = 0;
        MissionScratch.*g.walker = kNoWalker;
        MissionScratch.*g.steps = 0;
    }
    ResetFreeSpotIndex();
}

// No houses stand outside the stadium.
void InitHousesM09() {
    HouseCount = 0;
    InitHouseList();
}

// Nothing burns.
void InitBrandM09() {}

// No traffic passes.
void InitZFWegeM09() {}

// No pedestrians walk.
void InitPassantenWegeM09() {}

void InitSonderObjM09() {
    SonderObjTypCount = MissionSonderObjTypCount(kMission);
    SonderObjCount = 1;
    AllocSonderObj();
    if (!LoadMissionSonderObjTypen(kMission)) return;
    CreateSonderObj(kTrainSlot, kTrainTyp, 0, 0, 0, 15, 0, 0.0f, 0);
    // The train waits out of sight.
    SonderObjs[kTrainSlot].visible = 0;
}

// Everyone comes in through the gates later.
void InitPersonenM09() {
    PersonCount = 130;
    AllocPersonen();
    LoadPersonTyp(kGates[0].fanTyp);
    LoadPersonTyp(kGates[1].fanTyp);
    LoadPersonTyp(kOnlookerA);
    LoadPersonTyp(kOnlookerB);
}

// The car park at the top left, row by row.
constexpr std::array<MissionCar, 32> kParkedCarsM09 = {{
    {36, 137, 115, 1}, {27, 169, 115, 1}, {36, 233, 115, 7}, {38, 265, 115, 1}, {37, 361, 115, 7},
    {43, 425, 115, 1}, {38, 489, 115, 1}, {28, 105, 226, 7}, {37, 169, 226, 1}, {29, 201, 226, 7},
    {31, 233, 226, 7}, {40, 297, 226, 1}, {39, 361, 226, 1}, {28, 425, 226, 1}, {42, 10, 337, 1},
    {37, 74, 337, 1},  {37, 170, 337, 7}, {29, 234, 337, 7}, {29, 298, 337, 1}, {37, 10, 448, 1},
    {39, 42, 448, 7},  {40, 106, 448, 7}, {36, 138, 448, 1}, {42, 170, 448, 7}, {43, 202, 448, 1},
    {28, 266, 448, 1}, {29, 42, 559, 7},  {30, 74, 559, 1},  {31, 138, 559, 7}, {28, 170, 559, 1},
    {32, 202, 559, 7}, {33, 234, 559, 7},
}};

void InitFahrzeugeM09() {
    FahrzeugCount = 70;
    AllocFahrzeuge();
    PlaceCars(kParkedCarsM09);
}

// Onlookers gather on the platform.
constexpr std::array<Point16, 3> kGafferZieleM09 = {{{460, 1587}, {740, 1587}, {580, 1587}}};
constexpr std::uint16_t kGafferZielRadius = 8;

void InitGafferZieleM09() {
    GafferZielCount = static_cast<std::uint8_t>(kGafferZieleM09.size());
    AllocGafferZiele();
    for (std::size_t k = 0; k < kGafferZieleM09.size(); ++k)
        SetGafferZiel(static_cast<std::int16_t>(k),
                      static_cast<std::uint16_t>(kGafferZieleM09[k].x),
                      static_cast<std::uint16_t>(kGafferZieleM09[k].y), kGafferZielRadius);
}

bool Collides(std::int16_t index) {
    const Person& p = Personen[static_cast<std::size_t>(index)];
    return TestCollision(0, p, PersonTypOf(p), p.x, p.y, static_cast<std::uint8_t>(p.direction),
                         p.storey, static_cast<std::uint8_t>(p.anim), nullptr) != 0;
}

// The gate's walker takes one step in; after its last one the script lets go of it.
void StepGateWalker(const Gate& g) {
    std::uint16_t& walker = MissionScratch.*g.walker;
    if (walker == kNoWalker) return;
    Person* p = UsedPersonAt(walker);
    // A walker taken by the train or deleted otherwise frees its gate.
    if (p == nullptr) {
        walker = kNoWalker;
        return;
    }
    const auto index = static_cast<std::int16_t>(walker);
    SavePersonPos(index);
    StepMoverFree(*p, PersonTypOf(*p), p->x, p->y, kGateDirection, kAnimWalk, 1);
    if (TestCollision(0, *p, PersonTypOf(*p), p->x, p->y, kGateDirection, p->storey, kAnimWalk,
                      nullptr) != 0) {
        RestorePersonPos(index);
        if (p->anim != kAnimStand) SetPersonAnim(index, kAnimStand);
        return;
    }
    std::uint16_t& steps = MissionScratch.*g.steps;
    ++steps;
    if (steps < kGateSteps) return;
    ClearBefehle(*p);
    if (p->anim != kAnimStand) SetPersonAnim(index, kAnimStand);
    UpdatePersonDrawPos(*p);
    walker = kNoWalker;
}

// False when the drawn club has let all its fans in: the rest of the tick's script is skipped.
bool Arrivals() {
    std::int16_t& timer = ArrivalTimer();
    --timer;
    if (timer >= 1) return true;
    const int pause = Rand();
    const int side = Rand();
    timer = static_cast<std::int16_t>(pause % 80 + 30);
    const Gate& g = kGates[static_cast<std::size_t>(side % 2)];
    std::uint16_t& walker = MissionScratch.*g.walker;
    if (walker != kNoWalker) {
        timer = 1;
        return true;
    }
    std::int32_t& arrived = MissionScratch.*g.arrived;
    if (arrived >= kFansPerClub) return false;
    const auto n = static_cast<std::uint32_t>(arrived);
    const bool onlooker =
        TickCounter < kOnlookersUntil && TickCounter <= n * kFanInterval + kFirstFanTick;
    std::int16_t index = -1;
    if (onlooker) {
        const std::int8_t type = Rand() % 2 == 1 ? kOnlookerB : kOnlookerA;
        index = CreateGaffer(type, g.x, g.y, 0, kGateDirection, 0);
    } else {
        index = CreateScriptPerson(g.fanTyp, g.x, g.y, 0, kGateDirection);
    }
    if (index < 0) return true;
    // Somebody stands in the gate: the newcomer turns back.
    if (Collides(index)) {
        DeletePerson(index);
        return true;
    }
    if (!onlooker) ++arrived;
    Person& p = Personen[static_cast<std::size_t>(index)];
    // No person handler runs order 9: it holds the walker for the script.
    SetBefehl(p, PersonTypOf(p), kOpHold, -1, 0, 0, 0, 0, 0);
    walker = static_cast<std::uint16_t>(index);
    MissionScratch.*g.steps = 0;
    if (p.anim != kAnimWalk) SetPersonAnim(index, kAnimWalk);
    UpdatePersonDrawPos(p);
    return true;
}

// The right edge of the train's hit box.
int TrainRight() {
    const SonderObjTyp* t = SonderObjTypAt(kTrainTyp);
    return t != nullptr ? t->boxX1 : 0;
}

bool Boards(const Person& p, int zoneRight) {
    if (p.type == -1 || p.offMap != 0 || p.present == 0 || p.casualty != 0) return false;
    if ((p.controlFlags & kControlBehaviour) == 0 || p.storey != 0) return false;
    const int x = TruncInt(p.x);
    const int y = TruncInt(p.y);
    return x >= kPlatformLeft && x < zoneRight && y >= kPlatformTop;
}

void Train() {
    SonderObj* o = SonderObjAt(kTrainSlot);
    if (o == nullptr || o->type != kTrainTyp) return;
    std::int16_t& timer = SbahnTimer();
    std::uint16_t& phase = SbahnPhase();
    switch (phase) {
        case kPhaseAway:
            if (--timer > 0) return;
            o->visible = 1;
            o->x = static_cast<float>(-TrainRight());
            o->y = kTrainY;
            phase = kPhaseIn;
            PlaySoundFx(kSoundTrain, kOwnerNone, -1, 1, 0, 0, kSoundDepth);
            return;
        case kPhaseIn:
            o->x += kTrainSpeed;
            if (o->x < kTrainStops) return;
            phase = kPhaseStanding;
            timer = kTrainStands;
            StopSound(kSoundTrain);
            return;
        case kPhaseStanding: {
            if (--timer > 0) {
                const int zoneRight = TrainRight() + kPlatformOffset;
                for (std::size_t k = 0; k < Personen.size(); ++k)
                    if (Boards(Personen[k], zoneRight)) DeletePerson(static_cast<std::int32_t>(k));
                return;
            }
            phase = kPhaseOut;
            PlaySoundFx(kSoundTrain, kOwnerNone, -1, 1, 0, 0, kSoundDepth);
            return;
        }
        case kPhaseOut:
            o->x += kTrainSpeed;
            if (o->x <= static_cast<float>(WorldMaxX)) return;
            phase = kPhaseAway;
            timer = kFirstTrainWait;
            o->visible = 0;
            StopSound(kSoundTrain);
            return;
        default:
            return;
    }
}

void BrawlSound() {
    if (SoundOn == 0) return;
    int fighting = 0;
    for (const Person& p : Personen) {
        if (p.type == -1 || p.orders == nullptr) continue;
        const std::uint8_t op = p.orders->opcode;
        fighting += op == kOpFight || op == kOpFightWait;
    }
    if (fighting < kBrawlFighters) {
        StopSound(kSoundBrawl);
        return;
    }
    if (GameMode == kModeMission && SoundSlots[kSoundBrawl].buffer != kNoSoundBuffer &&
        IsSoundPlaying(kSoundBrawl) == 0)
        PlaySoundFx(kSoundBrawl, kOwnerNone, -1, 1, 0, 0, kSoundDepth);
}

void UpdateMissionM09() {
    for (const Gate& g : kGates) StepGateWalker(g);
    if (!Arrivals()) return;
    Train();
    BrawlSound();
}

constexpr std::uint16_t kMaxInjured = 15;

// Whether a fighter or a casualty is still about.
bool FightersOrCasualtiesLeft() {
    for (const Person& p : Personen)
        if (p.type != -1 && ((p.controlFlags & kControlFighter) != 0 || p.casualty != 0))
            return true;
    return false;
}

void CheckMissionM09() {
    if (VerletzteCount >= kMaxInjured) {
        ShowMissionFailed(kFailAfterExplosions, W("Lage ist eskaliert!"));
        return;
    }
    if (ToteCount > 0) {
        ShowMissionFailed(kFailAfterExplosions, W("Verletzter gestorben!"));
        return;
    }
    if (MissionScratch.S3 < kFansPerClub || MissionScratch.S4 < kFansPerClub) return;
    if (FightersOrCasualtiesLeft()) return;
    ShowWellDone();
}

// Time and money, money counting twice; any death fails the mission.
void EvaluateMissionM09() {
    const int zeit = WriteTimeLine(ResultLines[0], 18000, 54000);
    const int geld = WriteMoneyLine(ResultLines[1], 5000);
    EvaluationEfficiency = (zeit + 2 * geld) / 3;
    FinishEvaluation(19000);
}

}  // namespace

const MissionHooks kMissionHooksM09{
    .InitLevel = InitLevelM09,
    .InitHouses = InitHousesM09,
    .InitZFWege = InitZFWegeM09,
    .InitPassantenWege = InitPassantenWegeM09,
    .InitFahrzeuge = InitFahrzeugeM09,
    .UpdateMission = UpdateMissionM09,
    .CheckMission = CheckMissionM09,
    .InitBrand = InitBrandM09,
    .InitSonderObj = InitSonderObjM09,
    .InitPersonen = InitPersonenM09,
    .InitGafferZiele = InitGafferZieleM09,
    .EvaluateMission = EvaluateMissionM09,
};

}  // namespace kv
