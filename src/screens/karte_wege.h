#pragma once
// The campaign map's roads: each base's road is drawn in the mission's road picture from its first
// pixel to the mission site. A bought vehicle follows its base's road pixel by pixel and, at the
// site or at a dead end, arrives in the mission world at its entry point and drives in.

#include <array>
#include <cstdint>

namespace kv {

// Where base n's road begins: the pixel of colour kKarteStartColour + 16 n; (11, 11) when the
// picture has none.
struct KarteStartPoint {
    std::uint16_t x = 11;
    std::uint16_t y = 11;
};
extern std::array<KarteStartPoint, 6> KarteStartPoints;

// The road picture's colours of base n: its first pixel, and the rest of its road.
inline constexpr int kKarteStartColour = 16;
inline constexpr int kKarteRoadColour = 17;
inline constexpr int kKarteRoadColourStep = 16;

// Finds every base's start point in the mission's road picture.
void FindKarteStartPoints();
// Puts a just-bought vehicle at the start of a base's road (0..5; another road places nothing).
void PlaceFahrzeugOnKarte(std::int16_t index, std::int16_t road);
// One move of a vehicle along its map road, at its type's pace; it arrives at the road's end.
void MoveFahrzeugOnKarte(std::int16_t index);

}  // namespace kv
