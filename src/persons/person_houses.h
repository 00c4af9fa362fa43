#pragma once
// Persons in houses: entering and leaving through the one door, changing storeys at the stair
// point, marking a house so that the script-controlled persons inside come out, and being put
// down clear of obstacles. While a person walks through the door a door double, a second slot on
// the map, stands in the doorway with it.

#include <array>
#include <cstdint>
#include <optional>

#include "world/houses.h"
#include "world/level_map.h"

namespace kv {

// One door side of a house type: where the door point D lies from the door cell's top-left
// corner, the inside point P = D + (ox, oy), the way out (one pixel), the facings outside and
// inside, the push mask of a person just outside (never back towards the house), and where
// EvacuateHouse looks for a free spot beyond the door: a rectangle relative to P, else the
// fallback P + (fallbackX, fallbackY + 100).
struct DoorSide {
    std::int8_t kx;
    std::int8_t ky;
    std::int8_t ox;
    std::int8_t oy;
    std::int8_t outX;
    std::int8_t outY;
    std::uint8_t facingOutside;
    std::uint8_t facingInside;
    std::uint8_t leaveMask;
    std::int16_t spotLeft;
    std::int16_t spotTop;
    std::int16_t spotRight;
    std::int16_t spotBottom;
    std::int16_t fallbackX;
    std::int16_t fallbackY;
};

// By door side: 0 rear, 1 front, 2 left, 3 right.
inline constexpr std::array<DoorSide, 4> kDoorSides = {{
    {16, 0, 0, 10, 0, -1, 0, 6, 13, -70, -120, 70, -20, 0, -20},
    {0, 0, 0, 20, 0, 1, 6, 0, 7, -70, 20, 70, 120, 0, 20},
    {-8, 14, 10, 0, -1, 0, 9, 3, 14, -120, -70, -20, 70, -20, 0},
    {24, 14, -10, 0, 1, 0, 3, 9, 11, 20, -70, 120, 70, 20, 0},
}};

// The door side row of a placed house's type.
const DoorSide& DoorSideOf(const House& house);
// Every storey change happens at the stair point.
PixelPos HouseStairPoint(const House& house);
// The top-left corner of the door cell, from which the door points are measured.
PixelPos HouseDoorBase(const House& house);
// The same corner for a house index, where the missions send persons to a house's door; none for
// an index that names no placed house. Callers add their own offsets to it.
std::optional<PixelPos> HouseDoorSpot(int house);
// What the player's clicks measure a placed house from: its door cell's corner, its stair point,
// and its front row (the type's last row) with that row's ground line.
struct HousePoints {
    PixelPos doorBase;
    PixelPos stair;
    int frontRow = 0;
    int frontLine = 0;
};
HousePoints GetHousePoints(const House& house);
// The door point D, and the inside point P where a person leaving starts its walk out.
PixelPos HouseDoorPoint(const House& house);
PixelPos HouseInsidePoint(const House& house);

// Changes the person count of a storey 1.. of a placed house by one; a count stops at 0, and a
// house or storey that does not exist is left alone.
void RaiseFloorCount(std::uint16_t house, int storey);
void LowerFloorCount(std::uint16_t house, int storey);

// Turns the person to direction and moves it (with its leader, when it is led) to the nearest
// free spot along the axes the mask allows; collision class 255 means the person type's own. A
// spot whose box leaves the map is not free. 1 when a free spot was found; 0 when none lies
// within the map's larger extent on the ground or a whole floor's 640 px on a storey: the person
// and its leader then stay where it started.
std::uint8_t PlacePersonFree(std::int16_t person, std::uint8_t direction, std::int8_t storey,
                             std::uint8_t mask, std::uint8_t collisionClass);
// Finds the person a free spot on a storey of its house, from where it stands rightwards, then
// row by row down-left, within the house's cells. 1 with the person there facing down (its
// leader 11 px above it); 0 with the person and its leader back as they were.
std::uint8_t StepHousePassage(std::int16_t person, std::int8_t storey);
// Moves a point 20 px in one of the twelve directions; any other direction leaves it.
void OffsetPointByDirection(float& x, float& y, std::uint8_t direction);

// Gives every script-controlled person in the house, who is no casualty, the way out: to the
// stair point and down when it is upstairs, through the door and on to a free spot beyond it.
void EvacuateHouse(std::int16_t house);
// Replaces the orders of a person inside a house by the way out through the door and on to
// (x, y), acknowledged; a leader following its led person answers and sends the led person.
void RoutePersonThroughHouseDoor(std::int16_t person, std::int16_t x, std::int16_t y);

// Order 162: a = house, (b, c) the marking person's point. Marks a house that may be marked; a
// marking person of type 0 has it evacuated.
void RunPersonBefehl162(std::int16_t person);
// Order 169: enter house c from the point (a, b) through its door.
void RunPersonBefehl169(std::int16_t person);
// Order 170: leave the house through its door from the point (a, b) on storey 1.
void LeaveHouse(std::int16_t person);
// Order 171: change to storey a + 1 at the house's stair point.
void RunPersonBefehl171(std::int16_t person);

}  // namespace kv
