// Distances, angles, directions, ring arithmetic and the outline of impassable terrain.

#include "world/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/mission_state.h"
#include "world/level_map.h"
#include "world/terrain_fixture.h"

namespace kv {
namespace {

TEST(Geometry, Distances) {
    EXPECT_FLOAT_EQ(DistanceFloat(1, 2, 4, 6), 5.0f);
    EXPECT_EQ(DistanceInt(1, 2, 4, 6), 5);
    EXPECT_EQ(DistanceInt(0, 0, 2, 2), 2) << "the root is truncated";
    // The far corners of the 16-bit plane: the squares need more than 32 bits.
    EXPECT_EQ(DistanceInt(-32768, -32768, 32767, 32767), 92680);
    EXPECT_FLOAT_EQ(DotProduct(2, 3, 4, -5), -7.0f);
}

TEST(Geometry, Angles) {
    EXPECT_FLOAT_EQ(AngleBetween(1, 0, 0, 1), 90.0f);
    EXPECT_FLOAT_EQ(AngleBetween(0, -100, 1, -1), 45.0f);
    EXPECT_FLOAT_EQ(AngleBetween(3, 4, -6, -8), 180.0f);
    EXPECT_EQ(AngleBetween(0, 0, 5, 5), 0.0f);
    EXPECT_EQ(AngleBetween(5, 5, 0, 0), 0.0f);
    // Parallel vectors of awkward lengths stay a number.
    for (float k : {0.1f, 0.3f, 3.7f, 1e6f}) {
        EXPECT_FALSE(std::isnan(AngleBetween(0.37f, 1.3f, 0.37f * k, 1.3f * k))) << k;
        EXPECT_FALSE(std::isnan(AngleBetween(0.37f, 1.3f, -0.37f * k, -1.3f * k))) << k;
    }
}

TEST(Geometry, FootOfPerpendicular) {
    struct Case {
        float ax, ay, bx, by, px, py;
        float fx, fy, distance;
    };
    const Case cases[] = {
        {0, 0, 100, 0, 50, 30, 50, 0, 30},             // inside, horizontal segment
        {0, 0, 0, 100, 30, 40, 0, 40, 30},             // inside, vertical segment
        {0, 0, 100, 100, 100, 0, 50, 50, 70.710678f},  // inside, slanted
        {0, 0, 100, 0, -20, 10, 0, 0, 22.36068f},      // before A
        {0, 0, 100, 0, 130, -40, 100, 0, 50},          // beyond B
        {0, 0, 30, 40, 60, 80, 30, 40, 50},            // in line beyond B
        {10, 20, 13, 27, 19, 41, 13, 27, 15.231546f},  // in line beyond B
        {10, 20, 13, 27, 4, 6, 10, 20, 15.231546f},    // in line before A
        {5, 5, 5, 5, 8, 9, 5, 5, 5},                   // ends coincide
    };
    for (const Case& c : cases) {
        PointF f{-1, -1};
        const float d = FootOfPerpendicular(c.ax, c.ay, c.bx, c.by, c.px, c.py, f);
        EXPECT_NEAR(f.x, c.fx, 1e-3) << c.px << "," << c.py;
        EXPECT_NEAR(f.y, c.fy, 1e-3) << c.px << "," << c.py;
        EXPECT_NEAR(d, c.distance, 1e-3) << c.px << "," << c.py;
    }
}

TEST(Geometry, IntersectLines) {
    PointF p{};
    EXPECT_EQ(IntersectLines(0, 0, 10, 10, 0, 10, 10, 0, p), 0);
    EXPECT_FLOAT_EQ(p.x, 5);
    EXPECT_FLOAT_EQ(p.y, 5);
    EXPECT_EQ(IntersectLines(3, 0, 3, 10, 0, 0, 10, 5, p), 0);
    EXPECT_FLOAT_EQ(p.x, 3);
    EXPECT_FLOAT_EQ(p.y, 1.5f);
    EXPECT_EQ(IntersectLines(0, 0, 10, 5, 7, -4, 7, 9, p), 0);
    EXPECT_FLOAT_EQ(p.x, 7);
    EXPECT_FLOAT_EQ(p.y, 3.5f);
    EXPECT_EQ(IntersectLines(3, 0, 3, 10, 4, 0, 4, 10, p), 1);
    // Directions 2 and 8 count as parallel although their slopes are -0.5 and -0.4.
    ASSERT_EQ(ClassifyDirection(0, 0, 10, -5, 0), 2);
    ASSERT_EQ(ClassifyDirection(0, 10, -10, 14, 0), 8);
    EXPECT_EQ(IntersectLines(0, 0, 10, -5, 0, 10, -10, 14, p), 1);
    EXPECT_EQ(IntersectLines(0, 0, 10, 10, 0, 5, 10, 14, p), 1) << "both direction 4";
}

TEST(Geometry, ClassifyDirection) {
    struct Case {
        float dx, dy;
        int direction;
    };
    const Case cases[] = {
        {4, -15, 1},  {3, -15, 0},   {15, -4, 3}, {14, -4, 2}, {-4, -15, 11}, {-3, -15, 0},
        {-15, -4, 9}, {-14, -4, 10}, {4, 15, 5},  {3, 15, 6},  {15, 4, 3},    {14, 4, 4},
        {-4, 15, 7},  {-3, 15, 6},   {-15, 4, 9}, {-14, 4, 8}, {5, -5, 2},    {-5, 5, 8},
        {5, 0, 3},    {-5, 0, 9},    {0, -5, 0},  {0, 5, 6},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyDirection(10, 20, 10 + c.dx, 20 + c.dy, 99), c.direction)
            << c.dx << "," << c.dy;
    EXPECT_EQ(ClassifyDirection(10, 20, 10, 20, 7), 7) << "a zero vector gives the fallback";
}

TEST(Geometry, ClassifyDirectionWide) {
    struct Case {
        float dx, dy;
        int direction;
    };
    const Case cases[] = {
        {6, 10, 4}, {12, 10, 5},  {18, 10, 4},   {4, -7, 1},    {7, -4, 2},   {5, -7, 2},
        {1, -1, 1}, {7, 4.1f, 5}, {-7, 4.1f, 7}, {-7, 3.9f, 8}, {-2, -7, 11}, {-3, -4, 10},
        {0, -1, 0}, {0, 0, 0},    {0, 1, 6},     {2, 0, 3},     {-2, 0, 9},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyDirectionWide(100, 50, 100 + c.dx, 50 + c.dy), c.direction)
            << c.dx << "," << c.dy;
}

TEST(Geometry, RingArithmetic) {
    EXPECT_EQ(SubWrapByte(2, 5, 24), 22);
    EXPECT_EQ(SubWrapByte(5, 2, 24), 3);
    EXPECT_EQ(SubWrapByte(0, 24, 24), 1);
    EXPECT_EQ(SubWrapByte(7, 7, 24), 0);
    EXPECT_EQ(WrapMod25(-1), 24);
    EXPECT_EQ(WrapMod25(24), 24);
    EXPECT_EQ(WrapMod25(25), 0);
    EXPECT_EQ(WrapMod25(-128), 22);
    EXPECT_EQ(ModN(-1, 12), 11);
    EXPECT_EQ(ModN(13, 12), 1);
    EXPECT_EQ(ModN(-12, 12), 0);
    EXPECT_EQ(ModN(5, 0), 0) << "no ring";
}

// A 12 x 10 map of open ground; terrain 2 is impassable for movement class 0 only.
class TerrainOutline : public test::TerrainTest {
  protected:
    void SetUp() override {
        TerrainTest::SetUp();
        const sampledata::TerrainRow rows[] = {
            {"Strasse", "S", -1, {100, 100}, {}},
            {"Gras", "G", -1, {60, 90}, {}},
            {"Mauer", "M", -1, {-1, 50}, {}},
        };
        loadTerrain(rows, 2);
        level_ = test::SmallLevel(12, 10);
    }
    void block(int column, int row) {
        level_.cells[static_cast<std::size_t>(column * level_.height + row)].terrain = 2;
    }
    sampledata::LevelFile level_;
};

TEST_F(TerrainOutline, ABlockIsOneShearedQuad) {
    for (int c = 4; c <= 6; ++c)
        for (int r = 3; r <= 5; ++r) block(c, r);
    block(4, 2);  // the row above is blocked on part of the span only
    block(7, 6);  // the row below is blocked one column beyond it
    block(4, 6);
    block(5, 6);
    block(6, 6);
    loadLevel(level_);

    TerrainExtents e;
    ASSERT_EQ(GetExtentsOfTerrain(5, 4, 0, e), 1);
    EXPECT_EQ(e.column, 4);
    EXPECT_EQ(e.row, 3);
    EXPECT_EQ(e.columns, 3);
    EXPECT_EQ(e.bottomRow, 5);
    EXPECT_EQ(e.outline.topLeft.x, 80);
    EXPECT_EQ(e.outline.topLeft.y, 84);
    EXPECT_EQ(e.outline.topRight.x, 175);
    EXPECT_EQ(e.outline.topRight.y, 84);
    EXPECT_EQ(e.outline.bottomLeft.x, 32);
    EXPECT_EQ(e.outline.bottomLeft.y, 167);
    EXPECT_EQ(e.outline.bottomRight.x, 127);
    EXPECT_EQ(e.outline.bottomRight.y, 167);

    // Row 6 alone: its span runs on to column 7.
    ASSERT_EQ(GetExtentsOfTerrain(7, 6, 0, e), 1);
    EXPECT_EQ(e.column, 4);
    EXPECT_EQ(e.columns, 4);
    EXPECT_EQ(e.row, 6);
    EXPECT_EQ(e.bottomRow, 6);
}

TEST_F(TerrainOutline, BandsAcrossTheMapAndCellsAtItsEdges) {
    for (int c = 0; c < 12; ++c) block(c, 8);
    for (int r = 0; r < 10; ++r) block(11, r);
    block(0, 0);
    loadLevel(level_);

    TerrainExtents e;
    EXPECT_EQ(GetExtentsOfTerrain(5, 8, 0, e), 0) << "left to right";
    EXPECT_EQ(e.column, 0);
    EXPECT_EQ(e.columns, 12);
    // Column 11 from top to bottom, but in row 8 the band is its neighbour: the region asked
    // for in row 3 is rows 0..7.
    EXPECT_EQ(GetExtentsOfTerrain(11, 3, 0, e), 1);
    EXPECT_EQ(e.row, 0);
    EXPECT_EQ(e.bottomRow, 7);
    EXPECT_EQ(GetExtentsOfTerrain(0, 0, 0, e), 1);
    EXPECT_EQ(e.column, 0);
    EXPECT_EQ(e.columns, 1);
    EXPECT_EQ(GetExtentsOfTerrain(1, 0, 1, e), 1) << "another class sees the cell alone";
    EXPECT_EQ(e.columns, 1);

    // Off the map: the outline of that one cell, no cell read.
    EXPECT_EQ(GetExtentsOfTerrain(-1, 20, 0, e), 1);
    EXPECT_EQ(e.column, -1);
    EXPECT_EQ(e.columns, 1);
    EXPECT_EQ(e.outline.topLeft.y, 560);
}

TEST_F(TerrainOutline, AColumnFromTopToBottomSpansTheMap) {
    for (int r = 0; r < 10; ++r) block(3, r);
    loadLevel(level_);
    TerrainExtents e;
    EXPECT_EQ(GetExtentsOfTerrain(3, 5, 0, e), 0);
    EXPECT_EQ(e.outline.topLeft.y, 0);
    EXPECT_EQ(e.outline.bottomRight.y, WorldMaxY);
}

// The block of ABlockIsOneShearedQuad: (80, 84), (175, 84), (32, 167), (127, 167).
constexpr Quad16 kBlock = {{80, 84}, {175, 84}, {32, 167}, {127, 167}};

TEST(Geometry, RectAgainstShearedQuad) {
    struct Case {
        Rect16 rect;
        int mask;
        const char* what;
    };
    const Case cases[] = {
        {{100, 40, 120, 80}, 0, "above"},
        {{100, 170, 120, 190}, 0, "below"},
        {{0, 90, 20, 100}, 0, "left, across the sheared edge's run"},
        {{180, 90, 200, 100}, 0, "right"},
        {{100, 110, 110, 120}, 15, "inside"},
        {{60, 110, 70, 120}, 1, "left edge"},
        {{150, 100, 170, 110}, 4, "right edge"},
        {{110, 70, 120, 90}, 2, "top edge"},
        {{60, 160, 80, 180}, 8, "bottom edge"},
        {{140, 70, 180, 90}, 6, "top-right corner"},
        {{20, 100, 200, 120}, 5, "both side edges"},
    };
    for (const Case& c : cases) EXPECT_EQ(TestRectQuadOverlap(c.rect, kBlock), c.mask) << c.what;
}

TEST(Geometry, RectAgainstUprightQuad) {
    const Quad16 box = {{10, 10}, {50, 10}, {10, 40}, {50, 40}};
    struct Case {
        Rect16 rect;
        int mask;
    };
    const Case cases[] = {
        {{20, 20, 30, 30}, 15}, {{40, 20, 60, 30}, 4}, {{0, 20, 15, 30}, 1}, {{20, 35, 30, 50}, 8},
        {{20, 0, 30, 12}, 2},   {{0, 0, 60, 60}, 15},  {{60, 0, 70, 10}, 0}, {{20, 41, 30, 50}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TestRectQuadOverlap(c.rect, box), c.mask) << c.rect.x1 << "," << c.rect.y1;
}

TEST(Geometry, RectAgainstCell) {
    // Cell (4, 3): top-left (80, 84), bottom-left (64, 111), bottom-right x 95.
    const Point16 tl{80, 84};
    const Point16 bl{64, 111};
    EXPECT_EQ(TestRectCellOverlap(tl, bl, 95, {100, 90, 120, 100}), 0x10);
    EXPECT_EQ(TestRectCellOverlap(tl, bl, 95, {60, 90, 78, 100}), 0x40);
    EXPECT_EQ(TestRectCellOverlap(tl, bl, 95, {60, 90, 120, 100}), 0x50);
    EXPECT_EQ(TestRectCellOverlap(tl, bl, 95, {70, 105, 80, 120}), 0x20);
    EXPECT_EQ(TestRectCellOverlap(tl, bl, 95, {85, 70, 90, 90}), 0x80);
    EXPECT_EQ(TestRectCellOverlap(tl, bl, 95, {85, 95, 90, 100}), 0) << "inside meets no edge";
    EXPECT_EQ(TestRectCellOverlap(tl, bl, 95, {200, 95, 210, 100}), 0);
}

}  // namespace
}  // namespace kv
