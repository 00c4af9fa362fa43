#pragma once
// Furniture: the pieces that furnished house types carry on their storeys, the 68 graphics slots
// they are drawn from, and the pieces of the placed houses, which animate while they burn.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/record_fields.h"
#include "gfx/image_files.h"

namespace kv {

inline constexpr int kHouseObjSlotCount = 68;
inline constexpr std::uint16_t kNoHouseObjSlot = 65535;
inline constexpr std::uint16_t kNoHouseObj = 65535;

// One graphics slot: a piece's look (normal, burning or burnt out) and its box.
struct HouseObjTyp {
    std::uint16_t ticks = 1;  // per frame
    std::uint16_t frames = 1;
    FrameSet* images = nullptr;  // null = not loaded
    std::uint16_t burningSlot = kNoHouseObjSlot;
    std::uint16_t burntSlot = kNoHouseObjSlot;
    // x1, y1, x2, y2 relative to the piece's position.
    std::array<std::int16_t, 4> box{};
};
extern std::array<HouseObjTyp, kHouseObjSlotCount> HouseObjTypen;

// A piece of a placed house; in a house type's list, x and y are the offset from the house's
// origin point and burning, frame and tick are unused.
struct HouseObj {
    std::uint16_t slot = kNoHouseObjSlot;  // kNoHouseObjSlot: nothing
    // Map pixels; signed, as houses may stand partly left of or above the map.
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint8_t storey = 0;  // 1..4: floor + 1
    std::uint8_t flag = 0;
    std::uint8_t burning = 0;
    std::uint16_t frame = 0;
    std::uint16_t tick = 0;
};

template <class V>
constexpr void VisitFields(HouseObj& r, V& v) {
    v("slot", r.slot);
    v("x", r.x);
    v("y", r.y);
    v("storey", r.storey);
    v("flag", r.flag);
    v("burning", r.burning);
    v("frame", r.frame);
    v("tick", r.tick);
}

extern std::vector<HouseObj> HouseObjs;
extern std::int16_t HouseObjCount;

// One look of a group: the file "houseobj\<file>.vff" and the name a missing file is reported by.
struct HouseObjLook {
    std::string_view file;
    std::string_view message;
};
// A group of three slots (normal, burning, burnt out) or a single slot that cannot burn.
struct HouseObjGroup {
    std::uint16_t slot;
    std::array<std::int16_t, 4> box;
    std::array<std::int16_t, 2> burningOffset;  // drawing offset of every burning frame
    bool single;
    std::array<HouseObjLook, 3> looks;  // a single slot has only the first
};
inline constexpr int kBurningFrames = 12;
inline constexpr int kBurningTicks = 2;
constexpr HouseObjGroup FurnitureGroup(std::uint16_t slot, std::array<std::int16_t, 4> box,
                                       std::array<std::int16_t, 2> burningOffset,
                                       HouseObjLook normal, HouseObjLook burning,
                                       HouseObjLook burnt) {
    return {slot, box, burningOffset, false, {normal, burning, burnt}};
}
constexpr HouseObjGroup FurnitureSingle(std::uint16_t slot, std::array<std::int16_t, 4> box,
                                        HouseObjLook look) {
    return {slot, box, {0, 0}, true, {look, {}, {}}};
}
inline constexpr auto kHouseObjGroups = std::to_array<HouseObjGroup>({
    FurnitureGroup(0, {0, 13, 15, 24}, {-1, -8}, {"plant1", "PLANT1"},
                   {"plant1b", "PLANT1BRENNEND"}, {"plant1f", "PLANT1FULLBURNED"}),
    FurnitureGroup(3, {0, 8, 54, 39}, {0, -17}, {"sg1", "SG1"}, {"sg1b", "SG1BRENNEND"},
                   {"sg1f", "SG1ABGEBRANNT"}),
    FurnitureGroup(6, {5, 8, 49, 48}, {-1, -13}, {"sg2", "SG2"}, {"sg2b", "SG2BRENNEND"},
                   {"sg2f", "SG2ABGEBRANNT"}),
    FurnitureGroup(9, {2, 8, 50, 51}, {-4, -13}, {"sg3", "SG3"}, {"sg3b", "SG3BRENNEND"},
                   {"sg3f", "SG3ABGEBRANNT"}),
    FurnitureGroup(12, {5, 15, 49, 39}, {0, -26}, {"sg4", "SG4"}, {"sg4b", "SG4BRENNEND"},
                   {"sg4f", "SG4ABGEBRANNT"}),
    FurnitureGroup(15, {2, 12, 45, 25}, {-1, -20}, {"sg5", "SG5"}, {"sg5b", "SG5BRENNEND"},
                   {"sg5f", "SG5ABGEBRANNT"}),
    FurnitureGroup(18, {2, 12, 46, 29}, {-1, -24}, {"sg6", "SG6"}, {"sg6b", "SG6BRENNEND"},
                   {"sg6f", "SG6ABGEBRANNT"}),
    FurnitureGroup(21, {0, 23, 60, 50}, {-2, -30}, {"kueche1", "KUECHE1"},
                   {"kueche1b", "KUECHE1BRENNEND"}, {"kueche1f", "KUECHE1FULLBURNED"}),
    FurnitureGroup(24, {0, 23, 72, 51}, {-2, -25}, {"kueche2", "KUECHE2"},
                   {"kueche2b", "KUECHE2BRENNEND"}, {"kueche2f", "KUECHE2FULLBURNED"}),
    FurnitureGroup(27, {0, 17, 9, 22}, {0, -2}, {"wc1", "WC1"}, {"wc1b", "WC1BRENNEND"},
                   {"wc1f", "WC1FULLBURNED"}),
    FurnitureGroup(30, {0, 17, 33, 27}, {0, -11}, {"bett1", "BETT1"}, {"bett1b", "BETT1BRENNEND"},
                   {"bett1f", "BETT1FULLBURNED"}),
    FurnitureGroup(33, {0, 11, 33, 29}, {-2, -21}, {"bett2", "BETT2"}, {"bett2b", "BETT2BRENNEND"},
                   {"bett2f", "BETT2FULLBURNED"}),
    FurnitureGroup(36, {0, 8, 24, 25}, {-2, -20}, {"bett3", "BETT3"}, {"bett3b", "BETT3BRENNEND"},
                   {"bett3f", "BETT3FULLBURNED"}),
    FurnitureGroup(39, {1, 21, 31, 27}, {-4, -32}, {"schrank1", "SCHRANK1"},
                   {"schran1b", "SCHRANK1BRENNEND"}, {"schran1f", "SCHRANK1FULLBURNED"}),
    FurnitureGroup(42, {1, 21, 31, 27}, {-2, -20}, {"schrank2", "SCHRANK2"},
                   {"schran2b", "SCHRANK2BRENNEND"}, {"schran2f", "SCHRANK2FULLBURNED"}),
    FurnitureGroup(45, {0, 28, 27, 61}, {-1, -17}, {"schrank3", "SCHRANK3"},
                   {"schran3b", "SCHRANK3BRENNEND"}, {"schran3f", "SCHRANK3FULLBURNED"}),
    FurnitureGroup(48, {0, 23, 17, 44}, {-9, -9}, {"schrank4", "SCHRANK4"},
                   {"schran4b", "SCHRANK4BRENNEND"}, {"schran4f", "SCHRANK4FULLBURNED"}),
    FurnitureGroup(51, {0, 21, 54, 27}, {0, -21}, {"schrank5", "SCHRANK5"},
                   {"schran5b", "SCHRANK5BRENNEND"}, {"schran5f", "SCHRANK5FULLBURNED"}),
    FurnitureGroup(54, {1, 17, 33, 21}, {-2, -14}, {"schrank6", "SCHRANK6"},
                   {"schran6b", "SCHRANK6BRENNEND"}, {"schran6f", "SCHRANK6FULLBURNED"}),
    FurnitureGroup(57, {1, 10, 26, 16}, {0, 0}, {"tisch1", "TISCH1"}, {"tisch1b", "TISCH1BRENNEND"},
                   {"tisch1f", "TISCH1FULLBURNED"}),
    FurnitureGroup(60, {3, 9, 19, 23}, {0, 0}, {"tisch2", "TISCH2"}, {"tisch2b", "TISCH2BRENNEND"},
                   {"tisch2f", "TISCH2FULLBURNED"}),
    FurnitureSingle(63, {13, 14, 31, 31}, {"tisch3", "TISCH3"}),
    FurnitureSingle(64, {14, 11, 32, 28}, {"tisch4", "TISCH4"}),
    FurnitureSingle(65, {9, 11, 37, 20}, {"tisch5", "TISCH5"}),
    FurnitureSingle(66, {9, 15, 34, 27}, {"tisch6", "TISCH6"}),
    FurnitureSingle(67, {10, 15, 37, 26}, {"tisch7", "TISCH7"}),
});

// The group that holds a slot; null for a slot outside 0..67.
const HouseObjGroup* HouseObjGroupOf(int slot);

// One entry of a house type's furniture table.
struct HouseFurniturePiece {
    std::uint16_t slot;
    std::int16_t dx;  // from the house's origin point, the corner of its cell (0, 0)
    std::int16_t dy;
    std::uint8_t storey;
};
// The furniture table of a house type; empty for an unfurnished type or one outside 0..73.
std::span<const HouseFurniturePiece> HouseFurnitureTable(int type);

// Allocates the type's furnitureCount entries, all free.
void AllocHouseFurniture(int type);
// Fills the type's first free entry; nothing when none is free.
void AddHouseFurniture(int type, std::uint16_t slot, std::int16_t dx, std::int16_t dy,
                       std::uint8_t storey, std::uint8_t flag);
// The first free entry of the type's list, or -1.
int FindFreeHouseFurniture(int type);
// Sets furnitureCount and adds the pieces of the type's table.
void InitHouseFurniture(int type);

// The house cell (I, J) a piece of the slot stands in, from its offset (dx, dy) to the house's
// origin point: the cell of the centre of its box. False when that lies outside the 16 x 8 grid.
bool HouseObjCell(std::uint16_t slot, int dx, int dy, int& i, int& j);

// Forgets every slot's graphics (freeing them) and settings.
void ResetHouseObjTypen();
// Loads the graphics of a slot's group on first use. False after a FatalError.
bool LoadHouseObjTyp(std::uint16_t slot);

// Creates the pieces of every placed house (the houses' types loaded, their floor blocks made):
// HouseObjCount pieces and the floors' cell indices. False after a FatalError.
bool CreateHouseObjs(int count);
void FreeHouseObjs();

// Once per tick: pieces with more than one frame step on.
void UpdateHouseObjAnims();

// A piece whose slot is none (never placed, or burnt away) is neither drawn nor in anyone's way.
inline bool HouseObjInUse(const HouseObj& o) {
    return o.slot < kHouseObjSlotCount;
}

// Fire reaching a piece that is not burning: it burns and shows its slot's burning look. A piece
// without one (a single-slot table, a burnt-out look) burns away: its record is emptied, so it is
// shown no more, no longer blocks and is never lit again.
void IgniteHouseObj(int index);
// A burning piece burnt out or put out: it shows its slot's burnt-out look and stops burning. A
// piece that burnt away is left as it is.
void EndHouseObjFire(int index);

}  // namespace kv
