#pragma once
// The fire classes from "data\material.dat": how much a cell of a class burns, how hot it gets,
// when it ignites and how fast it cools.

#include <cstdint>
#include <vector>

#include "world/data_file.h"

namespace kv {

struct Material {
    std::int32_t fuel = 0;
    std::int32_t maxHeat = 0;
    std::int32_t gain = 0;
    std::int32_t ignite = 0;
    std::int32_t loss = 0;
};

// A field given as -1 in the file stands for "without limit" and is stored as this.
inline constexpr std::int32_t kMaterialUnlimited = 2147483647;

extern std::vector<Material> Materials;
extern std::uint8_t MaterialCount;

// The class of an index; an index the table does not have is a class that has no fuel and
// never ignites. Inline: the fire model asks it for every burning cell.
inline constexpr Material kNoMaterial{0, 0, 0, kMaterialUnlimited, 0};
inline const Material& MaterialOf(int index) {
    if (index < 0 || index >= MaterialCount) return kNoMaterial;
    return Materials[static_cast<std::size_t>(index)];
}

// False after a FatalError; the table is then empty.
bool LoadMaterials();
bool LoadMaterialsFrom(DataFile& file);
void FreeMaterials();

}  // namespace kv
