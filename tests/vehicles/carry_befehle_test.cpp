// Carrying and pushing on mission 1's map: the crane F110 takes up and puts down objects and
// vehicles and drops a car for scrapping, the trailer F118 sets its boat down and takes it up
// again, a vehicle pushes an object along x and marks one. Every take-up is accepted exactly at
// its pick-up point.

#include "vehicles/carry_befehle.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/befehl_callbacks.h"
#include "core/message_line.h"
#include "core/mission_counters.h"
#include "core/mission_scratch.h"
#include "core/mission_state.h"
#include "movement/befehl_queue.h"
#include "vehicles/fahrzeug_befehle.h"
#include "vehicles/move_fixture.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr std::int32_t kNone = -1;
// Another parked car.
constexpr std::int32_t kTypPARK02 = kTypPARK01 + 1;

class Carrying : public test::MoveTest {
  protected:
    void SetUp() override {
        MoveTest::SetUp();
        LoadFahrzeugTyp(kTypF110);
        LoadFahrzeugTyp(kTypF118);
        ClearMessageLine();
    }
    void TearDown() override {
        MissionScratch = {};
        MoveTest::TearDown();
    }
    // A special object, solid on every side.
    static std::int16_t Object(std::int16_t type, int x, int y) {
        const std::int16_t slot = FindFreeSonderObj();
        CreateSonderObj(slot, type, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 0,
                        15, 0, 0.0f, 0);
        return slot;
    }
    static SonderObj& O(std::int16_t slot) { return SonderObjs[static_cast<std::size_t>(slot)]; }
    static std::int16_t At(std::int32_t type, PickUpPoint p, int facing) {
        return Make(type, 1, static_cast<std::int16_t>(p.x), static_cast<std::int16_t>(p.y),
                    facing);
    }
    // One order for the vehicle, then its interpreter once.
    static void Order(std::int16_t v, std::uint8_t opcode, std::int32_t a = 0, std::int32_t b = 0,
                      std::int32_t c = 0) {
        AppendBefehl(V(v), opcode, a, b, c, 0, 1);
        ExecuteFahrzeugBefehl(v);
    }
    static int Head(std::int16_t v) { return HeadBefehlOpcode(V(v)); }
    // A loaded crane carrying the object or the vehicle; the load is taken off the map.
    static std::int16_t CraneWithObject(int x, int y, int facing, std::int16_t slot) {
        const std::int16_t crane =
            Make(kTypF110MD, 1, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), facing);
        V(crane).link = static_cast<std::uint16_t>(slot);
        O(slot).blockMask = 0;
        O(slot).visible = 0;
        return crane;
    }
    static std::int16_t CraneWithFahrzeug(int x, int y, int facing, std::int16_t load) {
        const std::int16_t crane =
            Make(kTypF110MD, 1, static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), facing);
        V(crane).link = static_cast<std::uint16_t>(kCarriedFahrzeugLink + load);
        V(load).link = static_cast<std::uint16_t>(kCarriedFahrzeugLink + crane);
        V(load).present = 0;
        return crane;
    }
    // Every object above the fixed slots freed.
    static void ClearObjects() {
        for (std::int16_t s = FixedSonderObjCount; s < SonderObjCount; ++s)
            if (O(s).type != -1) FreeSonderObjSlot(s);
    }
    static bool NoRoomShown() {
        return std::string(MessageLine.data()) == "Zu wenig Platz zum Ablegen!" &&
               MessageLineCountdown == 60;
    }
};

TEST_F(Carrying, PickUpPointsOfEachCarrierAndFacing) {
    // The crane F110: W 98, H 76. An object of type 9 at (700, 300) with its box as given; a
    // parked car (PARK01, facing 3: hot spot (32, 17), box 3, 3, 60, 30) at (700, 300); an F114
    // at (700, 300) for the F119 (W 110, H 78; the F114's W 91, H 60).
    struct Box {
        std::int16_t x0, y0, x1, y1;
    };
    struct Case {
        const char* what;
        std::int32_t carrier;
        bool vehicle;
        Box box;
        int facing;
        PickUpPoint want;
    };
    const Box plain{0, 0, 17, 14};
    // Wholly left of and above the position: the halves of -5 and -3 are -3 and -2.
    const Box leftAbove{-21, -15, -5, -3};
    // Below the position: k is negative in facing 1, and -24 / 11 is -2.
    const Box below{0, 45, 17, 60};
    const Case cases[] = {
        {"object", kTypF110, false, plain, 1, {722, 261}},
        {"object", kTypF110, false, plain, 3, {768, 307}},
        {"object", kTypF110, false, plain, 7, {689, 353}},
        {"object", kTypF110, false, plain, 9, {649, 307}},
        {"object left and above", kTypF110, false, leftAbove, 1, {716, 246}},
        {"object left and above", kTypF110, false, leftAbove, 3, {746, 298}},
        {"object left and above", kTypF110, false, leftAbove, 7, {684, 336}},
        {"object left and above", kTypF110, false, leftAbove, 9, {628, 298}},
        {"object below", kTypF110, false, below, 1, {706, 306}},
        {"car", kTypF110, true, {}, 1, {713, 247}},
        {"car", kTypF110, true, {}, 3, {779, 300}},
        {"car", kTypF110, true, {}, 7, {675, 352}},
        {"car", kTypF110, true, {}, 9, {620, 300}},
        {"boat", kTypF119, true, {}, 1, {725, 229}},
        {"boat", kTypF119, true, {}, 3, {802, 300}},
        {"boat", kTypF119, true, {}, 7, {675, 371}},
        {"boat", kTypF119, true, {}, 9, {598, 300}},
    };
    SonderObjTyp& typ = SonderObjTypen[kSobjHolzstapel];
    const std::int16_t object = Object(kSobjHolzstapel, 700, 300);
    const std::int16_t car = Make(kTypPARK01, 1, 700, 300, 3);
    const std::int16_t boat = Make(kTypF114, 1, 700, 300, 3);
    for (const Case& c : cases) {
        typ.boxX0 = c.box.x0;
        typ.boxY0 = c.box.y0;
        typ.boxX1 = c.box.x1;
        typ.boxY1 = c.box.y1;
        const PickUpThing thing = !c.vehicle              ? PickUpSonderObj(object)
                                  : c.carrier == kTypF110 ? PickUpFahrzeug(car)
                                                          : PickUpFahrzeug(boat);
        const auto p = GetFahrzeugPickUpPoint(c.carrier, thing, c.facing);
        ASSERT_TRUE(p.has_value()) << c.what << " facing " << c.facing;
        EXPECT_EQ(p->x, c.want.x) << c.what << " facing " << c.facing;
        EXPECT_EQ(p->y, c.want.y) << c.what << " facing " << c.facing;
    }
    // No point in another facing, for another carrier, or for the F119 and anything but a boat.
    for (const int facing : {0, 2, 6, 11, 12})
        EXPECT_FALSE(GetFahrzeugPickUpPoint(kTypF110, PickUpFahrzeug(car), facing)) << facing;
    EXPECT_FALSE(GetFahrzeugPickUpPoint(kTypF110MD, PickUpFahrzeug(car), 3));
    EXPECT_FALSE(GetFahrzeugPickUpPoint(kTypF119, PickUpFahrzeug(car), 3));
    EXPECT_FALSE(GetFahrzeugPickUpPoint(kTypF119, PickUpSonderObj(object), 3));
}

TEST_F(Carrying, EachTakeUpAcceptsExactlyItsPoint) {
    struct Take {
        const char* what;
        std::uint8_t opcode;
        std::int32_t carrier;
        std::int32_t loaded;
    };
    const Take takes[] = {
        {"object", 45, kTypF110, kTypF110MD},
        {"car", 73, kTypF110, kTypF110MD},
        {"boat", 66, kTypF119, kTypF118},
    };
    struct Offset {
        int dx, dy;
        bool facing0;
        bool taken;
    };
    const Offset offsets[] = {
        {0, 0, false, true}, {1, 0, false, false}, {0, -1, false, false}, {0, 0, true, false}};
    for (const Take& t : takes) {
        for (const int facing : {1, 3, 7, 9}) {
            for (const Offset& off : offsets) {
                ClearUnits();
                ClearObjects();
                std::int16_t thing = 0;
                std::int32_t expected = 0;
                PickUpThing pick;
                if (t.opcode == 45) {
                    thing = Object(kSobjHolzstapel, 700, 300);
                    expected = kSobjHolzstapel;
                    pick = PickUpSonderObj(thing);
                } else {
                    thing = Make(t.opcode == 73 ? kTypPARK01 : kTypF114, 1, 700, 300, 3);
                    expected = V(thing).type;
                    pick = PickUpFahrzeug(thing);
                }
                const auto p = GetFahrzeugPickUpPoint(t.carrier, pick, facing);
                ASSERT_TRUE(p.has_value());
                const std::int16_t v =
                    At(t.carrier, {p->x + off.dx, p->y + off.dy}, off.facing0 ? 0 : facing);
                Order(v, t.opcode, thing, expected);
                const std::string where = std::string(t.what) + " facing " +
                                          std::to_string(facing) + " off " +
                                          std::to_string(off.dx) + "," + std::to_string(off.dy) +
                                          (off.facing0 ? " in facing 0" : "");
                EXPECT_EQ(V(v).type, off.taken ? t.loaded : t.carrier) << where;
                EXPECT_EQ(Head(v), -1) << where;
            }
        }
    }
}

TEST_F(Carrying, CraneTakesUpAnObjectAndPutsItDownElsewhere) {
    const std::int16_t object = Object(kSobjHolzstapel, 700, 300);
    AppendSonderObjCommand(object, kCmdOpen, 0, 0, 0, 0);
    const auto p = GetFahrzeugPickUpPoint(kTypF110, PickUpSonderObj(object), 3);
    const std::int16_t crane = At(kTypF110, *p, 3);
    SelectionMode = kTypF110;
    SelectedIndex = static_cast<std::uint16_t>(crane);
    AppendBefehl(V(crane), 45, object, kSobjHolzstapel, 0, 0, 1);
    AppendBefehl(V(crane), 7, 5, 0, 0, 0, 1);
    ExecuteFahrzeugBefehl(crane);
    EXPECT_EQ(V(crane).type, kTypF110MD);
    EXPECT_EQ(V(crane).link, object);
    EXPECT_EQ(Head(crane), 7) << "45 alone was popped";
    EXPECT_EQ(SelectionMode, kTypF110MD);
    EXPECT_EQ(O(object).visible, 0);
    EXPECT_EQ(O(object).blockMask, 0);
    EXPECT_EQ(O(object).commands, nullptr);

    ClearBefehle(V(crane));
    O(object).tick = 7;
    Order(crane, 46, 900, 180);
    EXPECT_EQ(V(crane).type, kTypF110);
    EXPECT_EQ(V(crane).link, kNoLink);
    EXPECT_EQ(SelectionMode, kTypF110);
    EXPECT_EQ(O(object).x, 900.0f);
    EXPECT_EQ(O(object).y, 180.0f);
    EXPECT_EQ(O(object).visible, 1);
    EXPECT_EQ(O(object).blockMask, 15);
    EXPECT_EQ(O(object).tick, 0);
    EXPECT_FALSE(NoRoomShown());
}

TEST_F(Carrying, TypeChangeMovesTheSelectionOnlyForTheSelectedVehicle) {
    const std::int16_t object = Object(kSobjHolzstapel, 700, 300);
    const auto p = GetFahrzeugPickUpPoint(kTypF110, PickUpSonderObj(object), 9);
    const std::int16_t other = Make(kTypF110, 1, 300, 150, 3);
    const std::int16_t crane = At(kTypF110, *p, 9);
    SelectionMode = kTypF110;
    SelectedIndex = static_cast<std::uint16_t>(other);
    Order(crane, 45, object, kSobjHolzstapel);
    EXPECT_EQ(V(crane).type, kTypF110MD);
    EXPECT_EQ(SelectionMode, kTypF110);
}

TEST_F(Carrying, CraneRefusesABurningObjectOrOneOfAnotherType) {
    for (const bool burning : {true, false}) {
        ClearUnits();
        const std::int16_t object = Object(kSobjHolzstapel, 700, 300);
        O(object).burning = burning ? 1 : 0;
        const auto p = GetFahrzeugPickUpPoint(kTypF110, PickUpSonderObj(object), 7);
        const std::int16_t crane = At(kTypF110, *p, 7);
        Order(crane, 45, object, burning ? kSobjHolzstapel : kSobjHydrant);
        EXPECT_EQ(V(crane).type, kTypF110) << burning;
        EXPECT_EQ(Head(crane), -1) << burning;
        EXPECT_EQ(O(object).visible, 1) << burning;
        O(object).burning = 0;
        ClearObjects();
    }
}

TEST_F(Carrying, NoRoomToPutDownKeepsTheLoad) {
    // The object onto a parked car.
    const std::int16_t object = Object(kSobjHolzstapel, 700, 300);
    Make(kTypPARK01, 1, 900, 180, 3);
    const std::int16_t crane = CraneWithObject(600, 300, 3, object);
    Order(crane, 46, 890, 175);
    EXPECT_TRUE(NoRoomShown());
    EXPECT_EQ(V(crane).type, kTypF110MD);
    EXPECT_EQ(V(crane).link, object);
    EXPECT_EQ(Head(crane), -1);
    EXPECT_EQ(O(object).visible, 0);
    EXPECT_EQ(O(object).x, 890.0f) << "carried, at the point";

    // The car onto another one, and across the map's left edge.
    struct Case {
        const char* what;
        std::int32_t x, y;
    };
    const Case cases[] = {{"onto a car", 910, 190}, {"across the edge", 20, 300}};
    for (const Case& c : cases) {
        ClearUnits();
        ClearMessageLine();
        Make(kTypPARK01, 1, 900, 180, 3);
        const std::int16_t load = Make(kTypPARK02, 1, 400, 300, 3);
        const std::int16_t loaded = CraneWithFahrzeug(300, 400, 3, load);
        Order(loaded, 74, c.x, c.y);
        EXPECT_TRUE(NoRoomShown()) << c.what;
        EXPECT_EQ(V(loaded).type, kTypF110MD) << c.what;
        EXPECT_EQ(V(loaded).link, kCarriedFahrzeugLink + load) << c.what;
        EXPECT_EQ(V(load).present, 0) << c.what;
        EXPECT_EQ(V(load).link, kCarriedFahrzeugLink + loaded) << c.what;
    }
}

TEST_F(Carrying, CraneLiftsACarAndSetsItDown) {
    const std::int16_t car = Make(kTypPARK01, 1, 700, 300, 3);
    AppendBefehl(V(car), 7, 50, 0, 0, 0, 1);
    const auto p = GetFahrzeugPickUpPoint(kTypF110, PickUpFahrzeug(car), 1);
    const std::int16_t crane = At(kTypF110, *p, 1);
    Order(crane, 73, car, kTypPARK01);
    EXPECT_EQ(V(crane).type, kTypF110MD);
    EXPECT_EQ(V(crane).link, kCarriedFahrzeugLink + car);
    EXPECT_EQ(V(car).link, kCarriedFahrzeugLink + crane);
    EXPECT_EQ(V(car).present, 0);
    EXPECT_EQ(Head(car), -1);

    Order(crane, 74, 1000, 160);
    EXPECT_FALSE(NoRoomShown());
    EXPECT_EQ(V(crane).type, kTypF110);
    EXPECT_EQ(V(crane).link, kNoLink);
    EXPECT_EQ(Head(crane), -1);
    EXPECT_EQ(V(car).present, 1);
    EXPECT_EQ(V(car).link, kNoLink);
    EXPECT_EQ(V(car).x, 1000.0f);
    EXPECT_EQ(V(car).y, 160.0f);
    EXPECT_EQ(V(car).direction, 1) << "the crane's facing";
    EXPECT_EQ(V(car).drawY, 160 - FahrzeugAnim(V(car)).hotY);
}

TEST_F(Carrying, TrailerSetsItsBoatDownAndTakesItUpAgain) {
    const std::uint16_t bought = BoughtFahrzeugCount;
    const std::int16_t trailer = Make(kTypF118, 1, 1400, 700, 3);
    SelectionMode = kTypF118;
    SelectedIndex = static_cast<std::uint16_t>(trailer);
    Order(trailer, 65, 1600, 700);
    EXPECT_EQ(V(trailer).type, kTypF119);
    EXPECT_EQ(SelectionMode, kTypF119);
    EXPECT_EQ(Head(trailer), -1);
    const std::int16_t boat = 1;
    ASSERT_EQ(V(boat).type, kTypF114);
    EXPECT_EQ(V(boat).x, 1600.0f);
    EXPECT_EQ(V(boat).direction, 3);
    EXPECT_EQ(V(boat).present, 1);
    EXPECT_EQ(V(boat).targetable, 1);
    EXPECT_EQ(V(boat).selectable, 1);
    EXPECT_EQ(V(boat).controlFlags, kOwnerBought);
    EXPECT_EQ(BoughtFahrzeugCount, bought + 1);

    // Driven round to the boat's pick-up point in facing 9.
    const auto p = GetFahrzeugPickUpPoint(kTypF119, PickUpFahrzeug(boat), 9);
    V(trailer).x = static_cast<float>(p->x);
    V(trailer).y = static_cast<float>(p->y);
    V(trailer).direction = 9;
    Order(trailer, 66, boat);
    EXPECT_EQ(V(trailer).type, kTypF118);
    EXPECT_EQ(SelectionMode, kTypF118);
    EXPECT_EQ(V(boat).type, -1);
    EXPECT_EQ(BoughtFahrzeugCount, bought);
}

TEST_F(Carrying, RefusedBoatLeavesNothingBehind) {
    const std::uint16_t bought = BoughtFahrzeugCount;
    Make(kTypPARK01, 1, 1600, 700, 3);
    const std::int16_t trailer = Make(kTypF118, 1, 1400, 700, 3);
    for (const std::int32_t x : {1600, 15}) {
        ClearMessageLine();
        Order(trailer, 65, x, 700);
        EXPECT_EQ(V(trailer).type, kTypF118) << x;
        EXPECT_EQ(Head(trailer), -1) << x;
        EXPECT_TRUE(NoRoomShown()) << x;
        EXPECT_EQ(V(2).type, -1) << x;
        EXPECT_EQ(BoughtFahrzeugCount, bought) << x;
    }
}

TEST_F(Carrying, ScrappedCarCountsAsLostOnceAndTheOrderEndsLater) {
    for (const int mission : {1, 27}) {
        ClearUnits();
        MissionNummer = static_cast<std::uint8_t>(mission);
        DroppedFahrzeugM27 = kNoDroppedFahrzeug;
        const std::uint16_t lost = LostMissionFahrzeugCount;
        Make(kTypPARK01, 1, 100, 100, 3);  // slot 0 stays in use
        const std::int16_t car = Make(kTypPARK01, 1, 400, 300, 3);
        const std::int16_t crane = CraneWithFahrzeug(700, 300, 1, car);
        Order(crane, 76, 700, 300);
        EXPECT_EQ(V(crane).type, kTypF110);
        EXPECT_EQ(V(crane).link, kNoLink);
        EXPECT_EQ(V(car).present, 1);
        EXPECT_EQ(V(car).link, kNoLink);
        EXPECT_EQ(V(car).direction, 1);
        // Beside the crane as the crane in facing 1 would take it up.
        const auto p = GetFahrzeugPickUpPoint(kTypF110, PickUpFahrzeug(car), 1);
        EXPECT_EQ(p->x, 700);
        EXPECT_EQ(p->y, 300);
        for (int tick = 1; tick <= 11; ++tick) {
            ExecuteFahrzeugBefehl(crane);
            EXPECT_EQ(V(car).type == -1, tick >= 6) << "tick " << tick;
            EXPECT_EQ(LostMissionFahrzeugCount, lost + (tick >= 6 ? 1 : 0)) << "tick " << tick;
            EXPECT_EQ(Head(crane) == -1, tick >= 11) << "tick " << tick;
        }
        EXPECT_EQ(DroppedFahrzeugM27, mission == 27 ? car : kNoDroppedFahrzeug) << mission;
    }
}

TEST_F(Carrying, ScrapLeavesAVehicleThatWentMeanwhile) {
    const std::int16_t car = Make(kTypPARK01, 1, 400, 300, 3);
    const std::int16_t crane = CraneWithFahrzeug(700, 300, 1, car);
    Order(crane, 76, 700, 300);
    RemoveFahrzeug(car, kRemoveDrivenOff);
    const std::uint16_t lost = LostMissionFahrzeugCount;
    for (int tick = 1; tick <= 11; ++tick) ExecuteFahrzeugBefehl(crane);
    EXPECT_EQ(LostMissionFahrzeugCount, lost);
    EXPECT_EQ(Head(crane), -1);
}

TEST_F(Carrying, MarkingAnObjectEndsAtOnce) {
    const std::int16_t object = Object(kSobjHolzstapel, 700, 300);
    O(object).depthLayer = 2;
    const std::int16_t v = Make(kTypF102, 1, 500, 300, 3);
    AppendBefehl(V(v), 70, object, 0, 0, 0, 1);
    AppendBefehl(V(v), 7, 5, 0, 0, 0, 1);
    ExecuteFahrzeugBefehl(v);
    EXPECT_EQ(O(object).user, 99);
    EXPECT_EQ(O(object).depthLayer, 0);
    EXPECT_EQ(Head(v), 7);
}

// A crane pushing a woodpile (box 0, 0, 17, 14) east from x 700: it stands at 700 + 0 - 49 - 2
// and at the box's middle row, y 300 + 7.
class Pushing : public Carrying {
  protected:
    void SetUp() override {
        Carrying::SetUp();
        BefehlCallbacks[4] = [](std::int32_t first, std::int32_t second) {
            calls.push_back({first, second});
        };
        calls.clear();
        object = Object(kSobjHolzstapel, 700, 300);
        pusher = Make(kTypF110, 1, 649, 307, 3);
    }
    struct Call {
        std::int32_t first, second;
    };
    static inline std::vector<Call> calls;
    std::int16_t object = -1;
    std::int16_t pusher = -1;
};

TEST_F(Pushing, BothMoveUntilTheObjectReachesItsTarget) {
    AppendBefehl(V(pusher), 75, object, 705, 4, 0, 1);
    for (int tick = 1; tick <= 4; ++tick) {
        ExecuteFahrzeugBefehl(pusher);
        EXPECT_EQ(V(pusher).anim, 1) << tick;
        EXPECT_EQ(Head(pusher), 75) << tick;
    }
    EXPECT_TRUE(calls.empty());
    ExecuteFahrzeugBefehl(pusher);
    EXPECT_EQ(O(object).x, 705.0f);
    EXPECT_EQ(V(pusher).x, 654.0f);
    EXPECT_EQ(V(pusher).anim, 0);
    EXPECT_EQ(Head(pusher), -1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].first, object);
    EXPECT_EQ(calls[0].second, pusher);
}

TEST_F(Pushing, WestwardFromTheOtherSide) {
    V(pusher).x = 700 + 17 + 49 + 2;
    V(pusher).direction = 9;
    AppendBefehl(V(pusher), 75, object, 690, 0, 0, 1);
    for (int tick = 0; tick < 10; ++tick) ExecuteFahrzeugBefehl(pusher);
    EXPECT_EQ(O(object).x, 690.0f);
    EXPECT_EQ(Head(pusher), -1);
    EXPECT_TRUE(calls.empty()) << "slot 0 calls nothing";
}

TEST_F(Pushing, StopsWithoutMovingWhenEitherWouldCollide) {
    struct Case {
        const char* what;
        int x, y;  // a hydrant (box 0, 8, 7, 11) there
    };
    // One px past the woodpile's right edge in its rows; one px past the crane's front above the
    // woodpile's rows.
    const Rect16 front = SlotFootprint(FahrzeugAnim(V(pusher)), V(pusher).x, V(pusher).y);
    const Case cases[] = {{"object", 700 + 17 + 1, 300 - 8 + 5},
                          {"vehicle", front.x2 + 1, 300 - 11 - 2}};
    for (const Case& c : cases) {
        const std::int16_t hydrant = Object(kSobjHydrant, c.x, c.y);
        AppendBefehl(V(pusher), 75, object, 800, 0, 0, 1);
        ExecuteFahrzeugBefehl(pusher);
        EXPECT_EQ(O(object).x, 700.0f) << c.what;
        EXPECT_EQ(V(pusher).x, 649.0f) << c.what;
        EXPECT_EQ(V(pusher).anim, 0) << c.what;
        EXPECT_EQ(Head(pusher), -1) << c.what;
        FreeSonderObjSlot(hydrant);
        // And it moves once the way is free.
        AppendBefehl(V(pusher), 75, object, 701, 0, 0, 1);
        ExecuteFahrzeugBefehl(pusher);
        EXPECT_EQ(O(object).x, 701.0f) << c.what;
        O(object).x = 700;
        V(pusher).x = 649;
    }
}

TEST_F(Pushing, RefusedAwayFromTheObjectOrSideways) {
    struct Case {
        const char* what;
        float x, y;
        int facing;
    };
    const Case cases[] = {{"1 px short", 648, 307, 3},
                          {"1 px low", 649, 308, 3},
                          {"facing 1", 649, 307, 1},
                          {"facing 9 on the west side", 649, 307, 9}};
    for (const Case& c : cases) {
        V(pusher).x = c.x;
        V(pusher).y = c.y;
        V(pusher).direction = static_cast<std::int8_t>(c.facing);
        AppendBefehl(V(pusher), 75, object, 800, 0, 0, 1);
        AppendBefehl(V(pusher), 7, 5, 0, 0, 0, 1);
        ExecuteFahrzeugBefehl(pusher);
        EXPECT_EQ(Head(pusher), -1) << c.what;
        EXPECT_EQ(O(object).x, 700.0f) << c.what;
    }
}

// Orders given to the wrong vehicle, or naming nothing that can be used, clear the whole queue
// and change nothing.
TEST_F(Carrying, OrdersOnTheWrongVehicleOrThingClearTheQueue) {
    struct Case {
        const char* what;
        std::int32_t type;
        std::uint8_t opcode;
        // Sets the scene up and gives the order's a and b.
        void (*scene)(std::int16_t self, std::int32_t& a, std::int32_t& b);
    };
    static const auto onObject = [](std::int16_t, std::int32_t& a, std::int32_t& b) {
        a = Object(kSobjHolzstapel, 700, 300);
        b = kSobjHolzstapel;
    };
    static const auto onCar = [](std::int16_t, std::int32_t& a, std::int32_t& b) {
        a = Make(kTypPARK01, 1, 700, 300, 3);
        b = kTypPARK01;
    };
    const Case cases[] = {
        {"45 by a car", kTypF102, 45, onObject},
        {"45 on a free slot", kTypF110, 45,
         [](std::int16_t, std::int32_t& a, std::int32_t& b) {
             a = FindFreeSonderObj();
             b = 0;
         }},
        {"45 past the objects", kTypF110, 45,
         [](std::int16_t, std::int32_t& a, std::int32_t&) { a = SonderObjCount; }},
        {"46 by an unloaded crane", kTypF110, 46, nullptr},
        {"46 carrying nothing", kTypF110MD, 46, nullptr},
        {"46 carrying a vehicle", kTypF110MD, 46,
         [](std::int16_t self, std::int32_t& a, std::int32_t& b) {
             V(self).link = static_cast<std::uint16_t>(kCarriedFahrzeugLink +
                                                       Make(kTypPARK01, 1, 100, 100, 3));
             a = 900;
             b = 180;
         }},
        {"46 carrying a freed object", kTypF110MD, 46,
         [](std::int16_t self, std::int32_t& a, std::int32_t& b) {
             V(self).link = static_cast<std::uint16_t>(FindFreeSonderObj());
             a = 900;
             b = 180;
         }},
        {"65 by an empty trailer", kTypF119, 65,
         [](std::int16_t, std::int32_t& a, std::int32_t& b) {
             a = 1600;
             b = 700;
         }},
        {"65 by a crane", kTypF110, 65,
         [](std::int16_t, std::int32_t& a, std::int32_t& b) {
             a = 1600;
             b = 700;
         }},
        {"66 by a loaded trailer", kTypF118, 66,
         [](std::int16_t, std::int32_t& a, std::int32_t&) { a = Make(kTypF114, 1, 700, 300, 3); }},
        {"66 on a car", kTypF119, 66, onCar},
        {"66 on a free slot", kTypF119, 66,
         [](std::int16_t, std::int32_t& a, std::int32_t&) { a = FindFreeFahrzeug(); }},
        {"66 on a carried boat", kTypF119, 66,
         [](std::int16_t, std::int32_t& a, std::int32_t&) {
             a = Make(kTypF114, 1, 700, 300, 3);
             V(static_cast<std::int16_t>(a)).present = 0;
         }},
        {"70 on a free slot", kTypF102, 70,
         [](std::int16_t, std::int32_t& a, std::int32_t&) { a = FindFreeSonderObj(); }},
        {"70 before the objects", kTypF102, 70,
         [](std::int16_t, std::int32_t& a, std::int32_t&) { a = -1; }},
        {"73 by a car", kTypF102, 73, onCar},
        {"73 by a loaded crane", kTypF110MD, 73, onCar},
        {"73 on a car of another type", kTypF110, 73,
         [](std::int16_t, std::int32_t& a, std::int32_t& b) {
             a = Make(kTypPARK02, 1, 700, 300, 3);
             b = kTypPARK01;
         }},
        {"73 on itself", kTypF110, 73,
         [](std::int16_t self, std::int32_t& a, std::int32_t& b) {
             a = self;
             b = kTypF110;
         }},
        {"73 on a car off the map", kTypF110, 73,
         [](std::int16_t, std::int32_t& a, std::int32_t& b) {
             onCar(0, a, b);
             V(static_cast<std::int16_t>(a)).present = 0;
         }},
        {"73 past the vehicles", kTypF110, 73,
         [](std::int16_t, std::int32_t& a, std::int32_t& b) {
             a = FahrzeugCount;
             b = 0;
         }},
        {"74 by an unloaded crane", kTypF110, 74, nullptr},
        {"74 carrying nothing", kTypF110MD, 74, nullptr},
        {"74 carrying an object", kTypF110MD, 74,
         [](std::int16_t self, std::int32_t& a, std::int32_t& b) {
             V(self).link = static_cast<std::uint16_t>(Object(kSobjHolzstapel, 900, 180));
             a = 900;
             b = 180;
         }},
        {"74 carrying past the vehicles", kTypF110MD, 74,
         [](std::int16_t self, std::int32_t& a, std::int32_t& b) {
             V(self).link = static_cast<std::uint16_t>(kCarriedFahrzeugLink + FahrzeugCount);
             a = 900;
             b = 180;
         }},
        {"75 on a free slot", kTypF102, 75,
         [](std::int16_t, std::int32_t& a, std::int32_t& b) {
             a = FindFreeSonderObj();
             b = 800;
         }},
        {"76 by an unloaded crane", kTypF110, 76, nullptr},
        {"76 carrying nothing", kTypF110MD, 76, nullptr},
        {"76 carrying a freed vehicle", kTypF110MD, 76,
         [](std::int16_t self, std::int32_t& a, std::int32_t& b) {
             V(self).link = static_cast<std::uint16_t>(kCarriedFahrzeugLink + FindFreeFahrzeug());
             a = 500;
             b = 250;
         }},
    };
    for (const Case& c : cases) {
        ClearUnits();
        const std::int16_t self = Make(c.type, 1, 500, 250, 1);
        std::int32_t a = kNone;
        std::int32_t b = kNone;
        if (c.opcode == 46 || c.opcode == 74 || c.opcode == 76) {
            a = 500;
            b = 250;
        }
        if (c.scene != nullptr) c.scene(self, a, b);
        const std::uint16_t link = V(self).link;
        const std::int16_t freeBefore = FindFreeFahrzeug();
        AppendBefehl(V(self), c.opcode, a, b, 0, 0, 1);
        AppendBefehl(V(self), 7, 5, 0, 0, 0, 1);
        ExecuteFahrzeugBefehl(self);
        EXPECT_EQ(Head(self), -1) << c.what;
        EXPECT_EQ(V(self).type, c.type) << c.what;
        EXPECT_EQ(V(self).link, link) << c.what;
        EXPECT_EQ(FindFreeFahrzeug(), freeBefore) << c.what << ": no vehicle made or taken";
        ClearObjects();
    }
}

}  // namespace
}  // namespace kv
