// Text data files: the terrain and material loaders and the bare readers on any bytes.

#include <cstdint>
#include <span>

#include "support/fuzz_support.h"
#include "world/data_file.h"
#include "world/materials.h"
#include "world/terrain.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span bytes(data, size);
    kv::DataFile file;
    {
        const kv::fuzz::Input input;
        file.openBytes(bytes);
        if (kv::LoadTerrainFrom(file))
            for (int t = -1; t <= kv::TerrainCount; ++t) {
                kv::TerrainSpeed(t, 16);
                kv::TerrainValue(t, 0);
            }
        kv::FreeTerrain();
    }
    {
        const kv::fuzz::Input input;
        file.openBytes(bytes);
        kv::LoadMaterialsFrom(file);
        kv::MaterialOf(200);
        kv::FreeMaterials();
    }
    const kv::fuzz::Input input;
    file.openBytes(bytes);
    for (int i = 0; i < 64 && file.isOpen(); ++i) {
        kv::ReadDataNumber(file, false);
        kv::ReadDataValue(file);
    }
    return 0;
}
