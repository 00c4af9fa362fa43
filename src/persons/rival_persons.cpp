#include "persons/rival_persons.h"

#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "core/unit_views.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/person_evade.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "world/geometry.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

constexpr std::uint8_t kThrowOrder = 166;
constexpr std::uint16_t kThrowAnim = 3;
constexpr std::uint8_t kThrowFrame = 12;
// Candidates nearer than this may be thrown at; each has one chance in this many per tick.
constexpr std::int32_t kThrowReach = 200;
constexpr int kThrowChance = 100;
constexpr std::int8_t kTypeLeader = 52;

// Mission 10: the transport's object, and how near a thrower must be to throw at it.
constexpr int kTransportMission = 10;
constexpr int kTransportObject = 4;
constexpr int kTransportAimOffset = 60;
constexpr std::int32_t kTransportReach = 150;
constexpr int kTransportLineY = 1120;
// Mission 15: the square the rioters throw at.
constexpr int kRiotMission = 15;
constexpr int kRiotSquareX = 2720;
constexpr int kRiotSquareY = 336;
constexpr std::int32_t kRiotReach = 200;

std::int16_t Whole(float v) {
    return Clamp16(TruncInt(v));
}

struct ThrowTarget {
    bool found = false;
    std::int16_t x = 0;
    std::int16_t y = 0;
};

// A candidate nearer than the best so far becomes the target with one chance in a hundred.
void Consider(const UnitHead& u, std::int16_t px, std::int16_t py, std::int32_t& best,
              ThrowTarget& target) {
    const std::int16_t x = Whole(u.x);
    const std::int16_t y = Whole(u.y);
    const std::int32_t d = DistanceInt(px, py, x, y);
    if (d >= best || Rand() % kThrowChance != 0) return;
    best = d;
    target = {true, x, y};
}

// Persons on the ground who stand on their own feet and follow nobody's script, then vehicles on
// the ground.
ThrowTarget FindThrowTarget(std::int16_t px, std::int16_t py) {
    std::int32_t best = kThrowReach;
    ThrowTarget target;
    for (const Person& q : Personen) {
        if (q.type == -1 || q.offMap != 0 || q.present == 0 || q.storey != 0 || q.casualty != 0 ||
            (q.controlFlags & kPersonController) != 0 || q.type == kTypeLeader ||
            q.type == kPersonTypBurning)
            continue;
        Consider(q, px, py, best, target);
    }
    for (std::int16_t i = 0; i < FahrzeugUnits.count; ++i) {
        const UnitHead* v = FahrzeugUnits.at(i);
        if (v == nullptr || v->type == -1 || v->present == 0 || v->storey != 0) continue;
        Consider(*v, px, py, best, target);
    }
    return target;
}

// Mission 10: a thrower near the transport throws at it now and then.
void ThrowAtTransport(std::int16_t index, std::int16_t px, std::int16_t py) {
    const SonderObj* o = SonderObjAt(kTransportObject);
    if (o == nullptr || o->type == -1 || o->blockMask == 0) return;
    const int tx = TruncInt(o->x) + kTransportAimOffset;
    const int ty = TruncInt(o->y) + kTransportAimOffset;
    if (DistanceInt(px, py, Clamp16(tx), Clamp16(ty)) < kTransportReach && py < kTransportLineY &&
        Rand() % kThrowChance == 0)
        OrderRivalThrow(index, Clamp16(tx), Clamp16(ty));
}

// Mission 15: the rioters in the street near the square throw at it now and then, or shuffle
// about; neither the rioters in houses and after them nor the pair inside the march.
void RiotAtSquare(std::int16_t index, Person& p, std::int16_t px, std::int16_t py) {
    if (index >= HouseRioterFirst) return;
    const std::int32_t pair = MarchRioterPair;
    if (pair >= 0 && (index == pair || index == pair + 1)) return;
    if (DistanceInt(px, py, kRiotSquareX, kRiotSquareY) >= kRiotReach) return;
    if (Rand() % kThrowChance == 0) {
        OrderRivalThrow(index, static_cast<std::int16_t>(2645 + Rand() % 150), 330);
        return;
    }
    if (Rand() % 100 >= 5) return;
    const int ry = Rand() % 40;
    const int rx = Rand() % 40;
    SetBefehl(p, PersonTypOf(p), kOpMove, -1, px + rx - 20, py + ry - 20, 0, 0, 0);
}

void LaunchBottle(const Person& p, std::int32_t tx, std::int32_t ty) {
    const std::int16_t slot = FindFreeSonderObj();
    if (slot < 0) return;
    CreateSonderObj(slot, kSobjMolotow, Whole(p.x), Whole(p.y), 0, 0, 0, 0.0f, 0);
    SonderObj* o = SonderObjAt(slot);
    if (o == nullptr || o->type != kSobjMolotow) return;
    o->blockMask = 1;
    o->pushable = 0;
    SetSonderObjCommand(slot, kCmdThrown, ThrowFlight(TruncInt(o->x), TruncInt(o->y), tx, ty));
}

}  // namespace

void OrderRivalThrow(std::int16_t index, std::int16_t x, std::int16_t y) {
    Person* person = UsedPersonAt(index);
    if (person == nullptr) return;
    Person& p = *person;
    const std::int16_t px = Whole(p.x);
    const std::int16_t py = Whole(p.y);
    const std::int32_t r = DistanceInt(px, py, x, y) / 4;
    std::int32_t ax = x;
    std::int32_t ay = y;
    if (r > 0) {
        const std::int32_t rx = Rand() % r;
        const std::int32_t ry = Rand() % r;
        ax += rx - r / 2;
        ay += ry - r / 2;
    }
    const std::uint8_t dir =
        DirectionFromUpward(static_cast<float>(ax - px), static_cast<float>(ay - py), -1.0f,
                            static_cast<std::uint8_t>(p.direction));
    SetBefehl(p, PersonTypOf(p), kOpTurn, -1, 0, 0, dir, 0, 0);
    AppendBefehl(p, kThrowOrder, ax, ay, dir, 0, 1, 0, -1);
}

void RunPersonBefehl166(std::int16_t index) {
    Person* person = RunningPerson(index);
    if (person == nullptr) return;
    Person& p = *person;
    Befehl& order = *p.orders;
    if ((order.flags & kBefehlStarted) == 0) {
        order.flags |= kBefehlStarted;
        SetPersonAnim(index, kThrowAnim);
    }
    if (p.frame + 1 >= PersonAnimSlot(p.type, p.direction, p.anim).frames) {
        SetPersonAnim(index, kAnimStand);
        PopBefehl(p);
        return;
    }
    if (p.frame == kThrowFrame && p.frameTimer == 0) LaunchBottle(p, order.aInt(), order.bInt());
}

void UpdateRivalPerson(std::int16_t index) {
    Person* person = UsedPersonAt(index);
    if (person == nullptr) return;
    Person& p = *person;
    if (p.orders != nullptr && p.orders->opcode != kOpMove) return;
    if (p.house != 0xFFFF) return;
    const std::int16_t px = Whole(p.x);
    const std::int16_t py = Whole(p.y);
    if (px <= 0 || py <= 0 || px >= WorldMaxX || py >= WorldMaxY) return;
    const ThrowTarget target = FindThrowTarget(px, py);
    if (target.found)
        OrderRivalThrow(index, target.x, target.y);
    else if (MissionNummer == kTransportMission)
        ThrowAtTransport(index, px, py);
    else if (MissionNummer == kRiotMission)
        RiotAtSquare(index, p, px, py);
}

}  // namespace kv
