#include "world/tile_set.h"

#include <algorithm>
#include <string>

#include "core/fatal_error.h"
#include "core/random.h"
#include "core/refused_file.h"
#include "world/houses.h"
#include "world/level_map.h"

namespace kv {

std::vector<TileTyp> TileTypen;
RunImageSet TileImages;

namespace {

bool AnimRuns(const TileAnim& a) {
    return a.flag == kAnimFromStart || a.flag == kAnimFire;
}

bool AnimFits(const TileAnim& a, std::size_t imageCount) {
    if (!AnimRuns(a)) return true;
    return a.frames >= 1 && a.first + static_cast<std::size_t>(a.frames) <= imageCount;
}

// A phase block holds one byte per image, or is missing altogether (all random).
bool ReadPhases(ByteReader& in, std::size_t count, std::vector<std::uint8_t>& out) {
    if (in.atEnd()) {
        out.assign(count, kRandomPhase);
        return true;
    }
    const auto bytes = in.view(count);
    if (!in.ok()) return false;
    out.assign(bytes.begin(), bytes.end());
    return true;
}

// What is wrong with a tile's record, or nothing.
std::string TileFault(const TileTyp& t, std::size_t imageCount) {
    const std::string images = " of " + std::to_string(imageCount) + " images";
    if (t.fireImage >= imageCount) return "fire image " + std::to_string(t.fireImage) + images;
    if (t.burntImage >= imageCount) return "burnt image " + std::to_string(t.burntImage) + images;
    if (!AnimFits(t.animA, imageCount)) return "animation A does not fit" + images;
    if (!AnimFits(t.animB, imageCount)) return "animation B does not fit" + images;
    return {};
}

}  // namespace

bool ReadTileRecords(ByteReader& in, std::vector<TileTyp>& out) {
    const std::uint16_t count = in.u16();
    if (!in.require(count * kTileTypBytes)) return false;
    out.resize(count);
    for (TileTyp& t : out) ReadRecord(in, t);
    return true;
}

bool ReadTileSetData(ByteReader& in, TileSetData& out) {
    out = TileSetData{};
    if (!ReadTileRecords(in, out.tiles)) return false;
    const std::size_t tileCount = out.tiles.size();

    const std::uint16_t imageCount = in.u16();
    if (!in.ok()) return false;
    // Every tile has its plain image.
    if (imageCount < tileCount)
        return in.refuse(std::to_string(imageCount) + " images for " + std::to_string(tileCount) +
                         " tiles");
    if (!ReadRunImages(in, imageCount, out.images)) return false;
    if (!ReadPhases(in, imageCount, out.phaseA)) return false;
    if (!ReadPhases(in, imageCount, out.phaseB)) return false;

    for (std::size_t i = 0; i < out.tiles.size(); ++i)
        if (const std::string fault = TileFault(out.tiles[i], imageCount); !fault.empty())
            return in.refuseAt(2 + i * kTileTypBytes, "tile " + std::to_string(i) + ": " + fault);
    return true;
}

void FreeTileSet() {
    TileTypen = {};
    TileImages = {};
}

const RunImageSet* LoadTileSetFromBytes(std::span<const std::uint8_t> data, std::string_view path) {
    FreeTileSet();
    TileSetData set;
    ByteReader in(data);
    if (ReadTileSetData(in, set)) {
        // Every ground tile the level names must be in the set.
        for (std::size_t i = 0; i < MapCells.size(); ++i) {
            const std::uint16_t tile = MapCells[i].tile;
            if (!IsHouseLink(tile) && tile >= set.tiles.size()) {
                in.refuseAt(0, "the level's cell " + std::to_string(i) + " names tile " +
                                   std::to_string(tile) + " of " +
                                   std::to_string(set.tiles.size()));
                break;
            }
        }
    }
    if (!in.ok()) {
        FileVersionCorrupt(path, in.fault());
        return nullptr;
    }

    for (std::size_t i = 0; i < MapCells.size(); ++i) {
        CellAnim& anim = CellAnims[i];
        anim = CellAnim{};
        const std::uint16_t tile = MapCells[i].tile;
        if (tile >= set.tiles.size()) continue;
        const TileTyp& t = set.tiles[tile];
        if (t.animA.flag == kAnimFromStart) {
            anim.kind = 1;
            if (set.phaseA[tile] == kRandomPhase)
                anim.frame = static_cast<std::uint8_t>(Rand() % t.animA.frames);
        } else if (t.animB.flag == kAnimFromStart) {
            anim.kind = 2;
            if (set.phaseB[tile] == kRandomPhase)
                anim.frame = static_cast<std::uint8_t>(Rand() % t.animB.frames);
        }
    }
    TileTypen = std::move(set.tiles);
    TileImages = std::move(set.images);
    return &TileImages;
}

const RunImageSet* LoadTileSet(int mission, int partTwo) {
    std::string path;
    const auto data = ReadMissionFile(mission, partTwo, ".dat", path);
    if (!data) {
        FreeTileSet();
        FatalError(path + " not found!");
        return nullptr;
    }
    return LoadTileSetFromBytes(*data, path);
}

void UpdateCellAnimations() {
    for (std::size_t i = 0; i < CellAnims.size() && i < MapCells.size(); ++i) {
        CellAnim& anim = CellAnims[i];
        if (anim.kind != 1 && anim.kind != 2) continue;
        // A house link written over an animated cell has no tile to animate.
        const std::uint16_t tile = MapCells[i].tile;
        if (tile >= TileTypen.size()) continue;
        const TileAnim& a = anim.kind == 1 ? TileTypen[tile].animA : TileTypen[tile].animB;
        ++anim.tick;
        if (anim.tick >= a.ticks) {
            anim.tick = 0;
            ++anim.frame;
            if (anim.frame >= a.frames) anim.frame = 0;
        }
    }
    UpdateHouseFlameAnims();
}

}  // namespace kv
