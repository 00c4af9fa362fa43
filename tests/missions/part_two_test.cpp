// The switch to a second part's level when the "b" level has another size than the first: the
// view and map limits follow the new map.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/campaign.h"
#include "core/fatal_error.h"
#include "core/game_mode.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "mission/campaign_tables.h"
#include "mission/mission_fixture.h"
#include "mission/mission_start.h"
#include "missions/mission_rows.h"
#include "movement/befehl_queue.h"
#include "world/level_map.h"
#include "writers/level_writer.h"

namespace kv {
namespace {

class PartTwoLevel : public test::MissionTest {
  protected:
    // The sample data without videos, with mission 11's "b" level replaced by a smaller map
    // without a road graph.
    void useSmallerSecondLevel(int width, int height) {
        namespace fs = std::filesystem;
        for (const auto& entry : fs::directory_iterator(KV_SAMPLEDATA_DIR)) {
            const std::string name = entry.path().filename().string();
            if (!entry.is_directory() || name == "videos") continue;
            if (name != "missions") {
                dir.linkSampleData(name);
                continue;
            }
            fs::create_directories(dir.path() / name);
            for (const auto& file : fs::directory_iterator(entry.path()))
                if (file.path().filename() != "mi11b.lev")
                    fs::create_symlink(file.path(), dir.path() / name / file.path().filename());
        }
        sampledata::LevelFile level;
        level.width = static_cast<std::uint16_t>(width);
        level.height = static_cast<std::uint16_t>(height);
        level.cells.assign(static_cast<std::size_t>(width * height), MapCell{});
        const std::vector<std::uint8_t> bytes = sampledata::WriteLevelFile(level);
        std::ofstream(dir.path() / "missions" / "mi11b.lev", std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        cwd.emplace(dir.path());
    }
};

TEST_F(PartTwoLevel, ASmallerSecondLevelNarrowsTheLimits) {
    useSmallerSecondLevel(120, 50);
    openGame();
    SeedRandom(5);
    CampaignPosition = CampaignPositionOf(11);
    StartMission(kNewMission);
    leaveKarte();
    ASSERT_EQ(GameMode, 2u) << FatalErrorMessage();
    EXPECT_EQ(WorldMaxX, 3759);
    EXPECT_EQ(WorldMaxY, 1595);
    EXPECT_GT(RoadNodeCount, 0);

    ClearBefehleSignal = 1;
    kMissionHooksM11.CheckMission();
    ASSERT_FALSE(FatalErrorRaised()) << FatalErrorMessage();
    EXPECT_EQ(PartTwo, 1);
    EXPECT_EQ(MapWidth, 120);
    // The first level kept every column and all but two rows.
    EXPECT_EQ(ScrollCols, 119);
    EXPECT_EQ(ScrollRows, 48);
    EXPECT_EQ(WorldMaxX, 119 * 32 - 50 * 16 - 1);
    EXPECT_EQ(WorldMaxY, 48 * 28 - 1);
    EXPECT_EQ(RoadNodeCount, 0);
    EXPECT_TRUE(RoadNodes.empty()) << "a level without nodes keeps no graph";
    for (int n = 0; n < 3; ++n) kMissionHooksM11.UpdateMission();
    EXPECT_EQ(GameMode, 2u);
}

}  // namespace
}  // namespace kv
