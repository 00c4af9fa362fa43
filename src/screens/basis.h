#pragma once
// The mission's six bases, shown as plates on the campaign map, and the stations' screen (game
// mode 8), where vehicles and staff are bought. Base n is column n of BasisAvailability.

#include <array>
#include <cstdint>

#include "mission/campaign_tables.h"

namespace kv {

// What a base is, and which screen it opens.
inline constexpr std::uint8_t kBasisSmall = 0;
inline constexpr std::uint8_t kBasisMedium = 1;
inline constexpr std::uint8_t kBasisLarge = 2;
inline constexpr std::uint8_t kBasisHeli = 3;
inline constexpr std::uint8_t kBasisLflug = 4;
inline constexpr std::uint8_t kBasisSchiff = 5;

// A base's plate: the top-left corner on the campaign map, and its type.
struct Basis {
    std::int16_t x = 0;
    std::int16_t y = 0;
    std::uint8_t type = 0;
};
extern std::array<Basis, kBasisCount> Basen;

// The plates of every mission, by base.
inline constexpr std::array<Basis, kBasisCount> kBasisPlates = {{
    {310, 337, kBasisSmall},
    {129, 395, kBasisMedium},
    {598, 470, kBasisLarge},
    {509, 410, kBasisHeli},
    {610, 150, kBasisLflug},
    {490, 545, kBasisSchiff},
}};
// Mission 30's ship base (base 5) stands further right.
inline constexpr std::size_t kSchiffBasisIndex = 5;
inline constexpr std::int16_t kSchiffBasisXM30 = 520;

// The bases of the running mission (MissionNummer), at every mission start.
void InitBasen();
// Opens a station of base type 0..2; the campaign map has closed itself before.
void OpenBasis(std::int16_t base);

}  // namespace kv
