#pragma once
// Where persons stand beside each vehicle type, by the vehicle's facing: its door, its equipment
// compartment, the compartment on the other side and the F108's rear hatch. An offset is added to
// the vehicle's draw corner; 1000 and -1000 are markers for "just outside the vehicle's box on
// that side". The point code and the tests read these tables.

#include <array>
#include <cstdint>
#include <span>

#include "movement/unit_type.h"
#include "vehicles/fahrzeug_typ_table.h"

namespace kv {

// The markers: right of or below the box (kPunktBeyond), left of or above it (-kPunktBeyond).
inline constexpr std::int16_t kPunktBeyond = 1000;

// One facing's offset, and the facing the person takes there (not kept for the door).
struct PunktOffset {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint8_t facing = 0;
};
using PunktRow = std::array<PunktOffset, kDirectionCount>;

struct PunktTypRow {
    std::int16_t type;
    PunktRow offsets;
};

// The door of a type without a row: just below the box, at the corner's x.
inline constexpr PunktOffset kDoorBelowCorner{0, kPunktBeyond, 0};

namespace punkt_rows {

// clang-format off
inline constexpr PunktRow kDoorF102 = {{{1000, 27}, {1000, 32}, {70, 1000}, {64, 1000}, {45, 1000}, {20, 1000},
    {-1000, 65}, {-1000, 60}, {17, -1000}, {27, -1000}, {38, -1000}, {48, -1000}}};
inline constexpr PunktRow kDoorF104 = {{{1000, 25}, {1000, 25}, {80, 1000}, {70, 1000}, {52, 1000}, {24, 1000},
    {-1000, 52}, {-1000, 45}, {22, -1000}, {32, -1000}, {34, -1000}, {47, -1000}}};
inline constexpr PunktRow kDoorF105 = {{{1000, 25}, {1000, 25}, {84, 1000}, {74, 1000}, {56, 1000}, {25, 1000},
    {-1000, 65}, {-1000, 61}, {22, -1000}, {32, -1000}, {34, -1000}, {47, -1000}}};
inline constexpr PunktRow kDoorF106 = {{{1000, 36}, {1000, 50}, {79, 1000}, {82, 1000}, {64, 1000}, {25, 1000},
    {-1000, 76}, {-1000, 77}, {21, -1000}, {29, -1000}, {32, -1000}, {38, -1000}}};
inline constexpr PunktRow kDoorF107 = {{{-1000, 35}, {-1000, 31}, {27, -1000}, {40, -1000}, {41, -1000}, {1000, 25},
    {1000, 36}, {1000, 42}, {52, 1000}, {41, 1000}, {35, 1000}, {-1000, 48}}};
inline constexpr PunktRow kDoorF108 = {{{1000, 19}, {1000, 32}, {50, 1000}, {42, 1000}, {34, 1000}, {16, 1000},
    {-1000, 56}, {-1000, 55}, {14, -1000}, {24, -1000}, {31, -1000}, {35, -1000}}};
inline constexpr PunktRow kDoorF109 = {{{1000, 27}, {1000, 33}, {63, 1000}, {62, 1000}, {50, 1000}, {-1000, 77},
    {-1000, 74}, {-1000, 70}, {20, -1000}, {30, -1000}, {36, -1000}, {1000, 20}}};
inline constexpr PunktRow kDoorF201 = {{{22, 1000}, {15, 1000}, {-1000, 50}, {-1000, 37}, {-1000, 34}, {14, -1000},
    {21, -1000}, {35, -1000}, {1000, 27}, {1000, 35}, {1000, 47}, {47, 1000}}};
inline constexpr PunktRow kDoorF202 = {{{1000, 24}, {1000, 24}, {40, 1000}, {34, 1000}, {28, 1000}, {-1000, 32},
    {-1000, 24}, {-1000, 21}, {31, -1000}, {37, -1000}, {40, -1000}, {1000, 20}}};
inline constexpr PunktRow kDoorF203 = {{{90, 1000}, {90, 1000}, {90, 1000}, {90, 1000}, {90, 1000}, {90, 1000},
    {90, 1000}, {90, 1000}, {90, 1000}, {90, 1000}, {90, 1000}, {90, 1000}}};
inline constexpr PunktRow kDoorF301 = {{{1000, 25}, {1000, 28}, {40, 1000}, {32, 1000}, {25, 1000}, {-1000, 31},
    {-1000, 22}, {-1000, 20}, {30, -1000}, {39, -1000}, {46, -1000}, {1000, 19}}};
inline constexpr PunktRow kDoorF302 = {{{1000, 40}, {1000, 40}, {44, 1000}, {33, 1000}, {29, 1000}, {-1000, 58},
    {-1000, 35}, {1000, 53}, {41, 1000}, {34, 1000}, {28, 1000}, {-1000, 42}}};
// The street car with one door, in facing 3 only.
inline constexpr PunktRow kDoorSF02 = {{kDoorBelowCorner, kDoorBelowCorner, kDoorBelowCorner, {-15, 47},
    kDoorBelowCorner, kDoorBelowCorner, kDoorBelowCorner, kDoorBelowCorner, kDoorBelowCorner,
    kDoorBelowCorner, kDoorBelowCorner, kDoorBelowCorner}};

inline constexpr PunktRow kSideF102 = {{{1000, 40, 9}, {1000, 48, 9}, {49, 1000, 0}, {39, 1000, 0}, {30, 1000, 0},
    {-1000, 56, 3}, {-1000, 44, 3}, {-1000, 40, 3}, {38, -1000, 6}, {48, -1000, 6}, {49, -1000, 6}, {1000, 30, 9}}};
inline constexpr PunktRow kSideF104 = {{{1000, 44, 9}, {1000, 48, 9}, {63, 1000, 0}, {51, 1000, 0}, {41, 1000, 0},
    {-1000, 70, 3}, {-1000, 45, 3}, {-1000, 38, 3}, {33, -1000, 6}, {48, -1000, 6}, {51, -1000, 6}, {1000, 37, 9}}};
inline constexpr PunktRow kSideF105 = {{{1000, 44, 9}, {1000, 48, 9}, {66, 1000, 0}, {55, 1000, 0}, {43, 1000, 0},
    {-1000, 74, 3}, {-1000, 53, 3}, {-1000, 42, 3}, {33, -1000, 6}, {48, -1000, 6}, {51, -1000, 6}, {1000, 37, 9}}};
inline constexpr PunktRow kSideF108 = {{{1000, 36, 9}, {1000, 40, 9}, {29, 1000, 0}, {19, 1000, 0}, {17, 1000, 0},
    {-1000, 45, 3}, {-1000, 36, 3}, {-1000, 35, 3}, {32, -1000, 6}, {45, -1000, 6}, {47, -1000, 6}, {1000, 35, 9}}};
inline constexpr PunktRow kSideF109 = {{{25, 1000, 0}, {23, 1000, 0}, {-1000, 57, 3}, {-1000, 46, 3}, {-1000, 21, 3},
    {12, -1000, 6}, {21, -1000, 6}, {44, -1000, 6}, {1000, 39, 9}, {1000, 44, 9}, {1000, 66, 9}, {43, 1000, 0}}};

inline constexpr PunktRow kOtherSideF102 = {{{-1000, 40, 3}, {-1000, 48, 3}, {29, -1000, 6}, {44, -1000, 6},
    {43, -1000, 6}, {1000, 30, 9}, {1000, 44, 9}, {1000, 51, 9}, {47, 1000, 0}, {38, 1000, 0}, {28, 1000, 0},
    {-1000, 50, 3}}};
inline constexpr PunktRow kOtherSideF104 = {{{-1000, 40, 3}, {-1000, 33, 3}, {45, -1000, 6}, {57, -1000, 6},
    {52, -1000, 6}, {1000, 51, 9}, {1000, 45, 9}, {1000, 57, 9}, {47, 1000, 0}, {38, 1000, 0}, {29, 1000, 0},
    {-1000, 55, 3}}};
inline constexpr PunktRow kOtherSideF105 = {{{-1000, 40, 3}, {-1000, 33, 3}, {48, -1000, 6}, {62, -1000, 6},
    {58, -1000, 6}, {1000, 49, 9}, {1000, 53, 9}, {1000, 65, 9}, {47, 1000, 0}, {38, 1000, 0}, {29, 1000, 0},
    {-1000, 55, 3}}};
inline constexpr PunktRow kOtherSideF108 = {{{-1000, 36, 3}, {-1000, 22, 3}, {20, -1000, 6}, {30, -1000, 6},
    {33, -1000, 6}, {1000, 29, 9}, {1000, 36, 9}, {1000, 43, 9}, {47, 1000, 0}, {38, 1000, 0}, {32, 1000, 0},
    {-1000, 52, 3}}};

inline constexpr PunktRow kHatchF108 = {{{19, 1000, 9}, {17, 1000, 9}, {-1000, 44, 9}, {-1000, 44, 9}, {-1000, 36, 9},
    {14, -1000, 9}, {22, -1000, 9}, {38, -1000, 9}, {1000, 36, 9}, {1000, 42, 9}, {1000, 52, 9}, {43, 1000, 9}}};
// clang-format on

}  // namespace punkt_rows

// The F102 and the F103 share their doors and compartments.
inline constexpr std::array<PunktTypRow, 14> kFahrzeugDoorRows = {{
    {kTypF102, punkt_rows::kDoorF102},
    {kTypF103, punkt_rows::kDoorF102},
    {kTypF104, punkt_rows::kDoorF104},
    {kTypF105, punkt_rows::kDoorF105},
    {kTypF106, punkt_rows::kDoorF106},
    {kTypF107, punkt_rows::kDoorF107},
    {kTypF108, punkt_rows::kDoorF108},
    {kTypF109, punkt_rows::kDoorF109},
    {kTypF201, punkt_rows::kDoorF201},
    {kTypF202, punkt_rows::kDoorF202},
    {kTypF203, punkt_rows::kDoorF203},
    {kTypF301, punkt_rows::kDoorF301},
    {kTypF302, punkt_rows::kDoorF302},
    {kTypSF02, punkt_rows::kDoorSF02},
}};
inline constexpr std::array<PunktTypRow, 6> kFahrzeugSideRows = {{
    {kTypF102, punkt_rows::kSideF102},
    {kTypF103, punkt_rows::kSideF102},
    {kTypF104, punkt_rows::kSideF104},
    {kTypF105, punkt_rows::kSideF105},
    {kTypF108, punkt_rows::kSideF108},
    {kTypF109, punkt_rows::kSideF109},
}};
inline constexpr std::array<PunktTypRow, 5> kFahrzeugOtherSideRows = {{
    {kTypF102, punkt_rows::kOtherSideF102},
    {kTypF103, punkt_rows::kOtherSideF102},
    {kTypF104, punkt_rows::kOtherSideF104},
    {kTypF105, punkt_rows::kOtherSideF105},
    {kTypF108, punkt_rows::kOtherSideF108},
}};
inline constexpr std::array<PunktTypRow, 1> kFahrzeugHatchRows = {{
    {kTypF108, punkt_rows::kHatchF108},
}};

// The type's row of a table; null when the table has none for it.
constexpr const PunktRow* FindPunktRow(std::span<const PunktTypRow> table, int type) {
    for (const PunktTypRow& r : table)
        if (r.type == type) return &r.offsets;
    return nullptr;
}

}  // namespace kv
