// The generated houses, their pictures and furniture, placed on mission 1's map.

#include <gtest/gtest.h>

#include <memory>

#include "core/fatal_error.h"
#include "generate/house_shapes.h"
#include "world/furniture.h"
#include "world/house_fixture.h"
#include "world/house_images.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/tile_set.h"

namespace kv {
namespace {

using sampledata::HouseCellStands;
using sampledata::kHouseShapes;

class SampleHouses : public test::WorldTest {
  protected:
    void SetUp() override {
        WorldTest::SetUp();
        test::ResetHouseState();
        CdPath.clear();  // the tree is its own CD directory
        cwd_ = std::make_unique<test::WorkingDirectory>(KV_SAMPLEDATA_DIR);
    }
    void TearDown() override {
        cwd_.reset();
        test::ResetHouseState();
        WorldTest::TearDown();
    }
    std::unique_ptr<test::WorkingDirectory> cwd_;
};

// Every type once, in batches that fit the map side by side with a cell between them.
std::vector<std::vector<test::Placement>> Batches() {
    std::vector<std::vector<test::Placement>> batches(1);
    int x = 0;
    int y = 0;
    int shelf = 0;
    for (int type = 0; type < kHouseTypCount; ++type) {
        const auto& s = kHouseShapes[static_cast<std::size_t>(type)];
        if (x + s.extentI > 75) {
            x = 0;
            y += shelf + 1;
            shelf = 0;
        }
        if (y + s.extentJ > 38) {
            batches.emplace_back();
            x = y = shelf = 0;
        }
        batches.back().push_back(
            {type, x, y, type % kHouseHlSetCount, type % kHouseUpperSetCount, 1});
        x += s.extentI + 1;
        shelf = std::max<int>(shelf, s.extentJ);
    }
    return batches;
}

// The cell's pictures are in the house's sets, with the marked door one further on.
void ExpectPicturesInSets(const House& h, const HouseTyp& t, int f, int i, int j) {
    const HouseCell& c = t.cell(f, i, j);
    const bool door = f == 0 && i == t.doorI && j == t.doorJ;
    const auto& hl = HouseHlSets[static_cast<std::size_t>(h.hlSet)];
    const auto& hm = HouseHmSets[static_cast<std::size_t>(h.upperSet)];
    const auto& hu = HouseHuSets[static_cast<std::size_t>(h.upperSet)];
    const auto& ho = HouseHoSets[static_cast<std::size_t>(h.upperSet)];
    EXPECT_LT(c.lowerImage, hl.table.size());
    EXPECT_LT(c.middleImage + (door ? 1u : 0u), hm.table.size());
    EXPECT_LT(c.upperImage + (door ? 1u : 0u), hu.table.size());
    EXPECT_EQ(hu.table.size(), ho.table.size());
    EXPECT_NE(c.lowerFlames, 0);
    EXPECT_NE(c.upperFlames, 0);
}

TEST_F(SampleHouses, EveryTypeStandsOnMissionOne) {
    int placed = 0;
    for (const auto& batch : Batches()) {
        ASSERT_TRUE(LoadLevelMap(1, 0));
        const std::vector<MapCell> ground = MapCells;
        ASSERT_TRUE(test::PlaceHouses(batch)) << FatalErrorMessage();
        ASSERT_EQ(Houses.size(), batch.size());

        int pieces = 0;
        int maxFloors = 0;
        for (std::size_t n = 0; n < batch.size(); ++n) {
            const House& h = Houses[n];
            const int type = batch[n].type;
            SCOPED_TRACE(type);
            ++placed;
            const auto& shape = kHouseShapes[static_cast<std::size_t>(type)];
            const HouseTyp& t = HouseTypen[static_cast<std::size_t>(type)];
            ASSERT_TRUE(t.loaded());
            EXPECT_EQ(t.extentI, shape.extentI);
            EXPECT_EQ(t.extentJ, shape.extentJ);
            EXPECT_EQ(t.floors, shape.floors);
            ASSERT_EQ(h.floors.size(), shape.floors);
            EXPECT_EQ(h.shownStorey, shape.floors);
            maxFloors = std::max<int>(maxFloors, shape.floors);

            // The door stands in the house and opens onto open ground.
            EXPECT_TRUE(HouseCellStands(type, t.doorI, t.doorJ));
            constexpr int kOut[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
            EXPECT_FALSE(HouseCellStands(type, t.doorI + kOut[t.doorSide][0],
                                         t.doorJ + kOut[t.doorSide][1]));
            // Furnished houses show the cells behind their front row and right column only from
            // the top.
            const bool furnished = type == 0 || (type >= 3 && type <= 17) || type >= 62;
            for (int i = 0; i < kHouseGridI; ++i)
                for (int j = 0; j < kHouseGridJ; ++j) {
                    EXPECT_EQ(t.facadeLook[i][j] != 0,
                              furnished && i + 1 < t.extentI && j + 1 < t.extentJ)
                        << i << "," << j;
                    EXPECT_TRUE(t.facadeFlags[i][j] == 0 || i < t.extentI) << i;
                }

            for (int i = 0; i < t.extentI; ++i)
                for (int j = 0; j < t.extentJ; ++j) {
                    const std::uint16_t tile =
                        MapCells[static_cast<std::size_t>(CellIndex(h.x + i, h.y + j))].tile;
                    if (HouseCellStands(type, i, j)) {
                        EXPECT_EQ(tile, HouseLink(static_cast<int>(n), i, j)) << i << "," << j;
                        for (int f = 0; f < t.floors; ++f) ExpectPicturesInSets(h, t, f, i, j);
                    } else {
                        EXPECT_EQ(
                            tile,
                            ground[static_cast<std::size_t>(CellIndex(h.x + i, h.y + j))].tile);
                    }
                }
            for (int f = 0; f < t.floors; ++f) {
                const auto& c = h.floors[static_cast<std::size_t>(f)].corners;
                EXPECT_EQ(c[4], 32 * (h.x + t.extentI) - 16 * (h.y + t.extentJ));
                EXPECT_EQ(c[5], 28 * (h.y + t.extentJ) - 31 * f);
                EXPECT_EQ(c[10], 32 * (h.x + t.extentI) - 16 * h.y);
                EXPECT_EQ(c[11], 28 * h.y - 31 * f);
            }

            // Every piece of the type's table is accepted and indexed in its cell.
            const auto table = HouseFurnitureTable(type);
            EXPECT_EQ(t.furnitureCount, table.size());
            for (std::size_t k = 0; k < table.size(); ++k) {
                const int index = pieces + static_cast<int>(k);
                const HouseObj& o = HouseObjs[static_cast<std::size_t>(index)];
                EXPECT_EQ(o.slot, table[k].slot) << k;
                EXPECT_EQ(o.x, table[k].dx + 32 * h.x - 16 * h.y);
                int i = 0;
                int j = 0;
                ASSERT_TRUE(HouseObjCell(o.slot, table[k].dx, table[k].dy, i, j));
                EXPECT_TRUE(HouseCellStands(type, i, j)) << k;
                const std::uint16_t named =
                    h.floors[o.storey - 1u]
                        .objIndex[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
                EXPECT_GE(named, index) << "this piece or a later one in its cell";
                EXPECT_NE(HouseObjTypen[o.slot].images, nullptr);
            }
            pieces += static_cast<int>(table.size());

            EXPECT_TRUE(LowerFlameSets[static_cast<std::size_t>(type % 6)].loaded());
            EXPECT_TRUE(UpperFlameSets[static_cast<std::size_t>(type % 16)].loaded());
        }
        EXPECT_EQ(HouseObjCount, pieces);
        EXPECT_EQ(MaxHouseFloors, maxFloors + 1);
        FreeHouses();
        FreeLevelMap();
    }
    EXPECT_EQ(placed, kHouseTypCount);
    EXPECT_FALSE(FatalErrorRaised());
}

TEST_F(SampleHouses, EveryFurniturePictureLoads) {
    for (const HouseObjGroup& g : kHouseObjGroups) {
        SCOPED_TRACE(g.looks[0].file);
        ASSERT_TRUE(LoadHouseObjTyp(g.slot));
        const HouseObjTyp& s = HouseObjTypen[g.slot];
        ASSERT_NE(s.images, nullptr);
        EXPECT_EQ(s.box, g.box);
        // The box lies on the picture.
        EXPECT_GT(s.images[0].width, g.box[2]);
        EXPECT_GT(s.images[0].height, g.box[3]);
        if (g.single) continue;
        EXPECT_EQ(HouseObjTypen[g.slot + 1u].frames, kBurningFrames);
        EXPECT_EQ(HouseObjTypen[g.slot + 1u].images[kBurningFrames].pixels, nullptr);
        EXPECT_NE(HouseObjTypen[g.slot + 2u].images, nullptr);
    }
}

TEST_F(SampleHouses, FlameSetsAnimate) {
    for (FlameLayer layer : {FlameLayer::Lower, FlameLayer::Middle, FlameLayer::Upper}) {
        const char* prefix = layer == FlameLayer::Lower    ? "lb"
                             : layer == FlameLayer::Middle ? "mb"
                                                           : "ub";
        for (std::size_t n = 0; n < FlameSetsOf(layer).size(); ++n) {
            ASSERT_TRUE(LoadHousePartSet(HouseImageFileName(prefix, static_cast<int>(n)), layer,
                                         static_cast<int>(n)));
            const HouseFlameSet& set = FlameSetsOf(layer)[n];
            EXPECT_GE(set.frames, 2) << prefix << n;
            EXPECT_GE(set.ticks, 1) << prefix << n;
        }
    }
}

}  // namespace
}  // namespace kv
