#pragma once
// The 74 house types: per type its floors, each a grid of at most 16 x 8 house cells read from
// the type's house file "houses\haus%02d.hlv", and the settings that go with the type's pictures
// (door, entrance, facade grids, fire between houses, furniture).

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/bytes.h"
#include "world/furniture.h"

namespace kv {

inline constexpr int kHouseTypCount = 74;
inline constexpr int kHouseGridI = 16;  // columns
inline constexpr int kHouseGridJ = 8;   // rows; the last row of a type is its front
// Storeys are signed bytes in the unit records, so a type has at most this many floors.
inline constexpr int kMaxHouseTypFloors = 127;

// The house file's first bytes, compared over exactly these 21 characters.
inline constexpr std::string_view kHouseMagic = "Kestrivon House V1.03";

// Wall bits of a house cell: the sides a person inside cannot cross. I is the column, J the row;
// the detour corners round a wall are laid out by the same bits.
inline constexpr std::uint8_t kWallEast = 16;    // towards the next column (I + 1)
inline constexpr std::uint8_t kWallSouth = 32;   // towards the next row (J + 1)
inline constexpr std::uint8_t kWallWest = 64;    // towards the previous column
inline constexpr std::uint8_t kWallNorth = 128;  // towards the previous row

// One cell of a floor grid; the same 11 bytes are the house file's cell record.
struct HouseCell {
    // The lower-part picture; non-zero where the building stands on this cell.
    std::uint16_t lowerImage = 0;
    std::uint16_t middleImage = 0;
    std::uint16_t upperImage = 0;
    std::uint8_t material = 0;  // fire class
    std::uint8_t walls = 0;
    std::uint8_t lowerFlames = 0;   // flame set 1..6, 0 none
    std::uint8_t middleFlames = 0;  // 1..3
    std::uint8_t upperFlames = 0;   // 1..16
};
template <class V>
constexpr void VisitFields(HouseCell& r, V& v) {
    v("lowerImage", r.lowerImage);
    v("middleImage", r.middleImage);
    v("upperImage", r.upperImage);
    v("material", r.material);
    v("walls", r.walls);
    v("lowerFlames", r.lowerFlames);
    v("middleFlames", r.middleFlames);
    v("upperFlames", r.upperFlames);
}
inline constexpr std::size_t kHouseCellBytes = RecordSize<HouseCell>();

// A house file's cells all without a fire class get this one.
inline constexpr std::uint8_t kDefaultHouseMaterial = 4;

using HouseGrid = std::array<std::array<std::uint8_t, kHouseGridJ>, kHouseGridI>;

struct HouseTyp {
    std::uint16_t floors = 0;
    std::uint16_t extentI = 0;
    std::uint16_t extentJ = 0;
    // floors x 16 x 8, [floor][I][J], the grid always whole; empty while the type is not loaded.
    std::vector<HouseCell> cells;
    // [I][J]: cells whose upper part the drawing shows only on the top storey it shows.
    HouseGrid facadeLook{};
    std::uint8_t doorI = 0;
    std::uint8_t doorJ = 0;
    std::uint8_t doorSide = 1;     // 0 rear, 1 front, 2 left, 3 right
    std::uint8_t entranceI = 255;  // 255: none
    std::uint8_t entranceJ = 255;
    std::uint8_t drawFlag = 0;  // also the evacuation mark of a newly placed house
    std::uint8_t enterShowsInterior = 0;
    std::int16_t spreadDivisor = 2;  // fire from another house is divided by this too
    // [facade column][storey]: windows from which persons may be fetched or called to jump.
    HouseGrid facadeFlags{};
    std::uint16_t furnitureCount = 0;
    std::vector<HouseObj> furniture;

    bool loaded() const { return !cells.empty(); }
    HouseCell& cell(int floor, int i, int j) {
        return cells[static_cast<std::size_t>((floor * kHouseGridI + i) * kHouseGridJ + j)];
    }
    const HouseCell& cell(int floor, int i, int j) const {
        return cells[static_cast<std::size_t>((floor * kHouseGridI + i) * kHouseGridJ + j)];
    }
};
extern std::array<HouseTyp, kHouseTypCount> HouseTypen;

// The drawing loops over storeys up to this: 1 at mission start, raised to floors + 1 by every
// type loaded with more floors.
extern std::int16_t MaxHouseFloors;

// A rectangle of a type's grids, both ends included; empty when i0 > i1.
struct HouseGridBlock {
    std::uint8_t i0 = 1;
    std::uint8_t i1 = 0;
    std::uint8_t j0 = 1;
    std::uint8_t j1 = 0;
};

// What a type's settings write over the defaults; the values go with the type's pictures.
struct HouseTypSettings {
    std::uint8_t doorI = 0;
    std::uint8_t doorJ = 0;
    std::uint8_t doorSide = 1;
    std::uint8_t entranceI = 255;
    std::uint8_t entranceJ = 255;
    std::uint8_t drawFlag = 0;
    std::uint8_t enterShowsInterior = 0;
    std::int16_t spreadDivisor = 2;
    HouseGridBlock facadeLook;   // [I][J]
    HouseGridBlock facadeFlags;  // [facade column][storey]
};
const HouseTypSettings& HouseTypSettingsOf(int type);

// "houses\haus%02d.hlv" of a type 0..73 (the file numbers start at 1).
std::string HouseFileName(int type);

// Loads a type once per mission: its settings, its furniture table and its house file. False
// for a type outside 0..73 (no message) and after a FatalError: a missing file, a wrong magic,
// or cells the file does not hold or the grid cannot (reported as a corrupt file version).
bool LoadHouseTyp(int type);
// The same over a house file already read; path names it in the messages.
bool LoadHouseTypFromBytes(int type, std::span<const std::uint8_t> data, std::string_view path);
// Back to not loaded, cells and furniture list freed.
void FreeHouseTyp(int type);

}  // namespace kv
