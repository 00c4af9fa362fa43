// Mission 18 on the sample data: its set-up, the gate cut open, the swimmers' drift, the
// containers' smoke, the lake house's flight, the drain covers, the fire's roar, its checks and
// evaluation, and its words through a save.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/fire_counts.h"
#include "core/game_mode.h"
#include "core/hover.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_points.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "core/options.h"
#include "core/random.h"
#include "media/sound_slots.h"
#include "mission/evaluation.h"
#include "mission/mission_checksum.h"
#include "mission/mission_start.h"
#include "mission/mission_tick.h"
#include "missions/chain_walk.h"
#include "missions/mission_rows.h"
#include "missions/swimmer_drift.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "persons/person_evade.h"
#include "persons/person_houses.h"
#include "persons/personen.h"
#include "platform/cp1252.h"
#include "screens/save_game.h"
#include "support/order_list.h"
#include "support/sample_mission_test.h"
#include "support/saved_slot.h"
#include "support/sound_log.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "world/brand.h"
#include "world/brand_cells.h"
#include "world/furniture.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::int8_t kCutterTyp = 9;
constexpr int kSoundGate = 84;
constexpr int kSoundFire = 83;
constexpr std::int16_t kGate = 12;
constexpr std::int16_t kLakeHouse = 25;

class MissionEighteen : public test::SampleMissionTest {
  protected:
    MissionEighteen() : SampleMissionTest(18, 5) {}

    static void update() { kMissionHooksM18.UpdateMission(); }
    static void check() { kMissionHooksM18.CheckMission(); }
    static std::string message() { return MessageLine.data(); }
    static void select(std::uint16_t mode, std::int32_t index) {
        SelectionMode = mode;
        SelectedIndex = static_cast<std::uint16_t>(index);
    }
    static std::uint8_t gateOpening() { return MissionScratch.S6; }
    static std::int16_t blastTimer() { return static_cast<std::int16_t>(MissionScratch.S1); }
    // The persons of a type, in slot order.
    static std::vector<std::int16_t> ofType(std::int8_t type) {
        std::vector<std::int16_t> found;
        for (std::size_t i = 0; i < Personen.size(); ++i)
            if (Personen[i].type == type) found.push_back(static_cast<std::int16_t>(i));
        return found;
    }
    // Everybody but the given person out of the script's way.
    static void only(std::int16_t keep) {
        for (std::size_t i = 0; i < Personen.size(); ++i)
            if (static_cast<std::int16_t>(i) != keep && Personen[i].type != -1)
                DeletePerson(static_cast<std::int32_t>(i));
    }
};

TEST_F(MissionEighteen, SetsUpItsTypesObjectsPeopleAndBox) {
    ASSERT_NE(SonderObjTypAt(49), nullptr);
    EXPECT_NE(SonderObjTypAt(49)->frames, nullptr) << "the last container type is loaded";
    EXPECT_EQ(O(kGate).type, 44);
    EXPECT_EQ(O(kGate).x, 784.0f);
    for (int s = 16; s <= 27; ++s) {
        EXPECT_EQ(O(s).type, 45) << s;
        EXPECT_EQ(O(s).blockMask, 0) << s;
    }
    for (int s = 28; s <= 30; ++s) EXPECT_EQ(O(s).type, 46) << s;
    int hydrants = 0;
    for (std::size_t s = 31; s < SonderObjs.size(); ++s)
        hydrants += SonderObjs[s].type == kSobjHydrant;
    EXPECT_EQ(hydrants, 22);
    ASSERT_EQ(BootPunkte.size(), 1u);
    EXPECT_EQ(BootPunkte[0].x, 330);
    EXPECT_EQ(BootPunkte[0].y, 2510);
    int persons = 0;
    for (const Person& p : Personen) persons += p.type != -1;
    EXPECT_EQ(persons, 28);
    EXPECT_EQ(ofType(32).size(), 4u);
    EXPECT_NE(PersonTypen[46].speed, 0) << "the ring carrier is loaded";
    EXPECT_EQ(BriefingBox.x, 190);
    EXPECT_EQ(BriefingBox.y, 30);
    EXPECT_EQ(BriefingBox.width, 400);
    EXPECT_EQ(BriefingBox.height, 200);
    EXPECT_EQ(WaterEntry.x, 32 * (MapWidth - 1) - 16 * MapHeight + 100);
    EXPECT_EQ(RoadEntry.y, 445);
    const auto door = HouseDoorSpot(kLakeHouse);
    ASSERT_TRUE(door);
    EXPECT_EQ(door->x, 2816);
    EXPECT_EQ(door->y + 20, 1420);
}

TEST_F(MissionEighteen, ACutterOpensTheGateWhichSlidesTo902WithItsSound) {
    test::FillSoundSlotsWithTones();
    SoundOn = 1;
    backend.sound.clearCalls();
    const std::int16_t cutter = staff(kCutterTyp, 784, 760, 0, 1);
    AppendBefehl(P(cutter), kOpWorkAtSonderObj, kGate, 44, 8, 5, 12);
    int ticks = 0;
    while (gateOpening() == 0 && ticks < 2000) {
        RunGameTicks(0);
        ++ticks;
    }
    ASSERT_EQ(gateOpening(), 1) << "the work never ended";
    const std::vector<int> played = test::PlayedSoundIds(backend.sound);
    EXPECT_NE(std::find(played.begin(), played.end(), kSoundGate), played.end());
    EXPECT_NE(IsSoundPlaying(kSoundGate), 0);
    EXPECT_EQ(O(kGate).x, 785.0f) << "the script's step of the same tick moved it";
    for (int n = 0; n < 116; ++n) update();
    EXPECT_EQ(O(kGate).x, 901.0f);
    EXPECT_EQ(gateOpening(), 1);
    update();
    EXPECT_EQ(O(kGate).x, 902.0f);
    EXPECT_EQ(gateOpening(), 0);
    EXPECT_EQ(IsSoundPlaying(kSoundGate), 0);
    update();
    EXPECT_EQ(O(kGate).x, 902.0f) << "it stays open";
}

TEST_F(MissionEighteen, TheGateTakesTheCutterOnlyWhereItWasPlaced) {
    const std::int16_t cutter = staff(kCutterTyp, 700, 820);
    HoverIds = {static_cast<std::uint16_t>(kGate), 0, 0, 0};
    select(1009, cutter);
    CursorId = 0;
    ASSERT_EQ(kMissionHooksM18.CursorOnSonderObj(), 1);
    EXPECT_EQ(CursorId, kCursorRescue);
    ASSERT_EQ(kMissionHooksM18.ClickOnSonderObj(), 1);
    EXPECT_EQ(test::Orders(P(cutter)),
              (std::vector<test::Order>{{kOpMove, 784, 760, 0, 0, 0},
                                        {kOpTurn, 784, 760, 1, 0, 1},
                                        {kOpWorkAtSonderObj, kGate, 44, 8, 5, 12}}));
    // Another selection, or a gate moved by half a pixel: neither cursor nor click.
    ClearBefehle(P(cutter));
    select(1001, cutter);
    EXPECT_EQ(kMissionHooksM18.CursorOnSonderObj(), 0);
    select(1009, cutter);
    O(kGate).x = 784.5f;
    EXPECT_EQ(kMissionHooksM18.CursorOnSonderObj(), 0);
    EXPECT_EQ(kMissionHooksM18.ClickOnSonderObj(), 0);
    EXPECT_EQ(P(cutter).orders, nullptr);
}

TEST_F(MissionEighteen, ContainersTakeTheCraneWhileColdAndWaterAlways) {
    const std::int16_t crane = vehicle(kTypF110, 1000, 2200);
    const std::int16_t engine = vehicle(kTypF104, 1050, 2200);
    const auto on = [](std::uint16_t slot) { HoverIds = {slot, 0, 0, 0}; };
    on(29);
    select(kTypF110, crane);
    CursorId = 0;
    ASSERT_EQ(kMissionHooksM18.CursorOnSonderObj(), 1);
    EXPECT_EQ(CursorId, kCursorRescue);
    ASSERT_EQ(kMissionHooksM18.ClickOnSonderObj(), 1);
    const Fahrzeug& c = Fahrzeuge[static_cast<std::size_t>(crane)];
    ASSERT_NE(c.orders, nullptr);
    EXPECT_EQ(c.orders->opcode, kOpGoals);
    EXPECT_EQ(test::Orders(c)[1], (test::Order{kOpTakeUpObject, 29, 46, 0, 0, 1}));
    // Burning, the crane gets neither cursor nor click.
    O(29).burning = 1;
    CursorId = 0;
    EXPECT_EQ(kMissionHooksM18.CursorOnSonderObj(), 0);
    EXPECT_EQ(kMissionHooksM18.ClickOnSonderObj(), 0);
    // The cannon's water cursor, and its click taken even with nothing to send.
    select(kTypF104, engine);
    ASSERT_EQ(kMissionHooksM18.CursorOnSonderObj(), 1);
    EXPECT_EQ(CursorId, kCursorWater);
    select(kTypF104, 9999);
    EXPECT_EQ(kMissionHooksM18.ClickOnSonderObj(), 1);
    on(27);
    EXPECT_EQ(kMissionHooksM18.CursorOnSonderObj(), 0);
}

// A swimmer holding a ring, alone in the lake with its plan.
class SwimmerDrift : public MissionEighteen {
  protected:
    std::int16_t swimmer() {
        const std::int16_t s = ofType(49).front();
        only(s);
        P(s).anim = static_cast<std::int8_t>(kAnimHoldingRing);
        return s;
    }
};

TEST_F(SwimmerDrift, ARingHolderBobsWithin3PxOfItsSpot) {
    const std::int16_t s = swimmer();
    Person& p = P(s);
    const float x0 = p.x;
    const float y0 = p.y;
    p.idleStand = 1;
    SeedRandom(11);
    for (std::uint32_t t = 1; t <= 400; ++t) {
        TickCounter = t;
        DriftSwimmer(s, 0);
        ASSERT_LE(std::fabs(p.x - x0), 3.0f) << t;
        ASSERT_LE(std::fabs(p.y - y0), 3.0f) << t;
        if (t % 5 != 0) continue;
        const DeadlinePlan* plan = p.attachment.plan();
        ASSERT_NE(plan, nullptr) << t;
        EXPECT_EQ(p.x - x0, PlanScriptWord(*plan, PlanWord::DriftDx)) << t;
        EXPECT_EQ(p.y - y0, PlanScriptWord(*plan, PlanWord::DriftDy)) << t;
    }
    EXPECT_EQ(p.idleStand, 0);
    const DeadlinePlan* plan = p.attachment.plan();
    ASSERT_NE(plan, nullptr);
    EXPECT_NE(PlanScriptWord(*plan, PlanWord::FallbackX), 0);
}

TEST_F(SwimmerDrift, AStepOntoLandGoesBackAndOnlyRingHoldersDrift) {
    const std::int16_t s = swimmer();
    Person& p = P(s);
    // On the bank's edge: every step that ends on land goes back to where the swimmer was.
    p.x = 3176.0f;
    p.y = 2441.0f;
    SeedRandom(2);
    for (std::uint32_t t = 5; t <= 500; t += 5) {
        TickCounter = t;
        const float bx = p.x;
        const float by = p.y;
        DriftSwimmer(s, 0);
        if (p.x != bx || p.y != by) {
            EXPECT_NE(TestCollision(0, p, PersonTypOf(p), p.x, p.y,
                                    static_cast<std::uint8_t>(p.direction), 0,
                                    static_cast<std::uint8_t>(p.anim), nullptr),
                      0)
                << t << ": moved onto land";
        }
    }
    // A swimmer still in distress without the ring keeps its place and its idle byte.
    p.anim = 3;
    p.idleStand = 1;
    const float x = p.x;
    TickCounter = 1000;
    DriftSwimmer(s, 0);
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.idleStand, 1);
    // Mode 1 is the other mission's: a free test there sends it back as well.
    p.anim = static_cast<std::int8_t>(kAnimHoldingRing);
    DriftSwimmer(s, 1);
    EXPECT_EQ(p.idleStand, 0);
    const float after = p.x;
    // Without a plan the byte is cleared and nothing moves.
    p.attachment = PersonAttachment{};
    p.idleStand = 1;
    DriftSwimmer(s, 0);
    EXPECT_EQ(p.idleStand, 0);
    EXPECT_EQ(p.x, after);
    DriftSwimmer(-1, 0);
    DriftSwimmer(30000, 0);
}

TEST_F(MissionEighteen, BurningContainersSmokeWhoeverComesNear) {
    // The burning container's smoke point: its box's middle.
    O(29).type = 47;
    const SonderObjTyp& t = *SonderObjTypAt(47);
    const int sx = 865 + t.boxX0 + ((t.boxX1 - t.boxX0) >> 1);
    const int sy = 2064 + t.boxY0 + ((t.boxY1 - t.boxY0) >> 1);
    struct Case {
        const char* what;
        std::int8_t type;
        int dx;
        bool inHouse;
        std::uint16_t exposure;
        bool draws;
        bool hit;  // with every draw 0
        std::uint16_t exposureAfter;
        std::uint8_t contamination;
    };
    const Case cases[] = {
        {"breathing gear", 3, 19, false, 0, false, false, 0, 0},
        {"equipped fire-fighter", 21, 2, false, 0, false, false, 0, 0},
        {"staff at 19", 8, 19, false, 0, true, true, 3, 0},
        {"civilian at 2", 27, 2, false, 0, true, true, 3, 0},
        {"out of reach", 27, 270, false, 0, false, false, 0, 0},
        {"in a house", 27, 2, true, 0, false, false, 0, 0},
        {"the last breath", 27, 2, false, 97, true, true, 0, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (std::size_t i = 0; i < Personen.size(); ++i)
            if (Personen[i].type != -1) DeletePerson(static_cast<std::int32_t>(i));
        const std::int16_t i =
            staff(c.type, static_cast<std::int16_t>(sx + c.dx), static_cast<std::int16_t>(sy));
        Person& p = P(i);
        p.exposure = c.exposure;
        if (c.inHouse) p.house = 0;
        // Seeds whose first draw is a multiple of every divisor here would be rare; instead the
        // draw is checked against the rule itself.
        SeedRandom(4);
        const std::int32_t r = Rand();
        SeedRandom(4);
        update();
        const bool drew = Rand() != r;
        EXPECT_EQ(drew, c.draws);
        const int d = std::abs(c.dx);
        const int spread = c.type == 8 ? 20 : 3;
        const bool hit = c.draws && r % (d / spread + 1) == 0;
        if (!c.draws) {
            EXPECT_EQ(p.exposure, c.exposure);
            EXPECT_EQ(p.contamination, 0);
        } else if (hit) {
            EXPECT_EQ(p.exposure, c.exposureAfter);
            EXPECT_EQ(p.contamination, c.contamination);
        } else {
            EXPECT_EQ(p.exposure, c.exposure);
        }
    }
}

TEST_F(MissionEighteen, TheLakeHousePeopleFleeAfterTick15600) {
    const std::vector<std::int16_t> guests = ofType(32);
    ASSERT_EQ(guests.size(), 4u);
    Person& g = P(guests[0]);
    ASSERT_NE(g.house, 0xFFFF);
    TickCounter = 15600;
    update();
    EXPECT_EQ(g.orders, nullptr) << "not yet";
    TickCounter = 15601;
    SeedRandom(9);
    const int wait = Rand() % 200 + 200;
    SeedRandom(9);
    update();
    ASSERT_TRUE(IsPersonEvadeIdle(guests[0]));
    EXPECT_EQ(test::Orders(g), (std::vector<test::Order>{{kOpWait, wait, 0, 0, 0, 0},
                                                         {kOpMove, 2816, 1420, 0, 0, 0},
                                                         {kOpTurn, 2816, 1420, 6, 0, 0},
                                                         {kOpLeaveHouse, 2816, 1420, -1, 0, 0}}));
    EXPECT_EQ(Houses[kLakeHouse].evacuated, 1);
    // A house index naming no placed house: no orders.
    Person& h = P(guests[1]);
    ClearBefehle(h);
    h.house = 200;
    update();
    EXPECT_EQ(h.orders, nullptr);

    // Outside, by region: the chain and the point it starts from.
    struct Case {
        const char* what;
        int parity;  // of the person's slot, which picks chain 1 or 2
        int x;
        int y;
        int firstX;  // the first walk's target, before its jitter
        int firstY;
        std::size_t walks;
    };
    const Case cases[] = {
        {"y 1201, even: chain 1 from its nearest point", 0, 2828, 1300, 2828, 1478, 3},
        {"y 1201, odd: chain 2", 1, 3099, 1201, 3099, 1496, 2},
        {"y 1700: chain 5", 0, 2246, 1700, 2560, 2277, 6},
        {"y 1200, far: chain 4 from its sixth point on", 0, 1500, 1200, 1695, 1061, 5},
        {"far: chain 3 where chain 4 is only as near", 1, 3300, 900, 3398, 1032, 5},
        {"far: chain 4 where nearer", 1, 2700, 1150, 2535, 1028, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::int16_t slot = -1;
        for (const std::int16_t k : guests) {
            ClearBefehle(P(k));
            if (k % 2 == c.parity && slot < 0)
                slot = k;
            else
                P(k).type = 33;  // out of the flight for this case
        }
        ASSERT_GE(slot, 0);
        Person& q = P(slot);
        q.house = 0xFFFF;
        q.storey = 0;
        q.x = static_cast<float>(c.x);
        q.y = static_cast<float>(c.y);
        update();
        for (const std::int16_t k : guests) P(k).type = 32;
        const std::vector<test::Order> orders = test::Orders(q);
        ASSERT_FALSE(orders.empty());
        EXPECT_EQ(orders.size(), 1 + 2 * (c.walks - 1));
        EXPECT_EQ(orders[0][0], kOpMove);
        EXPECT_LE(std::abs(orders[0][1] - c.firstX), 10);
        EXPECT_LE(std::abs(orders[0][2] - c.firstY), 10);
    }
}

TEST_F(MissionEighteen, NearTheCrossingACoinPicksChainThreeOrFour) {
    const std::vector<std::int16_t> guests = ofType(32);
    only(guests[0]);
    Person& p = P(guests[0]);
    p.house = 0xFFFF;
    p.storey = 0;
    TickCounter = 20000;
    for (const std::uint32_t seed : {1u, 2u, 3u, 4u}) {
        ClearBefehle(p);
        p.x = 3398.0f;
        p.y = 1032.0f + 100.0f;  // 100 px from the crossing
        SeedRandom(seed);
        const bool chain3 = Rand() % 2 == 0;
        SeedRandom(seed);
        update();
        const std::vector<test::Order> orders = test::Orders(p);
        // Neither chain's crossing point counts (too near): chain 3 starts at its second point,
        // chain 4 at its second.
        ASSERT_FALSE(orders.empty());
        const int expectX = chain3 ? 3581 : 2999;
        EXPECT_LE(std::abs(orders[0][1] - expectX), 10) << seed;
        EXPECT_EQ(orders.size(), chain3 ? 7u : 19u) << seed;
    }
}

TEST_F(MissionEighteen, DrainCoversBlowUpInOrderTwentyTicksApart) {
    for (int s = 16; s <= 27; ++s) ASSERT_EQ(O(s).type, 45);
    // Fire on a watched cell of the drainage line, then out at once.
    const std::ptrdiff_t cell = brand::FireCellIndex(114, 40);
    ASSERT_GE(cell, 0);
    BrandStates[static_cast<std::size_t>(cell)].burning = 1;
    update();
    EXPECT_EQ(MissionScratch.S0, 1);
    EXPECT_EQ(blastTimer(), 239);
    BrandStates[static_cast<std::size_t>(cell)].burning = 0;
    const auto blown = [](int slot) { return O(slot).commands != nullptr || O(slot).type != 45; };
    EXPECT_TRUE(blown(16));
    EXPECT_FALSE(blown(17));
    // A cover gone before its turn is passed over.
    FreeSonderObjSlot(20);
    for (int k = 1; k < 12; ++k) {
        for (int n = 0; n < 19; ++n) update();
        if (k + 16 != 20) {
            EXPECT_FALSE(blown(16 + k)) << k;
        }
        update();
        if (k + 16 != 20) {
            EXPECT_TRUE(blown(16 + k)) << k;
        }
        EXPECT_EQ(O(20).type, -1);
    }
    EXPECT_EQ(blastTimer(), 19) << "the last cover went up as the countdown passed 20";
    for (int n = 0; n < 19; ++n) update();
    EXPECT_EQ(blastTimer(), 0);
    // A countdown from a save outside its range runs from its end.
    MissionScratch.S1 = static_cast<std::uint16_t>(-5);
    update();
    EXPECT_EQ(blastTimer(), 0);
    MissionScratch.S1 = 30000;
    update();
    EXPECT_EQ(blastTimer(), 239);
}

TEST_F(MissionEighteen, TheFireRoarsFromTheTwentyFirstBurningCell) {
    test::FillSoundSlotsWithTones();
    SoundOn = 1;
    backend.sound.clearCalls();
    BurningCellCount = 20;
    update();
    EXPECT_EQ(IsSoundPlaying(kSoundFire), 0);
    BurningCellCount = 21;
    update();
    EXPECT_NE(IsSoundPlaying(kSoundFire), 0);
    BurningCellCount = 20;
    update();
    EXPECT_EQ(IsSoundPlaying(kSoundFire), 0);
}

TEST_F(MissionEighteen, ChecksAndEvaluation) {
    struct Case {
        std::uint32_t dead;
        std::uint16_t houses;
        std::uint32_t mode;
        const char* message;
    };
    const Case cases[] = {
        {7, 0, 2, ""},
        {8, 0, 4, "Zu viele Tote!"},
        {0, 7, 2, ""},
        {0, 8, 4, "Brand ist ausser Kontrolle geraten!"},
    };
    for (const Case& c : cases) {
        restart();
        ClearMessageLine();
        ToteCount = c.dead;
        BurningHouseCount = c.houses;
        check();
        EXPECT_EQ(GameMode, c.mode) << c.dead << " " << c.houses;
        if (c.mode == 4) {
            EXPECT_EQ(message(), c.message);
        }
    }
    // With the fire out, a contaminated person still holds the win back.
    restart();
    BurningCellCount = 0;
    BurningHouseCount = 0;
    P(ofType(27).front()).contamination = 2;
    check();
    EXPECT_EQ(GameMode, 2u);
    P(ofType(27).front()).contamination = 0;
    check();
    EXPECT_EQ(GameMode, 5u);

    ToteCount = 0;
    TickCounter = 90000;
    Money = 10000;
    kMissionHooksM18.EvaluateMission();
    EXPECT_EQ(ResultLines[0].percent, 100);
    EXPECT_EQ(ResultLines[1].percent, 50);
    EXPECT_EQ(ResultLines[2].percent, 100);
    EXPECT_EQ(EvaluationEfficiency, 80);
    EXPECT_EQ(EvaluationPoints, 500);
}

// Saved while the gate slides, the covers blow and a piece of furniture has burnt away; loaded,
// the state is the same and goes on.
TEST_F(MissionEighteen, ASaveInTheGateSlideAndTheCoverChainLoadsAsSaved) {
    kv::OnBefehlDone12M18(kGate, 0);
    ASSERT_TRUE(IgniteMapCellAt(102, 39));
    for (int n = 0; n < 30; ++n) RunGameTicks(0);
    ASSERT_EQ(GameMode, 2u);
    ASSERT_EQ(gateOpening(), 1);
    ASSERT_GT(blastTimer(), 0);
    const float gateX = O(kGate).x;
    const std::int16_t timer = blastTimer();
    // Lit, burnt out and lit again, a piece has no look left and burns away.
    const auto piece = std::find_if(HouseObjs.begin(), HouseObjs.end(), HouseObjInUse);
    ASSERT_NE(piece, HouseObjs.end());
    const auto index = static_cast<int>(piece - HouseObjs.begin());
    for (int fire = 0; fire < 3 && HouseObjInUse(*piece); ++fire) {
        IgniteHouseObj(index);
        EndHouseObjFire(index);
    }
    ASSERT_FALSE(HouseObjInUse(*piece));
    ASSERT_TRUE(WriteSaveSlot(0, "M18"));
    const std::uint64_t before = MissionChecksum();
    ASSERT_TRUE(test::LoadSavedSlot(0)) << FatalErrorMessage();
    EXPECT_EQ(MissionChecksum(), before);
    EXPECT_EQ(O(kGate).x, gateX);
    EXPECT_EQ(blastTimer(), timer);
    for (int n = 0; n < 200; ++n) RunGameTicks(0);
    EXPECT_EQ(O(kGate).x, 902.0f);
    EXPECT_EQ(gateOpening(), 0);
}

}  // namespace
}  // namespace kv
