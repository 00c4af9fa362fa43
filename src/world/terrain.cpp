#include "world/terrain.h"

#include <algorithm>

#include "core/fatal_error.h"
#include "world/terrain_outline.h"

namespace kv {

std::vector<TerrainTyp> TerrainTypen;
std::int16_t TerrainCount = 0;
std::int16_t MoveClassCount = 0;

std::uint16_t TerrainValue(int terrain, int moveClass) {
    if (terrain < 0 || terrain >= TerrainCount || moveClass < 0 || moveClass >= MoveClassCount)
        return kNoTerrain;
    return TerrainTypen[static_cast<std::size_t>(terrain)]
        .value[static_cast<std::size_t>(moveClass)];
}

void FreeTerrain() {
    DropTerrainOutlines();
    TerrainTypen = {};
    TerrainCount = 0;
    MoveClassCount = 0;
}

bool LoadTerrainFrom(DataFile& file) {
    FreeTerrain();
    SkipDataLines(file, 11, true);
    const auto count = static_cast<std::int16_t>(ReadDataValue(file));
    const auto classes = static_cast<std::int16_t>(ReadDataNumber(file, true));
    if (!file.isOpen()) return false;  // the reader closes the file on an error
    // A negative count holds no rows.
    const int rows = std::max<int>(count, 0);
    const int columns = std::max<int>(classes, 0);

    std::vector<TerrainTyp> table;
    table.reserve(static_cast<std::size_t>(std::min(rows, 1024)));
    for (int r = 0; r < rows && file.isOpen(); ++r) {
        TerrainTyp t;
        SkipDataValues(file, 3);
        t.burntTerrain = static_cast<std::uint16_t>(ReadDataValue(file));
        t.speed.resize(static_cast<std::size_t>(columns));
        t.value.resize(static_cast<std::size_t>(columns));
        for (auto& s : t.speed) s = static_cast<std::int8_t>(ReadDataValue(file));
        for (auto& v : t.value) v = static_cast<std::uint16_t>(ReadDataValue(file));
        table.push_back(std::move(t));
    }
    if (!file.isOpen()) return false;
    file.close();

    // Terrain numbers the table does not have name none.
    for (TerrainTyp& t : table) {
        if (t.burntTerrain >= rows) t.burntTerrain = kNoTerrain;
        for (auto& v : t.value)
            if (v >= rows) v = kNoTerrain;
    }
    TerrainTypen = std::move(table);
    TerrainCount = static_cast<std::int16_t>(rows);
    MoveClassCount = static_cast<std::int16_t>(columns);
    return true;
}

bool LoadTerrain() {
    DataFile file;
    if (!file.open("data\\terrain.dat")) {
        FreeTerrain();
        FatalError("TERRAIN.TXT not found");
        return false;
    }
    return LoadTerrainFrom(file);
}

}  // namespace kv
