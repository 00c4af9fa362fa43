#include "persons/gaffer.h"

#include "core/random.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "persons/gaffer_ziele.h"
#include "persons/person_fight.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "world/geometry.h"

namespace kv {

namespace {

constexpr std::uint8_t kFightOrder = 172;
constexpr std::int8_t kRivalA = 41;
constexpr std::int8_t kRivalB = 43;
// Fighters look for a rival closer than this.
constexpr std::int32_t kRivalReach = 400;
// A fighter this far from the meeting point walks there; nearer, only the other one walks.
constexpr std::int32_t kWalkToSpot = 20;
// An onlooker waits 60..139 ticks before it walks back.
constexpr int kGafferWaitBase = 60;
constexpr int kGafferWaitRange = 80;

bool ValidType(int type) {
    return type >= 0 && type < kPersonTypCount;
}

std::int16_t Whole(float v) {
    return Clamp16(TruncInt(v));
}

void Walk(Person& p, std::int32_t x, std::int32_t y) {
    SetBefehl(p, PersonTypOf(p), kOpMove, -1, x, y, 0, 0, 0);
}

std::int8_t OtherClub(std::int8_t type) {
    if (type == kRivalA) return kRivalB;
    if (type == kRivalB) return kRivalA;
    return -1;
}

// The nearest free fighter of the other club below the fight line; -1 none.
std::int16_t FindRival(const Person& p) {
    const std::int8_t rival = OtherClub(p.type);
    if (rival < 0) return -1;
    std::int16_t found = -1;
    std::int32_t best = kRivalReach;
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        const Person& q = Personen[i];
        if (q.type != rival || q.present == 0 || q.offMap != 0 || q.storey != 0 ||
            q.casualty != 0 || q.link != kNoLink || q.link2 != kNoLink || q.y <= kFightLineY)
            continue;
        const std::int32_t d = DistanceInt(Whole(p.x), Whole(p.y), Whole(q.x), Whole(q.y));
        if (d >= best) continue;
        best = d;
        found = static_cast<std::int16_t>(i);
    }
    return found;
}

// The stronger of the two walks to stand 11 px right of the other and fights it there (the
// rival when both are as strong); the other walks to the point unless it is near it already.
void PairFighters(std::int16_t pi, Person& p, std::int16_t oi, Person& o, Point16 spot) {
    const auto near = [&](const Person& u) {
        return DistanceInt(Whole(u.x), Whole(u.y), spot.x, spot.y) < kWalkToSpot;
    };
    const bool rivalRuns = o.energy >= p.energy;
    Person& runner = rivalRuns ? o : p;
    Person& other = rivalRuns ? p : o;
    const std::int16_t otherIndex = rivalRuns ? pi : oi;
    if (!near(other)) {
        // In the order the pairs have always been sent off.
        if (rivalRuns) Walk(other, spot.x, spot.y);
        Walk(runner, spot.x + kFightGap, spot.y);
        AppendBefehl(runner, kFightOrder, otherIndex, 0, 0, 0, 0);
        if (!rivalRuns) Walk(other, spot.x, spot.y);
    } else {
        Walk(runner, Whole(other.x) + kFightGap, Whole(other.y));
        AppendBefehl(runner, kFightOrder, otherIndex, 0, 0, 0, 0);
    }
    p.link2 = static_cast<std::uint16_t>(oi);
    o.link2 = static_cast<std::uint16_t>(pi);
}

// A free fighter outside the fighting area walks down into it, west or east of the middle.
void WalkToFightArea(Person& p) {
    const bool west = p.x < 1015.0f;
    const std::int32_t rx = Rand();
    const std::int32_t ry = Rand();
    if (west) {
        Walk(p, 874, 896);
        AppendBefehl(p, kOpMove, 730 + rx % 230, 910 + ry % 80, 0, 0, 0);
    } else {
        Walk(p, 1004, 896);
        AppendBefehl(p, kOpMove, 960 + rx % 240, 910 + ry % 80, 0, 0, 0);
    }
}

}  // namespace

std::int16_t CreateGaffer(std::int8_t type, std::int16_t x, std::int16_t y, std::int8_t storey,
                          std::uint8_t direction, std::uint8_t contamination) {
    if (!ValidType(type)) return -1;
    const std::int16_t index = PlaceNewPerson(type, x, y, storey, direction);
    if (index < 0) return -1;
    Person& p = Personen[static_cast<std::size_t>(index)];
    p.controlFlags = kPersonController | kPersonOnlooker;
    SetStandingUnhurt(p);
    p.targetable = 1;
    p.contamination = contamination;
    if (PersonTypLoaded(type)) ResetPerson(index);
    return index;
}

std::int16_t CreateScriptPerson(std::int8_t type, std::int16_t x, std::int16_t y,
                                std::uint8_t storey, std::uint8_t direction) {
    if (!ValidType(type)) return -1;
    // On the ground the point is taken as it is; upstairs the person needs its house.
    const std::int16_t index =
        PlaceNewPerson(type, x, y, static_cast<std::int8_t>(storey), direction, false);
    if (index < 0) return -1;
    Person& p = Personen[static_cast<std::size_t>(index)];
    p.link2 = kNoLink;
    p.controlFlags = kPersonController | kPersonFighter;
    SetStandingUnhurt(p);
    p.contamination = 0;
    if (PersonTypLoaded(type)) ResetPerson(index);
    return index;
}

void UpdateGaffer(std::int16_t index) {
    Person* person = UsedPersonAt(index);
    if (person == nullptr) return;
    Person& p = *person;
    if (p.orders != nullptr || (p.moverFlags & kMoverSearching) != 0 || p.storey != 0) return;
    const std::int16_t n = FindNearestGafferZiel(Whole(p.x), Whole(p.y));
    GafferZiel z;
    if (!GetGafferZiel(n, z)) return;
    const std::int32_t d = DistanceInt(Whole(p.x), Whole(p.y), z.x, z.y);
    const bool strayed = z.radius > 10 ? d > z.radius + 20 : d > z.radius;
    if (!strayed) return;
    SetBefehl(p, PersonTypOf(p), kOpWait, -1, kGafferWaitBase + Rand() % kGafferWaitRange, 0, 0, 0,
              0);
    AppendBefehl(p, kOpGaffer, z.x, z.y, 0, 0, static_cast<std::uint32_t>(n));
}

void StartPersonFight(std::int16_t index) {
    Person* person = UsedPersonAt(index);
    if (person == nullptr) return;
    Person& p = *person;
    const std::int16_t o = p.y > kFightLineY && p.link2 == kNoLink ? FindRival(p) : -1;
    if (o >= 0) {
        const Point16 spot = FindFreeSpotNearPoint();
        if (spot.x >= 0) {
            PairFighters(index, p, o, Personen[static_cast<std::size_t>(o)], spot);
            return;
        }
    }
    if (p.orders != nullptr) return;
    const Person* partner = UsedPersonAt(p.link2);
    if (partner != nullptr && partner != &p &&
        partner->link2 == static_cast<std::uint16_t>(index) && partner->orders != nullptr)
        return;
    p.link2 = kNoLink;
    if (p.y < kFightAreaY)
        WalkToFightArea(p);
    else
        UpdateGaffer(index);
}

}  // namespace kv
