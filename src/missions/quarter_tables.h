#pragma once
// The prison quarter, which three missions play in: its houses, the special objects every one of
// them places in the same slots (the two gas houses and the prison gate), its hydrants and the
// paths its pedestrians walk. The missions read these tables; what differs between them stays in
// their own files.

#include <array>
#include <cstdint>
#include <span>

#include "core/mission_points.h"
#include "core/mission_state.h"
#include "core/view.h"
#include "mission/scroll_view.h"
#include "missions/mission_houses.h"
#include "world/geometry.h"
#include "world/level_map.h"

namespace kv {

namespace quarter {

// The view over the quarter and its road in and out, the same in every mission there.
inline void SetUpView() {
    ScrollCols = static_cast<std::int16_t>(MapWidth);
    ScrollRows = static_cast<std::int16_t>(MapHeight - 4);
    ViewOrigin = {850, 400};
    HomeView = {0, 1600};
    RoadEntry = {-100, 1873, 250, 3};
    RoadExit = {-150, 1427, kEdgeLeft};
}

constexpr MissionHouse Q(std::uint8_t type, std::int16_t column, std::int16_t row) {
    return {type, column, row, 0, 0};
}

// Placed in this order: the blocks of flats (type 3), then the offices (type 0).
inline constexpr std::array<MissionHouse, 41> kHouses = {{
    Q(3, 19, 7),   Q(3, 29, 7),   Q(3, 39, 7),   Q(3, 49, 7),   Q(3, 59, 7),   Q(3, 49, 17),
    Q(3, 100, 17), Q(3, 110, 17), Q(3, 49, 27),  Q(3, 59, 27),  Q(3, 100, 27), Q(3, 105, 27),
    Q(3, 49, 32),  Q(3, 29, 35),  Q(3, 39, 35),  Q(3, 84, 37),  Q(3, 90, 37),  Q(3, 29, 45),
    Q(3, 59, 52),  Q(3, 69, 52),  Q(3, 79, 52),  Q(3, 113, 52), Q(3, 79, 62),  Q(3, 86, 72),
    Q(3, 132, 72), Q(3, 60, 79),  Q(0, 12, 7),   Q(0, 59, 17),  Q(0, 69, 27),  Q(0, 101, 37),
    Q(0, 113, 37), Q(0, 47, 42),  Q(0, 84, 52),  Q(0, 84, 62),  Q(0, 120, 62), Q(0, 48, 69),
    Q(0, 79, 72),  Q(0, 97, 72),  Q(0, 120, 72), Q(0, 48, 79),  Q(0, 63, 66),
}};

// A special object of the fixed slots, with the arguments it is created with.
struct FixedObject {
    std::int16_t type;
    std::int16_t x;
    std::int16_t y;
    std::uint8_t blockMask;
    std::uint8_t depthLayer;
    float height;
};

inline constexpr std::int16_t kGasHouseTyp = 18;
inline constexpr std::int16_t kGateTyp = 20;

// Slots 0..2: the two gas houses and the prison gate, which stands 130 high over its wall.
inline constexpr std::array<FixedObject, 3> kFixedObjects = {{
    {kGasHouseTyp, 752, 1280, 15, 0, 0.0f},
    {kGasHouseTyp, 2000, 1236, 15, 0, 0.0f},
    {kGateTyp, 973, 728, 0, 2, 130.0f},
}};
inline constexpr std::int16_t kGateSlot = 2;

inline constexpr std::array<Point16, 28> kHydrants = {{
    {400, 320},   {1040, 320}, {1360, 320},  {1680, 320},  {2990, 320},  {1200, 600},  {1520, 600},
    {1365, 875},  {1680, 875}, {2840, 875},  {275, 1100},  {595, 1100},  {965, 1015},  {2195, 1155},
    {2550, 1155}, {120, 1380}, {965, 1575},  {1285, 1575}, {1760, 1575}, {2695, 1575}, {1590, 1860},
    {2750, 1860}, {335, 2055}, {1495, 2140}, {1850, 2140}, {2585, 2140}, {175, 2335},  {560, 2335},
}};

// The pedestrians' paths through the quarter, for the missions that have them walk.
struct PassantenWegRow {
    std::uint8_t mode;
    std::span<const Point16> points;
};

inline constexpr std::array<Point16, 15> kPassantenWeg0 = {{
    {330, 465},
    {255, 600},
    {165, 745},
    {100, 745},
    {30, 880},
    {250, 880},
    {280, 825},
    {440, 825},
    {600, 825},
    {760, 825},
    {920, 825},
    {1015, 660},
    {1125, 465},
    {860, 465},
}};
inline constexpr std::array<Point16, 13> kPassantenWeg1 = {{
    {1925, 595},
    {2235, 595},
    {2090, 880},
    {2300, 880},
    {2460, 600},
    {2630, 405},
    {2805, 370},
    {2905, 185},
    {2690, 185},
    {2570, 350},
    {2450, 380},
    {2210, 380},
}};
inline constexpr std::array<Point16, 4> kPassantenWeg2 = {{
    {1445, 465},
    {1370, 600},
    {1750, 600},
}};
inline constexpr std::array<Point16, 7> kPassantenWeg3 = {{
    {320, 1585},
    {220, 1775},
    {540, 1775},
    {855, 1775},
    {825, 1830},
    {855, 1830},
}};
inline constexpr std::array<Point16, 8> kPassantenWeg4 = {{
    {1420, 1445},
    {1525, 1445},
    {1445, 1580},
    {1615, 1580},
    {1455, 1860},
    {1830, 1860},
    {1910, 1720},
}};
inline constexpr std::array<Point16, 6> kPassantenWeg5 = {{
    {2260, 1025},
    {2170, 1160},
    {2165, 1275},
    {2135, 1325},
    {1660, 1325},
}};

// Mode 0 walks a path round, 1 back and forth.
inline constexpr std::array<PassantenWegRow, 6> kPassantenWege = {{
    {0, kPassantenWeg0},
    {0, kPassantenWeg1},
    {0, kPassantenWeg2},
    {1, kPassantenWeg3},
    {1, kPassantenWeg4},
    {0, kPassantenWeg5},
}};

}  // namespace quarter

}  // namespace kv
