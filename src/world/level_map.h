#pragma once
// The mission's level map: a sheared grid of cells 32 x 28 pixels, each row shifted 16 pixels left
// of the row above it, with the cells' tiles, fire classes and terrain, and the road graph.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/record_fields.h"

namespace kv {

inline constexpr int kCellWidth = 32;
inline constexpr int kCellHeight = 28;
// The per-cell arrays are indexed with 16-bit cell numbers and the fire model forms neighbour
// indices as signed 16-bit values, so a level holds at most this many cells.
inline constexpr int kMaxMapCells = 32767;

// A `tile` from this value up links the cell to a ground-floor house cell.
inline constexpr std::uint16_t kHouseLinkBase = 0x8000;
constexpr bool IsHouseLink(std::uint16_t tile) {
    return tile >= kHouseLinkBase;
}
// Bit 7 of `material`: the cell still has its unburnt look.
inline constexpr std::uint8_t kMaterialUnburnt = 0x80;
inline constexpr std::uint8_t kMaterialClassMask = 0x7F;

// One map cell; the same six bytes are the level file's cell record and the saved form.
struct MapCell {
    std::uint16_t tile = 0;
    std::uint8_t material = 0;
    std::uint8_t terrain = 0;
    std::uint16_t extra = 0;  // carried with the cell, not interpreted
};
template <class V>
constexpr void VisitFields(MapCell& r, V& v) {
    v("tile", r.tile);
    v("material", r.material);
    v("terrain", r.terrain);
    v("extra", r.extra);
}
inline constexpr std::size_t kMapCellBytes = RecordSize<MapCell>();

// Animation state of a map cell (and of a house cell's flame layer).
struct CellAnim {
    std::uint8_t kind = 0;  // 0 plain, 1 animation A, 2 animation B, 3 fire, 4 burnt; houses 5+
    std::uint8_t frame = 0;
    std::uint8_t tick = 0;
};
template <class V>
constexpr void VisitFields(CellAnim& r, V& v) {
    v("kind", r.kind);
    v("frame", r.frame);
    v("tick", r.tick);
}
inline constexpr std::size_t kCellAnimBytes = RecordSize<CellAnim>();

// Fire state of a burnable map cell or house cell.
struct BrandState {
    std::int32_t fuel = 0;
    std::int32_t heat = 0;
    std::uint8_t burning = 0;
};
template <class V>
constexpr void VisitFields(BrandState& r, V& v) {
    v("fuel", r.fuel);
    v("heat", r.heat);
    v("burning", r.burning);
}
inline constexpr std::size_t kBrandStateBytes = RecordSize<BrandState>();

inline constexpr int kDirections = 12;
inline constexpr std::uint16_t kNoNode = 65535;

// One node of the road graph; the same 52 bytes are the level file's node record.
struct RoadNode {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::array<std::uint16_t, kDirections> neighbour{};  // per direction, kNoNode = none
    std::array<std::uint8_t, kDirections> edgeTerrain{};
    std::array<std::uint8_t, kDirections> edgeExtra{};  // stored as read
};
template <class V>
constexpr void VisitFields(RoadNode& r, V& v) {
    v("x", r.x);
    v("y", r.y);
    v("neighbour", r.neighbour);
    v("edgeTerrain", r.edgeTerrain);
    v("edgeExtra", r.edgeExtra);
}
inline constexpr std::size_t kRoadNodeBytes = RecordSize<RoadNode>();

// The level file's first bytes, compared over exactly these 21 characters.
inline constexpr std::string_view kLevelMagic = "Kestrivon Level V2.08";

extern std::uint16_t MapWidth;
extern std::uint16_t MapHeight;
extern std::uint16_t MapCellCount;
extern std::vector<MapCell> MapCells;
extern std::vector<CellAnim> CellAnims;
extern std::vector<BrandState> BrandStates;
// RoadNodeCapacity entries: the level's nodes and two spare ones for the route search's
// temporary start and goal.
extern std::vector<RoadNode> RoadNodes;
extern std::int16_t RoadNodeCount;
extern std::int16_t RoadNodeCapacity;

// Pixel line 0..27 of a cell row to the row's shear at that line. A fixed table, not a formula:
// every pixel-to-cell conversion uses it.
inline constexpr std::array<std::uint8_t, kCellHeight> RowShear = {
    0, 1, 1, 2, 2, 3, 4, 4, 5, 5, 6, 7, 7, 8, 8, 9, 9, 10, 11, 11, 12, 12, 13, 14, 14, 15, 15, 16};

struct CellPos {
    int column = 0;
    int row = 0;
    bool operator==(const CellPos&) const = default;
};
struct PixelPos {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPos&) const = default;
};

// The cell holding a world pixel. The result may lie outside the map; callers test it. Rounding
// down, not toward zero: a pixel above the map gets a row above it instead of a shear line outside
// the table. Inline: every step asks it for its corners.
inline CellPos CellFromPixel(int x, int y) {
    int row = y / kCellHeight;
    if (y < 0 && row * kCellHeight != y) --row;
    const int t = y - kCellHeight * row;
    return {(16 * row + x + RowShear[static_cast<std::size_t>(t)]) >> 5, row};
}
// The first x the cell covers on its pixel line t (0..27); it covers 32 pixels from there.
inline int CellLineStartX(int column, int row, int t) {
    return kCellWidth * column - 16 * row - RowShear[t];
}
// The point of a cell that heat sources are measured from.
inline PixelPos CellHeatPoint(int column, int row) {
    return {kCellWidth * column - 16 * row + 24, kCellHeight * row + 14};
}
inline bool CellInMap(int column, int row) {
    return column >= 0 && column < MapWidth && row >= 0 && row < MapHeight;
}
// The index of a cell in every per-cell array: column-major.
inline int CellIndex(int column, int row) {
    return column * MapHeight + row;
}

// Writes a cell's terrain. Every change of a cell's terrain during play goes through here, so that
// what movement derives from the terrain can follow. Nothing for an index outside the map.
void SetCellTerrain(int cell, std::uint8_t terrain);
// The cell's terrain becomes the one its terrain turns into when burnt or felled, where the terrain
// table names one; through SetCellTerrain.
void SetBurntTerrain(int cell);

// The bytes of a mission's file "CDmissions\mi%02d<extension>", for the second part the "b" file
// "CDmissions\mi%02db<extension>" when it exists, else the first part's. resolvedPath is the host
// path last tried, for the messages.
std::optional<std::vector<std::uint8_t>> ReadMissionFile(int mission, int partTwo,
                                                         std::string_view extension,
                                                         std::string& resolvedPath);

// Reads "CDmissions\mi%02d.lev" (the second part's "b" file when partTwo, falling back to the
// first part's). False after a FatalError; the map is then empty.
bool LoadLevelMap(int mission, int partTwo);
// The level file's bytes; path names the file in the messages.
bool LoadLevelMapFromBytes(std::span<const std::uint8_t> data, std::string_view path);
// Frees the per-cell arrays and the road graph.
void FreeLevelMap();

// Turns every edge round: the entries of direction k move to direction (k + 6) mod 12.
void MirrorRoadNodes();

}  // namespace kv
