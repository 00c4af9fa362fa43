#include "mission/view/draw_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "core/random.h"
#include "core/view.h"
#include "mission/selection.h"
#include "mission/view/draw_fixture.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"
#include "world/level_map.h"

namespace kv {
namespace {

using Cell = std::pair<int, int>;  // column, row

std::vector<Cell> Walk(int x0, int y0, int x1, int y1) {
    DrawListCount = 0;
    AddCoveredCells(x0, y0, x1, y1, 0, 7, true);
    std::vector<Cell> cells;
    for (int i = 0; i < DrawListCount; ++i) {
        const DrawListEntry& e = DrawList[static_cast<std::size_t>(i)];
        EXPECT_EQ(e.firstRow, e.row == DrawList[0].row ? 1 : 0);
        cells.emplace_back(e.column, e.row);
    }
    return cells;
}

TEST(CoveredCells, FollowTheRowsShift) {
    struct Case {
        const char* what;
        int x0, y0, x1, y1;
        std::vector<Cell> cells;
    };
    const Case cases[] = {
        {"one pixel wide, x + 16 row in the left half", 30, 30, 30, 50, {{1, 1}}},
        {"one pixel wide, in the right half: the cell and its right neighbour",
         40,
         30,
         40,
         50,
         {{1, 1}, {2, 1}}},
        {"left edge in the right half moves after the first row",
         20,
         0,
         100,
         83,
         {{0, 0},
          {1, 0},
          {2, 0},
          {3, 0},
          {1, 1},
          {2, 1},
          {3, 1},
          {4, 1},
          {1, 2},
          {2, 2},
          {3, 2},
          {4, 2}}},
        {"left edge in the left half moves after the second row",
         4,
         0,
         4,
         83,
         {{0, 0}, {0, 1}, {1, 1}, {1, 2}}},
    };
    for (const Case& c : cases) EXPECT_EQ(Walk(c.x0, c.y0, c.x1, c.y1), c.cells) << c.what;
}

TEST(CoveredCells, HoldTheCellOfEveryPixel) {
    SeedRandom(36);
    for (int n = 0; n < 300; ++n) {
        const int x0 = 10 + Rand() % 1500;
        const int y0 = 10 + Rand() % 1000;
        const int x1 = x0 + Rand() % 120;
        const int y1 = y0 + Rand() % 120;
        const std::vector<Cell> walked = Walk(x0, y0, x1, y1);
        const std::set<Cell> cells(walked.begin(), walked.end());
        ASSERT_EQ(cells.size(), walked.size()) << "a cell entered twice";
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const CellPos c = CellFromPixel(x, y);
                ASSERT_TRUE(cells.contains({c.column, c.row}))
                    << "(" << x << ", " << y << ") of " << x0 << ", " << y0 << " .. " << x1 << ", "
                    << y1;
            }
    }
}

class DrawListTest : public test::DrawTest {
  protected:
    // The entries of one kind and index.
    std::vector<DrawListEntry> entriesOf(std::uint16_t id) const {
        std::vector<DrawListEntry> out;
        for (int i = 0; i < DrawListCount; ++i)
            if (DrawList[static_cast<std::size_t>(i)].id == id)
                out.push_back(DrawList[static_cast<std::size_t>(i)]);
        return out;
    }
};

TEST_F(DrawListTest, ComparesByCellThenFootLineThenLeftEdgeThenKind) {
    alloc(4, 2, 4, 2);
    // Person 0's foot line is 100 + 60; person 1 stands on the same line further right.
    placePerson(0, 300, 100);
    placePerson(1, 310, 100);
    placePerson(2, 300, 90);
    placeFahrzeug(0, 300, 100);
    placeHouseObj(0, 280, 60, 1).flag = 0;          // flat: first in its cell
    placeHouseObj(1, 280, 60, 1);                   // foot line 60 + 50
    placeSonderObj(0, 400, 400, 5).depthLayer = 1;  // far below, but under everything
    placeSonderObj(1, 0, 0, 5).depthLayer = 2;      // far above, but over everything but jets
    const auto at = [](std::uint16_t id, int layer = 0) {
        return DrawListEntry{4, 3, static_cast<std::int16_t>(layer), id, 0};
    };
    struct Case {
        const char* what;
        DrawListEntry a, b;
    };
    const Case cases[] = {
        {"the row", {9, 2, 0, kDrawPerson, 0}, {0, 3, 0, kDrawPerson, 0}},
        {"the layer", at(kDrawPerson + 0, 0), at(kDrawHouseObj + 1, 1)},
        {"the column", {3, 3, 0, kDrawPerson, 0}, {4, 3, 0, kDrawHouseObj, 0}},
        {"the foot line", at(kDrawPerson + 2), at(kDrawPerson + 0)},
        {"the left edge", at(kDrawPerson + 0), at(kDrawPerson + 1)},
        {"the body before its frame", at(kDrawFahrzeug + 0), at(kDrawFahrzeugFrame + 0)},
        {"a vehicle before a person on the same spot", at(kDrawFahrzeug + 0), at(kDrawPerson + 0)},
        {"flat furniture first", at(kDrawHouseObj + 0), at(kDrawHouseObj + 1)},
        {"depth mode 1 under flat furniture", at(kDrawSonderObj + 0), at(kDrawHouseObj + 0)},
        {"depth mode 2 over persons", at(kDrawPerson + 0), at(kDrawSonderObj + 1)},
        {"jets over depth mode 2", at(kDrawSonderObj + 1), at(kDrawFahrzeugJet + 0)},
        {"vehicle jets before hose jets", at(kDrawFahrzeugJet + 1), at(kDrawPersonJet + 0)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CompareDrawListEntries(c.a, c.b), -1) << c.what;
        EXPECT_EQ(CompareDrawListEntries(c.b, c.a), 1) << c.what;
    }
    EXPECT_EQ(CompareDrawListEntries(at(kDrawFahrzeugJet + 0), at(kDrawFahrzeugJet + 1)), 0);
}

TEST_F(DrawListTest, IsSortedAndEqualThingsKeepTheirSlotOrder) {
    alloc(4, 2, 2, 0);
    placePerson(0, 300, 200);
    placePerson(1, 300, 200);  // on the very same spot: compares equal everywhere
    placePerson(2, 330, 180);
    placeFahrzeug(1, 280, 190);
    placeSonderObj(1, 290, 170, 12);
    BuildDrawList();
    ASSERT_GT(DrawListCount, 20);
    for (int i = 1; i < DrawListCount; ++i) {
        const DrawListEntry& a = DrawList[static_cast<std::size_t>(i - 1)];
        const DrawListEntry& b = DrawList[static_cast<std::size_t>(i)];
        ASSERT_LE(CompareDrawListEntries(a, b), 0) << i;
        if (CompareDrawListEntries(a, b) == 0) {
            EXPECT_LE(a.id, b.id) << i;
        }
    }
    EXPECT_EQ(entriesOf(kDrawPerson + 0).size(), entriesOf(kDrawPerson + 1).size());
}

TEST_F(DrawListTest, LeavesOutWhatIsNotInTheView) {
    alloc(6, 3, 0, 0);
    const int vx = ViewOrigin.x;
    const int vy = ViewOrigin.y;
    placePerson(0, vx - 60, vy + 100);  // ends one column left of the view
    placePerson(1, vx - 59, vy + 100);  // its last column is the view's first
    placePerson(2, vx + 300, vy + 200).offMap = 1;
    placePerson(3, vx + 300, vy + 200).present = 0;
    Fahrzeug& heli = placeFahrzeug(0, vx + 200, vy + 200);
    heli.storey = -1;
    heli.selected = 1;
    heli.wasserStrahl = std::make_unique<WasserStrahl>();
    heli.wasserStrahl->active = 1;
    BuildDrawList();
    EXPECT_TRUE(entriesOf(kDrawPerson + 0).empty());
    EXPECT_TRUE(entriesOf(kDrawPerson + 2).empty()) << "hidden";
    EXPECT_TRUE(entriesOf(kDrawPerson + 3).empty()) << "not on the map";
    EXPECT_EQ(DrawListCount, static_cast<int>(entriesOf(kDrawPerson + 1).size()))
        << "a flying vehicle has no body, frame or jet";
    // The partly visible person keeps only cells whose box reaches into the view.
    const std::vector<DrawListEntry> part = entriesOf(kDrawPerson + 1);
    ASSERT_FALSE(part.empty());
    for (const DrawListEntry& e : part) {
        const int left = 32 * e.column - 16 * e.row - 16;
        EXPECT_GE(left + 47, vx + 10);
        EXPECT_GE(28 * e.row + 27, vy + 10);
    }
}

TEST_F(DrawListTest, SelectionFramesTakeOneRowAndNoneWhileDragging) {
    alloc(2, 2, 0, 0);
    Person& p = placePerson(0, 300, 200);
    p.selected = 1;
    placeFahrzeug(1, 400, 250).selected = 1;
    BuildDrawList();
    const std::vector<DrawListEntry> frame = entriesOf(kDrawPersonFrame + 0);
    ASSERT_FALSE(frame.empty());
    // Its bottom line, 3 below the box's, decides the row.
    for (const DrawListEntry& e : frame) EXPECT_EQ(e.row, (static_cast<int>(p.y) + 3) / 28);
    EXPECT_FALSE(entriesOf(kDrawFahrzeugFrame + 1).empty());

    DragActive = 1;
    BuildDrawList();
    EXPECT_TRUE(entriesOf(kDrawPersonFrame + 0).empty());
    EXPECT_TRUE(entriesOf(kDrawFahrzeugFrame + 1).empty());
    EXPECT_FALSE(entriesOf(kDrawPerson + 0).empty());
    DragActive = 0;
}

TEST_F(DrawListTest, AVerticalJetIsWalkedDownItsColumn) {
    alloc(1, 0, 0, 0);
    Person& p = placePerson(0, 300, 200);
    p.direction = 6;  // the nozzle sits at (0, -4) from the position
    SchlauchStrahl& s = p.attachment.makeJet();
    s.active = 1;
    s.direction = 6;
    s.targetX = static_cast<std::int16_t>(p.x);
    s.targetY = static_cast<std::int16_t>(p.y + 120);
    BuildDrawList();
    const std::vector<DrawListEntry> jet = entriesOf(kDrawPersonJet + 0);
    // From y + 12 (nozzle plus 16) to y + 120, in one pixel column.
    std::set<Cell> expected;
    for (int y = static_cast<int>(p.y) + 12; y <= static_cast<int>(p.y) + 120; ++y) {
        const CellPos c = CellFromPixel(static_cast<int>(p.x), y);
        expected.insert({c.column, c.row});
    }
    std::set<Cell> walked;
    for (const DrawListEntry& e : jet) {
        EXPECT_EQ(e.layer, 0);
        walked.insert({e.column, e.row});
    }
    EXPECT_EQ(walked, expected);
    EXPECT_EQ(jet.size(), expected.size());
}

TEST_F(DrawListTest, AFullListKeepsItsFirstEntriesAndMarksTheRestFree) {
    alloc(600, 0, 0, 0);
    for (int i = 0; i < 600; ++i) placePerson(i, 150 + (i % 20) * 25, 80 + (i / 20) * 12);
    BuildDrawList();
    EXPECT_EQ(DrawListCount, kDrawListCapacity);
    for (int i = 1; i < DrawListCount; ++i)
        ASSERT_LE(CompareDrawListEntries(DrawList[static_cast<std::size_t>(i - 1)],
                                         DrawList[static_cast<std::size_t>(i)]),
                  0);

    alloc(1, 0, 0, 0);
    placePerson(0, 300, 200);
    BuildDrawList();
    ASSERT_GT(DrawListCount, 0);
    for (int i = DrawListCount; i < kDrawListCapacity; ++i) {
        const DrawListEntry& e = DrawList[static_cast<std::size_t>(i)];
        ASSERT_EQ(e.column, kFreeDrawListSlot) << i;
        ASSERT_EQ(e.row, kFreeDrawListSlot) << i;
        ASSERT_EQ(e.layer, -1) << i;
        ASSERT_EQ(e.id, kFreeDrawListSlot) << i;
    }
}

}  // namespace
}  // namespace kv
