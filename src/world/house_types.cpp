#include "world/house_types.h"

#include <algorithm>
#include <cstdio>

#include "core/fatal_error.h"
#include "core/refused_file.h"
#include "platform/files.h"

namespace kv {

std::array<HouseTyp, kHouseTypCount> HouseTypen;
std::int16_t MaxHouseFloors = 1;

namespace {

// Furnished houses: entered at their corner cell (0, 0); the cells behind the front row and left
// of the right column are seen only from the top; windows along the facade.
constexpr HouseTypSettings Furnished(int doorI, int doorJ, int lastInnerI, int lastInnerJ,
                                     int lastWindow) {
    HouseTypSettings s;
    s.doorI = static_cast<std::uint8_t>(doorI);
    s.doorJ = static_cast<std::uint8_t>(doorJ);
    s.entranceI = 0;
    s.entranceJ = 0;
    s.facadeLook = {0, static_cast<std::uint8_t>(lastInnerI), 0,
                    static_cast<std::uint8_t>(lastInnerJ)};
    s.facadeFlags = {0, static_cast<std::uint8_t>(lastWindow), 1, 4};
    return s;
}

// Sheds and barns along a wall: one row deep, fire passes to them undivided.
constexpr HouseTypSettings Shed() {
    HouseTypSettings s;
    s.doorI = 4;
    s.doorJ = 0;
    s.enterShowsInterior = 1;
    s.spreadDivisor = 1;
    return s;
}

// Plain buildings: no furniture, nobody inside to fetch out.
constexpr HouseTypSettings Plain(int doorI, int doorJ, int doorSide) {
    HouseTypSettings s;
    s.doorI = static_cast<std::uint8_t>(doorI);
    s.doorJ = static_cast<std::uint8_t>(doorJ);
    s.doorSide = static_cast<std::uint8_t>(doorSide);
    s.drawFlag = 1;
    s.enterShowsInterior = 1;
    return s;
}

constexpr HouseTypSettings WithoutEntrance(HouseTypSettings s) {
    s.entranceI = 255;
    s.entranceJ = 255;
    s.enterShowsInterior = 1;
    return s;
}

constexpr std::array<HouseTypSettings, kHouseTypCount> kHouseTypSettings = {{
    Furnished(1, 3, 4, 2, 4),  // 0
    Shed(),
    Shed(),
    Furnished(1, 3, 3, 2, 4),
    Furnished(1, 3, 3, 2, 4),
    Furnished(1, 3, 3, 2, 4),  // 5
    Furnished(1, 3, 3, 2, 4),
    Furnished(3, 3, 3, 2, 4),
    Furnished(3, 3, 3, 2, 4),
    Furnished(1, 3, 2, 2, 3),
    Furnished(0, 3, 2, 2, 3),  // 10
    Furnished(1, 3, 3, 2, 4),
    Furnished(3, 3, 3, 2, 4),
    Furnished(1, 3, 3, 2, 4),
    Furnished(1, 3, 2, 2, 3),
    Furnished(1, 3, 2, 2, 3),  // 15
    Furnished(1, 3, 5, 2, 4),
    Furnished(2, 3, 4, 2, 4),
    Plain(0, 4, 1),
    Plain(0, 2, 1),
    Plain(0, 1, 1),  // 20
    Plain(0, 2, 1),
    Plain(0, 1, 1),
    Plain(0, 1, 1),
    Plain(0, 2, 1),
    Plain(0, 0, 0),  // 25
    Plain(0, 2, 1),
    Plain(0, 2, 1),
    Plain(0, 4, 1),
    Plain(0, 2, 1),
    Plain(0, 4, 1),  // 30
    Plain(0, 1, 1),
    Plain(0, 1, 1),
    Plain(0, 1, 1),
    Plain(0, 2, 1),
    Plain(0, 0, 1),  // 35
    Plain(0, 2, 1),
    Plain(0, 1, 1),
    Plain(0, 2, 1),
    Plain(0, 3, 1),
    Plain(0, 2, 1),  // 40
    Plain(0, 1, 1),
    Plain(0, 0, 1),
    Plain(0, 0, 1),
    Plain(0, 2, 1),
    Plain(0, 2, 1),  // 45
    Plain(0, 1, 1),
    Plain(0, 2, 1),
    Plain(0, 2, 1),
    Plain(0, 2, 1),
    Plain(0, 1, 1),  // 50
    Plain(0, 2, 1),
    Plain(0, 2, 1),
    Plain(0, 2, 1),
    Plain(0, 1, 1),
    Plain(0, 2, 1),  // 55
    Plain(0, 2, 1),
    Plain(0, 2, 1),
    Plain(0, 0, 1),
    Plain(0, 1, 1),
    Plain(0, 2, 1),  // 60
    Plain(0, 2, 1),
    Furnished(7, 7, 14, 6, 4),
    Furnished(7, 7, 10, 6, 4),
    WithoutEntrance(Furnished(6, 7, 12, 6, 4)),
    Furnished(2, 3, 6, 2, 4),  // 65
    Furnished(2, 3, 5, 2, 4),
    Furnished(2, 3, 5, 2, 4),
    Furnished(1, 3, 4, 2, 4),
    Furnished(2, 3, 6, 2, 4),
    Furnished(2, 3, 6, 2, 4),  // 70
    Furnished(2, 3, 5, 2, 4),
    Furnished(2, 3, 7, 2, 4),
    Furnished(1, 3, 3, 2, 4),
}};

void FillBlock(HouseGrid& grid, const HouseGridBlock& b) {
    for (int i = b.i0; i <= b.i1 && i < kHouseGridI; ++i)
        for (int j = b.j0; j <= b.j1 && j < kHouseGridJ; ++j)
            grid[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = 1;
}

// Defaults, then the type's own settings and furniture table.
void InitHouseTyp(int type) {
    HouseTyp& t = HouseTypen[static_cast<std::size_t>(type)];
    t = HouseTyp{};
    const HouseTypSettings& s = kHouseTypSettings[static_cast<std::size_t>(type)];
    t.doorI = s.doorI;
    t.doorJ = s.doorJ;
    t.doorSide = s.doorSide;
    t.entranceI = s.entranceI;
    t.entranceJ = s.entranceJ;
    t.drawFlag = s.drawFlag;
    t.enterShowsInterior = s.enterShowsInterior;
    t.spreadDivisor = s.spreadDivisor;
    FillBlock(t.facadeLook, s.facadeLook);
    FillBlock(t.facadeFlags, s.facadeFlags);
    InitHouseFurniture(type);
}

// The floors after the magic into a type whose settings are in place. False, with the reason in
// the reader, when the file is short or a count or extent is impossible.
bool ReadHouseFloors(ByteReader& in, HouseTyp& t) {
    const std::uint16_t floors = in.u16();
    if (!in.ok()) return false;
    if (floors == 0 || floors > kMaxHouseTypFloors)
        return in.refuse(std::to_string(floors) + " floors, 1 to " +
                         std::to_string(kMaxHouseTypFloors) + " allowed");
    // Every floor takes at least its two tags and its extent.
    constexpr std::size_t kFloorHeadBytes = 12;
    if (!in.require(floors * kFloorHeadBytes)) return false;
    t.floors = floors;
    t.cells.assign(static_cast<std::size_t>(floors) * kHouseGridI * kHouseGridJ, HouseCell{});

    for (int f = 0; f < floors; ++f) {
        in.skip(4);  // "Info"
        const std::size_t extentAt = in.position();
        t.extentI = in.u16();
        t.extentJ = in.u16();
        in.skip(4);  // "Data"
        if (!in.ok()) return false;
        // A grid beyond 16 x 8 cannot be stored, nor linked into the map.
        if (t.extentI > kHouseGridI || t.extentJ > kHouseGridJ)
            return in.refuseAt(extentAt, "floor " + std::to_string(f) + " of " +
                                             std::to_string(t.extentI) + " x " +
                                             std::to_string(t.extentJ) + " cells, 16 x 8 allowed");
        if (!in.require(static_cast<std::size_t>(t.extentI) * t.extentJ * kHouseCellBytes))
            return false;
        for (int i = 0; i < t.extentI; ++i)
            for (int j = 0; j < t.extentJ; ++j) ReadRecord(in, t.cell(f, i, j));
    }
    return true;
}

}  // namespace

const HouseTypSettings& HouseTypSettingsOf(int type) {
    static constexpr HouseTypSettings kNone{};
    if (type < 0 || type >= kHouseTypCount) return kNone;
    return kHouseTypSettings[static_cast<std::size_t>(type)];
}

std::string HouseFileName(int type) {
    char name[32];
    std::snprintf(name, sizeof name, "houses\\haus%02d.hlv", type + 1);
    return name;
}

void FreeHouseTyp(int type) {
    if (type < 0 || type >= kHouseTypCount) return;
    HouseTypen[static_cast<std::size_t>(type)] = HouseTyp{};
}

bool LoadHouseTypFromBytes(int type, std::span<const std::uint8_t> data, std::string_view path) {
    if (type < 0 || type >= kHouseTypCount) return false;
    HouseTyp& t = HouseTypen[static_cast<std::size_t>(type)];
    if (t.loaded()) return true;
    InitHouseTyp(type);

    ByteReader in(data);
    if (!ReadMagic(in, kHouseMagic) || !ReadHouseFloors(in, t)) {
        FreeHouseTyp(type);
        FileVersionCorrupt(path, in.fault());
        return false;
    }
    const std::uint16_t floors = t.floors;
    MaxHouseFloors = std::max<std::int16_t>(MaxHouseFloors, static_cast<std::int16_t>(floors + 1));

    const bool anyMaterial = std::any_of(t.cells.begin(), t.cells.end(),
                                         [](const HouseCell& c) { return c.material != 0; });
    // A house drawn without fire classes burns as a whole of the default class.
    if (!anyMaterial)
        for (int f = 0; f < floors; ++f)
            for (int i = 0; i < t.extentI; ++i)
                for (int j = 0; j < t.extentJ; ++j)
                    t.cell(f, i, j).material = kDefaultHouseMaterial;
    return true;
}

bool LoadHouseTyp(int type) {
    if (type < 0 || type >= kHouseTypCount) return false;
    if (HouseTypen[static_cast<std::size_t>(type)].loaded()) return true;
    const std::string path = HouseFileName(type);
    const auto data = ReadFileBytes(path);
    if (!data) {
        FreeHouseTyp(type);
        FatalError(path + " not found!");
        return false;
    }
    return LoadHouseTypFromBytes(type, *data, path);
}

}  // namespace kv
