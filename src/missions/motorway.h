#pragma once
// The motorway that two missions share: three lanes of civilian traffic that do not brake for
// what stands on them, the traffic-jam sign that slows the lane towards the scene, and what a car
// at full speed does to whatever it runs into.

#include <array>
#include <cstdint>
#include <span>

#include "movement/traffic_paths.h"
#include "vehicles/fahrzeug_typ_table.h"

namespace kv {

// The three lanes' cars and weights: the outer westbound lane, the inner westbound lane and the
// eastbound lane towards the scene.
namespace motorway_detail {
constexpr std::uint16_t ZF(int n) {
    return static_cast<std::uint16_t>(kTypZF01 + n - 1);
}
constexpr std::uint16_t PARK(int n) {
    return static_cast<std::uint16_t>(kTypPARK01 + n - 1);
}
}  // namespace motorway_detail

inline constexpr std::array<ZFWegTyp, 12> kMotorwayTypen0 = {{
    {motorway_detail::ZF(1), 100},
    {motorway_detail::ZF(2), 100},
    {motorway_detail::ZF(3), 20},
    {motorway_detail::ZF(4), 20},
    {motorway_detail::ZF(5), 60},
    {motorway_detail::ZF(6), 20},
    {motorway_detail::PARK(1), 60},
    {motorway_detail::PARK(3), 60},
    {motorway_detail::PARK(4), 80},
    {motorway_detail::PARK(6), 50},
    {motorway_detail::PARK(7), 80},
    {static_cast<std::uint16_t>(kTypHONDA01), 10},
}};
inline constexpr std::array<ZFWegTyp, 16> kMotorwayTypen1 = {{
    {motorway_detail::ZF(1), 70},
    {motorway_detail::ZF(2), 40},
    {motorway_detail::ZF(3), 100},
    {motorway_detail::ZF(4), 40},
    {motorway_detail::ZF(5), 70},
    {motorway_detail::ZF(6), 40},
    {static_cast<std::uint16_t>(kTypSF02), 10},
    {motorway_detail::ZF(7), 15},
    {motorway_detail::ZF(8), 10},
    {motorway_detail::PARK(1), 80},
    {motorway_detail::PARK(2), 100},
    {motorway_detail::PARK(3), 30},
    {motorway_detail::PARK(6), 50},
    {motorway_detail::PARK(7), 90},
    {motorway_detail::PARK(8), 100},
    {static_cast<std::uint16_t>(kTypHONDA01), 10},
}};
inline constexpr std::array<ZFWegTyp, 11> kMotorwayTypen2 = {{
    {motorway_detail::ZF(1), 100},
    {motorway_detail::ZF(2), 100},
    {motorway_detail::ZF(3), 20},
    {motorway_detail::ZF(4), 20},
    {motorway_detail::ZF(5), 60},
    {motorway_detail::ZF(6), 20},
    {motorway_detail::PARK(1), 100},
    {motorway_detail::PARK(2), 100},
    {motorway_detail::PARK(4), 10},
    {motorway_detail::PARK(7), 100},
    {motorway_detail::PARK(8), 100},
}};

// The lanes' speeds; the sign switches the eastbound lane between its full and slow speed.
inline constexpr float kMotorwaySpeed0 = 22.0f;
inline constexpr float kMotorwaySpeed1 = 15.0f;
inline constexpr float kMotorwaySpeed2 = 15.0f;
inline constexpr std::uint16_t kSignedRoute = 2;
inline constexpr std::int32_t kSignedSlowSpeed = 4;
inline constexpr std::int32_t kSignedFullSpeed = 15;

// Where the lanes end beyond the right edge: 32 columns less the last row's shear, and 100 more
// (16-bit, as the set-ups compute it). Valid once the level is loaded.
std::int16_t MotorwayFarX();

// A straight lane from (fromX, y) to (toX, y): cars start facing the direction, one at most every
// interval ticks, step by the speed and turn back, when blocked, to the lane's own end.
void SetMotorwayLane(ZFWeg& w, std::int32_t fromX, std::int32_t toX, std::int32_t y,
                     std::uint8_t direction, std::int16_t interval, float speed,
                     std::span<const ZFWegTyp> types);

// The selected P01 walks to whichever of the four standing points round the sign in the slot it
// reaches first and, from there, puts the folded sign up (the signed lane slows down) or takes the
// standing one down (full speed again). Nothing without a used person or the object.
void TrafficSignOrders(std::int16_t person, std::int16_t slot);

// What a car on the motorway does with a blocker it found lookAhead steps ahead (the mission's
// collision hook): on a slow lane it stops for anything (1); a step further ahead it stops only
// for civilian cars, else drives on (0); on its very next step it blows up with a vehicle, runs
// down a person, and stops for anything else. A body already lying there is passed over.
std::uint8_t MotorwayStrike(std::int16_t car, std::uint8_t kind, std::uint16_t index,
                            std::uint8_t lookAhead);

// The speed test the strike starts with: whether the car's lane is slow (or the car has none), so
// that it stops for whatever it meets.
bool MotorwayCarStops(std::int16_t car);

}  // namespace kv
