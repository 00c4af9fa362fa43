#include "world/terrain_outline.h"

#include <algorithm>
#include <vector>

#include "core/mission_state.h"

#include "world/terrain.h"

namespace kv {

namespace {

struct CachedOutline {
    TerrainExtents extents;
    bool valid = false;
};

// Per movement class, per cell index; a class's table is made when first asked for.
std::vector<std::vector<CachedOutline>> g_outlines;

bool Impassable(std::uint8_t terrain, int moveClass) {
    return TerrainSpeed(terrain, moveClass) == -1;
}

}  // namespace

const TerrainExtents& TerrainOutline(int column, int row, int moveClass) {
    static TerrainExtents uncached;
    const int cell = CellIndex(column, row);
    if (moveClass < 0 || moveClass > 255 || !CellInMap(column, row) ||
        static_cast<std::size_t>(cell) >= MapCells.size()) {
        GetExtentsOfTerrain(column, row, moveClass, uncached);
        return uncached;
    }
    if (g_outlines.size() <= static_cast<std::size_t>(moveClass))
        g_outlines.resize(static_cast<std::size_t>(moveClass) + 1);
    std::vector<CachedOutline>& table = g_outlines[static_cast<std::size_t>(moveClass)];
    if (table.size() != MapCells.size()) table.assign(MapCells.size(), CachedOutline{});
    CachedOutline& entry = table[static_cast<std::size_t>(cell)];
    if (!entry.valid) {
        GetExtentsOfTerrain(column, row, moveClass, entry.extents);
        entry.valid = true;
    }
    return entry.extents;
}

bool ClipToMap(const Rect16& r, Rect16& clipped) {
    const int maxX = WorldMaxX;
    const int maxY = WorldMaxY;
    if (r.x1 > maxX || r.y1 > maxY || r.x2 < 0 || r.y2 < 0) return false;
    // Within 0..65535 and at or below the other corner, so each fits its own type's range.
    clipped = Rect16{static_cast<std::int16_t>(std::max<int>(r.x1, 0)),
                     static_cast<std::int16_t>(std::max<int>(r.y1, 0)),
                     static_cast<std::int16_t>(std::min<int>(r.x2, maxX)),
                     static_cast<std::int16_t>(std::min<int>(r.y2, maxY))};
    return true;
}

void DropTerrainOutlines() {
    g_outlines.clear();
}

void NoteTerrainChange(std::uint8_t from, std::uint8_t to) {
    for (std::size_t c = 0; c < g_outlines.size(); ++c)
        if (Impassable(from, static_cast<int>(c)) != Impassable(to, static_cast<int>(c)))
            g_outlines[c].clear();
}

}  // namespace kv
