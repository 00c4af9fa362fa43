#include "bench_world.h"

#include <filesystem>

#include "core/cd_path.h"
#include "plain_map.h"
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
    plainmap::SetWorldMaxFromMap();
    return ok;
}

}  // namespace kv::bench
