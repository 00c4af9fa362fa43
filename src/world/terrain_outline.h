#pragma once
// The outlines of impassable terrain regions, kept per cell and movement class: outlining a region
// that spans the map reads all of its cells, and the collision tests ask for the outline of every
// impassable cell they meet. An outline stays valid until a cell changes between passable and
// impassable for its class; every terrain write goes through SetCellTerrain (level_map.h), which
// drops what the change makes stale, and loading or freeing the map or terrain table drops all.

#include <algorithm>
#include <cstdint>
#include <span>

#include "gfx/primitives.h"
#include "world/geometry.h"
#include "world/level_map.h"

namespace kv {

// GetExtentsOfTerrain of a cell inside the map that is impassable for the class, from the cache.
const TerrainExtents& TerrainOutline(int column, int row, int moveClass);

// Per cell of the map (by CellIndex), 1 where its terrain is impassable for the class, from the
// cache; kept with the outlines.
std::span<const std::uint8_t> ImpassableCells(int moveClass);

// The first cell the rectangle covers, cut to the map and walked as ForEachCoveredCell does, that
// is impassable for the class and whose region's outline the rectangle meets: the side mask of
// that overlap (0 when there is none), the cell and its region.
struct ImpassableOverlap {
    std::uint8_t mask = 0;
    int column = 0;
    int row = 0;
    const TerrainExtents* region = nullptr;
};
ImpassableOverlap FindImpassableOverlap(const Rect16& r, int moveClass);

// Counts the changes of what is impassable where; those who keep what they found compare it.
std::uint32_t TerrainEpoch();

// Forgets every outline: the map or the terrain table changed.
void DropTerrainOutlines();
// A cell's terrain goes from one value to another: the classes for which that changes whether the
// cell is passable lose their outlines, and their flag of the cell follows.
void NoteTerrainChange(int cell, std::uint8_t from, std::uint8_t to);

// The rectangle cut to the map's pixels 0..WorldMaxX x 0..WorldMaxY; false when it lies wholly
// off the map (left of it, above, right or below).
bool ClipToMap(const Rect16& r, Rect16& clipped);

// Calls f(column, row) for every map cell that the rectangle covers, row by row from the top and
// left to right within a row (each row's run of columns follows its shear); cells outside the
// map are left out. The rectangle must lie on the map (clip it first). f returns true to stop;
// then so does this.
template <class F>
bool ForEachCoveredCell(const Rect16& r, F&& f) {
    const auto floorDiv = [](int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
    const int topRow = r.y1 / kCellHeight;
    const int bottomRow = r.y2 / kCellHeight;
    for (int row = topRow; row <= bottomRow; ++row) {
        if (row < 0 || row >= MapHeight) continue;
        // The lines of this row the rectangle covers; a cell's span on line t starts RowShear[t]
        // further left, so the first line bounds the right end and the last one the left end.
        const int t0 = row == topRow ? r.y1 % kCellHeight : 0;
        const int t1 = row == bottomRow ? r.y2 % kCellHeight : kCellHeight - 1;
        const int shift = 16 * row;
        const int first = std::max(
            0, floorDiv(r.x1 + shift + RowShear[static_cast<std::size_t>(t0)], kCellWidth));
        const int last =
            std::min(MapWidth - 1,
                     floorDiv(r.x2 + shift + RowShear[static_cast<std::size_t>(t1)], kCellWidth));
        for (int column = first; column <= last; ++column)
            if (f(column, row)) return true;
    }
    return false;
}

}  // namespace kv
