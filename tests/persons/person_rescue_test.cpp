// The rescue orders on a plain map: kneeling and lifting, carrying and laying down, the stretcher,
// treatment and reanimation, and the holes they close: a casualty held twice, lost in a person
// that cannot carry, a bed left taken, and indices that name nobody.

#include "persons/person_rescue.h"

#include <gtest/gtest.h>

#include <string_view>
#include <tuple>
#include <utility>

#include "core/message_line.h"
#include "core/mission_counters.h"
#include "movement/befehl_queue.h"
#include "persons/person_injury.h"
#include "persons/person_link.h"
#include "persons/person_types.h"
#include "persons/person_update_fixture.h"
#include "persons/rescue_tables.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::int8_t kFireFighter = 1;
constexpr std::int8_t kCarrier = 12;
constexpr std::int8_t kMedic = 4;
constexpr std::int8_t kStretcherTeam = 5;
constexpr std::int8_t kLoadedStretcher = 26;
constexpr std::uint8_t kOpTreat = 150;
constexpr std::uint8_t kOpLoad = 152;
constexpr std::uint8_t kOpUnload = 153;
constexpr std::uint8_t kOpPickUp = 164;
constexpr std::uint8_t kOpPutDown = 165;
constexpr std::uint8_t kOpReanimate = 202;
constexpr int kMoan = 40;
constexpr std::string_view kNoRoom = "Zu wenig Platz zum Ablegen!";

// The casualties lie at this point, in direction 1.
constexpr int kCx = 300;
constexpr int kCy = 300;

class Rescue : public test::PersonUpdateTest {
  protected:
    // The person's queue replaced by one order.
    void give(std::int16_t p, std::uint8_t opcode, std::int32_t a, std::int32_t b = 0,
              std::int32_t c = 0) {
        ClearBefehle(person(p));
        AppendBefehl(person(p), opcode, a, b, c, 0, 0);
    }
    // Ticks until the person has no orders; false when it still has some after max ticks.
    bool runOut(std::int16_t p, int max = 300) {
        for (int t = 0; t < max && person(p).orders != nullptr; ++t) ticks(1);
        return person(p).orders == nullptr;
    }
    // A fire-fighter that has picked up a casualty at kCx, kCy and stands facing `facing`.
    struct Carry {
        std::int16_t carrier;
        std::int16_t casualty;
    };
    Carry carrying(int facing) {
        const std::int16_t c = lying(kFireFighter, kCx, kCy, 500000);
        const Point16 kneel = *KneelPoint(person(c), 3);
        const std::int16_t r = stand(kFireFighter, kneel.x, kneel.y, 3);
        give(r, kOpPickUp, c, kCx, kCy);
        EXPECT_TRUE(runOut(r));
        person(r).direction = static_cast<std::int8_t>(facing);
        return {r, c};
    }
    static bool noRoomShown() {
        return std::string_view(MessageLine.data()) == kNoRoom && MessageLineCountdown == 60;
    }
};

struct KneelCase {
    const char* name;
    int facing;
    bool fromKneelPoint;  // else from the casualty
    int dx;
    int dy;
    bool kneels;
    int facesAfter;
};

TEST_F(Rescue, ARescuerKneelsOnItsPointTurnsToTheCasualtyWithin30PxAndGivesUpFarther) {
    // The casualty lies in direction 1: a rescuer near it turns up (1) from below, down (7) from
    // above; on the kneel point of its own direction it keeps its facing.
    const KneelCase cases[] = {
        {"on the kneel point", 3, true, 0, 0, true, 3},
        {"3 px off it", 3, true, 3, -3, true, 3},
        {"4 px off it turns", 3, true, 4, 0, true, 1},
        {"30 px below turns up", 9, false, 0, 30, true, 1},
        {"30 px above turns down", 3, false, -30, -30, true, 7},
        {"31 px right gives up", 9, false, 31, 0, false, 9},
        {"31 px above gives up", 9, false, 0, -31, false, 9},
    };
    for (const KneelCase& k : cases) {
        SCOPED_TRACE(k.name);
        alloc(6);
        const std::int16_t c = lying(kFireFighter, kCx, kCy, 500000);
        const Point16 from =
            k.fromKneelPoint ? *KneelPoint(person(c), k.facing) : Point16{kCx, kCy};
        const std::int16_t r = stand(kFireFighter, static_cast<float>(from.x + k.dx),
                                     static_cast<float>(from.y + k.dy), k.facing);
        give(r, kOpPickUp, c, kCx, kCy);
        ticks(1);
        EXPECT_EQ(person(r).direction, k.facesAfter);
        EXPECT_EQ(person(r).anim == kAnimKneel, k.kneels);
        EXPECT_EQ(person(r).orders != nullptr, k.kneels);
        if (k.kneels) {
            EXPECT_TRUE(screams(c, kMoan));
        }
    }
}

TEST_F(Rescue, KneelPointsLieBesideTheBoxTheCasualtyLiesIn) {
    alloc(4);
    const std::int16_t c = lying(kFireFighter, kCx, kCy, 500000);
    const Person& p = person(c);
    const AnimSlot& s = PersonAnimSlot(p.type, p.direction, p.anim);
    const int left = p.drawX + s.box[0];
    const int top = p.drawY + s.box[1];
    const int right = p.drawX + s.box[2];
    const int bottom = p.drawY + s.box[3];
    const struct {
        int direction;
        int x;
        int y;
    } expected[] = {{1, kCx - 8, bottom + 7},
                    {3, left - 7, kCy + 3},
                    {7, kCx + 8, top - 7},
                    {9, right + 7, kCy + 3}};
    for (const auto& e : expected) {
        const std::optional<Point16> k = KneelPoint(p, e.direction);
        ASSERT_TRUE(k.has_value());
        EXPECT_EQ(k->x, e.x) << e.direction;
        EXPECT_EQ(k->y, e.y) << e.direction;
    }
    EXPECT_FALSE(KneelPoint(p, 0).has_value());
    EXPECT_FALSE(TreatmentPoint(p, 6).has_value());
}

TEST_F(Rescue, PickingUpATreatedCasualtyStopsAndUnlinksItsMedicBeforeTheRescuerKneels) {
    alloc(6);
    const std::int16_t c = lying(kFireFighter, kCx, kCy, 500000);
    const Point16 at = *TreatmentPoint(person(c), 9);
    const std::int16_t medic = stand(kMedic, at.x, at.y, 9);
    give(medic, kOpTreat, c, kCx, kCy);
    ASSERT_TRUE(runOut(medic));
    ASSERT_EQ(person(medic).anim, kAnimTreat);

    const Point16 kneel = *KneelPoint(person(c), 3);
    const std::int16_t r = stand(kFireFighter, kneel.x, kneel.y, 3);
    give(r, kOpPickUp, c, kCx, kCy);
    ticks(1);
    EXPECT_EQ(person(r).anim, kAnimKneel);
    EXPECT_EQ(person(medic).anim, kAnimStand);
    EXPECT_EQ(person(medic).orders, nullptr);
    EXPECT_EQ(person(medic).link, kNoLink);
    EXPECT_EQ(person(c).link, kNoLink);
    const std::int32_t energy = person(c).energy;
    ticks(1);
    EXPECT_EQ(person(c).energy, energy - 20) << "bleeding again";
}

TEST_F(Rescue, ACarrierTakesTheCasualtyOffTheMapTurnsAboutAndLaysItDownInEachDirection) {
    const struct {
        int a;
        int lies;
        int x;  // where it is laid down; the pools of earlier cases stay
    } cases[] = {{1, 7, 400}, {3, 9, 500}, {7, 1, 600}, {9, 3, 700}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.a);
        alloc(6);
        const Carry carry = carrying(3);
        const int objects = usedSonderObjs();
        const Person& r = person(carry.carrier);
        const Person& c = person(carry.casualty);
        EXPECT_EQ(r.type, kCarrier);
        EXPECT_EQ(r.link, carry.casualty);
        EXPECT_EQ(c.offMap, 1);
        EXPECT_EQ(r.anim, kAnimStand);
        EXPECT_GE(selectionUpdates, 1);

        person(carry.carrier).direction = static_cast<std::int8_t>(k.a);
        give(carry.carrier, kOpPutDown, k.a, k.x, 520);
        ticks(1);
        EXPECT_EQ(r.anim, kAnimLayDown);
        EXPECT_EQ(r.direction, (k.a + 6) % 12);
        ASSERT_TRUE(runOut(carry.carrier));
        EXPECT_EQ(r.type, kFireFighter);
        EXPECT_EQ(r.link, kNoLink);
        EXPECT_EQ(r.anim, kAnimStand);
        EXPECT_EQ(c.offMap, 0);
        EXPECT_EQ(c.x, static_cast<float>(k.x));
        EXPECT_EQ(c.y, 520.0f);
        EXPECT_EQ(c.direction, k.lies);
        EXPECT_EQ(usedSonderObjs(), objects + 1) << "a pool where it lies now";
    }
}

TEST_F(Rescue, ACarrierBlockedOrTurnedAwayKeepsItsCasualtyAndSaysSo) {
    for (const bool blocked : {true, false}) {
        SCOPED_TRACE(blocked ? "blocked" : "turned away");
        alloc(6);
        ClearMessageLine();
        const Carry carry = carrying(3);
        if (blocked) stand(kFireFighter, 500, 520);
        give(carry.carrier, kOpPutDown, blocked ? 3 : 9, 500, 520);
        ticks(1);
        EXPECT_TRUE(noRoomShown());
        EXPECT_EQ(person(carry.carrier).orders, nullptr);
        EXPECT_EQ(person(carry.carrier).type, kCarrier);
        EXPECT_EQ(person(carry.carrier).link, carry.casualty);
        EXPECT_EQ(person(carry.casualty).offMap, 1);
    }
}

TEST_F(Rescue, AStretcherTeamLoadsACasualtyUpTo40PxAway) {
    for (const int dx : {40, 41}) {
        SCOPED_TRACE(dx);
        alloc(6);
        const std::int16_t c = lying(kFireFighter, kCx, kCy, 500000);
        const std::int16_t s = stand(kStretcherTeam, kCx + dx, kCy - 40, 9);
        give(s, kOpLoad, c, kCx, kCy);
        ticks(1);
        const bool loads = dx == 40;
        EXPECT_EQ(person(s).orders, nullptr);
        EXPECT_EQ(person(s).type, loads ? kLoadedStretcher : kStretcherTeam);
        EXPECT_EQ(person(s).link, loads ? c : kNoLink);
        EXPECT_EQ(person(c).offMap, loads ? 1 : 0);
        if (loads) {
            EXPECT_TRUE(screams(c, kMoan));
        }
    }
}

// Where the patient's lying box lies from the stretcher team: 15 px beyond it on the near or
// far side.
enum class Side { Near, Far, None };

TEST_F(Rescue, AStretcherTeamUnloadsBesideItselfOrOnTheOtherSideOrKeepsThePatient) {
    const struct {
        const char* name;
        int a;
        int blockers;  // the near side, then both
        Side lands;
        int lies;
    } cases[] = {
        {"up, right of it", 1, 0, Side::Near, 1},   {"right, below it", 3, 0, Side::Near, 9},
        {"down, right of it", 7, 0, Side::Near, 7}, {"left, below it", 9, 0, Side::Near, 3},
        {"near side blocked", 1, 1, Side::Far, 1},  {"below blocked", 3, 1, Side::Far, 9},
        {"both blocked", 7, 2, Side::None, 7},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        alloc(8);
        ClearMessageLine();
        const std::int16_t c = lying(kFireFighter, kCx, kCy, 500000);
        const std::int16_t s = stand(kStretcherTeam, kCx + 30, kCy, k.a);
        give(s, kOpLoad, c, kCx, kCy);
        ticks(1);
        ASSERT_EQ(person(s).type, kLoadedStretcher);
        const float sx = person(s).x;
        const float sy = person(s).y;
        const bool sideways = k.a == 1 || k.a == 7;
        if (k.blockers >= 1) stand(kFireFighter, sideways ? sx + 20 : sx, sideways ? sy : sy + 20);
        if (k.blockers >= 2) stand(kFireFighter, sideways ? sx - 20 : sx, sideways ? sy : sy - 20);

        give(s, kOpUnload, k.a);
        ticks(1);
        const Person& p = person(c);
        EXPECT_EQ(person(s).orders, nullptr);
        EXPECT_EQ(p.direction, k.lies);
        if (k.lands == Side::None) {
            EXPECT_TRUE(noRoomShown());
            EXPECT_EQ(person(s).type, kLoadedStretcher);
            EXPECT_EQ(p.offMap, 1);
            continue;
        }
        EXPECT_EQ(person(s).type, kStretcherTeam);
        EXPECT_EQ(person(s).link, kNoLink);
        EXPECT_EQ(p.offMap, 0);
        const AnimSlot& box = PersonAnimSlot(p.type, p.direction, kAnimLying);
        const bool near = k.lands == Side::Near;
        if (sideways) {
            EXPECT_EQ(p.y, sy);
            EXPECT_EQ(near ? p.drawX + box.box[0] : p.drawX + box.box[2],
                      static_cast<int>(sx) + (near ? kStretcherGap : -kStretcherGap));
        } else {
            EXPECT_EQ(p.x, sx);
            EXPECT_EQ(near ? p.drawY + box.box[1] : p.drawY + box.box[3],
                      static_cast<int>(sy) + (near ? kStretcherGap : -kStretcherGap));
        }
    }
}

TEST_F(Rescue, AMedicOnItsTreatmentPointKneelsThenTreatsUntilItLeavesTheTreatingPose) {
    alloc(6);
    const std::int16_t c = lying(kFireFighter, kCx, kCy, 500000);
    const Point16 at = *TreatmentPoint(person(c), 1);
    EXPECT_EQ(at.x, kCx);
    EXPECT_EQ(at.y, kCy + 15);
    const std::int16_t medic = stand(kMedic, at.x + 3, at.y - 3, 1);
    give(medic, kOpTreat, c, kCx, kCy);
    ticks(1);
    EXPECT_EQ(person(medic).anim, kAnimKneel);
    EXPECT_TRUE(screams(c, kMoan));
    ASSERT_TRUE(runOut(medic));
    EXPECT_EQ(person(medic).anim, kAnimTreat);
    EXPECT_EQ(person(medic).link, c);
    EXPECT_EQ(person(c).link, kTreatedByLink + medic);
    EXPECT_EQ(person(c).treated, 1);
    const std::int32_t energy = person(c).energy;
    ticks(2);
    EXPECT_EQ(person(c).energy, energy + 2 * 300);

    SetPersonAnim(medic, kAnimStand);
    EXPECT_EQ(person(medic).link, kNoLink);
    EXPECT_EQ(person(c).link, kNoLink);

    // Off its point, or facing a way without one, the medic gives up.
    for (const auto& [dx, facing] : {std::pair{4, 1}, std::pair{0, 0}}) {
        const std::int16_t other = stand(kMedic, at.x + dx, at.y, facing);
        give(other, kOpTreat, c, kCx, kCy);
        ticks(1);
        EXPECT_EQ(person(other).orders, nullptr);
        EXPECT_NE(person(other).anim, kAnimKneel);
    }
}

TEST_F(Rescue, TwoMedicsOnOnePatientBothHealIt) {
    alloc(6);
    const std::int16_t c = lying(kFireFighter, kCx, kCy, 500000);
    std::int16_t medics[2];
    for (int n = 0; n < 2; ++n) {
        const int facing = n == 0 ? 1 : 7;
        const Point16 at = *TreatmentPoint(person(c), facing);
        medics[n] = stand(kMedic, at.x, at.y, facing);
        give(medics[n], kOpTreat, c, kCx, kCy);
    }
    ASSERT_TRUE(runOut(medics[0]));
    ASSERT_TRUE(runOut(medics[1]));
    EXPECT_EQ(person(c).link, kTreatedByLink + medics[1]) << "the last one to start";
    const std::int32_t energy = person(c).energy;
    ticks(1);
    EXPECT_EQ(person(c).energy, energy + 2 * 300);
}

struct ReviveCase {
    const char* name;
    std::uint16_t deadTicks;
    int ticks;
    bool alive;
};

TEST_F(Rescue, AReanimationBringsBackThoseDeadLessThan2400TicksAndNeverEnds) {
    const ReviveCase cases[] = {
        {"2390 ticks: not yet after 238", 2390, 238, false},
        {"2390 ticks: back after 239", 2390, 239, true},
        {"2400 ticks: never", kDeadTicksLimit, 1000, false},
        {"killed outright: never", kNeverRevivable, 1000, false},
    };
    for (const ReviveCase& k : cases) {
        SCOPED_TRACE(k.name);
        alloc(6);
        MissionCounters = {};
        // The medic comes first in the array, so it starts before the patient's first update.
        const std::int16_t medic = stand(kMedic, kCx + kReanimateDx, kCy + kReanimateDy, 9);
        const std::int16_t c = lying(kFireFighter, kCx, kCy, 0);
        person(c).deadTicks = k.deadTicks;
        person(c).link = kOnSonderObjLink;
        give(medic, kOpReanimate, c, kCx + kReanimateDx, kCy + kReanimateDy);
        ticks(k.ticks);
        EXPECT_EQ(person(c).energy, k.alive ? 50000 : 0);
        EXPECT_EQ(person(medic).link, c);
        EXPECT_EQ(person(c).link, kRevivedByLink + medic);
        EXPECT_EQ(HeadBefehlOpcode(person(medic)), kOpReanimate);
        EXPECT_EQ(ToteCount, 0);
    }
}

TEST_F(Rescue, ARevivedPatientHealsFastAndOneWithAHarmfulGainDiesAndCountsAgain) {
    alloc(10);
    MissionCounters = {};
    const std::int16_t medic = stand(kMedic, kCx + kReanimateDx, kCy + kReanimateDy, 9);
    const std::int16_t c = lying(kFireFighter, kCx, kCy, 0, 20, 300);
    person(c).deadTicks = 10;
    person(c).link = kOnSonderObjLink;
    ToteCount = 1;
    give(medic, kOpReanimate, c, kCx + kReanimateDx, kCy + kReanimateDy);
    ticks(1);
    ASSERT_EQ(person(c).energy, 50000);
    ticks(2);
    EXPECT_EQ(person(c).energy, 50000 + 2 * (10 * 300 + 200));
    EXPECT_EQ(ToteCount, 1) << "a revival does not lower the count";

    person(c).energyGain = -30000;
    ticks(2);
    EXPECT_EQ(person(c).energy, 0);
    EXPECT_EQ(ToteCount, 2);

    // Off the spot, facing another way, or by a patient on no object: given up at once.
    for (const auto& [dx, facing, link] :
         {std::tuple{1, 9, kOnSonderObjLink}, std::tuple{0, 3, kOnSonderObjLink},
          std::tuple{0, 9, kNoLink}}) {
        const std::int16_t p = lying(kFireFighter, kCx, kCy + 200, 0);
        person(p).link = link;
        const std::int16_t other = stand(kMedic, kCx + kReanimateDx + dx, kCy + 200 + 2, facing);
        give(other, kOpReanimate, p, kCx + kReanimateDx, kCy + 200 + 2);
        ticks(1);
        EXPECT_EQ(person(other).orders, nullptr);
        EXPECT_NE(DecodePersonLink(person(p).link).kind, PersonLinkKind::RevivedBy);
    }
}

TEST_F(Rescue, ACarriedCasualtyCountsAsMovedForEveryOrderLaidBeforeThePickUp) {
    const struct {
        std::uint8_t opcode;
        std::int8_t type;
        int x;
        int y;
        int facing;
    } orders[] = {
        {kOpTreat, kMedic, kCx + 17, kCy, 9},
        {kOpLoad, kStretcherTeam, kCx + 30, kCy, 9},
        {kOpPickUp, kFireFighter, kCx + 8, kCy - 30, 7},
        {kOpReanimate, kMedic, kCx + kReanimateDx, kCy + kReanimateDy, 9},
    };
    for (const auto& o : orders) {
        SCOPED_TRACE(static_cast<int>(o.opcode));
        alloc(8);
        const Carry carry = carrying(3);
        ASSERT_EQ(person(carry.casualty).x, static_cast<float>(kCx)) << "it keeps its place";
        const std::int16_t h =
            stand(o.type, static_cast<float>(o.x), static_cast<float>(o.y), o.facing);
        const int b = o.opcode == kOpReanimate ? o.x : kCx;
        const int c = o.opcode == kOpReanimate ? o.y : kCy;
        give(h, o.opcode, carry.casualty, b, c);
        ticks(1);
        EXPECT_EQ(person(h).orders, nullptr);
        EXPECT_EQ(person(h).link, kNoLink);
        EXPECT_EQ(person(h).type, o.type);
        EXPECT_EQ(person(carry.carrier).link, carry.casualty) << "the carrier still holds it";
        EXPECT_EQ(person(carry.casualty).link, kNoLink);
    }
}

TEST_F(Rescue, OnlyFireFightersPickUpAndATakenCasualtyEndsASecondRescuersKneeling) {
    // A medic or a civilian would take it off the map for good.
    for (const std::int8_t type : {kMedic, std::int8_t{0}}) {
        alloc(6);
        const std::int16_t c = lying(kFireFighter, kCx, kCy, 500000);
        const Point16 kneel = *KneelPoint(person(c), 3);
        const std::int16_t r = stand(type, kneel.x, kneel.y, 3);
        give(r, kOpPickUp, c, kCx, kCy);
        ticks(1);
        EXPECT_EQ(person(r).orders, nullptr) << static_cast<int>(type);
        EXPECT_EQ(person(c).offMap, 0);
        EXPECT_EQ(person(r).type, type);
    }

    // Two rescuers kneel at once; the one that lifts first keeps it.
    alloc(6);
    const std::int16_t c = lying(kFireFighter, kCx, kCy, 500000);
    const Point16 left = *KneelPoint(person(c), 3);
    const Point16 right = *KneelPoint(person(c), 9);
    const std::int16_t first = stand(kFireFighter, left.x, left.y, 3);
    give(first, kOpPickUp, c, kCx, kCy);
    ticks(5);
    const std::int16_t second = stand(kFireFighter, right.x, right.y, 9);
    give(second, kOpPickUp, c, kCx, kCy);
    ASSERT_TRUE(runOut(first));
    ticks(1);
    EXPECT_EQ(person(first).link, c);
    EXPECT_EQ(person(second).orders, nullptr);
    EXPECT_EQ(person(second).type, kFireFighter);
    EXPECT_EQ(person(second).anim, kAnimStand);
}

TEST_F(Rescue, LiftingACasualtyFreesTheObjectItLayOnAndStopsItsReanimation) {
    for (const bool revived : {false, true}) {
        SCOPED_TRACE(revived ? "being reanimated" : "lying on it");
        alloc(8);
        const std::int16_t medic = stand(kMedic, kCx + kReanimateDx, kCy + kReanimateDy, 9);
        const std::int16_t c = lying(kFireFighter, kCx, kCy, revived ? 0 : 500000);
        const std::int16_t bed = FindFreeSonderObj();
        ASSERT_GE(bed, 0);
        CreateSonderObj(bed, kSobjBett, kCx - 20, kCy - 20, 0, 0, 1, 0.0f, 0);
        SonderObjs[static_cast<std::size_t>(bed)].user = static_cast<std::int16_t>(c);
        person(c).link = kOnSonderObjLink;
        person(c).deadTicks = 100;
        if (revived) {
            give(medic, kOpReanimate, c, kCx + kReanimateDx, kCy + kReanimateDy);
            ticks(1);
            ASSERT_EQ(person(c).link, kRevivedByLink + medic);
        }
        const Point16 kneel = *KneelPoint(person(c), 3);
        const std::int16_t r = stand(kFireFighter, kneel.x, kneel.y, 3);
        give(r, kOpPickUp, c, kCx, kCy);
        ticks(1);
        EXPECT_EQ(SonderObjs[static_cast<std::size_t>(bed)].user, -1);
        EXPECT_EQ(person(c).link, kNoLink);
        EXPECT_EQ(person(medic).orders, nullptr);
        EXPECT_EQ(person(medic).link, kNoLink);
    }
}

TEST_F(Rescue, OrdersNamingNobodyEnd) {
    const struct {
        const char* name;
        std::int8_t type;
        std::uint8_t opcode;
        std::int32_t a;
        std::uint16_t link;
    } cases[] = {
        {"treat nobody", kMedic, kOpTreat, 9999, kNoLink},
        {"treat itself", kMedic, kOpTreat, 0, kNoLink},
        {"lift a negative index", kFireFighter, kOpPickUp, -1, kNoLink},
        {"reanimate past the array", kMedic, kOpReanimate, 6, kNoLink},
        {"load nobody", kStretcherTeam, kOpLoad, 70000, kNoLink},
        {"put down nobody", kCarrier, kOpPutDown, 3, 4000},
        {"put down itself", kCarrier, kOpPutDown, 3, 0},
        {"unload a treated link", kLoadedStretcher, kOpUnload, 3, kTreatedByLink + 1},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        alloc(6);
        const std::int16_t h = stand(k.type, kCx, kCy, 3);
        ASSERT_EQ(h, 0);
        person(h).link = k.link;
        give(h, k.opcode, k.a, kCx, kCy);
        ticks(1);
        EXPECT_EQ(person(h).orders, nullptr);
        EXPECT_EQ(person(h).type, k.type);
    }
}

TEST_F(Rescue, ACasualtyWhoseMedicIsNobodyIsLiftedAsAnyOther) {
    for (const std::uint16_t link : {kTreatedByLink + 0xFFF, kRevivedByLink + 0xFFF}) {
        alloc(4);
        const std::int16_t c = lying(kFireFighter, kCx, kCy, 500000);
        person(c).link = link;
        const Point16 kneel = *KneelPoint(person(c), 3);
        const std::int16_t r = stand(kFireFighter, kneel.x, kneel.y, 3);
        give(r, kOpPickUp, c, kCx, kCy);
        ASSERT_TRUE(runOut(r));
        EXPECT_EQ(person(r).link, c);
        EXPECT_EQ(person(c).link, kNoLink);
    }
}

}  // namespace
}  // namespace kv
