#pragma once
// The mission's tile set: per tile its fire and burnt images and two optional animations, and the
// tile images (run-encoded, 48 pixels wide). Loading it also sets every map cell's animation.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/record_fields.h"
#include "gfx/run_tiles.h"

namespace kv {

struct TileAnim {
    std::uint16_t first = 0;  // first image
    std::int8_t frames = 0;
    std::int8_t ticks = 0;  // ticks per frame
    std::uint8_t flag = 0;  // kAnimFromStart, kAnimFire, anything else none
};
template <class V>
constexpr void VisitFields(TileAnim& r, V& v) {
    v("first", r.first);
    v("frames", r.frames);
    v("ticks", r.ticks);
    v("flag", r.flag);
}
inline constexpr std::uint8_t kAnimFromStart = 1;
inline constexpr std::uint8_t kAnimFire = 2;

// The same 14 bytes are the tile set file's tile record.
struct TileTyp {
    std::uint16_t fireImage = 0;
    std::uint16_t burntImage = 0;
    TileAnim animA;
    TileAnim animB;
};
template <class V>
constexpr void VisitFields(TileTyp& r, V& v) {
    v("fireImage", r.fireImage);
    v("burntImage", r.burntImage);
    v("animA", r.animA);
    v("animB", r.animB);
}
inline constexpr std::size_t kTileTypBytes = RecordSize<TileTyp>();

// A u16 count and that many tile records, as tile sets and house picture sets begin. False, with
// the reason in the reader, when the file is short.
bool ReadTileRecords(ByteReader& in, std::vector<TileTyp>& out);

// A phase byte of this value starts an animation at a random frame, any other at frame 0.
inline constexpr std::uint8_t kRandomPhase = 255;

// A tile set as its file holds it, checked: at least as many images as tiles, and every image a
// tile names (fire, burnt, the frames of an animation that runs) present.
struct TileSetData {
    std::vector<TileTyp> tiles;
    RunImageSet images;
    std::vector<std::uint8_t> phaseA;  // one per image
    std::vector<std::uint8_t> phaseB;
};
// False, with the reason in the reader, when the data does not hold a valid tile set.
bool ReadTileSetData(ByteReader& in, TileSetData& out);

extern std::vector<TileTyp> TileTypen;
// The loaded tile set's images; image i below the tile count is tile i's plain image.
extern RunImageSet TileImages;

// Reads "CDmissions\mi%02d.dat" (for the second part the "b" file, falling back to the first
// part's), sets every cell's animation and returns TileImages. Null after a FatalError; the tile
// set is then empty.
const RunImageSet* LoadTileSet(int mission, int partTwo);
const RunImageSet* LoadTileSetFromBytes(std::span<const std::uint8_t> data, std::string_view path);
void FreeTileSet();

// Once per simulation tick: the cells running animation A or B step on, then the burning flame
// layers of the houses.
void UpdateCellAnimations();

}  // namespace kv
