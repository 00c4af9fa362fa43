#pragma once
// The cursor choice's steps over what it must look up: the hooks of the running mission, and the
// shapes over a person, a vehicle or a special object.

#include <cstdint>

#include "core/mission_hooks.h"
#include "mission/input/selected_unit.h"

namespace kv {

// What every step reads: the selection and the mouse's world point.
struct CursorScene {
    SelectedUnit sel;
    int x = 0;
    int y = 0;
};

// Asks the running mission's cursor hook of one family; true when it decided and set CursorId
// itself. A mission without that hook leaves the choice to the engine.
using CursorHook = std::uint8_t (*)();
bool CursorHookDecides(CursorHook MissionHooks::*member);

// The shape over the person, vehicle or object of that index; 0 for one the ticks have freed.
// When the mission's hook decides, CursorId as it set it.
std::uint16_t CursorOverPerson(const CursorScene& scene, std::uint16_t index);
std::uint16_t CursorOverFahrzeug(const CursorScene& scene, std::uint16_t index);
std::uint16_t CursorOverSonderObj(const CursorScene& scene, std::uint16_t index);

// Whether the person has no link: a link that names nobody counts as none.
bool HasNoLink(const Person& p);
inline bool InsideHouse(const Person& p) {
    return p.house != 0xFFFF;
}
inline bool InBasket(const Person& p) {
    return p.basketVehicle != 0xFFFF;
}
// Empty seats among the seats of the vehicle's type.
int FreeSeats(const Fahrzeug& v);
// Whether the helicopter may fetch the casualty where it lies: anywhere but in the block of cells
// that the rescue of missions 7 and 23 covers.
bool HelicopterMayFetch(const Person& casualty);

}  // namespace kv
