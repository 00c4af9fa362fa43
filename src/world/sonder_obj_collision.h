#pragma once
// Whether a special object, where it now stands, overlaps the map edge, a vehicle, a person,
// another solid special object or a map cell that a movement class cannot enter. Callers move an
// object, test, and step back when it is blocked.

#include <cstdint>

namespace kv {

// What blocked the object.
enum SonderObjContactKind : std::uint8_t {
    kContactNone = 0,
    kContactFahrzeug = 1,
    kContactPerson = 2,
    kContactSonderObj = 3,
    kContactCell = 4,
    kContactMapEdge = 12,
};

struct SonderObjContact {
    std::uint8_t kind = kContactNone;
    std::uint16_t index = 0;  // the vehicle, person or object, or the cell's column
    std::uint16_t row = 0;    // the cell's row
    std::int16_t extent = 0;  // the columns of the blocked region of cells
};

// 0 free; else the side mask of the first contact (15 at the map edge), with what it was in
// contact. The edge counts only when edgeTest is not 0; map cells only for an object on the
// ground.
std::uint8_t TestSonderObjCollision(std::int16_t slot, std::uint8_t edgeTest,
                                    std::uint8_t moveClass, SonderObjContact& contact);

}  // namespace kv
