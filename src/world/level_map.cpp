#include "world/level_map.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <utility>

#include "core/cd_path.h"
#include "core/fatal_error.h"
#include "core/refused_file.h"
#include "platform/files.h"
#include "world/terrain.h"
#include "world/terrain_outline.h"

namespace kv {

std::uint16_t MapWidth = 0;
std::uint16_t MapHeight = 0;
std::uint16_t MapCellCount = 0;
std::vector<MapCell> MapCells;
std::vector<CellAnim> CellAnims;
std::vector<BrandState> BrandStates;
std::vector<RoadNode> RoadNodes;
std::int16_t RoadNodeCount = 0;
std::int16_t RoadNodeCapacity = 0;

void SetCellTerrain(int cell, std::uint8_t terrain) {
    if (cell < 0 || static_cast<std::size_t>(cell) >= MapCells.size()) return;
    std::uint8_t& t = MapCells[static_cast<std::size_t>(cell)].terrain;
    NoteTerrainChange(cell, t, terrain);
    t = terrain;
}

void SetBurntTerrain(int cell) {
    if (cell < 0 || static_cast<std::size_t>(cell) >= MapCells.size()) return;
    const std::uint8_t terrain = MapCells[static_cast<std::size_t>(cell)].terrain;
    // A successor the terrain table or the cell's terrain byte cannot hold leaves the terrain.
    if (terrain >= TerrainCount) return;
    const std::uint16_t burnt = TerrainTypen[terrain].burntTerrain;
    if (burnt == kNoTerrain || burnt >= TerrainCount || burnt > 255) return;
    SetCellTerrain(cell, static_cast<std::uint8_t>(burnt));
}

std::optional<std::vector<std::uint8_t>> ReadMissionFile(int mission, int partTwo,
                                                         std::string_view extension,
                                                         std::string& resolvedPath) {
    char name[64];
    const std::string ext(extension);
    if (partTwo != 0) {
        std::snprintf(name, sizeof name, "CDmissions\\mi%02db%s", mission, ext.c_str());
        resolvedPath = ResolveCdPath(name);
        if (auto data = ReadFileBytes(resolvedPath)) return data;
    }
    std::snprintf(name, sizeof name, "CDmissions\\mi%02d%s", mission, ext.c_str());
    resolvedPath = ResolveCdPath(name);
    return ReadFileBytes(resolvedPath);
}

void FreeLevelMap() {
    DropTerrainOutlines();
    MapWidth = MapHeight = MapCellCount = 0;
    MapCells = {};
    CellAnims = {};
    BrandStates = {};
    RoadNodes = {};
    RoadNodeCount = 0;
    RoadNodeCapacity = 0;
}

namespace {

// Everything after the magic. False, with the reason in the reader, when the file is short or a
// count is impossible.
bool ReadLevelBody(ByteReader& in) {
    in.skip(4);  // "Info"
    in.u16();
    const std::size_t sizeAt = in.position();
    const std::uint16_t width = in.u16();
    const std::uint16_t height = in.u16();
    in.skip(4);  // "Data"
    if (!in.ok()) return false;
    const long cells = static_cast<long>(width) * height;
    if (cells == 0 || cells > kMaxMapCells)
        return in.refuseAt(sizeAt, std::to_string(width) + " x " + std::to_string(height) +
                                       " cells, 1 to " + std::to_string(kMaxMapCells) + " allowed");
    if (!in.require(static_cast<std::size_t>(cells) * kMapCellBytes)) return false;

    MapWidth = width;
    MapHeight = height;
    MapCellCount = static_cast<std::uint16_t>(cells);
    MapCells.resize(MapCellCount);
    CellAnims.assign(MapCellCount, CellAnim{});
    BrandStates.assign(MapCellCount, BrandState{});
    for (MapCell& cell : MapCells) ReadRecord(in, cell);

    in.skip(4);  // "Init"
    const std::int16_t burning = in.i16();
    if (!in.ok()) return false;
    if (burning < 0) return in.refuse("a negative count of burning cells");
    if (!in.require(static_cast<std::size_t>(burning) * 4)) return false;
    for (int i = 0; i < burning; ++i) {
        const std::int16_t column = in.i16();
        const std::int16_t row = in.i16();
        // A pair naming a cell outside the map names none.
        if (CellInMap(column, row)) BrandStates[CellIndex(column, row)].burning = 1;
    }

    in.skip(4);  // "Node"
    const std::int16_t count = in.i16();
    if (!in.ok()) return false;
    // The capacity holds two more and must stay a 16-bit count.
    if (count < 0 || count > INT16_MAX - 2)
        return in.refuse(std::to_string(count) + " road nodes, 0 to " +
                         std::to_string(INT16_MAX - 2) + " allowed");
    if (!in.require(static_cast<std::size_t>(count) * kRoadNodeBytes)) return false;
    RoadNodeCount = count;
    RoadNodeCapacity = static_cast<std::int16_t>(count + 2);
    RoadNodes.assign(static_cast<std::size_t>(RoadNodeCapacity), RoadNode{});
    for (int i = 0; i < count; ++i) {
        RoadNode& node = RoadNodes[static_cast<std::size_t>(i)];
        ReadRecord(in, node);
        for (auto& n : node.neighbour)
            if (n >= count) n = kNoNode;
    }
    return in.ok();
}

}  // namespace

bool LoadLevelMapFromBytes(std::span<const std::uint8_t> data, std::string_view path) {
    FreeLevelMap();
    ByteReader in(data);
    if (!ReadMagic(in, kLevelMagic) || !ReadLevelBody(in)) {
        FreeLevelMap();
        FileVersionCorrupt(path, in.fault());
        return false;
    }
    return true;
}

bool LoadLevelMap(int mission, int partTwo) {
    std::string path;
    const auto data = ReadMissionFile(mission, partTwo, ".lev", path);
    if (!data) {
        FreeLevelMap();
        FatalError(path + " not found!");
        return false;
    }
    return LoadLevelMapFromBytes(*data, path);
}

void MirrorRoadNodes() {
    for (int i = 0; i < RoadNodeCount; ++i) {
        RoadNode& n = RoadNodes[static_cast<std::size_t>(i)];
        for (int k = 0; k < kDirections / 2; ++k) {
            std::swap(n.neighbour[k], n.neighbour[k + 6]);
            std::swap(n.edgeTerrain[k], n.edgeTerrain[k + 6]);
            std::swap(n.edgeExtra[k], n.edgeExtra[k + 6]);
        }
    }
}

}  // namespace kv
