// Level files: any bytes either load into a map whose arrays match its size or are refused.

#include <cstdint>
#include <cstdlib>
#include <span>

#include "support/fuzz_support.h"
#include "world/level_map.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const kv::fuzz::Input input;
    if (kv::LoadLevelMapFromBytes(std::span(data, size), "fuzz.lev")) {
        if (kv::MapCells.size() != kv::MapCellCount || kv::CellAnims.size() != kv::MapCellCount ||
            kv::BrandStates.size() != kv::MapCellCount ||
            kv::RoadNodes.size() != static_cast<std::size_t>(kv::RoadNodeCapacity))
            std::abort();
        for (int i = 0; i < kv::RoadNodeCount; ++i)
            for (std::uint16_t n : kv::RoadNodes[static_cast<std::size_t>(i)].neighbour)
                if (n != kv::kNoNode && n >= kv::RoadNodeCount) std::abort();
        kv::MirrorRoadNodes();
    }
    kv::FreeLevelMap();
    return 0;
}
