#include "world/house_fixture.h"

#include <cstdio>

#include "core/main_window.h"
#include "core/mission_hooks.h"
#include "mission/game_state.h"
#include "world/furniture.h"
#include "world/house_images.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"
#include "writers/level_writer.h"

namespace kv::test {

namespace {

std::vector<Placement> g_houses;
int g_count = -1;

void PlaceHouses() {
    HouseCount =
        static_cast<std::int16_t>(g_count >= 0 ? g_count : static_cast<int>(g_houses.size()));
    InitHouseList();
    for (const Placement& p : g_houses)
        AddHouse(static_cast<std::uint8_t>(p.type), static_cast<std::int16_t>(p.x),
                 static_cast<std::int16_t>(p.y), static_cast<std::uint8_t>(p.hlSet),
                 static_cast<std::uint8_t>(p.upperSet), static_cast<std::uint8_t>(p.markable));
}

// Only mission 1 has a house set-up.
void InstallMissionOneOnly() {
    ClearMissionHooks();
    MissionHookRows[0].InitHouses = PlaceHouses;
}

}  // namespace

void ResetHouseState() {
    ResetGameState();
    ClearMissionHooks();
    g_houses.clear();
    g_count = -1;
}

bool PlaceHouses(const std::vector<Placement>& houses, int count) {
    g_houses = houses;
    g_count = count;
    InstallMissionOneOnly();
    return InitHouses(1);
}

namespace {

RunImage BlankImage() {
    return {1, {48}};
}

}  // namespace

void HouseTest::SetUp() {
    WorldTest::SetUp();
    ResetHouseState();
    InstallMissionOneOnly();
    cwd_ = std::make_unique<WorkingDirectory>(cd.path());
    level(12, 8);
}

void HouseTest::TearDown() {
    cwd_.reset();
    ResetHouseState();
    WorldTest::TearDown();
}

void HouseTest::level(int width, int height) {
    writeFile("missions/mi01.lev", sampledata::WriteLevelFile(SmallLevel(width, height)));
    ASSERT_TRUE(LoadLevelMap(1, 0));
}

void HouseTest::writeHouse(int type, const sampledata::HouseFile& file) const {
    char name[32];
    std::snprintf(name, sizeof name, "houses/haus%02d.hlv", type + 1);
    writeFile(name, sampledata::WriteHouseFile(file));
}

void HouseTest::writePictures(int hlSet, int upperSet) const {
    sampledata::HouseImageSetFile set;
    set.table.resize(4);
    set.images.assign(4, BlankImage());
    const auto bytes = sampledata::WriteHouseImageSetFile(set);
    char name[32];
    std::snprintf(name, sizeof name, "houses/hl%02d.dat", hlSet + 1);
    writeFile(name, bytes);
    for (const char* prefix : {"hm", "hu", "ho"}) {
        std::snprintf(name, sizeof name, "houses/%s%02d.dat", prefix, upperSet + 1);
        writeFile(name, bytes);
    }
}

void HouseTest::writeFlameSets(int frames, int ticks) const {
    sampledata::HouseFlameSetFile set;
    set.ticks = static_cast<std::uint16_t>(ticks);
    set.frames.assign(static_cast<std::size_t>(frames), BlankImage());
    const auto bytes = sampledata::WriteHouseFlameSetFile(set);
    struct Layer {
        const char* prefix;
        int count;
    };
    for (const Layer& layer : {Layer{"lb", kLowerFlameSetCount}, Layer{"mb", kMiddleFlameSetCount},
                               Layer{"ub", kUpperFlameSetCount}})
        for (int n = 1; n <= layer.count; ++n) {
            char name[32];
            std::snprintf(name, sizeof name, "houses/%s%02d.dat", layer.prefix, n);
            writeFile(name, bytes);
        }
}

void HouseTest::writeFurniture() const {
    const std::vector<sampledata::Canvas> one(1, sampledata::Canvas(4, 4, 7));
    const std::vector<sampledata::Canvas> fire(kBurningFrames, sampledata::Canvas(4, 4, 9));
    for (const HouseObjGroup& g : kHouseObjGroups)
        for (int look = 0; look < (g.single ? 1 : 3); ++look) {
            const auto& frames = look == 1 ? fire : one;
            writeFile(
                "houseobj/" + std::string(g.looks[static_cast<std::size_t>(look)].file) + ".vff",
                sampledata::MakeVff(frames));
        }
}

sampledata::HouseFile BoxHouse(int extentI, int extentJ, int floors, std::uint8_t material) {
    sampledata::HouseFile file;
    for (int f = 0; f < floors; ++f) {
        sampledata::HouseFloorData floor{
            static_cast<std::uint16_t>(extentI), static_cast<std::uint16_t>(extentJ), {}};
        HouseCell cell;
        cell.lowerImage = 1;
        cell.material = material;
        floor.cells.assign(static_cast<std::size_t>(extentI * extentJ), cell);
        file.floors.push_back(floor);
    }
    return file;
}

}  // namespace kv::test
