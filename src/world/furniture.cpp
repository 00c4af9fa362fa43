#include "world/furniture.h"

#include <algorithm>
#include <string>

#include "core/fatal_error.h"
#include "core/random.h"
#include "world/house_types.h"
#include "world/houses.h"
#include "world/level_map.h"

namespace kv {

std::array<HouseObjTyp, kHouseObjSlotCount> HouseObjTypen;
std::vector<HouseObj> HouseObjs;
std::int16_t HouseObjCount = 0;

namespace {

HouseObjTyp& SlotTyp(std::uint16_t slot) {
    return HouseObjTypen[slot];
}

// A look's frames; null after a FatalError.
FrameSet* LoadLook(const HouseObjLook& look) {
    const std::string path = "houseobj\\" + std::string(look.file) + ".vff";
    FrameSet* set = LoadFrameSet(path);
    if (set == nullptr) FatalError("file not found: " + std::string(look.message));
    return set;
}

// Sets up one slot of a group; false after a FatalError.
bool LoadSlot(std::uint16_t slot, const HouseObjLook& look, const HouseObjGroup& g) {
    HouseObjTyp& s = SlotTyp(slot);
    FreeFrameSet(s.images);
    s = HouseObjTyp{};
    s.images = LoadLook(look);
    if (s.images == nullptr) return false;
    s.box = g.box;
    return true;
}

}  // namespace

const HouseObjGroup* HouseObjGroupOf(int slot) {
    if (slot < 0 || slot >= kHouseObjSlotCount) return nullptr;
    for (const HouseObjGroup& g : kHouseObjGroups)
        if (slot >= g.slot && slot < g.slot + (g.single ? 1 : 3)) return &g;
    return nullptr;
}

int FindFreeHouseFurniture(int type) {
    if (type < 0 || type >= kHouseTypCount) return -1;
    const HouseTyp& t = HouseTypen[static_cast<std::size_t>(type)];
    for (std::size_t n = 0; n < t.furniture.size(); ++n)
        if (t.furniture[n].slot > 65534) return static_cast<int>(n);
    return -1;
}

void AllocHouseFurniture(int type) {
    if (type < 0 || type >= kHouseTypCount) return;
    HouseTyp& t = HouseTypen[static_cast<std::size_t>(type)];
    t.furniture.assign(t.furnitureCount, HouseObj{});
}

void AddHouseFurniture(int type, std::uint16_t slot, std::int16_t dx, std::int16_t dy,
                       std::uint8_t storey, std::uint8_t flag) {
    const int n = FindFreeHouseFurniture(type);
    if (n < 0) return;
    HouseObj& e = HouseTypen[static_cast<std::size_t>(type)].furniture[static_cast<std::size_t>(n)];
    e = HouseObj{};
    e.slot = slot;
    e.x = dx;
    e.y = dy;
    e.storey = storey;
    e.flag = flag;
}

void InitHouseFurniture(int type) {
    const std::span<const HouseFurniturePiece> table = HouseFurnitureTable(type);
    if (table.empty()) return;
    HouseTypen[static_cast<std::size_t>(type)].furnitureCount =
        static_cast<std::uint16_t>(table.size());
    AllocHouseFurniture(type);
    for (const HouseFurniturePiece& p : table)
        AddHouseFurniture(type, p.slot, p.dx, p.dy, p.storey, 1);
}

bool HouseObjCell(std::uint16_t slot, int dx, int dy, int& i, int& j) {
    const HouseObjGroup* g = HouseObjGroupOf(slot);
    if (g == nullptr) return false;
    const auto& [x1, y1, x2, y2] = g->box;
    const int cy = dy + y1 + (y2 - y1) / 2;
    if (cy < 0) return false;
    j = cy / kCellHeight;
    const int cx =
        dx + x1 + (x2 - x1) / 2 + 16 * j + RowShear[static_cast<std::size_t>(cy - kCellHeight * j)];
    if (cx < 0) return false;
    i = cx >> 5;
    return i < kHouseGridI && j < kHouseGridJ;
}

void ResetHouseObjTypen() {
    for (HouseObjTyp& s : HouseObjTypen) {
        FreeFrameSet(s.images);
        s = HouseObjTyp{};
    }
}

bool LoadHouseObjTyp(std::uint16_t slot) {
    if (slot >= kHouseObjSlotCount) return true;
    HouseObjTyp& s = SlotTyp(slot);
    if (s.images != nullptr) return true;
    s.burningSlot = kNoHouseObjSlot;
    s.burntSlot = kNoHouseObjSlot;
    s.frames = 1;
    s.ticks = 1;
    // Only the first slot of a group loads it; a burning or burnt look alone loads nothing.
    const HouseObjGroup* g = HouseObjGroupOf(slot);
    if (g == nullptr || g->slot != slot) return true;
    if (!LoadSlot(slot, g->looks[0], *g)) return false;
    if (g->single) return true;
    const auto burning = static_cast<std::uint16_t>(slot + 1);
    const auto burnt = static_cast<std::uint16_t>(slot + 2);
    s.burningSlot = burning;

    if (!LoadSlot(burning, g->looks[1], *g)) return false;
    HouseObjTyp& b = SlotTyp(burning);
    // A file with fewer frames than the fire's cycle cycles through those it has.
    b.frames =
        static_cast<std::uint16_t>(std::min<std::size_t>(kBurningFrames, FrameCount(b.images)));
    b.ticks = kBurningTicks;
    for (int f = 0; f < b.frames; ++f) {
        b.images[f].dx = g->burningOffset[0];
        b.images[f].dy = g->burningOffset[1];
    }
    b.burntSlot = burnt;
    return LoadSlot(burnt, g->looks[2], *g);
}

bool CreateHouseObjs(int count) {
    FreeHouseObjs();
    count = std::clamp(count, 0, static_cast<int>(INT16_MAX));
    HouseObjs.assign(static_cast<std::size_t>(count), HouseObj{});
    HouseObjCount = static_cast<std::int16_t>(count);
    int n = 0;
    for (House& h : Houses) {
        if (h.type < 0 || h.type >= kHouseTypCount || h.floors.empty()) continue;
        const HouseTyp& t = HouseTypOf(h);
        for (const HouseObj& e : t.furniture) {
            if (n >= count) return true;
            const int index = n++;
            int i = 0;
            int j = 0;
            // A piece outside the house's grid or floors stays out.
            if (!HouseObjCell(e.slot, e.x, e.y, i, j) || i >= t.extentI || j >= t.extentJ ||
                e.storey < 1 || e.storey > h.floors.size())
                continue;
            if (!LoadHouseObjTyp(e.slot)) return false;
            HouseObj& o = HouseObjs[static_cast<std::size_t>(index)];
            o.slot = e.slot;
            o.x = static_cast<std::int16_t>(e.x + kCellWidth * h.x - 16 * h.y);
            o.y = static_cast<std::int16_t>(e.y + kCellHeight * h.y);
            o.storey = e.storey;
            o.flag = e.flag;
            o.frame = static_cast<std::uint16_t>(Rand() % SlotTyp(e.slot).frames);
            o.tick = 0;
            // A later piece in the same cell takes the cell's index.
            h.floors[e.storey - 1u]
                .objIndex[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] =
                static_cast<std::uint16_t>(index);
        }
    }
    return true;
}

void FreeHouseObjs() {
    HouseObjs = {};
    HouseObjCount = 0;
}

void UpdateHouseObjAnims() {
    for (HouseObj& o : HouseObjs) {
        if (!HouseObjInUse(o)) continue;
        const HouseObjTyp& s = SlotTyp(o.slot);
        if (s.frames <= 1) continue;
        ++o.tick;
        if (o.tick >= s.ticks) {
            o.tick = 0;
            ++o.frame;
            if (o.frame >= s.frames) o.frame = 0;
        }
    }
}

void IgniteHouseObj(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= HouseObjs.size()) return;
    HouseObj& o = HouseObjs[static_cast<std::size_t>(index)];
    if (!HouseObjInUse(o) || o.burning != 0) return;
    const std::uint16_t burning = SlotTyp(o.slot).burningSlot;
    // A piece without a burning look burns away and leaves an empty record, as a saved game
    // keeps it; a kept position or fire flag would make a loaded game differ from the one saved.
    if (burning == kNoHouseObjSlot) {
        o = HouseObj{};
        return;
    }
    o.burning = 1;
    o.slot = burning;
    o.frame = 0;
}

void EndHouseObjFire(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= HouseObjs.size()) return;
    HouseObj& o = HouseObjs[static_cast<std::size_t>(index)];
    if (!HouseObjInUse(o) || o.burning == 0) return;
    o.burning = 0;
    o.slot = SlotTyp(o.slot).burntSlot;
    o.frame = 0;
}

}  // namespace kv
