#pragma once
// Tests that many missions' checks share.

#include <cstdint>
#include <string_view>

namespace kv {

struct Person;
struct Fahrzeug;

// Whether a person slot stands in the mission's world: in use, present, on the map, on a storey
// of the world (base staff stand on the screens' storeys below 0) and no door double.
bool PersonInWorld(const Person& p);

// Whether a vehicle slot stands in the mission's world: in use, present, on a storey of the world
// and no longer driving on the campaign map.
bool FahrzeugInWorld(const Fahrzeug& v);

// Whether some person in use is still a casualty, waiting to be rescued.
bool RescuePending();

// The fire missions' check: with at least mostDead dead the mission fails with deadMessage, with
// more than mostBurningHouses houses burning it fails as out of control (both once the explosions
// are over); with nobody left to rescue and nothing burning it is won.
void CheckDeadThenFire(std::uint32_t mostDead, std::string_view deadMessage,
                       std::uint16_t mostBurningHouses);

// Whether some person in use still carries a contamination.
bool ContaminationPending();

// Whether the car drives under its traffic order this tick. A car that found a standing car in
// its way waits under a pushed order with the driving bit still set from its try, so the bit
// alone would pass over every other car of a queue.
bool DrivesInTraffic(const Fahrzeug& v);

// The right end of the view in world x, where roads leave the map on the right: the width the
// view may scroll over, less the shear of the last row. Valid once the level set-up has lowered
// the scrollable width.
std::int16_t ViewRightEdgeX();

// Whether the rectangle of the map (corners included) is free of units and special objects. Map
// cells do not count: the rectangle is tested for a mover to which ground is no obstacle.
bool StripFree(std::int16_t left, std::int16_t top, std::int16_t right, std::int16_t bottom);

// The frame an explosion shows last, as its type has it.
inline constexpr int kLastExplosionFrame = -1;

// Whether the slot's head command is an explosion (kind 0) whose animation has reached the frame
// (kLastExplosionFrame: the type's last). An animation object out of range, free or of another
// type than the command names counts as past it: the checks run once a frame, and at speed 3 the
// animation may have ended and freed itself in between.
bool ExplosionPastFrame(std::int16_t slot, int frame = kLastExplosionFrame);

// Leaked fuel set off by work beside it: every person in use for whom `works` holds has its
// orders cleared and stands still in animation 0; if there was one, the selection is dropped and
// the object in the slot explodes. Whether anybody was stopped.
bool StopWorkBeside(std::int16_t slot, bool (*works)(const Person&));

}  // namespace kv
