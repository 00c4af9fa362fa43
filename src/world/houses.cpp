#include "world/houses.h"

#include "core/fatal_error.h"
#include "core/hover.h"
#include "core/mission_hooks.h"
#include "core/mouse.h"
#include "core/view.h"
#include "world/furniture.h"
#include "world/house_images.h"

namespace kv {

std::int16_t HouseCount = 0;
std::vector<House> Houses;

namespace {

HouseFloor NewHouseFloor() {
    HouseFloor floor;
    for (auto& column : floor.objIndex) column.fill(kNoHouseObj);
    return floor;
}

// The corner points of floor 0 rise by a storey's 31 pixels per floor.
void SetCorners(const House& h, const HouseTyp& t, int f, HouseFloor& floor) {
    const int frontX = kCellWidth * (h.x + t.extentI) - 16 * (h.y + t.extentJ);
    const int frontY = kCellHeight * (h.y + t.extentJ) - 31 * f;
    const int rearX = kCellWidth * (h.x + t.extentI) - 16 * h.y;
    const int rearY = kCellHeight * h.y - 31 * f;
    constexpr int kRise[3] = {31, 16, 0};
    for (int k = 0; k < 3; ++k) {
        floor.corners[static_cast<std::size_t>(2 * k)] = frontX;
        floor.corners[static_cast<std::size_t>(2 * k + 1)] = frontY - kRise[k];
        floor.corners[static_cast<std::size_t>(6 + 2 * k)] = rearX;
        floor.corners[static_cast<std::size_t>(6 + 2 * k + 1)] = rearY - kRise[k];
    }
}

bool Fail() {
    FreeHouses();
    return false;
}

}  // namespace

void InitHouseList() {
    Houses.assign(HouseCount > 0 ? static_cast<std::size_t>(HouseCount) : 0, House{});
    ResetHouseObjTypen();
}

int FindFreeHouse() {
    for (std::size_t i = 0; i < Houses.size() && i < kMaxHouses; ++i)
        if (Houses[i].type == -1) return static_cast<int>(i);
    return -1;
}

void AddHouse(std::uint8_t type, std::int16_t x, std::int16_t y, std::uint8_t hlSet,
              std::uint8_t upperSet, std::uint8_t markable) {
    if (type >= kHouseTypCount) return;
    const int slot = FindFreeHouse();
    if (slot < 0) return;
    House& h = Houses[static_cast<std::size_t>(slot)];
    h = House{};
    h.type = static_cast<std::int8_t>(type);
    h.x = x;
    h.y = y;
    h.hlSet = static_cast<std::int8_t>(hlSet);
    h.upperSet = static_cast<std::int8_t>(upperSet);
    h.markable = markable;
}

void PrepareHouse(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= Houses.size()) return;
    House& h = Houses[static_cast<std::size_t>(index)];
    if (h.type < 0 || h.type >= kHouseTypCount || !HouseTypOf(h).loaded()) return;
    const HouseTyp& t = HouseTypOf(h);
    h.shownStorey = static_cast<std::uint8_t>(t.floors);
    h.interiorView = 0;
    h.evacuated = t.drawFlag;
    h.burning = 0;
    h.burningCells = 0;
    h.floors.assign(t.floors, NewHouseFloor());
    for (int f = 0; f < t.floors; ++f) SetCorners(h, t, f, h.floors[static_cast<std::size_t>(f)]);

    if (index >= kMaxHouses) return;
    // Only the cells that lie on the map are linked.
    for (int i = 0; i < t.extentI; ++i)
        for (int j = 0; j < t.extentJ; ++j) {
            const int column = h.x + i;
            const int row = h.y + j;
            if (t.cell(0, i, j).lowerImage == 0 || !CellInMap(column, row)) continue;
            MapCells[static_cast<std::size_t>(CellIndex(column, row))].tile =
                HouseLink(index, i, j);
        }
}

bool InitHouses(int mission) {
    const auto hook = MissionHook(mission, &MissionHooks::InitHouses, "InitHouses");
    if (hook == nullptr) return false;
    hook();
    if (FatalErrorRaised()) return Fail();

    int furniture = 0;
    for (std::size_t n = 0; n < Houses.size(); ++n) {
        const House& h = Houses[n];
        // A free slot holds no house.
        if (h.type < 0 || h.type >= kHouseTypCount) continue;
        if (!LoadHouseTyp(h.type) || !LoadHouseHlSet(h.hlSet) || !LoadHouseUpperSets(h.upperSet))
            return Fail();
        PrepareHouse(static_cast<int>(n));
        furniture += HouseTypOf(h).furnitureCount;
    }
    if (furniture >= 1 && !CreateHouseObjs(furniture)) return Fail();
    if (!LoadUsedHousePartSets()) return Fail();
    return true;
}

void FreeHouses() {
    FreeHouseObjs();
    ResetHouseObjTypen();
    for (int type = 0; type < kHouseTypCount; ++type) FreeHouseTyp(type);
    for (int set = 0; set < kHouseHlSetCount; ++set) FreeHouseHlSet(set);
    for (int set = 0; set < kHouseUpperSetCount; ++set) FreeHouseUpperSet(set);
    FreeHousePartSets();
    Houses = {};
    HouseCount = 0;
    MaxHouseFloors = 1;
}

bool GetHouseFacadeAtMouse(int& column, int& storey) {
    column = 0;
    storey = 0;
    // The ids name a house only while a house piece is hovered.
    if (HoverKind < 1 || HoverKind > 3) return false;
    const House* h = PlacedHouse(HoverIds[3]);
    if (h == nullptr) return false;
    const HouseTyp& t = HouseTypOf(*h);
    const int baseX = kCellWidth * h->x - 16 * (h->y + t.extentJ);
    const int baseY = kCellHeight * (h->y + t.extentJ);
    column = (ViewOrigin.x + MouseX - baseX) / 32;
    storey = -((ViewOrigin.y + MouseY - baseY) / 31);
    return true;
}

std::uint8_t GetHouseFacadeFlagAtMouse() {
    int column = 0;
    int storey = 0;
    if (!GetHouseFacadeAtMouse(column, storey)) return 0;
    const House* h = PlacedHouse(HoverIds[3]);
    if (h == nullptr) return 0;
    const HouseTyp& t = HouseTypOf(*h);
    if (storey < 1 || storey > 4 || column < 0 || column > 4 || storey >= t.floors - 1) return 0;
    return t.facadeFlags[static_cast<std::size_t>(column)][static_cast<std::size_t>(storey)];
}

bool GetHouseFacadePoint(int n, int house, std::int32_t& x, std::int32_t& y) {
    const House* h = PlacedHouse(house);
    if (h == nullptr) return false;
    const int frontRow = h->y + HouseTypOf(*h).extentJ;
    y = kCellHeight * frontRow;
    x = kCellWidth * h->x - 16 * frontRow + 32 * n + 16;
    return true;
}

void UpdateHouseFlameAnims() {
    constexpr FlameLayer kLayers[3] = {FlameLayer::Lower, FlameLayer::Middle, FlameLayer::Upper};
    for (House& h : Houses) {
        if (h.type < 0 || h.type >= kHouseTypCount) continue;
        const HouseTyp& t = HouseTypOf(h);
        for (HouseFloor& floor : h.floors)
            for (int i = 0; i < t.extentI; ++i)
                for (int j = 0; j < t.extentJ; ++j)
                    for (int layer = 0; layer < 3; ++layer) {
                        CellAnim& a =
                            floor.flames[static_cast<std::size_t>(layer)]
                                        [static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
                        if (a.kind < kFlameFirstSet) continue;
                        const std::span<HouseFlameSet> sets = FlameSetsOf(kLayers[layer]);
                        const std::size_t n = a.kind - kFlameFirstSet;
                        if (n >= sets.size() || !sets[n].loaded()) continue;
                        // A flame frame lasts ticks + 1 ticks.
                        ++a.tick;
                        if (a.tick > sets[n].ticks) {
                            a.tick = 0;
                            ++a.frame;
                            if (a.frame >= sets[n].frames) a.frame = 0;
                        }
                    }
    }
}

}  // namespace kv
