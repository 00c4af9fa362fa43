#include "bench_world.h"

#include <filesystem>

#include "core/cd_path.h"
#include "core/mission_state.h"
#include "world/level_map.h"
#include "world/terrain.h"

namespace kv::bench {

bool LoadMissionOne() {
    static const bool loaded = RestoreMissionOne();
    return loaded;
}

bool RestoreMissionOne() {
    const std::filesystem::path dir = KV_SAMPLEDATA_DIR;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    CdPath = dir.string() + "/";
    const bool ok = LoadLevelMap(1, 0) && LoadTerrain();
    std::filesystem::current_path(previous);
    WorldMaxX = static_cast<std::uint16_t>(kCellWidth * MapWidth - 16 * MapHeight - 1);
    WorldMaxY = static_cast<std::uint16_t>(kCellHeight * MapHeight - 1);
    return ok;
}

BenchTyp::BenchTyp(std::uint8_t unitClass, float speed, std::uint8_t moveClass,
                   std::int16_t halfWidth, std::int16_t height) {
    const AnimSlot slot{
        1, 1, halfWidth, height, {0, 0, static_cast<std::int16_t>(2 * halfWidth), height}, nullptr};
    slots.fill(slot);
    head.dirAnims.fill(slots.data());
    head.animCount = 2;
    head.unitClass = unitClass;
    head.speed = speed;
    head.terrainColumn = moveClass;
    head.extent = {0, 0, static_cast<std::int16_t>(2 * halfWidth + 2),
                   static_cast<std::int16_t>(height + 2)};
}

}  // namespace kv::bench
