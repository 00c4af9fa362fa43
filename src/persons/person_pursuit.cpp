#include "persons/person_pursuit.h"

#include <algorithm>
#include <cstdlib>

#include "core/mission_counters.h"
#include "core/saturate.h"
#include "core/selection.h"
#include "media/sound_slots.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "persons/person_injury.h"
#include "persons/person_lead.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "world/geometry.h"

namespace kv {

namespace {

constexpr std::uint8_t kPursuitOrder = 167;
constexpr std::uint8_t kStruggleOrder = 168;
constexpr std::uint8_t kFightOrder = 172;
constexpr std::uint8_t kFightWaitOrder = 173;
constexpr std::int32_t kPairCallback = 0;
constexpr std::int32_t kPursuitCallback = 1;
constexpr int kStruggleSound = 71;
// The pursuer's spot: 11 px left of and 1 px above the target, within 10 px; nearer than 20 px
// either way it fetches the target without a struggle.
constexpr int kBeside = 11;
constexpr int kSpotTolerance = 10;
constexpr int kFetchReach = 20;
// What stays of a pursuer that wins, and of the target it leads away.
constexpr std::int32_t kWinnerFloor = 100000;
constexpr std::int32_t kLedEnergy = 100000;

constexpr std::int8_t kThrower = 32;

bool IsTargetType(int type) {
    return type == kThrower || type == 41 || type == 43;
}

// The target's own controller, which it gets back when the struggle ends without it.
void GiveBackController(Person& b) {
    if (b.type == kThrower)
        b.controlFlags = kPersonController | kPersonRival;
    else if (b.type == 41 || b.type == 43)
        b.controlFlags = kPersonController | kPersonFighter;
}

std::int8_t LedType(std::int8_t type) {
    return IsTargetType(type) ? static_cast<std::int8_t>(type + 1) : type;
}

// The struggle's sound, which the pursuer owns while the struggle lasts.
void StopStruggleSound(std::int32_t index, const Person& a) {
    if (a.sound == kStruggleSound) StopOwnerSound(kOwnerPerson, index);
}

// The two persons a callback names, both in use and not the same.
bool Pair(std::int32_t a, std::int32_t b, Person*& pa, Person*& pb) {
    pa = UsedPersonAt(a);
    pb = a != b ? UsedPersonAt(b) : nullptr;
    return pa != nullptr && pb != nullptr;
}

// A follow marker's words: where b stands (x low, y high) and that a person is followed.
std::int32_t PackedPoint(const Person& b) {
    const auto x = static_cast<std::uint16_t>(TruncInt(b.x));
    const auto y = static_cast<std::uint16_t>(TruncInt(b.y));
    return static_cast<std::int32_t>(x | (static_cast<std::uint32_t>(y) << 16));
}
std::uint32_t PackedPerson(std::int32_t b) {
    return static_cast<std::uint32_t>(kFollowPerson) | (static_cast<std::uint32_t>(b) << 16);
}

// The target's struggle: the one it wins when the pursuer has less than a quarter of its
// energy.
std::uint16_t StruggleAnim(const Person& a, const Person& b) {
    const bool targetWins = static_cast<std::int64_t>(a.energy) * 4 < b.energy;
    if (b.type == kThrower) return targetWins ? 5 : 4;
    return targetWins ? 4 : 3;
}
bool TargetWon(const Person& b) {
    if (b.type == kThrower) return b.anim == 5;
    return (b.type == 41 || b.type == 43) && b.anim == 4;
}

// The first tick: on the spot a struggle starts where the target's picture fits (else the target
// is fetched); a little off it the target is fetched; farther off the pursuer walks up again.
// False when the pursuer's queue was replaced or cleared.
bool Approach(std::int16_t index, Person& a, std::int32_t bi, Person& b) {
    a.orders->flags |= kBefehlStarted;
    const int busy = HeadBefehlOpcode(b);
    if (busy == kStruggleOrder || busy == kFightOrder || busy == kFightWaitOrder ||
        !IsTargetType(b.type) || b.offMap != 0 || b.casualty != 0) {
        ClearBefehle(a);
        return false;
    }
    const int dx = TruncInt(a.x) - TruncInt(b.x);
    const int dy = TruncInt(a.y) - TruncInt(b.y);
    if (std::abs(dx + kBeside) <= kSpotTolerance && std::abs(dy + 1) <= kSpotTolerance) {
        a.present = 0;
        if (TestCollision(0, b, PersonTypOf(b), b.x, b.y, 0, b.storey,
                          static_cast<std::uint8_t>(StruggleAnim(a, b)), nullptr) == 0)
            return true;
        a.present = 1;
        OrderPersonPair(index, bi);
    } else if (std::abs(dx) < kFetchReach && std::abs(dy) < kFetchReach) {
        OrderPersonPair(index, bi);
    } else {
        QueueTargetAction(index, bi);
    }
    return false;
}

// The target plays its struggle facing up with the pursuer hidden; the target's controller rests
// meanwhile.
void BeginStruggle(std::int16_t index, Person& a, std::int32_t bi, Person& b) {
    const std::uint16_t anim = StruggleAnim(a, b);
    SetBefehl(b, PersonTypOf(b), kStruggleOrder, -1, index, 0, 0, 0, 0);
    b.direction = 0;
    SetPersonAnim(static_cast<std::int16_t>(bi), anim);
    UpdatePersonDrawPos(b);
    a.present = 0;
    a.selected = 0;
    b.selected = 0;
    b.controlFlags = 0;
    UpdateSelectionMode();
    PlaySoundFx(kStruggleSound, kOwnerPerson, index, 1, 0, 0, kSoundDepth);
}

// The target stands up a step above where it struggled, weaker by the pursuer's energy, and the
// pursuer lies 20 px left of it as a casualty.
void PursuerLoses(std::int16_t index, Person& a, std::int32_t bi, Person& b) {
    a.x = b.x - 20;
    a.y = b.y;
    b.y -= 1;
    b.direction = 9;
    SetPersonAnim(static_cast<std::int16_t>(bi), kAnimStand);
    UpdatePersonDrawPos(b);
    GiveBackController(b);
    b.energy = Saturate(static_cast<std::int64_t>(b.energy) - a.energy);
    b.link2 = kNoLink;
    // Its order 167 goes, and with it its hiding.
    ClearBefehle(a);
    a.direction = 9;
    SetPersonAnim(index, kAnimLying);
    UpdatePersonDrawPos(a);
    a.casualty = 1;
    ++VerletzteCount;
    a.energy = kFullEnergy;
    a.energyLoss = kCasualtyLoss;
    a.energyGain = kCasualtyGain;
    a.treated = 0;
    a.link2 = kNoLink;
}

// The target, weakened, turns into its led form; the pursuer stands 11 px right of it and takes
// it along.
void PursuerWins(std::int16_t index, Person& a, std::int32_t bi, Person& b) {
    b.type = LedType(b.type);
    b.x += 12;
    b.y += 7;
    b.direction = 9;
    SetPersonAnim(static_cast<std::int16_t>(bi), kAnimStand);
    UpdatePersonDrawPos(b);
    b.controlFlags = kPersonController;
    a.energy = std::max(Saturate(static_cast<std::int64_t>(a.energy) - b.energy / 4), kWinnerFloor);
    b.energy = kLedEnergy;
    a.x = b.x + kBeside;
    a.y = b.y;
    a.direction = 9;
    SetPersonAnim(index, kAnimStand);
    UpdatePersonDrawPos(a);
    a.link2 = kNoLink;
    b.link2 = kNoLink;
    // The head order 167 names b just as the take-along order does.
    RunPersonBefehl161(index);
}

}  // namespace

void OrderPersonPair(std::int32_t a, std::int32_t b) {
    Person* pa = nullptr;
    Person* pb = nullptr;
    if (!Pair(a, b, pa, pb)) return;
    const float x = pb->x;
    const float y = pb->y;
    GoalList goals = {{x - kBeside, y, 3, 0},
                      {x + kBeside, y, 9, 0},
                      {x, y - kBeside, 6, 0},
                      {x, y + kBeside, 0, 0}};
    SetBefehl(*pa, PersonTypOf(*pa), kOpGoalsCallback, -1, std::move(goals), kPairCallback,
              PackedPoint(*pb), PackedPerson(b));
    AppendBefehl(*pa, kOpTakeAlong, b, 0, 0, 0, 0);
}

void QueueTargetAction(std::int32_t a, std::int32_t b) {
    Person* pa = nullptr;
    Person* pb = nullptr;
    if (!Pair(a, b, pa, pb)) return;
    GoalList goals = {{pb->x - kBeside, pb->y - 1, kGoalNoFacing, 0}};
    SetBefehl(*pa, PersonTypOf(*pa), kOpGoalsCallback, -1, std::move(goals), kPursuitCallback,
              PackedPoint(*pb), PackedPerson(b));
    AppendBefehl(*pa, kPursuitOrder, b, 0, 0, 0, 1, 0, -1);
}

void RunPersonTargetAction(std::int16_t index) {
    Person* pursuer = RunningPerson(index);
    if (pursuer == nullptr) return;
    Person& a = *pursuer;
    const std::int32_t bi = a.orders->aInt();
    Person* target = bi != index ? UsedPersonAt(bi) : nullptr;
    if (target == nullptr) {
        ClearBefehle(a);
        return;
    }
    Person& b = *target;
    if ((a.orders->flags & kBefehlStarted) == 0 && !Approach(index, a, bi, b)) return;

    if (HeadBefehlOpcode(b) != kStruggleOrder && IsTargetType(b.type) && b.casualty == 0) {
        BeginStruggle(index, a, bi, b);
        return;
    }
    if (b.type == kPersonTypBurning) {
        StopStruggleSound(index, a);
        ClearBefehle(a);
        return;
    }
    if (b.casualty == 0 && b.frame + 1 < PersonAnimSlot(b.type, b.direction, b.anim).frames) return;
    ClearBefehle(b);
    StopOwnerSound(kOwnerPerson, index);
    // A target hurt in the middle of the struggle is neither fought on nor revived: the pursuit
    // ends without a winner.
    if (b.casualty != 0) {
        ClearBefehle(a);
        return;
    }
    if (TargetWon(b))
        PursuerLoses(index, a, bi, b);
    else
        PursuerWins(index, a, bi, b);
}

void RunPersonBefehl168(std::int16_t index) {
    Person* target = RunningPerson(index);
    if (target == nullptr) return;
    Person& b = *target;
    const std::int32_t ai = b.orders->aInt();
    const Person* a = ai != index ? UsedPersonAt(ai) : nullptr;
    if (a != nullptr && HeadBefehlOpcode(*a) == kPursuitOrder) return;
    // A pursuer called away leaves the struggle's sound behind; it goes with the struggle.
    if (a != nullptr) StopStruggleSound(ai, *a);
    GiveBackController(b);
    ClearBefehle(b);
}

}  // namespace kv
