// Mission 20's generated level and the crevice terrain: the crevices lie where the search expects
// them with firm ground along their lips, every point a unit is sent to is reached on foot from
// the road, and the slipways stand on ground a boat carrier reaches with water where the boat
// goes in.

#include <gtest/gtest.h>

#include <queue>
#include <vector>

#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "generate/world_tables.h"
#include "gfx/image_files.h"
#include "mission/campaign_tables.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "world/geometry.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/terrain.h"

namespace kv {
namespace {

namespace terrain = sampledata::terrain;
namespace move_class = sampledata::move_class;

class MissionTwentyLevel : public test::MissionTest {
  protected:
    void SetUp() override {
        MissionTest::SetUp();
        useSampleData(false);
        openGame();
        SeedRandom(1);
        CampaignPosition = CampaignPositionOf(20);
        StartMission(kNewMission);
        ASSERT_EQ(MissionNummer, 20);
    }

    static std::uint8_t terrainOf(CellPos c) {
        EXPECT_TRUE(CellInMap(c.column, c.row)) << c.column << "," << c.row;
        if (!CellInMap(c.column, c.row)) return terrain::kWall;
        return MapCells[static_cast<std::size_t>(CellIndex(c.column, c.row))].terrain;
    }
    static std::uint8_t terrainAt(int x, int y) { return terrainOf(CellFromPixel(x, y)); }
    // The cells a mover of the class reaches from the cell under (x, y), through neighbours it
    // can pass.
    static std::vector<bool> reached(int x, int y, int moveClass) {
        std::vector<bool> seen(MapCells.size(), false);
        std::queue<CellPos> todo;
        const auto visit = [&](CellPos c) {
            if (!CellInMap(c.column, c.row)) return;
            const auto i = static_cast<std::size_t>(CellIndex(c.column, c.row));
            if (seen[i] || TerrainSpeed(MapCells[i].terrain, moveClass) <= 0) return;
            seen[i] = true;
            todo.push(c);
        };
        visit(CellFromPixel(x, y));
        while (!todo.empty()) {
            const CellPos c = todo.front();
            todo.pop();
            visit({c.column + 1, c.row});
            visit({c.column - 1, c.row});
            visit({c.column, c.row + 1});
            visit({c.column, c.row - 1});
        }
        return seen;
    }
    static bool in(const std::vector<bool>& area, int x, int y) {
        const CellPos c = CellFromPixel(x, y);
        return CellInMap(c.column, c.row) &&
               area[static_cast<std::size_t>(CellIndex(c.column, c.row))];
    }
};

TEST_F(MissionTwentyLevel, TheCrevicesRowIsClosedToAllButAircraftAndDeepWaterMovedDown) {
    for (int c = 0; c < move_class::kCount; ++c)
        EXPECT_EQ(TerrainSpeed(terrain::kCrevice, c), c == move_class::kAir ? 100 : -1) << c;
    EXPECT_EQ(terrain::kCrevice, 7);
    EXPECT_EQ(terrain::kDeepWater, 24);
    EXPECT_EQ(TerrainSpeed(terrain::kDeepWater, move_class::kFirstBoat), 100);
    EXPECT_EQ(TerrainSpeed(terrain::kDeepWater, move_class::kPerson), -1);
}

TEST_F(MissionTwentyLevel, EachCreviceIsFourCleftCellsAboveFirmGround) {
    EXPECT_EQ(MapWidth, 166);
    EXPECT_EQ(MapHeight, 87);
    EXPECT_EQ(WorldMaxX, 3887);
    EXPECT_EQ(WorldMaxY, 2379);
    struct Cleft {
        int column, row;
    };
    for (const Cleft& r :
         {Cleft{15, 7}, Cleft{26, 51}, Cleft{89, 51}, Cleft{83, 32}, Cleft{91, 16}, Cleft{112, 45},
          Cleft{122, 63}, Cleft{148, 72}, Cleft{135, 48}, Cleft{132, 30}}) {
        for (int k = 0; k < 4; ++k) {
            SCOPED_TRACE(testing::Message() << r.column + k << "," << r.row);
            EXPECT_EQ(terrainOf({r.column + k, r.row}), terrain::kCrevice);
            EXPECT_GT(TerrainSpeed(terrainOf({r.column + k, r.row + 1}), move_class::kPerson), 0);
        }
    }
    EXPECT_EQ(terrainAt(2893, 1284), terrain::kCrevice) << "the victim lies in a crevice";
}

TEST_F(MissionTwentyLevel, EveryPointAUnitIsSentToIsReachedOnFootFromTheRoad) {
    const std::vector<bool> area = reached(100, 2212, move_class::kPerson);
    const SonderObjTyp& wreck = *SonderObjTypAt(18);
    const SonderObjTyp& puddle = *SonderObjTypAt(20);
    const PixelPos points[] = {
        // the search spots
        {360, 240},
        {8, 1472},
        {2024, 1472},
        {2136, 940},
        {2648, 492},
        {2856, 1304},
        {2888, 1808},
        {3576, 2060},
        {3544, 1388},
        {3736, 884},
        // the wreck's work point, the puddle's two ends, the walker, where the pilot comes out
        {2180 + wreck.frames[0].width / 2, 277 + wreck.boxY1 + 7},
        {2208, 347},
        {2211 + puddle.boxX1 + 3, 347},
        {2925, 1008},
        {2180 + (wreck.boxX1 - wreck.boxX0) / 2, 277 + (wreck.boxY1 - wreck.boxY0) / 2},
    };
    for (const PixelPos& p : points) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        EXPECT_TRUE(in(area, p.x, p.y));
    }
}

// The mouse picks an object by its drawn pixels, and the wreck is drawn over the fuel: every
// pixel of the fuel must lie where the wreck's picture is see-through, or the fuel cannot be
// bound and the wreck never opened.
TEST_F(MissionTwentyLevel, TheFuelShowsThroughTheWreckWhereverItLies) {
    const SonderObj& wreck = SonderObjs[0];
    const SonderObj& puddle = SonderObjs[1];
    ASSERT_EQ(wreck.type, 18);
    ASSERT_EQ(puddle.type, 20);
    const FrameSet& w = SonderObjTypAt(18)->frames[0];
    const FrameSet& p = SonderObjTypAt(20)->frames[0];
    const int offX = TruncInt(puddle.x) - TruncInt(wreck.x);
    const int offY = TruncInt(puddle.y) - TruncInt(wreck.y);
    int fuel = 0;
    int wreckLeft = 0;
    for (int y = 0; y < w.height; ++y)
        for (int x = 0; x < w.width; ++x) wreckLeft += w.pixels[y * w.width + x] != 0 ? 1 : 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            if (p.pixels[y * p.width + x] == 0) continue;
            ++fuel;
            const int wx = x + offX;
            const int wy = y + offY;
            if (wx < 0 || wy < 0 || wx >= w.width || wy >= w.height) continue;
            EXPECT_EQ(w.pixels[wy * w.width + wx], 0) << "fuel hidden at " << x << "," << y;
        }
    EXPECT_GT(fuel, 1000);
    EXPECT_GT(wreckLeft, 1500) << "enough of the wreck is left to click";
}

TEST_F(MissionTwentyLevel, BothSlipwaysAreReachedByTheBoatCarrierAndLaunchIntoWater) {
    LoadFahrzeugTyp(kTypF117);
    const int carrier = FahrzeugTypen[static_cast<std::size_t>(kTypF117)].terrainColumn;
    const std::vector<bool> road = reached(100, 2212, carrier);
    ASSERT_EQ(BootPunktCount, 2);
    for (const BootPunkt& b : BootPunkte) {
        SCOPED_TRACE(b.x);
        EXPECT_TRUE(in(road, b.x, b.y));
        EXPECT_GT(TerrainSpeed(terrainAt(b.x + b.dx, b.y + b.dy), move_class::kFirstBoat), 0);
    }
}

}  // namespace
}  // namespace kv
