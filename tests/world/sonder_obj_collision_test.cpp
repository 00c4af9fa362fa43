// The hit test of a special object against the map edge, units, other objects and impassable
// cells.

#include "world/sonder_obj_collision.h"

#include <gtest/gtest.h>

#include "core/mission_state.h"
#include "world/level_map.h"
#include "world/sonder_obj_fixture.h"

namespace kv {
namespace {

class SonderObjHitTest : public test::SonderObjTest {
  protected:
    void SetUp() override {
        SonderObjTest::SetUp();
        makeType(kTyp, 1, 1, {0, 0, 9, 9});
        CreateSonderObj(kSlot, kTyp, 400, 300, 0, 15, 0, 0.0f, 0);
    }
    static SonderObjContact test(std::uint8_t edgeTest = 1, std::uint8_t* mask = nullptr) {
        SonderObjContact c;
        const std::uint8_t m = TestSonderObjCollision(kSlot, edgeTest, 0, c);
        if (mask != nullptr) *mask = m;
        EXPECT_EQ(m != 0, c.kind != kContactNone);
        return c;
    }
    static constexpr int kSlot = test::kTestFixedSlots;
    static constexpr std::int16_t kTyp = test::kTestTyp;
};

TEST_F(SonderObjHitTest, MapEdge) {
    SonderObj& o = *SonderObjAt(kSlot);
    EXPECT_EQ(test().kind, kContactNone);
    struct Case {
        float x, y;
        bool blocked;
    };
    const float right = static_cast<float>(WorldMaxX - 9);
    const float bottom = static_cast<float>(WorldMaxY - 9);
    const Case cases[] = {{0, 0, false},          {-1, 0, true},        {0, -1, true},
                          {right, bottom, false}, {right + 1, 0, true}, {0, bottom + 1, true},
                          {-0.5f, 0, false}};  // truncated toward zero: still inside
    for (const Case& c : cases) {
        o.x = c.x;
        o.y = c.y;
        std::uint8_t mask = 0;
        const SonderObjContact hit = test(1, &mask);
        EXPECT_EQ(hit.kind, c.blocked ? kContactMapEdge : kContactNone) << c.x << "," << c.y;
        EXPECT_EQ(mask, c.blocked ? 15 : 0);
        EXPECT_EQ(test(0).kind, kContactNone) << "without the edge test, outside cells are skipped";
    }
}

TEST_F(SonderObjHitTest, UnitsOnTheSameStoreyBlock) {
    test::TestUnit& car = vehicle(2, 3, 405, 305, {0, 0, 20, 10});
    SonderObjContact hit = test();
    EXPECT_EQ(hit.kind, kContactFahrzeug);
    EXPECT_EQ(hit.index, 2);
    car.head.storey = -1;  // a helicopter in the air
    EXPECT_EQ(test().kind, kContactNone);
    car.head.storey = 0;
    car.head.present = 0;
    EXPECT_EQ(test().kind, kContactNone);

    test::TestUnit& p = person(3, 1, 390, 290, {8, 8, 12, 12});
    hit = test();
    EXPECT_EQ(hit.kind, kContactPerson);
    EXPECT_EQ(hit.index, 3);
    p.offMap = 1;  // inside a vehicle or carried
    EXPECT_EQ(test().kind, kContactNone);
    p.offMap = 0;
    SonderObjAt(kSlot)->storey = 1;
    EXPECT_EQ(test().kind, kContactNone) << "the object stands on a house storey";
    p.head.storey = 1;
    EXPECT_EQ(test().kind, kContactPerson);
    p.head.drawX = 401;  // edges touching count
    EXPECT_EQ(test().kind, kContactPerson);
    p.head.drawX = 402;  // one pixel apart does not
    EXPECT_EQ(test().kind, kContactNone);
}

TEST_F(SonderObjHitTest, OnlySolidVisibleObjectsBlock) {
    CreateSonderObj(kSlot + 3, kTyp, 409, 309, 0, 15, 0, 0.0f, 0);
    SonderObj& other = *SonderObjAt(kSlot + 3);
    SonderObjContact hit = test();
    EXPECT_EQ(hit.kind, kContactSonderObj);
    EXPECT_EQ(hit.index, kSlot + 3);
    struct Case {
        const char* name;
        std::uint8_t blockMask, visible, storey;
        bool blocks;
    };
    const Case cases[] = {{"solid", 8, 1, 0, true},
                          {"blocks movers only", 7, 1, 0, false},
                          {"hidden", 15, 0, 0, false},
                          {"on another storey", 15, 1, 2, false}};
    for (const Case& c : cases) {
        other.blockMask = c.blockMask;
        other.visible = c.visible;
        other.storey = c.storey;
        EXPECT_EQ(test().kind, c.blocks ? kContactSonderObj : kContactNone) << c.name;
    }
    other.type = -1;
    EXPECT_EQ(test().kind, kContactNone) << "never blocked by itself";
}

TEST_F(SonderObjHitTest, ImpassableCellsBlockOnTheGround) {
    // A wall of 3 x 2 cells, columns 10..12 in rows 5 and 6.
    for (int column = 10; column <= 12; ++column)
        for (int row = 5; row <= 6; ++row)
            SetCellTerrain(CellIndex(column, row), test::kWallTerrain);
    SonderObj& o = *SonderObjAt(kSlot);
    o.x = 245;  // cell (10, 5) spans x 237..268 on the object's top line
    o.y = 145;
    std::uint8_t mask = 0;
    const SonderObjContact hit = test(1, &mask);
    EXPECT_EQ(hit.kind, kContactCell);
    EXPECT_EQ(hit.index, 10);
    EXPECT_EQ(hit.row, 5);
    EXPECT_EQ(hit.extent, 3);
    EXPECT_EQ(mask, 15) << "wholly inside the wall";

    o.x = 225;  // a box reaching over the wall's left edge
    EXPECT_EQ(test(1, &mask).kind, kContactCell);
    EXPECT_EQ(mask & 1, 1);
    o.x = 200;  // left of the wall
    EXPECT_EQ(test().kind, kContactNone);
    o.x = 245;
    o.storey = 1;
    EXPECT_EQ(test().kind, kContactNone) << "a house storey ignores the map cells";
}

}  // namespace
}  // namespace kv
