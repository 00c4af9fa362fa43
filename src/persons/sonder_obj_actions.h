#pragma once
// What persons do at the missions' special objects: work at one until a mission's callback takes
// over, take one away, send one a command, set its frame, and lay a carried patient onto one.
// Each order needs the person on the object's spot for its facing; a person anywhere else, or an
// object that is not there or of the wrong type, loses its whole queue.

#include <array>
#include <cstdint>
#include <optional>

#include "world/level_map.h"

namespace kv {

// Where a spot's x lies: from the object's position ox, its type's hit box x1, x2 or its first
// frame's width w (halves and tenths rounded toward zero), or at a fixed map x.
enum class SpotX : std::uint8_t {
    Origin,             // ox + dx
    BoxLeft,            // ox + x1 + dx
    BoxRight,           // ox + x2 + dx
    HalfWidth,          // ox + w / 2 + dx
    BoxRightNineTenth,  // ox + x2 * 9 / 10 + dx
    WidthSevenTenth,    // ox + w * 7 / 10 + dx
    Fixed,              // dx
};
// The same for y, from oy and the box's y1, y2.
enum class SpotY : std::uint8_t {
    Origin,     // oy + dy
    BoxTop,     // oy + y1 + dy
    BoxBottom,  // oy + y2 + dy
    Fixed,      // dy
};

// The facing a person has at a spot of an object, and where the spot lies.
struct SonderObjSpot {
    std::uint8_t facing;
    SpotX x;
    std::int16_t dx;
    SpotY y;
    std::int16_t dy;
};

// Order 183's position rules, by rule + 1 (rules -1..5). Rule -1 takes any of its facings
// anywhere; the others want the person exactly on the spot of its facing. Any other rule starts
// wherever the person stands.
struct WorkRule {
    bool anyPoint;
    std::uint8_t count;
    std::array<SonderObjSpot, 4> spots;
};
inline constexpr int kFirstWorkRule = -1;
inline constexpr std::array<WorkRule, 7> kWorkRules = {{
    {true,
     4,
     {{{1, SpotX::Origin, 0, SpotY::Origin, 0},
       {3, SpotX::Origin, 0, SpotY::Origin, 0},
       {7, SpotX::Origin, 0, SpotY::Origin, 0},
       {9, SpotX::Origin, 0, SpotY::Origin, 0}}}},
    {false,
     2,
     {{{1, SpotX::HalfWidth, 0, SpotY::BoxBottom, 7},
       {7, SpotX::HalfWidth, 0, SpotY::BoxTop, -7}}}},
    {false,
     2,
     {{{1, SpotX::HalfWidth, -10, SpotY::BoxBottom, 7},
       {7, SpotX::HalfWidth, -10, SpotY::BoxTop, -7}}}},
    {false, 1, {{{1, SpotX::BoxRightNineTenth, 0, SpotY::BoxBottom, 7}}}},
    {false, 1, {{{1, SpotX::WidthSevenTenth, 0, SpotY::BoxBottom, 7}}}},
    {false, 1, {{{1, SpotX::Fixed, 980, SpotY::Fixed, 1185}}}},
    {false, 1, {{{1, SpotX::Origin, 0, SpotY::BoxBottom, 7}}}},
}};

// Order 158's spot for each facing it accepts.
inline constexpr std::array<SonderObjSpot, 6> kReleaseSpots = {{
    {2, SpotX::Origin, -3, SpotY::Origin, 30},
    {4, SpotX::Origin, -3, SpotY::Origin, -7},
    {5, SpotX::Origin, -3, SpotY::BoxTop, -7},
    {8, SpotX::BoxRight, 3, SpotY::Origin, -7},
    {10, SpotX::BoxRight, 3, SpotY::Origin, 30},
    {11, SpotX::BoxRight, 3, SpotY::BoxBottom, 12},
}};

// Order 192's spot for each facing it accepts; the person stands within kCommandReach of it in x
// and in y.
inline constexpr std::array<SonderObjSpot, 4> kCommandSpots = {{
    {1, SpotX::BoxLeft, 0, SpotY::BoxBottom, 7},
    {3, SpotX::BoxLeft, -7, SpotY::BoxBottom, 0},
    {7, SpotX::BoxRight, 0, SpotY::BoxTop, -7},
    {9, SpotX::BoxRight, 0, SpotY::BoxBottom, 0},
}};
inline constexpr int kCommandReach = 8;

// Order 196's rule 0: the person within 40 px in x and 8 px in y of this point.
inline constexpr int kRemovePointX = 975;
inline constexpr int kRemovePointY = 1185;
inline constexpr int kRemoveReachX = 40;
inline constexpr int kRemoveReachY = 8;
// Orders 196 (rule 1) and 223: the object's hit box grown by this on every side.
inline constexpr int kBoxMargin = 15;

// Where the spot lies for the object in the slot, measured as the orders measure it; none for a
// slot without an object or a type without its pictures.
std::optional<PixelPos> SonderObjSpotPoint(std::int32_t slot, const SonderObjSpot& spot);

// Order 183 WorkAtSonderObj (a = object, b = its type or -1 for any, c = work cycles, d = position
// rule, e = callback slot): on its spot the person works, with sound 72 looping; each start of the
// working animation counts a cycle down, and the last one calls callback e with the object and
// the person. An object that goes meanwhile ends the work without the callback.
void WorkAtSonderObj(std::int16_t person);
// Order 158 (a = object, b = its type, c = work cycles): on its spot the person works at the
// object, then takes it away.
void RunPersonBefehl158(std::int16_t person);
// Order 192 (a = object, b = 0 open or 1 close, c, d = the command's values): near its spot the
// person sends the object the command.
void RunPersonBefehl192(std::int16_t person);
// Order 196 (a = object, b = rule): the person takes the object away, near the point of rule 0,
// within the grown box for rule 1, anywhere for the others.
void RunPersonBefehl196(std::int16_t person);
// Order 223 (a = object, b = frame): within the grown box the object shows that frame, one its
// loaded file holds.
void RunPersonBefehl223(std::int16_t person);
// Order 201 (a = facing, b = object): the carrier facing a lays the patient it carries onto the
// free object, and becomes the empty stretcher team (type 5).
void RunPersonBefehl201(std::int16_t person);

}  // namespace kv
