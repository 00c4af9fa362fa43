// The boat orders on mission 1's pond: the carrier launches its boat at the shore point and takes
// it back there, and boats pass a laid pontoon chain one at a time.

#include "vehicles/boat_befehle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

#include "core/mission_counters.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "mission/selection.h"
#include "movement/befehl_queue.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "persons/timed_victims.h"
#include "vehicles/boat_fixture.h"
#include "vehicles/fahrzeug_points.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::uint8_t kOpPass = 69;
constexpr std::uint8_t kOpLaunch = 71;
constexpr std::uint8_t kOpTakeBack = 72;
constexpr std::int8_t kFireFighter = 1;

class BoatOrders : public test::BoatTest {
  protected:
    // The used vehicles of the type.
    static std::vector<std::int16_t> OfType(std::int32_t type) {
        std::vector<std::int16_t> found;
        for (std::size_t i = 0; i < Fahrzeuge.size(); ++i)
            if (Fahrzeuge[i].type == type) found.push_back(static_cast<std::int16_t>(i));
        return found;
    }
};

// --- Launch ---

TEST_F(BoatOrders, TheCarrierOnThePointLaunchesItsBoatAndIsLeftEmpty) {
    const std::int16_t carrier = CarrierOnPoint();
    Select(carrier);
    ASSERT_EQ(SelectionMode, kTypF117);
    const std::uint16_t bought = BoughtFahrzeugCount;
    Order(carrier, kOpLaunch, 0);
    Tick();

    const std::vector<std::int16_t> boats = OfType(kTypF116);
    ASSERT_EQ(boats.size(), 1u);
    const Fahrzeug& boat = V(boats[0]);
    EXPECT_EQ(boat.x, test::kBoatX);
    EXPECT_EQ(boat.y, test::kBoatY);
    EXPECT_EQ(boat.direction, test::kShorePoint.facing);
    EXPECT_EQ(boat.height, 0.0f);
    EXPECT_EQ(boat.present, 1);
    EXPECT_EQ(boat.targetable, 1);
    EXPECT_EQ(boat.selectable, 1);
    EXPECT_EQ(boat.controlFlags, kOwnerBought);
    EXPECT_EQ(boat.seats.size(), FahrzeugTypen[kTypF116].seats);
    EXPECT_EQ(BoughtFahrzeugCount, bought + 1);

    EXPECT_EQ(V(carrier).type, kTypF119);
    EXPECT_EQ(V(carrier).anim, 0);
    EXPECT_EQ(V(carrier).orders, nullptr);
    EXPECT_EQ(SelectionMode, kTypF119) << "the selected carrier is an empty one now";
    EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(carrier));
}

TEST_F(BoatOrders, ALaunchOntoAnOccupiedPlaceTakesTheNewBoatAwayAgain) {
    const std::int16_t carrier = CarrierOnPoint();
    const std::int16_t other = Put(kTypF116, test::kBoatX + 20, test::kBoatY);
    const std::uint16_t bought = BoughtFahrzeugCount;
    Order(carrier, kOpLaunch, 0);
    Tick();
    EXPECT_EQ(OfType(kTypF116), std::vector<std::int16_t>{other});
    EXPECT_EQ(BoughtFahrzeugCount, bought);
    EXPECT_EQ(LostBoughtFahrzeugCount, 0);
    EXPECT_EQ(V(carrier).type, kTypF117);
    EXPECT_EQ(V(carrier).orders, nullptr);
}

TEST_F(BoatOrders, ACarrierNotExactlyOnThePointOrNotACarrierWithBoatLaunchesNothing) {
    struct Case {
        const char* what;
        std::int32_t type;
        float x, y;
        std::int32_t facing;
        std::int32_t point;
    };
    const float px = test::kShorePoint.x;
    const float py = test::kShorePoint.y;
    const std::int32_t f = test::kShorePoint.facing;
    BootPunkte.push_back(BootPunkt{});
    const Case cases[] = {
        {"a pixel right of it", kTypF117, px + 1, py, f, 0},
        {"half a pixel below it", kTypF117, px, py + 0.5f, f, 0},
        {"facing another way", kTypF117, px, py, 4, 0},
        {"on another point's place", kTypF117, px, py, f, 1},
        {"the empty carrier", kTypF119, px, py, f, 0},
        {"a fire engine", kTypF102, px, py, f, 0},
        {"an unused record", kTypF117, px, py, f, 2},
        {"a point past the table", kTypF117, px, py, f, 3},
        {"a point before it", kTypF117, px, py, f, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearUnits();
        const std::int16_t v = Put(c.type, c.x, c.y, c.facing);
        Order(v, kOpLaunch, c.point);
        Tick();
        EXPECT_TRUE(OfType(kTypF116).empty());
        EXPECT_EQ(V(v).type, c.type);
        EXPECT_EQ(V(v).orders, nullptr);
    }

    // No free slot for the boat: the carrier keeps it.
    ClearUnits();
    const std::int16_t carrier = CarrierOnPoint();
    while (Put(kTypF102, 300, 300) >= 0) {
    }
    Order(carrier, kOpLaunch, 0);
    Tick();
    EXPECT_TRUE(OfType(kTypF116).empty());
    EXPECT_EQ(V(carrier).type, kTypF117);
    EXPECT_EQ(V(carrier).orders, nullptr);
}

// --- Take back ---

TEST_F(BoatOrders, TheSelectedBoatGoesOntoTheCarrierWhichIsSelectedThenAndTheCrewGetsOut) {
    const std::int16_t carrier =
        Put(kTypF119, test::kShorePoint.x, test::kShorePoint.y, test::kShorePoint.facing);
    const std::int16_t boat = BoatOnPoint();
    LoadPersonTyp(kFireFighter);
    const std::int16_t crew = Seat(boat, kFireFighter);
    Select(boat);
    ASSERT_EQ(SelectionMode, kTypF116);
    const std::uint16_t bought = BoughtFahrzeugCount;
    Order(boat, kOpTakeBack, 0);
    Tick();

    EXPECT_EQ(V(boat).type, -1);
    EXPECT_EQ(BoughtFahrzeugCount, bought - 1);
    EXPECT_EQ(V(carrier).type, kTypF117);
    EXPECT_EQ(V(carrier).anim, 0);
    EXPECT_EQ(V(carrier).selected, 1);
    EXPECT_EQ(SelectionMode, kTypF117);
    EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(carrier));
    // The crew stands at the point's exit.
    EXPECT_EQ(P(crew).offMap, 0);
    EXPECT_EQ(P(crew).x, test::kShorePoint.x + test::kShorePoint.ex);
    EXPECT_EQ(P(crew).y, test::kShorePoint.y + test::kShorePoint.ey);
}

TEST_F(BoatOrders, TheCarrierOrderingItIsAFullCarrierAgainAndStaysSelected) {
    const std::int16_t carrier =
        Put(kTypF119, test::kShorePoint.x, test::kShorePoint.y, test::kShorePoint.facing);
    const std::int16_t boat = BoatOnPoint();
    Select(carrier);
    Order(carrier, kOpTakeBack, 0);
    AppendBefehl(V(carrier), 7, 5, 0, 0, 0, 1);
    Tick();
    EXPECT_EQ(V(boat).type, -1);
    EXPECT_EQ(V(carrier).type, kTypF117);
    EXPECT_EQ(SelectionMode, kTypF117);
    EXPECT_EQ(V(carrier).orders, nullptr) << "the ordering vehicle's queue is cleared";
}

TEST_F(BoatOrders, WithoutTheBoatOrTheCarrierExactlyOnThePointNothingIsTakenBack) {
    struct Case {
        const char* what;
        float boatX;
        std::int32_t carrierFacing;
        std::int32_t point;
    };
    const std::int32_t f = test::kShorePoint.facing;
    const Case cases[] = {
        {"the boat a pixel off its place", test::kBoatX + 1, f, 0},
        {"the carrier facing another way", test::kBoatX, 5, 0},
        {"a point past the table", test::kBoatX, f, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearUnits();
        const std::int16_t carrier =
            Put(kTypF119, test::kShorePoint.x, test::kShorePoint.y, c.carrierFacing);
        const std::int16_t boat = Put(kTypF116, c.boatX, test::kBoatY, f);
        Order(carrier, kOpTakeBack, c.point);
        Order(boat, kOpTakeBack, c.point);
        Tick();
        EXPECT_EQ(V(boat).type, kTypF116);
        EXPECT_EQ(V(carrier).type, kTypF119);
        EXPECT_EQ(V(carrier).orders, nullptr);
        EXPECT_EQ(V(boat).orders, nullptr);
    }
}

// --- Passing a pontoon chain ---

// A laid chain of two pieces on open ground (boats pass over land here: only units block them),
// and boats that pass it eastwards.
class PontoonPassage : public BoatOrders {
  protected:
    void SetUp() override {
        BoatOrders::SetUp();
        LoadFahrzeugTyp(kTypF116);
        left = FindFreeSonderObj();
        CreateSonderObj(left, kSobjPonton, kLeftX, kChainY, 0, 15, 0, 0.0f, 0);
        right = FindFreeSonderObj();
        CreateSonderObj(right, kSobjPonton, kRightX, kChainY, 0, 15, 0, 0.0f, 0);
        layChain();
        const FahrzeugTyp& t = FahrzeugTypen[kTypF116];
        w2 = (t.extent[2] - t.extent[0]) / 2;
        speed = t.speed;
        ASSERT_GT(speed, 0.0f);
    }
    void TearDown() override {
        PontonPunkte.clear();
        BoatOrders::TearDown();
    }
    // The point with its chain laid, nobody passing.
    void layChain() {
        CreateSonderObj(right, kSobjPonton, kRightX, kChainY, 0, 15, 0, 0.0f, 0);
        PontonPunkte.assign(1, PontonPunkt{});
        PontonPunkt& p = point();
        p.x = 600;
        p.y = 250;
        p.b = 2;
        p.pieces = {kNoPontonPiece, static_cast<std::uint16_t>(left),
                    static_cast<std::uint16_t>(right)};
        p.complete = 1;
    }
    static PontonPunkt& point() { return PontonPunkte[0]; }
    float entryX() const { return static_cast<float>(kRightX - 20 - w2); }
    float targetX() const { return static_cast<float>(kRightX + w2 + 75); }
    // A boat facing east on the entry place, with the order to pass.
    std::int16_t passer() const {
        const std::int16_t b = Put(kTypF116, entryX(), kPassY);
        Order(b, kOpPass, 0);
        return b;
    }
    // Ticks until the boat's order has ended; false when it never does.
    static bool Passes(std::int16_t boat) { return TickUntilIdle(V(boat), 400); }

    static constexpr std::int16_t kLeftX = 560;
    static constexpr std::int16_t kRightX = 640;
    static constexpr std::int16_t kChainY = 250;
    static constexpr float kPassY = kChainY + 24;
    std::int16_t left = -1;
    std::int16_t right = -1;
    int w2 = 0;
    float speed = 0;
};

TEST_F(PontoonPassage, TheSecondBoatWaitsUntilTheFirstHasPassedExactlyToItsTarget) {
    const std::int16_t first = passer();
    Tick();
    EXPECT_EQ(point().pieces[kPontonPassingBoat], first);
    EXPECT_EQ(point().targetX, kRightX + w2 + 75);
    EXPECT_EQ(point().targetY, kChainY + 24);
    EXPECT_EQ(V(first).targetable, 0);
    EXPECT_EQ(V(first).selectable, 0);
    EXPECT_EQ(V(first).x, entryX() + speed);
    // Clear of the entry place, the second boat comes.
    while (V(first).x < entryX() + 2 * w2 + 4) Tick();
    const std::int16_t second = passer();
    std::vector<float> waiting;
    for (int t = 0; t < 400 && V(first).orders != nullptr; ++t) {
        waiting.push_back(V(second).x);
        Tick();
    }
    EXPECT_EQ(V(first).orders, nullptr);
    EXPECT_EQ(V(first).x, targetX()) << "put exactly on the target";
    EXPECT_EQ(V(first).y, kPassY);
    EXPECT_EQ(V(first).targetable, 1);
    EXPECT_EQ(V(first).selectable, 1);
    EXPECT_EQ(waiting, std::vector<float>(waiting.size(), entryX())) << "the second waited";
    // Its turn comes in the tick the first boat arrives.
    EXPECT_EQ(point().pieces[kPontonPassingBoat], second);
    EXPECT_EQ(V(second).x, entryX() + speed);

    // The first boat stands on the second's target: it waits short of it until that is free.
    ASSERT_FALSE(Passes(second));
    EXPECT_EQ(point().pieces[kPontonPassingBoat], second);
    EXPECT_LT(V(second).x, targetX());
    V(first).y = 600;
    ASSERT_TRUE(Passes(second));
    EXPECT_EQ(V(second).x, targetX());
    EXPECT_EQ(point().pieces[kPontonPassingBoat], kNoPontonPiece);
}

TEST_F(PontoonPassage, ABlockedStepIsNotTakenTheBoatWaits) {
    const std::int16_t boat = passer();
    const std::int16_t blocker = Walker(kFireFighter, kRightX, kPassY);
    for (int t = 0; t < 200; ++t) Tick();
    const float stopped = V(boat).x;
    EXPECT_GT(stopped, entryX());
    EXPECT_LT(stopped, targetX());
    Tick();
    EXPECT_EQ(V(boat).x, stopped);
    EXPECT_EQ(point().pieces[kPontonPassingBoat], boat);
    P(blocker).x = 300;
    ASSERT_TRUE(Passes(boat));
    EXPECT_EQ(V(boat).x, targetX());
}

TEST_F(PontoonPassage, ABoatNotOnItsEntryOrAChainNotThereIsNotLetThrough) {
    struct Case {
        const char* what;
        float x;
        std::int32_t facing;
        std::int32_t point;
        void (*change)(PontonPunkt&);
    };
    const auto none = [](PontonPunkt&) {};
    const Case cases[] = {
        {"a pixel short of the entry", -1, 3, 0, none},
        {"facing south", 0, 6, 0, none},
        {"the chain not laid", 0, 3, 0, [](PontonPunkt& p) { p.complete = 0; }},
        {"no right-end piece", 0, 3, 0,
         [](PontonPunkt& p) { p.pieces[kPontonRightEnd] = kNoPontonPiece; }},
        {"a right-end slot that is free", 0, 3, 0,
         [](PontonPunkt& p) { FreeSonderObjSlot(p.pieces[kPontonRightEnd]); }},
        {"a point past the table", 0, 3, 1, none},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearUnits();
        layChain();
        c.change(point());
        const std::int16_t boat = Put(kTypF116, entryX() + c.x, kPassY, c.facing);
        Order(boat, kOpPass, c.point);
        Tick();
        EXPECT_EQ(V(boat).orders, nullptr);
        EXPECT_EQ(point().pieces[kPontonPassingBoat], kNoPontonPiece);
        EXPECT_EQ(V(boat).selectable, 1);
    }
}

TEST_F(PontoonPassage, ABoatDockedAtTheLeftBerthOfATwoPieceChainIsSentAway) {
    // The berth is measured from the left end, the passage from the right end: only a chain of
    // one piece lets the boat through from there.
    for (const bool onePiece : {false, true}) {
        SCOPED_TRACE(onePiece ? "one piece" : "two pieces");
        ClearUnits();
        if (onePiece) point().pieces[kPontonLeftEnd] = static_cast<std::uint16_t>(right);
        const std::int16_t boat = Put(kTypF116, 300, 500);
        DockAtPontonPunkt(boat, 0);
        ASSERT_EQ(Opcodes(V(boat)), (std::vector<int>{0, 7, 1, kOpPass}));
        V(boat).x = V(boat).orders->aFloat();
        V(boat).y = V(boat).orders->bFloat();
        V(boat).direction = static_cast<std::int8_t>(V(boat).orders->next->next->cInt());
        for (int n = 0; n < 3; ++n) PopBefehl(V(boat));
        Tick();
        EXPECT_EQ(V(boat).orders != nullptr, onePiece);
        EXPECT_EQ(point().pieces[kPontonPassingBoat] == boat, onePiece);
    }
}

TEST_F(PontoonPassage, ABoatThatLosesTheOrderWhilePassingFreesThePassage) {
    const std::int16_t boat = passer();
    Tick();
    ASSERT_EQ(point().pieces[kPontonPassingBoat], boat);
    SetBefehl(V(boat), FahrzeugTypOf(V(boat)), 7, -1, 10, 0, 0, 0, 0);
    EXPECT_EQ(point().pieces[kPontonPassingBoat], kNoPontonPiece);
    EXPECT_EQ(V(boat).targetable, 1);
    EXPECT_EQ(V(boat).selectable, 1);

    // Removed while passing: the next boat passes.
    ClearUnits();
    const std::int16_t gone = passer();
    Tick();
    ASSERT_EQ(point().pieces[kPontonPassingBoat], gone);
    RemoveFahrzeug(gone, kRemoveDrivenOff);
    EXPECT_EQ(point().pieces[kPontonPassingBoat], kNoPontonPiece);
    const std::int16_t next = passer();
    EXPECT_TRUE(Passes(next));

    // A boat waiting for the passage leaves it to the one holding it.
    const std::int16_t holder = passer();
    Tick();
    V(holder).y = 600;  // out of everybody's way, still holding
    const std::int16_t waiter = passer();
    Tick();
    ClearBefehle(V(waiter));
    EXPECT_EQ(point().pieces[kPontonPassingBoat], holder);
}

// --- Taking a person aboard ---

class TakeAboard : public BoatOrders {
  protected:
    void SetUp() override {
        BoatOrders::SetUp();
        LoadPersonTyp(kVictimTyp);
        freshScene();
        ASSERT_GE(victim, 0);
    }
    // The boat on the pond and a person in distress in it, nobody else.
    void freshScene() {
        ClearUnits();
        boat = BoatOnPoint();
        victim = CreateTimedVictim(kVictimTyp, 1040, 850, 0, 600, -1, -1);
    }
    // The boat's order for the person, run once.
    void takeAboard(std::int32_t person) {
        Order(boat, kOpTakeAboard, person);
        Tick();
    }
    bool aboard() const {
        return std::find(V(boat).seats.begin(), V(boat).seats.end(),
                         static_cast<std::uint16_t>(victim)) != V(boat).seats.end();
    }

    static constexpr std::int8_t kVictimTyp = 0;
    static constexpr std::uint8_t kOpTakeAboard = 77;
    std::int16_t boat = -1;
    std::int16_t victim = -1;
};

TEST_F(TakeAboard, TheBoatTakesThePersonFromFiftyPixelsBeforeItToFortyNineAfter) {
    struct Case {
        float dx, dy;  // of the boat from the person
        bool taken;
    };
    const Case cases[] = {
        {49, 0, true}, {50, 0, false}, {-50, 0, true}, {-51, 0, false},
        {0, 49, true}, {0, 50, false}, {0, -50, true}, {-50, -50, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dx << ", " << c.dy);
        freshScene();
        V(boat).x = P(victim).x + c.dx;
        V(boat).y = P(victim).y + c.dy;
        takeAboard(victim);
        EXPECT_EQ(aboard(), c.taken);
        EXPECT_EQ(P(victim).offMap, c.taken ? 1 : 0);
        EXPECT_EQ(V(boat).orders, nullptr) << "the order goes either way";
    }
}

TEST_F(TakeAboard, ThePersonSitsInTheBoatHurtAndASelectedPersonHandsTheSelectionToIt) {
    P(victim).selected = 1;
    RecomputeSelectionMode();
    ASSERT_EQ(SelectionMode, kPersonSelected + kVictimTyp);
    V(boat).x = P(victim).x - 30;
    V(boat).y = P(victim).y;
    SeedRandom(7);
    Rand();  // the stand animation's pause comes first
    const std::int32_t energy = 333333 + (Rand() % 1000000) / 3;
    SeedRandom(7);
    takeAboard(victim);

    ASSERT_TRUE(aboard());
    EXPECT_EQ(V(boat).seats[0], victim);
    const Person& p = P(victim);
    EXPECT_EQ(p.offMap, 1);
    EXPECT_EQ(p.selected, 0);
    EXPECT_TRUE(p.attachment.empty()) << "its deadline plan has gone";
    EXPECT_EQ(p.casualty, 1);
    EXPECT_EQ(p.energy, energy);
    EXPECT_GE(p.energy, 333333);
    EXPECT_LE(p.energy, 344255);
    EXPECT_EQ(p.x, 1040.0f) << "not pushed anywhere";
    EXPECT_EQ(p.y, 850.0f);
    EXPECT_EQ(SelectionMode, kTypF116);
    EXPECT_EQ(SelectedIndex, static_cast<std::uint16_t>(boat));
    EXPECT_EQ(V(boat).selected, 1);
}

TEST_F(TakeAboard, NobodyIsTakenIntoAFullBoatNorAPersonNotInDistressOrNotOnTheMap) {
    V(boat).x = P(victim).x;
    V(boat).y = P(victim).y;
    // Every seat taken.
    while (Seat(boat, kFireFighter) >= 0) {
    }
    const std::vector<std::uint16_t> seats = V(boat).seats;
    takeAboard(victim);
    EXPECT_EQ(V(boat).seats, seats);
    EXPECT_EQ(P(victim).offMap, 0);
    EXPECT_EQ(P(victim).casualty, 0);
    EXPECT_EQ(V(boat).orders, nullptr);
    std::fill(V(boat).seats.begin(), V(boat).seats.end(), kNoPerson);

    // Taken aboard by another boat in the same tick: it holds one seat only.
    P(victim).offMap = 1;
    takeAboard(victim);
    EXPECT_FALSE(aboard());
    P(victim).offMap = 0;

    P(victim).controlFlags &= static_cast<std::uint8_t>(~kPersonInDistress);
    takeAboard(victim);
    EXPECT_FALSE(aboard());

    for (const std::int32_t nobody : {-1, static_cast<std::int32_t>(PersonCount), 65535}) {
        takeAboard(nobody);
        EXPECT_EQ(V(boat).orders, nullptr) << nobody;
    }
    DeletePerson(victim);
    takeAboard(victim);
    EXPECT_EQ(V(boat).orders, nullptr);
    EXPECT_TRUE(std::all_of(V(boat).seats.begin(), V(boat).seats.end(),
                            [](std::uint16_t s) { return s == kNoPerson; }));
}

}  // namespace
}  // namespace kv
