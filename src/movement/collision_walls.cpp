// The collision steps that look at houses and at the map: furniture and walls on a house's
// storeys, impassable terrain on the ground, and the fields a unit tramples.

#include <algorithm>
#include <array>
#include <span>

#include "core/fire_counts.h"
#include "movement/collision_parts.h"
#include "world/furniture.h"
#include "world/geometry.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/terrain.h"
#include "world/terrain_outline.h"
#include "world/wall_mask.h"

namespace kv {

namespace {

// How far inside its footprint a unit must stand on a field to trample it.
constexpr int kTrampleInset = 10;
constexpr std::uint8_t kCellAnimBurnt = 4;

std::uint8_t Blocked(CollisionHit& hit, std::uint8_t kind, int column, int row, int index3,
                     std::uint8_t value) {
    hit.kind = kind;
    hit.index1 = static_cast<std::uint16_t>(column);
    hit.index2 = static_cast<std::uint16_t>(row);
    hit.index3 = static_cast<std::uint16_t>(index3);
    return value != 0 ? value : 1;
}

// The house cell that a map cell links to, when it is a cell of this house.
struct HouseCellAt {
    bool ours = false;
    int i = 0;
    int j = 0;
};
HouseCellAt CellOfHouse(CellPos c, std::uint16_t house) {
    if (!CellInMap(c.column, c.row)) return {};
    const auto index = static_cast<std::size_t>(CellIndex(c.column, c.row));
    if (index >= MapCells.size()) return {};
    const HouseLinkTarget link = DecodeHouseLink(MapCells[index].tile);
    if (link.house < 0 || link.house != house) return {};
    return {true, link.i, link.j};
}

bool InGrid(int i, int j) {
    return i >= 0 && i < kHouseGridI && j >= 0 && j < kHouseGridJ;
}

// The wall bits of those in need that the cell has.
std::uint8_t WallsMet(const HouseTyp& t, int floor, int i, int j, std::uint8_t need) {
    return static_cast<std::uint8_t>(WallMask(t.cell(floor, i, j).walls) & need);
}

}  // namespace

std::uint8_t TestHouseObjs(const Rect16& foot, std::int8_t layer, CollisionHit& hit) {
    const std::size_t count = std::min<std::size_t>(
        static_cast<std::size_t>(std::max<int>(HouseObjCount, 0)), HouseObjs.size());
    for (std::size_t k = 0; k < count; ++k) {
        const HouseObj& o = HouseObjs[k];
        // A flat piece (flag 0) never blocks.
        if (o.slot >= kHouseObjSlotCount || o.flag == 0 || o.storey != layer) continue;
        const std::array<std::int16_t, 4>& b = HouseObjTypen[o.slot].box;
        const Rect16 box{To16(o.x + b[0]), To16(o.y + b[1]), To16(o.x + b[2]), To16(o.y + b[3])};
        if (const int edges = RectsIntersect(foot, box)) {
            hit.kind = kHitHouseObj;
            hit.index1 = static_cast<std::uint16_t>(k);
            return static_cast<std::uint8_t>(edges);
        }
    }
    return 0;
}

std::uint8_t TestHouseWalls(const Rect16& foot, int px, int py, std::uint16_t house,
                            std::int8_t layer, CollisionHit& hit) {
    const std::array<CellPos, 4> corners = {
        CellFromPixel(foot.x1, foot.y1), CellFromPixel(foot.x2, foot.y1),
        CellFromPixel(foot.x1, foot.y2), CellFromPixel(foot.x2, foot.y2)};
    // A footprint within one cell meets no wall; but a unit on a storey stands in its own house,
    // and a cell outside it is another house's, as when the footprint reaches over its edge.
    if (corners[1] == corners[0] && corners[2] == corners[0] && corners[3] == corners[0]) {
        if (CellOfHouse(corners[0], house).ours) return 0;
        return Blocked(hit, kHitOtherHouse, corners[0].column, corners[0].row, 0, 1);
    }
    const CellPos own = CellFromPixel(px, py);
    int dc = 0;
    int dr = 0;
    for (const CellPos& c : corners)
        if (!(c == own)) {
            dc = c.column - own.column;
            dr = c.row - own.row;
            break;
        }

    // A bad link, a storey the type does not have or a cell outside the grid is no cell of this
    // house: it counts as another house's.
    const HouseCellAt here = CellOfHouse(own, house);
    const House* h = here.ours ? PlacedHouse(house) : nullptr;
    const HouseTyp* t = h != nullptr ? &HouseTypen[static_cast<std::size_t>(h->type)] : nullptr;
    const int floor = layer - 1;
    if (t == nullptr || floor < 0 || floor >= t->floors || !InGrid(here.i, here.j))
        return Blocked(hit, kHitOtherHouse, own.column, own.row, 0, 1);

    std::uint8_t need = 0;
    if (dr < 0) need |= kWallNorth;
    if (dr > 0) need |= kWallSouth;
    if (dc < 0) need |= kWallWest;
    if (dc > 0) need |= kWallEast;
    if (const std::uint8_t walls = WallsMet(*t, floor, here.i, here.j, need))
        return Blocked(hit, kHitWall, own.column, own.row, 0, walls);

    const CellPos next{own.column + dc, own.row + dr};
    if (!CellOfHouse(next, house).ours)
        return Blocked(hit, kHitOtherHouse, next.column, next.row, 0, 1);
    if (dc == 0 || dr == 0) return 0;
    // Across a corner: the diagonal cell's own walls on the sides we come through.
    const int ti = here.i + dc;
    const int tj = here.j + dr;
    if (!InGrid(ti, tj)) return Blocked(hit, kHitOtherHouse, next.column, next.row, 0, 1);
    std::uint8_t opposite = dr < 0 ? kWallSouth : kWallNorth;
    opposite |= dc < 0 ? kWallEast : kWallWest;
    if (const std::uint8_t walls = WallsMet(*t, floor, ti, tj, opposite))
        return Blocked(hit, kHitWall, next.column, next.row, 1, walls);
    return 0;
}

std::uint8_t TestMapCells(const Rect16& foot, std::int8_t layer, std::uint8_t moveClass,
                          CollisionHit& hit) {
    if (layer != 0) return 0;
    const ImpassableOverlap found = FindImpassableOverlap(foot, moveClass);
    if (found.mask == 0) return 0;
    return Blocked(hit, kHitMapCell, found.column, found.row, 0, found.mask);
}

void TrampleCells(const Rect16& foot, int ux, int uy, std::uint8_t moveClass) {
    Rect16 clipped;
    if (!ClipToMap(foot, clipped)) return;
    // The middle of the footprint, always holding the unit's own point.
    const Rect16 inner{
        To16(std::min(foot.x1 + kTrampleInset, ux)), To16(std::min(foot.y1 + kTrampleInset, uy)),
        To16(std::max(foot.x2 - kTrampleInset, ux)), To16(std::max(foot.y2 - kTrampleInset, uy))};
    ForEachCoveredCell(clipped, [&](int column, int row) {
        const int index = CellIndex(column, row);
        const auto i = static_cast<std::size_t>(index);
        if (i >= MapCells.size() || i >= CellAnims.size() || i >= BrandStates.size()) return false;
        const std::uint16_t trampled = TerrainValue(MapCells[i].terrain, moveClass);
        // Only into a row the terrain table has.
        if (trampled == kNoTerrain || trampled >= TerrainCount || trampled > 255) return false;
        const int left = kCellWidth * column - 16 * row;
        const int top = kCellHeight * row;
        const Quad16 cell{{To16(left), To16(top)},
                          {To16(left + kCellWidth - 1), To16(top)},
                          {To16(left - 16), To16(top + kCellHeight - 1)},
                          {To16(left - 16 + kCellWidth - 1), To16(top + kCellHeight - 1)}};
        if (TestRectQuadOverlap(inner, cell) == 0) return false;
        SetCellTerrain(index, static_cast<std::uint8_t>(trampled));
        CellAnims[i].kind = kCellAnimBurnt;
        BrandState& b = BrandStates[i];
        b.fuel = 0;
        if (b.burning != 0) {
            b.burning = 0;
            --BurningCellCount;
        }
        return false;
    });
}

}  // namespace kv
