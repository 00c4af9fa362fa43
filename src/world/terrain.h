#pragma once
// The terrain table from "data\terrain.dat": per terrain and movement class a speed in percent
// and a second value, and the terrain a burnt-out cell turns into.

#include <cstdint>
#include <vector>

#include "world/data_file.h"

namespace kv {

inline constexpr std::uint16_t kNoTerrain = 65535;

struct TerrainTyp {
    std::vector<std::int8_t> speed;           // per movement class; 0 or below = not passable
    std::vector<std::uint16_t> value;         // per movement class, read by the movement code
    std::uint16_t burntTerrain = kNoTerrain;  // kNoTerrain = stays
};

extern std::vector<TerrainTyp> TerrainTypen;
extern std::int16_t TerrainCount;
extern std::int16_t MoveClassCount;

// The speed of a movement class on a terrain; -1 (not passable) for a terrain or class the
// table does not have. Inline: every step of every walker asks it.
inline std::int8_t TerrainSpeed(int terrain, int moveClass) {
    if (terrain < 0 || terrain >= TerrainCount || moveClass < 0 || moveClass >= MoveClassCount)
        return -1;
    return TerrainTypen[static_cast<std::size_t>(terrain)]
        .speed[static_cast<std::size_t>(moveClass)];
}
// The second value of a class on a terrain; kNoTerrain for one the table does not have.
std::uint16_t TerrainValue(int terrain, int moveClass);

// False after a FatalError; the table is then empty.
bool LoadTerrain();
bool LoadTerrainFrom(DataFile& file);
void FreeTerrain();

}  // namespace kv
