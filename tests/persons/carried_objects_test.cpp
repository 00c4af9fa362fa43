// What fire fighters carry: the generic object taken up from the spot its facing gives and put
// down in front, with room or without; the slot reused while the pick-up ends; the tyre taken up
// within reach and put down by facing, also by a hurt carrier; the lifebuoy ring at its exact
// spots.

#include "persons/carried_objects.h"

#include <gtest/gtest.h>

#include <string>

#include "core/message_line.h"
#include "core/mission_state.h"
#include "movement/befehl_queue.h"
#include "persons/person_befehle.h"
#include "persons/person_injury.h"
#include "persons/person_update_fixture.h"
#include "world/sonder_obj.h"

namespace kv {
namespace {

constexpr float kObjX = 300;
constexpr float kObjY = 200;
constexpr std::int16_t kWait = 7;

class Carried : public test::PersonUpdateTest {
  protected:
    void SetUp() override {
        PersonUpdateTest::SetUp();
        alloc(8);
    }
    static std::int16_t object(std::int16_t type, float x = kObjX, float y = kObjY) {
        const std::int16_t slot = FindFreeSonderObj();
        CreateSonderObj(slot, type, 0, 0, 0, 15, 0, 0.0f, 0);
        SonderObj& o = SonderObjs[static_cast<std::size_t>(slot)];
        o.x = x;
        o.y = y;
        return slot;
    }
    static SonderObj& obj(std::int16_t slot) { return SonderObjs[static_cast<std::size_t>(slot)]; }
    // The order, and a wait behind it that shows whether it ended or the queue went.
    void give(std::int16_t p, std::uint8_t opcode, std::int32_t a, std::int32_t b = 0,
              std::int32_t d = 0) {
        AppendBefehl(person(p), opcode, a, b, 0, d, 0);
        AppendBefehl(person(p), kWait, 100, 0, 0, 0, 0);
    }
    bool ended(std::int16_t p) { return HeadBefehlOpcode(person(p)) == kWait; }
    bool cleared(std::int16_t p) { return person(p).orders == nullptr; }
    void selectAs(std::int16_t p, std::uint16_t mode) {
        person(p).selected = 1;
        SelectionMode = mode;
    }
    std::string message() const { return MessageLine.data(); }
};

struct Spot {
    int facing;
    int dx;
    int dy;
};
// From the object's position to where the person stands to take it up, and from the person to
// where the object goes down.
constexpr Spot kPickUpSpots[] = {{1, -7, 30}, {3, -7, 18}, {7, 24, 0}, {9, 23, 6}};
constexpr Spot kPutDownSpots[] = {{1, -24, 0}, {3, -23, -6}, {7, 7, -30}, {9, 7, -18}};

TEST_F(Carried, TheObjectIsTakenAtFrame14FromTheSpotOfEachFacing) {
    EXPECT_EQ(PersonBefehlHandlers[179], PickUpObject);
    for (const Spot& s : kPickUpSpots) {
        SCOPED_TRACE("facing " + std::to_string(s.facing));
        const std::int16_t o = object(kSobjHolzstapel);
        const std::int16_t p = stand(1, kObjX + s.dx, kObjY + s.dy, s.facing);
        selectAs(p, 1001);
        give(p, 179, o, 0, 99);
        ticks(1);
        EXPECT_EQ(person(p).type, 14);
        EXPECT_EQ(person(p).anim, 2);
        EXPECT_EQ(person(p).link, o);
        EXPECT_EQ(SelectionMode, 1014);
        int takenAt = -1;
        int t = 0;
        for (; t < 60 && !ended(p); ++t) {
            ticks(1);
            if (takenAt < 0 && obj(o).type == -1) takenAt = person(p).frame;
        }
        EXPECT_EQ(takenAt, 14);
        EXPECT_TRUE(ended(p));
        EXPECT_EQ(person(p).frame, 0) << "back at the first frame";
        EXPECT_EQ(person(p).type, 14) << "carries it";
        EXPECT_EQ(person(p).link, o);
        EXPECT_EQ(person(p).direction, (s.facing + 6) % 12) << "turned round";
        EXPECT_EQ(person(p).anim, 0);
        DeletePerson(p);
    }
}

TEST_F(Carried, TheWrongSpotFacingOrObjectEndsThePickUp) {
    const std::int16_t pile = object(kSobjHolzstapel);
    const std::int16_t tent = object(kSobjZelt, 500, 300);
    const struct {
        const char* name;
        std::int16_t object;
        float x, y;
        int facing;
        int required;
    } cases[] = {
        {"one pixel off", pile, kObjX - 6, kObjY + 30, 1, 0},
        {"facing 0", pile, kObjX - 7, kObjY + 30, 0, 0},
        {"a type other than 9 or the required", tent, 493, 330, 1, 99},
        {"a free slot", static_cast<std::int16_t>(tent + 1), kObjX - 7, kObjY + 30, 1, 0},
        {"past the array", static_cast<std::int16_t>(SonderObjs.size()), kObjX - 7, kObjY + 30, 1,
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::int16_t p = stand(1, c.x, c.y, c.facing);
        give(p, 179, c.object, 0, c.required);
        ticks(1);
        EXPECT_TRUE(cleared(p));
        EXPECT_EQ(person(p).type, 1);
        DeletePerson(p);
    }
    EXPECT_EQ(obj(pile).type, kSobjHolzstapel);

    // The required type besides 9.
    const std::int16_t p = stand(1, 493, 330, 1);
    give(p, 179, tent, 0, kSobjZelt);
    ticks(1);
    EXPECT_EQ(person(p).type, 14);
}

TEST_F(Carried, ASlotReusedBeforeThePickUpEndsDoesNotUndoTheTaking) {
    const std::int16_t o = object(kSobjHolzstapel);
    const std::int16_t p = stand(1, kObjX - 7, kObjY + 30, 1);
    selectAs(p, 1001);
    give(p, 179, o, 0, 0);
    while (obj(o).type != -1) ticks(1);
    // Another object takes the slot at once.
    ASSERT_EQ(object(kSobjZelt, 50, 50), o);
    for (int t = 0; t < 10 && !ended(p); ++t) ticks(1);
    EXPECT_TRUE(ended(p));
    EXPECT_EQ(person(p).type, 14) << "still carries what it took";
    EXPECT_EQ(person(p).link, o);
    EXPECT_EQ(SelectionMode, 1014);
    EXPECT_EQ(person(p).direction, 7);
}

TEST_F(Carried, AnObjectGoneBeforeFrame14LeavesThePersonEmptyHanded) {
    const std::int16_t o = object(kSobjHolzstapel);
    const std::int16_t p = stand(1, kObjX - 7, kObjY + 30, 1);
    selectAs(p, 1001);
    give(p, 179, o, 0, 0);
    ticks(5);
    FreeSonderObjSlot(o);
    ticks(1);
    EXPECT_TRUE(cleared(p));
    EXPECT_EQ(person(p).type, 1);
    EXPECT_EQ(person(p).link, 0xFFFF);
    EXPECT_EQ(SelectionMode, 1001);
    EXPECT_EQ(person(p).direction, 1) << "not turned";
}

TEST_F(Carried, TheObjectGoesDownInFrontWhereThereIsRoom) {
    EXPECT_EQ(PersonBefehlHandlers[180], PutDownObject);
    for (const Spot& s : kPutDownSpots) {
        SCOPED_TRACE("facing " + std::to_string(s.facing));
        const std::int16_t p = stand(14, 300, 200, s.facing);
        person(p).link = 3;
        person(p).anim = kAnimWalk;
        selectAs(p, 1014);
        give(p, 180, s.facing);
        const std::int16_t slot = FindFreeSonderObj();
        ticks(1);
        ASSERT_TRUE(ended(p));
        const SonderObj& o = obj(slot);
        EXPECT_EQ(o.type, kSobjHolzstapel);
        EXPECT_EQ(o.x, 300.0f + static_cast<float>(s.dx));
        EXPECT_EQ(o.y, 200.0f + static_cast<float>(s.dy));
        EXPECT_EQ(o.visible, 1);
        EXPECT_EQ(o.blockMask, 15);
        EXPECT_EQ(person(p).type, 1);
        EXPECT_EQ(person(p).link, 0xFFFF);
        EXPECT_EQ(person(p).anim, 0);
        EXPECT_EQ(person(p).direction, (s.facing + 6) % 12);
        EXPECT_EQ(SelectionMode, 1001);
        DeletePerson(p);
        FreeSonderObjSlot(slot);
    }
}

TEST_F(Carried, WithoutRoomOrFacingAnotherWayNothingIsPutDown) {
    const auto refused = [this](const char* name, int facing, int wanted, bool blocker) {
        SCOPED_TRACE(name);
        const std::int16_t p = stand(14, 300, 200, facing);
        const std::int16_t b = blocker ? stand(0, 300 - 24 + 8, 207) : -1;
        give(p, 180, wanted);
        ClearMessageLine();
        ticks(1);
        EXPECT_TRUE(cleared(p));
        EXPECT_EQ(person(p).type, 14);
        EXPECT_EQ(message(), "Zu wenig Platz zum Ablegen!");
        EXPECT_EQ(MessageLineCountdown, 60);
        EXPECT_EQ(usedSonderObjs(), 0) << "the new object is freed again";
        DeletePerson(p);
        if (b >= 0) DeletePerson(b);
    };
    refused("someone stands there", 1, 1, true);
    refused("facing another way than ordered", 3, 1, false);
    refused("a facing without a place in front", 0, 0, false);
}

class Reifen : public Carried {
  protected:
    void SetUp() override {
        Carried::SetUp();
        LoadPersonTyp(45);
        tyre = object(kTyreTyp);
    }
    // Where a carrier at (300, 200) facing that way puts the tyre, by the type's picture and box.
    static std::pair<float, float> putDownAt(int facing) {
        const SonderObjTyp& t = SonderObjTypen[kTyreTyp];
        const int w = t.frames[0].width / 2;
        const int h = t.frames[0].height / 2;
        switch (facing) {
            case 0:
            case 1:
            case 11:
                return {300.0f + w, 200.0f - t.boxY1 - 7};
            case 2:
            case 3:
            case 4:
                return {307.0f, 200.0f - h};
            case 5:
            case 6:
            case 7:
                return {300.0f - w, 207.0f};
            default:
                return {300.0f - t.boxX1 - 7, 200.0f - h};
        }
    }
    std::int16_t carrier(int facing) {
        const std::int16_t p = stand(45, 300, 200, facing);
        person(p).link = static_cast<std::uint16_t>(tyre);
        obj(tyre).visible = 0;
        return p;
    }
    // A stand-in for the missions' tyre.
    static constexpr std::int16_t kTyreTyp = kSobjRing;
    std::int16_t tyre = -1;
};

TEST_F(Reifen, ATyreWithin10PxOfThePersonsBoxIsTakenUp) {
    EXPECT_EQ(PersonBefehlHandlers[185], PickUpReifen);
    // The fire fighter's box is 10 px wide, around its feet; the tyre's begins at its position.
    const std::int16_t p = stand(1, kObjX - 15, kObjY + 8);
    const std::int16_t far = stand(1, kObjX - 16, kObjY + 8);
    selectAs(p, 1001);
    give(far, 185, tyre, kTyreTyp);
    give(p, 185, tyre, kSobjHolzstapel);
    ticks(1);
    EXPECT_TRUE(cleared(far)) << "11 px away";
    EXPECT_TRUE(cleared(p)) << "the wrong type";
    give(p, 185, tyre, kTyreTyp);
    ticks(1);
    EXPECT_TRUE(ended(p));
    EXPECT_EQ(person(p).type, 45);
    EXPECT_EQ(person(p).link, tyre);
    EXPECT_EQ(obj(tyre).visible, 0);
    EXPECT_EQ(SelectionMode, 1045);
}

TEST_F(Reifen, TheTyreGoesDownInFrontByFacingWhereThereIsRoom) {
    for (int facing = 0; facing < 12; ++facing) {
        SCOPED_TRACE("facing " + std::to_string(facing));
        const std::int16_t p = carrier(facing);
        selectAs(p, 1045);
        give(p, kWait, 10);
        PutDownReifen(p);
        EXPECT_TRUE(cleared(p));
        EXPECT_EQ(person(p).type, 1);
        EXPECT_EQ(person(p).link, 0xFFFF);
        EXPECT_EQ(SelectionMode, 1001);
        EXPECT_EQ(obj(tyre).visible, 1);
        const auto [x, y] = putDownAt(facing);
        EXPECT_EQ(obj(tyre).x, x);
        EXPECT_EQ(obj(tyre).y, y);
        DeletePerson(p);
    }
}

TEST_F(Reifen, ABlockedPutDownKeepsTheTyre) {
    const std::int16_t p = carrier(3);
    const auto [x, y] = putDownAt(3);
    stand(0, x + 8, y + 8);
    give(p, kWait, 10);
    PutDownReifen(p);
    EXPECT_TRUE(cleared(p));
    EXPECT_EQ(message(), "Zu wenig Platz zum Ablegen!");
    EXPECT_EQ(MessageLineCountdown, 60);
    EXPECT_EQ(person(p).type, 45);
    EXPECT_EQ(person(p).link, tyre);
    EXPECT_EQ(obj(tyre).visible, 0);
}

TEST_F(Reifen, AHurtCarrierLetsTheTyreFallInFront) {
    for (const bool burnt : {false, true}) {
        SCOPED_TRACE(burnt ? "hit" : "injured");
        const std::int16_t p = carrier(3);
        const auto [x, y] = putDownAt(3);
        stand(0, x + 8, y + 8);  // no room test: it falls anyway
        if (burnt)
            HitPerson(p);
        else
            InjurePerson(p, 500000, 15, 0);
        EXPECT_EQ(obj(tyre).visible, 1);
        EXPECT_EQ(obj(tyre).x, x);
        EXPECT_EQ(obj(tyre).y, y);
        EXPECT_EQ(person(p).link, 0xFFFF);
        EXPECT_EQ(person(p).type, burnt ? 7 : 1);
        for (std::size_t i = 0; i < Personen.size(); ++i)
            if (Personen[i].type != -1) DeletePerson(static_cast<std::int32_t>(i));
    }
}

class Ring : public Carried {
  protected:
    void SetUp() override {
        Carried::SetUp();
        LoadPersonTyp(46);
        holder = object(kSobjRingHalterMitRing);
    }
    std::int16_t holder = -1;
};

TEST_F(Ring, TheRingIsTakenFromTheExactSpotBeforeOrBehindTheHolder) {
    EXPECT_EQ(PersonBefehlHandlers[200], PickUpRing);
    const struct {
        const char* name;
        float x, y;
        int facing;
        bool takes;
    } cases[] = {
        {"before, facing 0", kObjX + 9, kObjY + 25, 0, true},
        {"behind, facing 6", kObjX + 9, kObjY - 5, 6, true},
        {"before, facing 6", kObjX + 9, kObjY + 25, 6, false},
        {"one pixel off", kObjX + 10, kObjY + 25, 0, false},
        {"whole pixels of a fraction", kObjX + 9.7f, kObjY + 25.3f, 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        obj(holder).type = kSobjRingHalterMitRing;
        const std::int16_t p = stand(1, c.x, c.y, c.facing);
        selectAs(p, 1001);
        give(p, 200, holder);
        ticks(1);
        EXPECT_EQ(ended(p), c.takes);
        EXPECT_EQ(person(p).type, c.takes ? 46 : 1);
        EXPECT_EQ(obj(holder).type, c.takes ? kSobjRingHalter : kSobjRingHalterMitRing);
        EXPECT_EQ(SelectionMode, c.takes ? 1046 : 1001);
        DeletePerson(p);
    }
    // A holder off the whole pixels has no exact spot.
    obj(holder).x = kObjX + 0.5f;
    const std::int16_t p = stand(1, kObjX + 9, kObjY + 25, 0);
    give(p, 200, holder);
    ticks(1);
    EXPECT_TRUE(cleared(p));
}

TEST_F(Ring, TheRingIsThrownFromBeforeTheHolderOnly) {
    EXPECT_EQ(PersonBefehlHandlers[207], ThrowRing);
    obj(holder).type = kSobjRingHalter;
    const std::int16_t behind = stand(46, kObjX + 9, kObjY - 5, 6);
    give(behind, 207, holder);
    ticks(1);
    EXPECT_TRUE(cleared(behind));
    const std::int16_t p = stand(46, kObjX + 9, kObjY + 25, 0);
    selectAs(p, 1046);
    give(p, 207, holder);
    ticks(1);
    EXPECT_TRUE(ended(p));
    EXPECT_EQ(person(p).type, 1);
    EXPECT_EQ(obj(holder).type, kSobjRingHalterMitRing);
    EXPECT_EQ(SelectionMode, 1001);
}

TEST_F(Ring, AtAPointTheRingIsTakenAndPutDownExactlyThere) {
    EXPECT_EQ(PersonBefehlHandlers[219], TakeRingAtPoint);
    EXPECT_EQ(PersonBefehlHandlers[220], PutRingAtPoint);
    const std::int16_t p = stand(1, 400.6f, 300.2f);
    selectAs(p, 1001);
    give(p, 219, 400, 301);
    ticks(1);
    EXPECT_TRUE(cleared(p));
    give(p, 219, 400, 300);
    ticks(1);
    EXPECT_TRUE(ended(p));
    EXPECT_EQ(person(p).type, 46);
    EXPECT_EQ(SelectionMode, 1046);
    DiscardBefehle(person(p));
    give(p, 220, 401, 300);
    ticks(1);
    EXPECT_TRUE(cleared(p));
    give(p, 220, 400, 300);
    ticks(1);
    EXPECT_TRUE(ended(p));
    EXPECT_EQ(person(p).type, 1);
    EXPECT_EQ(SelectionMode, 1001);
}

}  // namespace
}  // namespace kv
