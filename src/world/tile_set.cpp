#include "world/tile_set.h"

#include <algorithm>
#include <string>

#include "core/fatal_error.h"
#include "core/random.h"
#include "gfx/run_tiles.h"
#include "world/houses.h"
#include "world/level_map.h"

namespace kv {

std::vector<TileTyp> TileTypen;
VffImage* TileImages = nullptr;
std::uint16_t TileImageCount = 0;

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

}  // namespace

bool ReadTileSetData(std::span<const std::uint8_t> data, TileSetData& out) {
    FreeVff(out.images);
    out.images = nullptr;
    out.imageCount = 0;
    out.tiles.clear();
    ByteReader in(data);
    const std::uint16_t tileCount = in.u16();
    if (!in.ok() || in.remaining() < tileCount * kTileTypBytes) return false;
    out.tiles.reserve(tileCount);
    for (int i = 0; i < tileCount; ++i) out.tiles.push_back(ReadRecord<TileTyp>(in));

    const std::uint16_t imageCount = in.u16();
    if (!in.ok() || imageCount < tileCount) return false;
    // The set ends with an entry without pixels; every entry before it is filled in turn, so
    // freeing a half-read set stops at the first empty one.
    out.images = static_cast<VffImage*>(AllocMem((imageCount + 1u) * sizeof(VffImage)));
    for (int i = 0; i <= imageCount; ++i) out.images[i] = VffImage{kRunTileWidth, 0, nullptr};
    for (int i = 0; i < imageCount; ++i) {
        const std::uint16_t length = in.u16();
        const std::uint16_t height = in.u16();
        const auto pixels = in.view(length);
        if (!in.ok() || !ValidateRunTile(pixels, height)) return false;
        auto* copy = static_cast<std::uint8_t*>(AllocMem(length));
        std::copy(pixels.begin(), pixels.end(), copy);
        out.images[i] = VffImage{kRunTileWidth, height, copy};
    }
    out.imageCount = imageCount;
    if (!ReadPhases(in, imageCount, out.phaseA)) return false;
    if (!ReadPhases(in, imageCount, out.phaseB)) return false;

    for (const TileTyp& t : out.tiles) {
        if (t.fireImage >= imageCount || t.burntImage >= imageCount) return false;
        if (!AnimFits(t.animA, imageCount) || !AnimFits(t.animB, imageCount)) return false;
    }
    return true;
}

void FreeTileSet() {
    TileTypen = {};
    FreeVff(TileImages);
    TileImages = nullptr;
    TileImageCount = 0;
}

VffImage* LoadTileSetFromBytes(std::span<const std::uint8_t> data, std::string_view path) {
    FreeTileSet();
    TileSetData set;
    bool ok = ReadTileSetData(data, set);
    // Every ground tile the level names must be in the set.
    for (std::size_t i = 0; ok && i < MapCells.size(); ++i) {
        const std::uint16_t tile = MapCells[i].tile;
        if (tile < kHouseLinkBase && tile >= set.tiles.size()) ok = false;
    }
    if (!ok) {
        FatalError(std::string(path) + ": fileversion corrupt!");
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
    TileImages = set.images;
    TileImageCount = static_cast<std::uint16_t>(set.imageCount);
    set.images = nullptr;
    return TileImages;
}

VffImage* LoadTileSet(int mission, int partTwo) {
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
