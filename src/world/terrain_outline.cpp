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

// Per movement class, made when first asked for: per cell its outline and whether it is
// impassable.
struct ClassCache {
    std::vector<CachedOutline> outlines;
    std::vector<std::uint8_t> impassable;
};
std::vector<ClassCache> g_classes;
std::uint32_t g_epoch = 0;

bool Impassable(std::uint8_t terrain, int moveClass) {
    return TerrainSpeed(terrain, moveClass) == -1;
}

ClassCache* CacheOf(int moveClass) {
    if (moveClass < 0 || moveClass > 255) return nullptr;
    if (g_classes.size() <= static_cast<std::size_t>(moveClass))
        g_classes.resize(static_cast<std::size_t>(moveClass) + 1);
    return &g_classes[static_cast<std::size_t>(moveClass)];
}

}  // namespace

const TerrainExtents& TerrainOutline(int column, int row, int moveClass) {
    static TerrainExtents uncached;
    const int cell = CellIndex(column, row);
    ClassCache* cache = CacheOf(moveClass);
    if (cache == nullptr || !CellInMap(column, row) ||
        static_cast<std::size_t>(cell) >= MapCells.size()) {
        GetExtentsOfTerrain(column, row, moveClass, uncached);
        return uncached;
    }
    std::vector<CachedOutline>& table = cache->outlines;
    if (table.size() != MapCells.size()) table.assign(MapCells.size(), CachedOutline{});
    CachedOutline& entry = table[static_cast<std::size_t>(cell)];
    if (!entry.valid) {
        GetExtentsOfTerrain(column, row, moveClass, entry.extents);
        entry.valid = true;
    }
    return entry.extents;
}

std::span<const std::uint8_t> ImpassableCells(int moveClass) {
    ClassCache* cache = CacheOf(moveClass);
    if (cache == nullptr) return {};
    std::vector<std::uint8_t>& cells = cache->impassable;
    if (cells.size() != MapCells.size()) {
        cells.resize(MapCells.size());
        for (std::size_t i = 0; i < MapCells.size(); ++i)
            cells[i] = Impassable(MapCells[i].terrain, moveClass) ? 1 : 0;
    }
    return cells;
}

ImpassableOverlap FindImpassableOverlap(const Rect16& r, int moveClass) {
    ImpassableOverlap found;
    Rect16 clipped;
    if (!ClipToMap(r, clipped)) return found;
    const std::span<const std::uint8_t> impassable = ImpassableCells(moveClass);
    ForEachCoveredCell(clipped, [&](int column, int row) {
        const auto index = static_cast<std::size_t>(CellIndex(column, row));
        if (index >= impassable.size() || impassable[index] == 0) return false;
        // Tested even where the region spans the whole map.
        const TerrainExtents& region = TerrainOutline(column, row, moveClass);
        const std::uint8_t mask = TestRectQuadOverlap(clipped, region.outline);
        if (mask == 0) return false;
        found = ImpassableOverlap{mask, column, row, &region};
        return true;
    });
    return found;
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
    g_classes.clear();
    ++g_epoch;
}

std::uint32_t TerrainEpoch() {
    return g_epoch;
}

void NoteTerrainChange(int cell, std::uint8_t from, std::uint8_t to) {
    for (std::size_t c = 0; c < g_classes.size(); ++c) {
        const bool now = Impassable(to, static_cast<int>(c));
        if (Impassable(from, static_cast<int>(c)) == now) continue;
        ++g_epoch;
        ClassCache& cache = g_classes[c];
        cache.outlines.clear();
        if (cell >= 0 && static_cast<std::size_t>(cell) < cache.impassable.size())
            cache.impassable[static_cast<std::size_t>(cell)] = now ? 1 : 0;
    }
}

}  // namespace kv
