#pragma once
// The stations' staff: where each figure waits in the staff room, the paths they walk to the
// stairs, and the stairs' door for each kind of staff. Read by the station screen, the sample-data
// generator (which draws the rooms to fit) and the tests.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace kv {

struct BasisPoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
};

// A walk from a figure's place to the door, in walking order.
inline constexpr std::size_t kMaxBasisPathPoints = 6;
struct BasisPath {
    std::uint8_t count = 0;
    std::array<BasisPoint, kMaxBasisPathPoints> points{};
};
inline constexpr std::size_t kMaxBasisPaths = 10;
struct BasisPathSet {
    std::uint8_t count = 0;  // paths in use, counting the unused ones in between
    std::array<BasisPath, kMaxBasisPaths> paths{};
};

// By station type 0..2. Path 6 belongs to nobody and stays empty.
inline constexpr std::array<BasisPathSet, 3> kBasisPaths = {{
    {7,
     {{{4, {{{515, 310}, {290, 310}, {230, 220}, {268, 153}}}},
       {2, {{{400, 110}, {325, 110}}}},
       {2, {{{234, 108}, {310, 108}}}},
       {2, {{{421, 110}, {325, 110}}}},
       {4, {{{399, 257}, {387, 282}, {276, 282}, {347, 156}}}},
       {4, {{{479, 386}, {391, 386}, {330, 404}, {220, 404}}}}}}},
    {7,
     {{{6, {{{430, 324}, {354, 358}, {110, 358}, {151, 279}, {202, 280}, {283, 143}}}},
       {2, {{{407, 96}, {358, 116}}}},
       {3, {{{246, 106}, {279, 95}, {310, 95}}}},
       {3, {{{489, 143}, {407, 96}, {358, 96}}}},
       {4, {{{476, 189}, {489, 143}, {407, 96}, {358, 96}}}},
       {2, {{{279, 95}, {310, 95}}}}}}},
    {10,
     {{{3, {{{400, 295}, {200, 295}, {283, 147}}}},
       {2, {{{401, 106}, {355, 91}}}},
       {1, {{{308, 95}}}},
       {2, {{{222, 95}, {308, 95}}}},
       {4, {{{409, 255}, {400, 295}, {200, 295}, {283, 147}}}},
       {5, {{{383, 242}, {409, 255}, {400, 295}, {200, 295}, {283, 147}}}},
       {},
       {1, {{{287, 102}}}},
       {2, {{{390, 77}, {355, 91}}}},
       {2, {{{395, 404}, {220, 404}}}}}}},
}};

// The stairs for staff types 0..4: where the figure enters the door in the staff room, where it
// arrives in the hall, and its two door pictures (going down, arriving). The pictures are the
// small station's for every station.
struct BasisDoor {
    BasisPoint door;
    BasisPoint arrival;
    std::string_view goingDown;
    std::string_view arriving;
};
inline constexpr std::size_t kBasisDoorTypes = 5;
inline constexpr std::array<BasisDoor, kBasisDoorTypes> kBasisDoors = {{
    {{311, 151}, {308, 256}, "basen\\klein\\P01_rob.aff", "basen\\klein\\P01_run.aff"},
    {{312, 151}, {309, 257}, "basen\\klein\\201a_rob.aff", "basen\\klein\\201a_run.aff"},
    {{311, 151}, {308, 259}, "basen\\klein\\201b_rob.aff", "basen\\klein\\201b_run.aff"},
    {{311, 151}, {308, 259}, "basen\\klein\\201c_rob.aff", "basen\\klein\\201c_run.aff"},
    {{309, 151}, {306, 258}, "basen\\klein\\P05_rob.aff", "basen\\klein\\P05_run.aff"},
}};

// How a figure is created: seated (animation 3, still) or standing (animation 0).
inline constexpr std::uint8_t kStaffSit = 1;
inline constexpr std::uint8_t kStaffStand = 2;

// The person order that takes a figure down the stairs into the hall.
inline constexpr std::uint8_t kOpEnterBasis = 163;

// The storeys that mark a person as inside a base.
inline constexpr std::int8_t kStoreyStaffRoom = -3;
inline constexpr std::int8_t kStoreyStairs = -4;
inline constexpr std::int8_t kStoreyHall = -5;

struct BasisStaffRow {
    std::uint8_t type = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint8_t direction = 0;
    std::uint8_t pose = 0;
    std::uint8_t path = 0;
    std::int8_t storey = kStoreyStaffRoom;
};

inline constexpr std::int8_t kRoom = kStoreyStaffRoom;
inline constexpr std::int8_t kHall = kStoreyHall;
inline constexpr std::array<BasisStaffRow, 15> kBasisStaffSmall = {{
    {0, 522, 281, 7, kStaffSit, 0, kRoom},
    {0, 550, 310, 9, kStaffStand, 0, kRoom},
    {0, 542, 284, 3, kStaffSit, 0, kRoom},
    {0, 573, 282, 9, kStaffSit, 0, kRoom},
    {1, 470, 91, 7, kStaffSit, 1, kRoom},
    {1, 420, 95, 6, kStaffStand, 1, kRoom},
    {1, 455, 105, 8, kStaffStand, 1, kRoom},
    {2, 178, 120, 1, kStaffSit, 2, kRoom},
    {2, 178, 157, 3, kStaffSit, 2, kRoom},
    {2, 196, 123, 3, kStaffSit, 2, kRoom},
    {3, 363, 202, 1, kStaffSit, 3, kRoom},
    {3, 381, 204, 3, kStaffSit, 4, kRoom},
    {3, 354, 228, 7, kStaffSit, 4, kRoom},
    {4, 232, 90, 7, kStaffSit, 2, kRoom},
    {5, 551, 380, 9, kStaffStand, 5, kHall},
}};
inline constexpr std::array<BasisStaffRow, 14> kBasisStaffMedium = {{
    {0, 525, 298, 7, kStaffSit, 0, kRoom},
    {0, 571, 297, 7, kStaffSit, 0, kRoom},
    {0, 554, 296, 9, kStaffSit, 0, kRoom},
    {0, 543, 334, 9, kStaffStand, 0, kRoom},
    {1, 485, 68, 7, kStaffSit, 1, kRoom},
    {1, 544, 120, 9, kStaffSit, 1, kRoom},
    {1, 494, 80, 10, kStaffStand, 1, kRoom},
    {2, 206, 143, 3, kStaffSit, 2, kRoom},
    {2, 187, 176, 3, kStaffSit, 2, kRoom},
    {2, 204, 121, 1, kStaffSit, 2, kRoom},
    {3, 396, 162, 1, kStaffSit, 1, kRoom},
    {3, 447, 182, 1, kStaffSit, 3, kRoom},
    {3, 443, 207, 3, kStaffSit, 4, kRoom},
    {4, 284, 66, 7, kStaffSit, 5, kRoom},
}};
inline constexpr std::array<BasisStaffRow, 14> kBasisStaffLarge = {{
    {0, 537, 255, 7, kStaffSit, 0, kRoom},
    {0, 503, 255, 7, kStaffSit, 0, kRoom},
    {0, 563, 265, 9, kStaffStand, 0, kRoom},
    {1, 480, 76, 7, kStaffSit, 8, kRoom},
    {1, 466, 102, 7, kStaffSit, 1, kRoom},
    {1, 424, 70, 3, kStaffStand, 8, kRoom},
    {2, 242, 122, 1, kStaffSit, 2, kRoom},
    {2, 181, 122, 1, kStaffSit, 3, kRoom},
    {2, 201, 124, 3, kStaffSit, 3, kRoom},
    {3, 357, 228, 7, kStaffSit, 5, kRoom},
    {3, 433, 228, 7, kStaffSit, 4, kRoom},
    {3, 382, 206, 3, kStaffSit, 5, kRoom},
    {4, 248, 75, 7, kStaffSit, 7, kRoom},
    {6, 462, 353, 9, kStaffStand, 9, kHall},
}};
// By station type 0..2.
inline constexpr std::array<std::span<const BasisStaffRow>, 3> kBasisStaff = {
    std::span<const BasisStaffRow>(kBasisStaffSmall),
    std::span<const BasisStaffRow>(kBasisStaffMedium),
    std::span<const BasisStaffRow>(kBasisStaffLarge),
};

// Where staff assigned to a vehicle gather in the hall, in every station.
inline constexpr BasisPoint kBasisGatheringPoint = {268, 318};

}  // namespace kv
