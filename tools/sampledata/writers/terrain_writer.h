#pragma once
// "data\terrain.dat": eleven header lines, a line with the row and class counts, then one record
// per terrain: number, name, short name, burnt successor, the speeds, the second values.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kv::sampledata {

struct TerrainRow {
    std::string name;  // letters only: digits and '-' would be read as a number
    std::string code;
    int burntTerrain = -1;   // -1 = stays
    std::vector<int> speed;  // per movement class
    std::vector<int> value;  // per movement class
};

std::vector<std::uint8_t> WriteTerrainFile(std::span<const TerrainRow> rows, int moveClasses);

}  // namespace kv::sampledata
