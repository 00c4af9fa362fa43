// The furniture of the furnished house types: which piece stands where on which storey. The
// positions go with the house pictures; most are given as the cell the piece stands in.

#include <array>

#include "world/furniture.h"
#include "world/house_types.h"
#include "world/level_map.h"

namespace kv {

namespace {

namespace slot {
constexpr std::uint16_t kPlant = 0;
constexpr std::uint16_t kSofa1 = 3;
constexpr std::uint16_t kSofa2 = 6;
constexpr std::uint16_t kSofa3 = 9;
constexpr std::uint16_t kSofa4 = 12;
constexpr std::uint16_t kSofa5 = 15;
constexpr std::uint16_t kSofa6 = 18;
constexpr std::uint16_t kKitchen1 = 21;
constexpr std::uint16_t kKitchen2 = 24;
constexpr std::uint16_t kToilet = 27;
constexpr std::uint16_t kBed1 = 30;
constexpr std::uint16_t kBed2 = 33;
constexpr std::uint16_t kBed3 = 36;
constexpr std::uint16_t kCupboard1 = 39;
constexpr std::uint16_t kCupboard2 = 42;
constexpr std::uint16_t kCupboard3 = 45;
constexpr std::uint16_t kCupboard4 = 48;
constexpr std::uint16_t kCupboard5 = 51;
constexpr std::uint16_t kCupboard6 = 54;
constexpr std::uint16_t kTable1 = 57;
constexpr std::uint16_t kTable2 = 60;
constexpr std::uint16_t kTable3 = 63;
constexpr std::uint16_t kTable4 = 64;
constexpr std::uint16_t kTable5 = 65;
constexpr std::uint16_t kTable6 = 66;
constexpr std::uint16_t kTable7 = 67;
}  // namespace slot

using namespace slot;
using Piece = HouseFurniturePiece;

constexpr const HouseObjGroup& GroupOf(std::uint16_t s) {
    for (const HouseObjGroup& g : kHouseObjGroups)
        if (g.slot == s) return g;
    return kHouseObjGroups[0];
}

// A piece whose box centre falls on the middle of house cell (i, j).
constexpr Piece At(std::uint16_t s, int i, int j, int storey) {
    const auto& box = GroupOf(s).box;
    const int cx = box[0] + (box[2] - box[0]) / 2;
    const int cy = box[1] + (box[3] - box[1]) / 2;
    return {s, static_cast<std::int16_t>(kCellWidth * i - 16 * j + 8 - cx),
            static_cast<std::int16_t>(kCellHeight * j + 14 - cy),
            static_cast<std::uint8_t>(storey)};
}

constexpr auto kType00 = std::to_array<Piece>({
    {kPlant, -30, 40, 1},
    {kSofa1, 20, 59, 2},
    {kPlant, -30, 40, 3},
    {kKitchen2, 18, -23, 2},
    {kToilet, 103, -16, 1},
    {kToilet, 103, -16, 3},
    {kBed1, 151, -8, 3},
});
constexpr auto kType03 = std::to_array<Piece>({
    At(kSofa2, 4, 2, 1),
    At(kKitchen1, 4, 0, 1),
    At(kTable3, 3, 2, 1),
    At(kBed2, 1, 0, 2),
    At(kCupboard1, 4, 1, 2),
});
constexpr auto kType04 = std::to_array<Piece>({
    At(kSofa3, 4, 2, 1),
    At(kKitchen2, 1, 0, 1),
    At(kToilet, 4, 0, 2),
    At(kBed3, 4, 0, 3),
    At(kCupboard2, 4, 1, 4),
});
constexpr auto kType05 = std::to_array<Piece>({
    At(kSofa1, 2, 2, 1),
    At(kKitchen1, 2, 0, 1),
    At(kTable4, 4, 2, 1),
    At(kBed1, 3, 0, 2),
    At(kPlant, 4, 2, 3),
});
constexpr auto kType06 = std::to_array<Piece>({
    At(kSofa4, 3, 2, 1),
    At(kKitchen1, 3, 0, 1),
    At(kBed2, 1, 0, 2),
    At(kToilet, 4, 1, 2),
});
constexpr auto kType07 = std::to_array<Piece>({
    At(kSofa5, 1, 1, 1),
    At(kTable1, 2, 2, 1),
    At(kKitchen2, 3, 0, 1),
    At(kBed1, 2, 0, 2),
    At(kCupboard3, 4, 1, 2),
});
constexpr auto kType08 = std::to_array<Piece>({
    At(kSofa6, 1, 2, 1),
    At(kKitchen1, 3, 0, 1),
    At(kBed3, 1, 1, 2),
    At(kCupboard4, 3, 1, 2),
    At(kPlant, 0, 2, 3),
});
constexpr auto kType09 = std::to_array<Piece>({
    At(kSofa1, 3, 1, 1),
    At(kTable5, 3, 2, 1),
    At(kKitchen2, 2, 0, 1),
    At(kBed2, 1, 0, 2),
    At(kCupboard5, 3, 1, 2),
});
constexpr auto kType10 = std::to_array<Piece>({
    At(kSofa2, 1, 2, 1),
    At(kKitchen1, 2, 0, 1),
    At(kToilet, 3, 1, 1),
    At(kBed1, 1, 0, 2),
    At(kCupboard6, 2, 2, 2),
});
constexpr auto kType11 = std::to_array<Piece>({
    At(kSofa3, 2, 2, 1),
    At(kKitchen2, 2, 0, 1),
    At(kBed3, 3, 1, 2),
    At(kPlant, 4, 2, 3),
});
constexpr auto kType12 = std::to_array<Piece>({
    At(kSofa4, 1, 2, 1),
    At(kTable6, 3, 2, 1),
    At(kKitchen1, 2, 0, 1),
    At(kBed2, 1, 1, 2),
    At(kCupboard1, 3, 0, 3),
});
constexpr auto kType13 = std::to_array<Piece>({
    At(kSofa5, 2, 2, 1),
    At(kKitchen2, 2, 0, 1),
    At(kBed1, 2, 0, 2),
    At(kToilet, 4, 1, 2),
});
constexpr auto kType14 = std::to_array<Piece>({
    At(kSofa6, 1, 2, 1),
    At(kKitchen1, 2, 0, 1),
    At(kTable7, 3, 2, 1),
});
constexpr auto kType15 = std::to_array<Piece>({
    At(kSofa1, 1, 2, 1),
    At(kBed3, 1, 0, 2),
    At(kPlant, 3, 2, 2),
});
constexpr auto kType16 = std::to_array<Piece>({
    At(kSofa2, 2, 2, 1),
    At(kTable1, 3, 2, 1),
    At(kKitchen1, 5, 0, 1),
    At(kBed1, 1, 0, 2),
    At(kCupboard2, 4, 1, 2),
    At(kBed2, 2, 1, 3),
    At(kToilet, 6, 2, 3),
});
constexpr auto kType17 = std::to_array<Piece>({
    At(kSofa3, 1, 2, 1),
    At(kKitchen2, 3, 0, 1),
    At(kPlant, 5, 2, 1),
    At(kBed1, 1, 0, 2),
    At(kCupboard3, 4, 1, 2),
    At(kToilet, 5, 0, 2),
    At(kBed3, 2, 1, 3),
    At(kCupboard4, 4, 2, 3),
});
// An office block: a canteen on the top storey with its tables in a row.
constexpr auto kType62 = std::to_array<Piece>({
    At(kSofa1, 2, 5, 1),      At(kSofa2, 6, 5, 1),     At(kSofa3, 10, 5, 1),
    At(kTable3, 4, 3, 1),     At(kTable4, 8, 3, 1),    At(kPlant, 13, 6, 1),
    At(kKitchen1, 12, 1, 1),  At(kBed1, 2, 1, 2),      At(kBed2, 6, 1, 2),
    At(kBed3, 10, 1, 2),      At(kCupboard1, 2, 4, 2), At(kCupboard2, 6, 4, 2),
    At(kCupboard3, 10, 4, 2), At(kToilet, 14, 1, 2),   At(kSofa4, 3, 5, 3),
    At(kSofa5, 8, 5, 3),      At(kTable5, 5, 3, 3),    At(kTable6, 11, 3, 3),
    At(kKitchen2, 13, 1, 3),  At(kToilet, 1, 1, 3),    At(kPlant, 14, 6, 3),
    {kTable2, 44, 18, 4},     {kTable2, 108, 18, 4},   {kTable2, 172, 18, 4},
    {kTable2, 236, 18, 4},    {kTable2, 300, 18, 4},   {kTable2, 364, 18, 4},
    {kTable2, 428, 18, 4},
});
constexpr auto kType63 = std::to_array<Piece>({
    At(kSofa6, 2, 5, 1),
    At(kSofa1, 6, 5, 1),
    At(kTable1, 4, 3, 1),
    At(kTable7, 9, 3, 1),
    At(kKitchen1, 10, 1, 1),
    At(kPlant, 0, 6, 1),
    At(kBed1, 2, 1, 2),
    At(kBed2, 5, 1, 2),
    At(kBed3, 8, 1, 2),
    At(kCupboard5, 2, 4, 2),
    At(kCupboard6, 6, 4, 2),
    At(kToilet, 10, 1, 2),
    At(kSofa2, 3, 5, 3),
    At(kSofa3, 7, 5, 3),
    At(kTable2, 5, 3, 3),
    At(kKitchen2, 1, 1, 3),
    At(kCupboard4, 9, 2, 3),
    At(kPlant, 11, 6, 3),
});
constexpr auto kType65 = std::to_array<Piece>({
    At(kSofa1, 1, 2, 1),
    At(kTable3, 3, 2, 1),
    At(kKitchen1, 5, 0, 1),
    At(kPlant, 7, 2, 1),
    At(kBed1, 1, 0, 2),
    At(kBed2, 4, 0, 2),
    At(kCupboard1, 6, 1, 2),
    At(kToilet, 7, 0, 2),
    At(kSofa4, 2, 2, 3),
    At(kCupboard2, 5, 1, 3),
    At(kBed3, 1, 0, 3),
    At(kPlant, 6, 2, 3),
});
constexpr auto kType66 = std::to_array<Piece>({
    At(kSofa2, 1, 2, 1),
    At(kTable4, 3, 2, 1),
    At(kKitchen2, 4, 0, 1),
    At(kBed1, 1, 0, 2),
    At(kCupboard3, 4, 1, 2),
    At(kToilet, 6, 0, 2),
    At(kSofa5, 2, 2, 3),
    At(kBed2, 4, 0, 3),
    At(kCupboard4, 1, 1, 3),
    At(kPlant, 6, 2, 3),
});
constexpr auto kType67 = std::to_array<Piece>({
    At(kSofa3, 1, 2, 1),
    At(kTable5, 3, 2, 1),
    At(kKitchen1, 4, 0, 1),
    At(kPlant, 6, 2, 1),
    At(kToilet, 2, 0, 1),
    At(kBed3, 1, 0, 2),
    At(kBed1, 4, 0, 2),
    At(kCupboard5, 2, 2, 2),
    At(kCupboard6, 5, 1, 2),
    At(kPlant, 6, 2, 2),
});
constexpr auto kType68 = std::to_array<Piece>({
    At(kSofa4, 1, 2, 1),
    At(kKitchen2, 2, 0, 1),
    At(kTable6, 4, 2, 1),
    At(kBed2, 1, 0, 2),
    At(kCupboard1, 4, 1, 2),
    At(kToilet, 5, 0, 2),
});
constexpr auto kType69 = std::to_array<Piece>({
    At(kSofa5, 1, 2, 1),
    At(kKitchen1, 5, 0, 1),
    At(kTable7, 3, 2, 1),
    At(kBed1, 1, 0, 2),
    At(kToilet, 7, 0, 2),
    At(kBed3, 2, 0, 3),
    At(kCupboard2, 5, 1, 3),
    At(kSofa6, 2, 2, 4),
    At(kTable1, 5, 2, 4),
    At(kPlant, 7, 2, 4),
});
constexpr auto kType70 = std::to_array<Piece>({
    At(kSofa1, 1, 2, 1),
    At(kSofa2, 4, 2, 1),
    At(kKitchen2, 5, 0, 1),
    At(kPlant, 7, 2, 1),
    At(kBed1, 1, 0, 2),
    At(kBed2, 4, 0, 2),
    At(kCupboard3, 6, 1, 2),
    At(kToilet, 7, 0, 2),
});
constexpr auto kType71 = std::to_array<Piece>({
    At(kSofa3, 6, 1, 1),
    At(kTable2, 4, 2, 1),
    At(kKitchen1, 4, 0, 1),
    At(kBed3, 1, 0, 2),
    At(kCupboard4, 4, 1, 2),
    At(kToilet, 6, 0, 2),
    At(kSofa4, 2, 2, 3),
    At(kPlant, 6, 2, 3),
});
constexpr auto kType72 = std::to_array<Piece>({
    At(kSofa5, 1, 2, 1),
    At(kKitchen2, 5, 0, 1),
    At(kTable3, 3, 2, 1),
    At(kBed1, 1, 0, 2),
    At(kCupboard5, 5, 1, 2),
    At(kBed2, 2, 0, 3),
    At(kToilet, 8, 0, 3),
    At(kSofa6, 2, 2, 4),
    At(kTable4, 5, 2, 4),
    At(kPlant, 8, 2, 4),
});
constexpr auto kType73 = std::to_array<Piece>({
    At(kSofa1, 1, 2, 1),
    At(kKitchen1, 3, 0, 1),
    At(kBed1, 1, 0, 2),
    At(kCupboard6, 3, 1, 2),
    At(kToilet, 4, 0, 2),
    At(kBed3, 2, 0, 3),
    At(kPlant, 4, 2, 3),
});

constexpr std::array<std::span<const Piece>, kHouseTypCount> kTables = [] {
    std::array<std::span<const Piece>, kHouseTypCount> t{};
    t[0] = kType00;
    t[3] = kType03;
    t[4] = kType04;
    t[5] = kType05;
    t[6] = kType06;
    t[7] = kType07;
    t[8] = kType08;
    t[9] = kType09;
    t[10] = kType10;
    t[11] = kType11;
    t[12] = kType12;
    t[13] = kType13;
    t[14] = kType14;
    t[15] = kType15;
    t[16] = kType16;
    t[17] = kType17;
    t[62] = kType62;
    t[63] = kType63;
    t[65] = kType65;
    t[66] = kType66;
    t[67] = kType67;
    t[68] = kType68;
    t[69] = kType69;
    t[70] = kType70;
    t[71] = kType71;
    t[72] = kType72;
    t[73] = kType73;
    return t;
}();

}  // namespace

std::span<const HouseFurniturePiece> HouseFurnitureTable(int type) {
    if (type < 0 || type >= kHouseTypCount) return {};
    return kTables[static_cast<std::size_t>(type)];
}

}  // namespace kv
