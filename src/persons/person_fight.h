#pragma once
// Fights between script fighters of the two clubs: the fixed meeting points where pairs meet,
// and the orders of the fight itself. The stronger fighter runs order 172 and plays the fight with
// the other one hidden; the other waits under order 173. The winner stands again as a free
// fighter, the loser lies as a casualty.

#include <array>
#include <cstdint>

#include "world/geometry.h"

namespace kv {

// The fighter that runs the fight stands this far right of the other one.
inline constexpr int kFightGap = 11;

// Where fighting pairs meet, tried in turn.
inline constexpr std::array<Point16, 30> kMeetingPoints = {{
    {954, 910},   {843, 924},   {960, 893},  {1005, 961}, {1137, 828},  {1200, 940},
    {535, 1238},  {685, 1205},  {809, 1265}, {886, 1298}, {955, 1190},  {941, 1268},
    {1049, 1214}, {1235, 1230}, {418, 1453}, {591, 1379}, {583, 1484},  {714, 1313},
    {750, 1472},  {801, 1371},  {865, 1477}, {887, 1370}, {975, 1489},  {1055, 1430},
    {1141, 1474}, {1298, 1425}, {1197, 961}, {1372, 968}, {1417, 1040}, {969, 862},
}};

// The next meeting point, from where the last search left off, whose box of 60 x 40 px lies on
// the map and is free; (-1, -1) when none is, and the search starts from the first point again.
Point16 FindFreeSpotNearPoint();
// The search starts from the first meeting point again. The position lives as long as the
// program; a mission's level set-up may reset it.
void ResetFreeSpotIndex();

// Order 172 (a = the partner): the stronger fighter, standing 11 px right of its partner, hides
// it and plays the fight; at its end it stands as a free fighter again, weaker by half the
// partner's energy, and the partner lies as a casualty.
void RunPersonFight(std::int16_t person);
// Order 173 (a = the partner): the hidden fighter waits while its partner fights; then a fighter
// gets its controller back and its queue is cleared, which shows it again.
void EndPersonFight(std::int16_t person);

}  // namespace kv
