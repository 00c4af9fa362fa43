#pragma once
// The placed houses of a mission: which type stands where with which pictures, and per floor the
// fire state, the furniture index and the four flame layers of every cell. The ground-floor cells
// are linked into the map cells they cover, so that map code finds the house under a point.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/record_fields.h"
#include "world/house_types.h"
#include "world/level_map.h"

namespace kv {

// The flame layers of a house cell: the three animated ones over the lower, middle and upper
// part, and the fourth over the see-through upper part.
inline constexpr int kFlameLayers = 4;
inline constexpr int kFlameLower = 0;
inline constexpr int kFlameMiddle = 1;
inline constexpr int kFlameUpper = 2;
inline constexpr int kFlameFourth = 3;
// Flame-layer kinds besides none (0): not burning, burnt out, and from 5 on burning with flame
// set kind - 5 of the layer.
inline constexpr std::uint8_t kFlameIdle = 3;
inline constexpr std::uint8_t kFlameBurnt = 4;
inline constexpr std::uint8_t kFlameFirstSet = 5;

template <typename T>
using HouseCellGrid = std::array<std::array<T, kHouseGridJ>, kHouseGridI>;  // [I][J]

// The state of one floor of a placed house.
struct HouseFloor {
    // Three points above the front-right corner, then three above the rear-right corner, each
    // (x, y) in map pixels, 31, 16 and 0 pixels above the corner.
    std::array<std::int32_t, 12> corners{};
    std::int16_t personCount = 0;
    HouseCellGrid<std::uint16_t> objIndex{};  // kNoHouseObj: none
    HouseCellGrid<BrandState> brand{};
    std::array<HouseCellGrid<CellAnim>, kFlameLayers> flames{};
};
template <class V>
constexpr void VisitFields(HouseFloor& r, V& v) {
    v("corners", r.corners);
    v("personCount", r.personCount);
    v("objIndex", r.objIndex);
    v("brand", r.brand);
    v("flames", r.flames);
}

// A house slot.
struct House {
    std::int8_t type = -1;  // -1: free slot
    // Map column and row of the house's cell (0, 0); houses may stand partly off the map.
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::int8_t hlSet = 0;     // 0..7
    std::int8_t upperSet = 0;  // 0..6: hm, hu and ho
    std::uint8_t shownStorey = 0;
    std::uint8_t interiorView = 0;
    std::uint8_t markable = 0;   // may be marked for evacuation
    std::uint8_t evacuated = 0;  // the evacuation mark
    std::uint8_t burning = 0;
    std::uint16_t burningCells = 0;
    std::vector<HouseFloor> floors;  // one per floor of the type
};
// The floors are saved after the houses; the record holds their pointer.
template <class V>
constexpr void VisitFields(House& r, V& v) {
    v("type", r.type);
    v("x", r.x);
    v("y", r.y);
    v("hlSet", r.hlSet);
    v("upperSet", r.upperSet);
    v("shownStorey", r.shownStorey);
    v("interiorView", r.interiorView);
    v("markable", r.markable);
    v("evacuated", r.evacuated);
    v("burning", r.burning);
    v("burningCells", r.burningCells);
    v.pointer("floors", r.floors);
}

// Set by the mission's house set-up before it calls InitHouseList.
extern std::int16_t HouseCount;
extern std::vector<House> Houses;

// A house's index lives in seven bits of the map link.
inline constexpr int kMaxHouses = 128;

// The map link of a house's ground-floor cell, and back.
inline constexpr std::uint16_t HouseLink(int house, int i, int j) {
    return static_cast<std::uint16_t>(kHouseLinkBase + (house << 8) + (i << 4) + j);
}
struct HouseLinkTarget {
    int house = -1;
    int i = 0;
    int j = 0;
};

// The type record of a house whose type is one of the 74.
inline const HouseTyp& HouseTypOf(const House& h) {
    return HouseTypen[static_cast<std::size_t>(h.type)];
}

// The placed house of an index with its type loaded; null for anything else. Inline: the fire
// model asks it for every cell its heat reaches.
inline House* PlacedHouse(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= Houses.size()) return nullptr;
    House& h = Houses[static_cast<std::size_t>(index)];
    if (h.type < 0 || h.type >= kHouseTypCount || h.floors.empty() || !HouseTypOf(h).loaded())
        return nullptr;
    return &h;
}

// The house cell a map tile links to; house -1 for a ground tile or a link to no placed house.
inline HouseLinkTarget DecodeHouseLink(std::uint16_t tile) {
    if (!IsHouseLink(tile)) return {};
    const int house = (tile - kHouseLinkBase) >> 8;
    const int i = (tile >> 4) & 15;
    const int j = tile & 15;
    const House* h = PlacedHouse(house);
    if (h == nullptr) return {};
    const HouseTyp& t = HouseTypOf(*h);
    if (i >= t.extentI || j >= t.extentJ) return {};
    return {house, i, j};
}

// HouseCount free slots, and the furniture graphics slots forgotten.
void InitHouseList();
// The first free slot, or -1; only slots below kMaxHouses are used.
int FindFreeHouse();
// Fills the first free slot; nothing when there is none or the type is not one of the 74.
void AddHouse(std::uint8_t type, std::int16_t x, std::int16_t y, std::uint8_t hlSet,
              std::uint8_t upperSet, std::uint8_t markable);

// Mission start and second part: the mission's set-up (its `InitHouses` hook), then every house's
// type, pictures, floors, corner points and map links, the furniture and the used flame sets. False
// after a FatalError, with every house freed.
bool InitHouses(int mission);
// A placed house's floors, corner points and map links (its type loaded).
void PrepareHouse(int index);
// Frees the houses, their types, pictures, furniture and flame sets.
void FreeHouses();

// The facade column and storey of the hovered house under the mouse; false when no placed house
// is hovered.
bool GetHouseFacadeAtMouse(int& column, int& storey);
// The facade flag there: 0 but for columns 0..4 and storeys 1..4 below the type's top floor.
std::uint8_t GetHouseFacadeFlagAtMouse();
// The foot of facade column n of a house; false for a house that is not placed.
bool GetHouseFacadePoint(int n, int house, std::int32_t& x, std::int32_t& y);

// Once per tick, after the map cells: the burning flame layers step on.
void UpdateHouseFlameAnims();

}  // namespace kv
