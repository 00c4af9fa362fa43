#pragma once
// The pictures of the placed houses: per hl set number the lower parts, per upper set number the
// middle, upper and see-through parts (hm, hu, ho), each a table of tile records and run-encoded
// images 48 pixels wide; and the flame overlays of burning house parts, lower (lb), middle (mb)
// and upper (ub), loaded only when a placed house uses them.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gfx/run_tiles.h"
#include "platform/bytes.h"
#include "world/tile_set.h"

namespace kv {

inline constexpr int kHouseHlSetCount = 8;
inline constexpr int kHouseUpperSetCount = 7;
inline constexpr int kLowerFlameSetCount = 6;
inline constexpr int kMiddleFlameSetCount = 3;
inline constexpr int kUpperFlameSetCount = 16;

// A table of tile records and the images it names. The image numbers of the table and of the
// house cells are not checked against the images here: the drawing checks them where it uses them.
struct HouseImageSet {
    std::vector<TileTyp> table;
    RunImageSet images;
    bool loaded = false;
};
extern std::array<HouseImageSet, kHouseHlSetCount> HouseHlSets;
extern std::array<HouseImageSet, kHouseUpperSetCount> HouseHmSets;
extern std::array<HouseImageSet, kHouseUpperSetCount> HouseHuSets;
extern std::array<HouseImageSet, kHouseUpperSetCount> HouseHoSets;

// One flame overlay: its frames (48 pixels wide, run-encoded) and how long each lasts.
struct HouseFlameSet {
    std::int16_t frames = 0;  // at least 1 once loaded
    std::int16_t ticks = 0;
    RunImageSet images;  // empty: no placed house uses the set
    bool loaded() const { return !images.empty(); }
};
enum class FlameLayer : std::uint8_t { Lower, Middle, Upper };
extern std::array<HouseFlameSet, kLowerFlameSetCount> LowerFlameSets;
extern std::array<HouseFlameSet, kMiddleFlameSetCount> MiddleFlameSets;
extern std::array<HouseFlameSet, kUpperFlameSetCount> UpperFlameSets;
// The sets of a layer.
std::span<HouseFlameSet> FlameSetsOf(FlameLayer layer);

// "houses\hl%02d.dat" and the like, with the file numbers starting at 1.
std::string HouseImageFileName(std::string_view prefix, int set);

// Load a set number's files once; a number outside the sets is none. False after a FatalError:
// a missing file ("<name> not found!") or a malformed one ("<name>: fileversion corrupt!").
bool LoadHouseHlSet(int set);
// hm, hu and ho together, unless the hm and hu sets are already there.
bool LoadHouseUpperSets(int set);
void FreeHouseHlSet(int set);
void FreeHouseUpperSet(int set);

// Reads a table-and-images file: u16 n, n tile records, u16 m, m images; what follows is not read.
// False, with the reason in the reader, when malformed.
bool ReadHouseImageSet(ByteReader& in, HouseImageSet& out);
void FreeHouseImageSet(HouseImageSet& set);

// Reads a flame-set file: u16 frames, a word not used, u16 ticks, the frames. One without frames
// is malformed. False, with the reason in the reader, when malformed.
bool ReadHouseFlameSet(ByteReader& in, HouseFlameSet& out);
// Loads the file into set index (0-based) of a layer. False after a FatalError.
bool LoadHousePartSet(std::string_view name, FlameLayer layer, int index);
// Loads every flame set that a cell of a placed house names; the others stay empty. Numbers
// beyond a layer's sets name none.
bool LoadUsedHousePartSets();
void FreeHousePartSets();

}  // namespace kv
