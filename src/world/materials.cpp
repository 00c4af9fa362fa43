#include "world/materials.h"

#include "core/fatal_error.h"

namespace kv {

std::vector<Material> Materials;
std::uint8_t MaterialCount = 0;

namespace {

std::int32_t Widen(std::int32_t v) {
    return v == -1 ? kMaterialUnlimited : v;
}

}  // namespace

void FreeMaterials() {
    Materials = {};
    MaterialCount = 0;
}

bool LoadMaterialsFrom(DataFile& file) {
    FreeMaterials();
    SkipDataLines(file, 3, true);
    const auto count = static_cast<std::uint8_t>(ReadDataNumber(file, true));
    std::vector<Material> table;
    for (int i = 0; i < count && file.isOpen(); ++i) {
        Material m;
        SkipDataValues(file, 3);
        m.fuel = Widen(ReadDataValue(file));
        m.maxHeat = Widen(ReadDataValue(file));
        m.gain = Widen(ReadDataValue(file));
        m.ignite = Widen(ReadDataValue(file));
        m.loss = Widen(ReadDataNumber(file, true));
        table.push_back(m);
    }
    if (!file.isOpen()) return false;  // the reader closes the file on an error
    file.close();
    Materials = std::move(table);
    MaterialCount = count;
    return true;
}

bool LoadMaterials() {
    DataFile file;
    if (!file.open("data\\material.dat")) {
        FreeMaterials();
        FatalError("MATERIAL.TXT not found");
        return false;
    }
    return LoadMaterialsFrom(file);
}

}  // namespace kv
