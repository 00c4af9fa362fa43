#include "persons/mission_actions.h"

#include <cstdlib>

#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "media/sound_slots.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeuge.h"
#include "world/brand.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

constexpr std::uint8_t kAnimWork = 2;
constexpr std::uint16_t kAnimPose = 6;
constexpr int kWorkSound = kSoundCrowd;
constexpr int kPoseSound = kFirstMissionSound;
constexpr int kNoSound = -1;
constexpr int kShowFrame = 6;
constexpr std::int8_t kFireFighter = 1;
constexpr std::uint8_t kStepOutFacing = 9;
constexpr std::uint8_t kActFacing = 1;
constexpr std::uint8_t kPushAway = 14;  // down, left and up: never right
// Order 41 holds a door open this long; its animation 2 shows it open.
constexpr std::int32_t kDoorTicks = 8;
constexpr std::int8_t kDoorOpenAnim = 2;
constexpr std::uint8_t kWoodPileBlock = 15;

// The missions whose order 184 and 194 keep their results in scratch words.
constexpr int kDoorMission = 3;
constexpr int kGateMission = 10;
constexpr int kArsonMission = 25;

// The sound a mission's flag starts for its object.
struct FlagSound {
    int mission;
    int sound;
};
constexpr std::array<FlagSound, 2> kFlagSounds = {{{kGateMission, 82}, {18, 84}}};

int Trunc(float v) {
    return static_cast<int>(v);
}

// Mission 10's gate flags; null in any other mission, and for an index it does not have.
std::uint8_t* MissionFlag(std::int32_t index) {
    if (MissionNummer != kGateMission) return nullptr;
    switch (index) {
        case 0:
            return &GateOpening1;
        case 1:
            return &GateOpening2;
        case 2:
            return &GateOpening3;
        default:
            return nullptr;
    }
}

// Whether the person faces 1 exactly on the order's point (a, b).
bool ReadyToAct(const Person& p, const Befehl& order) {
    return p.direction == kActFacing && PersonStandsAt(p, order.aInt(), order.bInt());
}

void StandAndPop(std::int16_t index, Person& p) {
    SetPersonAnim(index, kAnimStand);
    PopBefehl(p);
}

// The first tick of a pose: on the point (a, b) the person faces 1 and starts the animation,
// with its sound; anywhere else its queue goes. True on the later ticks.
bool PoseRunsOn(std::int16_t index, Person& p, Befehl& order, std::uint16_t anim, int sound) {
    if (!FirstBefehlTick(order)) return true;
    if (!PersonStandsAt(p, order.aInt(), order.bInt())) {
        ClearBefehle(p);
        return false;
    }
    p.direction = kActFacing;
    SetPersonAnim(index, anim);
    if (sound != kNoSound) PlaySoundFx(sound, kOwnerPerson, index, 0, 0, 0, kSoundDepth);
    return false;
}

bool AtFellingSpot(const Person& p, int x, int y) {
    for (const FellingSpot& s : kFellingSpots)
        if (s.facing == p.direction) return PersonStandsAt(p, x + s.dx, y + s.dy);
    return false;
}

// The felled tree: a wood pile, hidden until the cell shows burnt, the cell's new terrain and the
// sound of the fall. False without a free slot.
bool FellTree(int column, int row, int x, int y) {
    const std::int16_t slot = FindFreeSonderObj();
    if (slot < 0) return false;
    CreateSonderObj(slot, kSobjHolzstapel, static_cast<std::int16_t>(x),
                    static_cast<std::int16_t>(y + kWoodPileDy), 0, kWoodPileBlock, 0, 0.0f, 0);
    if (SonderObj* o = SonderObjAt(slot); o != nullptr && o->type == kSobjHolzstapel)
        o->visible = 0;
    SetBurntTerrain(CellIndex(column, row));
    SetSonderObjCommand(slot, kCmdCellChange, static_cast<std::uint16_t>(column),
                        static_cast<std::uint16_t>(row), 0);
    PlaySoundFx(kSoundFalling, kOwnerSonderObj, slot, 0, 0, 0, kSoundDepth);
    return true;
}

}  // namespace

void RunPersonBefehl176(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    Befehl& order = *p.orders;
    const std::int32_t column = order.aInt();
    const std::int32_t row = order.bInt();
    if (!CellInMap(column, row) ||
        static_cast<std::size_t>(CellIndex(column, row)) >= BrandStates.size()) {
        ClearBefehle(p);
        return;
    }
    const int x = kCellWidth * column - 16 * row;
    const int y = kCellHeight * row;
    if (FirstBefehlTick(order)) {
        if (!AtFellingSpot(p, x, y)) {
            ClearBefehle(p);
            return;
        }
        PlaySoundFx(kSoundPowerSaw1, kOwnerPerson, index, 0, 0, 0, kSoundDepth);
        SetPersonAnim(index, kAnimWork);
    }
    if (SoundOn != 0 && p.sound < 0 && IsSoundPlaying(kSoundPowerSaw1) == 0)
        PlaySoundFx(kSoundPowerSaw2, kOwnerPerson, index, 1, 0, 0, kSoundDepth);
    if (BrandStates[static_cast<std::size_t>(CellIndex(column, row))].burning != 0) {
        StandAndPop(index, p);
        return;
    }
    if (order.cInt() < kFellingTicks) order.setC(order.cInt() + 1);
    // Without a free slot the counter waits at its end, and the saw runs on.
    if (order.cInt() < kFellingTicks || !FellTree(column, row, x, y)) return;
    StandAndPop(index, p);
}

void RunPersonBefehl184(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    Befehl& order = *p.orders;
    const std::int32_t vehicle = order.aInt();
    Fahrzeug* v = UsedFahrzeugAt(vehicle);
    if (v == nullptr) {
        ClearBefehle(p);
        return;
    }
    if (FirstBefehlTick(order)) {
        const FahrzeugPunkt door = GetFahrzeugDoorPoint(static_cast<std::int16_t>(vehicle), index);
        if (!PersonStandsAt(p, order.bInt(), order.cInt()) || !PersonStandsAt(p, door.x, door.y)) {
            ClearBefehle(p);
            return;
        }
    }
    if (v->anim == kDoorOpenAnim) {
        // The word is mission 3's; no other mission keeps a waiting person.
        if (MissionNummer == kDoorMission) MarkedPersonM03 = static_cast<std::uint16_t>(index);
        PopBefehl(p);
        return;
    }
    const Befehl* head = v->orders;
    const bool driving = head != nullptr && head->opcode == kOpTraffic;
    const Befehl drive = driving ? *head : Befehl{};
    SetBefehl(*v, FahrzeugTypOf(*v), kOpOpenDoor, -1, kDoorTicks, 0, 0, 0, 0);
    if (!driving) return;
    AppendMoveBefehl(*v, kOpTraffic, drive.aFloat(), drive.bFloat(), drive.cFloat(), drive.dFloat(),
                     drive.e);
    AppendBefehl(*v, kOpLeave, 0, 0, 0, 0, 1);
}

void RunPersonBefehl190(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    const Befehl& order = *p.orders;
    const std::int32_t flagIndex = order.cInt();
    std::uint8_t* flag = MissionFlag(flagIndex);
    if (flag == nullptr || *flag != 0 || std::abs(Trunc(p.x) - order.aInt()) > kFlagReach ||
        std::abs(Trunc(p.y) - order.bInt()) > kFlagReach) {
        ClearBefehle(p);
        return;
    }
    *flag = 1;
    for (const FlagSound& s : kFlagSounds)
        if (s.mission == MissionNummer)
            PlaySoundFx(s.sound, kOwnerSonderObj, flagIndex, 1, 0, 0, kSoundDepth);
    PopBefehl(p);
}

void RunPersonBefehl191(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    if (FirstBefehlTick(*p.orders)) {
        p.direction = kStepOutFacing;
        SetPersonAnim(index, kAnimWork);
    }
    if (p.frame + 1 >= PersonAnimSlot(p.type, p.direction, p.anim).frames) StandAndPop(index, p);
}

void RunPersonBefehl194(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    const Befehl& order = *p.orders;
    LightHouseIgnitionCell(order.aInt());
    // The counter and the flag are mission 25's words; elsewhere the house burns all the same.
    if (MissionNummer == kArsonMission) {
        const auto next = static_cast<std::int16_t>(ArsonNextTarget + 1);
        ArsonNextTarget = next == order.bInt() ? std::int16_t{0} : next;
        ArsonFireSet = 1;
    }
    PopBefehl(p);
}

void RunPersonBefehl195(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    Befehl& order = *p.orders;
    House* h = PlacedHouse(order.cInt());
    if (h == nullptr) {
        ClearBefehle(p);
        return;
    }
    if (p.anim == kAnimWork) {
        if (!AtCycleStart(p) || CountDown(order.d) > 0) return;
        SetPersonAnim(index, kAnimStand);
        h->evacuated = 1;
        PopBefehl(p);
        return;
    }
    if (h->evacuated != 0 || !ReadyToAct(p, order)) {
        ClearBefehle(p);
        return;
    }
    SetPersonAnim(index, kAnimWork);
    PlaySoundFx(kWorkSound, kOwnerPerson, index, 1, 0, 0, kSoundDepth);
}

void RunPersonBefehl209(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    Befehl& order = *p.orders;
    if (!PoseRunsOn(index, p, order, kAnimPose, kPoseSound)) return;
    if (p.frame == kShowFrame && p.frameTimer == 0) {
        if (Person* shown = UsedPersonAt(order.cInt())) shown->present = 1;
    }
    if (AtCycleStart(p)) StandAndPop(index, p);
}

void RunPersonBefehl210(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    Befehl& order = *p.orders;
    if (!PoseRunsOn(index, p, order, kAnimWork, kNoSound)) return;
    const int frames = PersonAnimSlot(p.type, p.direction, p.anim).frames;
    const std::int32_t stuck = order.cInt();
    if (p.frame + 1 >= frames && p.frameTimer == 0 && UsedPersonAt(stuck) != nullptr)
        PushPersonFree(static_cast<std::int16_t>(stuck), kPushAway);
    if (!AtCycleStart(p)) return;
    ChangePersonTyp(index, kFireFighter);
    StandAndPop(index, p);
}

}  // namespace kv
