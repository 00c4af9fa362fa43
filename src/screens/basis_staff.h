#pragma once
// The stations' staff figures: ordinary persons on the base storeys (-3 staff room, -4 stairs,
// -5 hall), whose link is their walking path.

#include <cstdint>
#include <vector>

#include "screens/basis_staff_table.h"

namespace kv {

// One figure, as one station sees it: fresh at every opening, choice and purchase.
// pose: kStaffSit (animation 3, still) or kStaffStand (animation 0). Nothing when the person
// array is full. Base rooms are no world cells, so the map is never asked.
void CreateBasisStaff(std::uint8_t type, std::int16_t x, std::int16_t y, std::uint8_t direction,
                      std::uint8_t pose, std::uint8_t path, std::int8_t storey);
// Every figure of station type 0..2 afresh, the old ones gone and nobody assigned.
void PlaceBasisStaff(std::uint8_t stationType);
// Deletes every person on storeys -3..-5.
void RemoveBasisStaff();

// A figure in drawing order.
struct BasisStaffEntry {
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::uint16_t person = 0;
};
// Far before near: ascending y, then x, then index, so frames come out the same every run.
bool CompareStaffPos(const BasisStaffEntry& a, const BasisStaffEntry& b);
// The figures on storeys -3..-5, sorted by CompareStaffPos.
extern std::vector<BasisStaffEntry> BasisStaffList;
void ListBasisStaff();

// The walking paths of the open station (type 0..2); none while no station is open.
extern const BasisPathSet* BasisPaths;
void InitBasisPaths(std::uint8_t stationType);
void FreeBasisPaths();

// Sends a staff figure to the open base's gathering point in the hall: from the staff room along
// its path (its link), to its door, through the stairs (order 163); from the hall along its path.
// In the helicopter base every figure takes the hall's way.
void PutPersonInFahrzeug(std::int16_t person);
// Once per station frame: seated figures that were told to stand up (their animation running)
// move with their first frames; on the last frame they stand and walk to the hall.
void StandUpBasisStaff();
// Order 163 (door x, door y, direction, counter from -1): on the stairs for 49 ticks, then in the
// hall at its type's arrival point. Anywhere else, or for a type without stairs, the figure drops
// every order and stays.
void RunPersonBefehlEnterBasis(std::int16_t person);

}  // namespace kv
