#pragma once
// The 47 vehicle types by index: their names (the picture folder under cars\), the code of their
// data file, and which player types each mission offers.

#include <array>
#include <cstdint>
#include <string_view>

#include "core/mission_state.h"

namespace kv {

inline constexpr int kFahrzeugTypCount = 47;
// Types 0..23 are sold on the base screens; a mission offers some of them.
inline constexpr int kPlayerFahrzeugTypCount = 24;

// The type indices the rules name.
inline constexpr std::int16_t kTypF101 = 0;
inline constexpr std::int16_t kTypF102 = 1;
inline constexpr std::int16_t kTypF103 = 2;
inline constexpr std::int16_t kTypF104 = 3;
inline constexpr std::int16_t kTypF105 = 4;
inline constexpr std::int16_t kTypF106 = 5;
inline constexpr std::int16_t kTypF107 = 6;
inline constexpr std::int16_t kTypF108 = 7;
inline constexpr std::int16_t kTypF109 = 8;
inline constexpr std::int16_t kTypF110 = 9;
inline constexpr std::int16_t kTypF111 = 10;
inline constexpr std::int16_t kTypF113 = 11;
inline constexpr std::int16_t kTypF114 = 12;
inline constexpr std::int16_t kTypF115 = 13;
inline constexpr std::int16_t kTypF116 = 14;
inline constexpr std::int16_t kTypF117 = 15;
inline constexpr std::int16_t kTypF118 = 16;
inline constexpr std::int16_t kTypF201 = 17;
inline constexpr std::int16_t kTypF202 = 18;
inline constexpr std::int16_t kTypF203 = 19;
inline constexpr std::int16_t kTypF204 = 20;
inline constexpr std::int16_t kTypF301 = 21;
inline constexpr std::int16_t kTypF302 = 22;
inline constexpr std::int16_t kTypF303 = 23;
inline constexpr std::int16_t kTypNone = 24;  // the empty slot: never loaded
inline constexpr std::int16_t kTypF110MD = 25;
inline constexpr std::int16_t kTypF119 = 26;
inline constexpr std::int16_t kTypZF01 = 27;
inline constexpr std::int16_t kTypSF02 = 35;
inline constexpr std::int16_t kTypPARK01 = 36;
inline constexpr std::int16_t kTypHONDA01 = 44;
inline constexpr std::int16_t kTypF203B = 45;
inline constexpr std::int16_t kTypHAI = 46;

struct FahrzeugTypName {
    std::string_view name;  // the picture folder cars\<name>\ and the messages; empty: no type
    std::string_view code;  // the data file data\cars\<code>.dat and the record's code
};

// clang-format off
inline constexpr std::array<FahrzeugTypName, kFahrzeugTypCount> kFahrzeugTypNames = {{
    {"F101", "F101"}, {"F102", "F102"}, {"F103", "F103"}, {"F104", "F104"}, {"F105", "F105"},
    {"F106", "F106"}, {"F107", "F107"}, {"F108", "F108"}, {"F109", "F109"}, {"F110", "F110"},
    {"F111", "F111"}, {"F113", "F113"}, {"F114", "F114"}, {"F115", "F115"}, {"F116", "F116"},
    {"F117", "F117"}, {"F118", "F118"}, {"F201", "F201"}, {"F202", "F202"}, {"F203", "F203"},
    {"F204", "F204"}, {"F301", "F301"}, {"F302", "F302"}, {"F303", "F303"}, {"", ""},
    {"F110MD", "F110"}, {"F119", "F119"},
    {"ZF01", "ZF"}, {"ZF02", "ZF"}, {"ZF03", "ZF"}, {"ZF04", "ZF"}, {"ZF05", "ZF"},
    {"ZF06", "ZF"}, {"ZF07", "ZF"}, {"ZF08", "ZF"}, {"SF02", "ZF"},
    {"PARK01", "ZF"}, {"PARK02", "ZF"}, {"PARK03", "ZF"}, {"PARK04", "ZF"}, {"PARK05", "ZF"},
    {"PARK06", "ZF"}, {"PARK07", "ZF"}, {"PARK08", "ZF"}, {"HONDA01", "ZF"},
    {"F203B", "F203"}, {"HAI", "HAI"},
}};
// clang-format on

namespace detail {

// One row per player type, one character per mission 1..30, '1' = offered.
// clang-format off
inline constexpr std::string_view kAvailabilityRows[kPlayerFahrzeugTypCount] = {
    "001101000010001001011111011111",  // F101
    "011101111111111111011111111111",  // F102
    "011111111111111111111111111111",  // F103
    "111111111111111111111111111111",  // F104
    "011101111110101101011110011111",  // F105
    "011111111111111111111111111111",  // F106
    "001100000000000001001010010101",  // F107
    "001100000010001001011110011111",  // F108
    "001100000010000001000110010111",  // F109
    "111111111111111111111111111111",  // F110
    "011101010110001001001100011101",  // F111
    "001100000010000001001010010111",  // F113
    "000000000000000000000000000000",  // F114
    "000000000000000001000000000001",  // F115
    "000000000000000000000000000000",  // F116
    "011101111111101111011111011111",  // F117
    "011101111111101111011110011111",  // F118
    "111111111111111111111111111111",  // F201
    "111111111111111111111111111111",  // F202
    "011101111111111111101111111111",  // F203
    "011101111111101101011110011111",  // F204
    "111111111111111111111111111111",  // F301
    "011101111111101111011111111111",  // F302
    "011101111110101001011110011111",  // F303
};
// clang-format on

constexpr std::array<std::array<std::uint8_t, kMissionCount>, kPlayerFahrzeugTypCount>
MakeAvailability() {
    std::array<std::array<std::uint8_t, kMissionCount>, kPlayerFahrzeugTypCount> table{};
    for (int t = 0; t < kPlayerFahrzeugTypCount; ++t) {
        if (kAvailabilityRows[t].size() != kMissionCount) throw "a row holds 30 missions";
        for (int m = 0; m < kMissionCount; ++m) {
            const char c = kAvailabilityRows[t][m];
            if (c != '0' && c != '1') throw "a row holds only 0 and 1";
            table[t][m] = c == '1' ? 1 : 0;
        }
    }
    return table;
}

}  // namespace detail

// [type][mission - 1]: 1 = the mission offers the type (the base screens sell it and the mission
// loads its pictures at start).
inline constexpr auto FahrzeugAvailability = detail::MakeAvailability();

}  // namespace kv
