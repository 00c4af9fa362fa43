#include "screens/basis_staff.h"

#include <algorithm>
#include <tuple>

#include "persons/mission_actions.h"
#include "persons/person.h"
#include "persons/personen.h"
#include "screens/basis_staff_table.h"

namespace kv {

std::vector<BasisStaffEntry> BasisStaffList;

namespace {

constexpr std::uint8_t kAnimSeated = 3;

bool InsideBasis(const Person& p) {
    return p.type >= 0 && p.storey >= kStoreyHall && p.storey <= kStoreyStaffRoom;
}

}  // namespace

void CreateBasisStaff(std::uint8_t type, std::int16_t x, std::int16_t y, std::uint8_t direction,
                      std::uint8_t pose, std::uint8_t path, std::int8_t storey) {
    const std::int16_t index =
        PlaceNewPerson(static_cast<std::int8_t>(type), x, y, storey, direction, false);
    if (index < 0) return;
    Person& p = Personen[static_cast<std::size_t>(index)];
    SetStandingUnhurt(p);
    p.anim = static_cast<std::int8_t>(pose == kStaffSit ? kAnimSeated : kAnimStand);
    p.frame = 0;
    p.frameTimer = 0;
    p.animate = pose == kStaffSit ? 0 : 1;
    p.link = path;
    UpdatePersonDrawPos(p);
}

void PlaceBasisStaff(std::uint8_t stationType) {
    RemoveBasisStaff();
    if (stationType >= kBasisStaff.size()) return;
    for (const BasisStaffRow& row : kBasisStaff[stationType])
        CreateBasisStaff(row.type, row.x, row.y, row.direction, row.pose, row.path, row.storey);
}

void RemoveBasisStaff() {
    for (std::size_t i = 0; i < Personen.size(); ++i)
        if (InsideBasis(Personen[i])) DeletePerson(static_cast<std::int32_t>(i));
}

bool CompareStaffPos(const BasisStaffEntry& a, const BasisStaffEntry& b) {
    return std::tie(a.y, a.x, a.person) < std::tie(b.y, b.x, b.person);
}

void ListBasisStaff() {
    BasisStaffList.clear();
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        const Person& p = Personen[i];
        if (!InsideBasis(p)) continue;
        BasisStaffList.push_back({static_cast<std::int32_t>(p.x), static_cast<std::int32_t>(p.y),
                                  static_cast<std::uint16_t>(i)});
    }
    std::sort(BasisStaffList.begin(), BasisStaffList.end(), CompareStaffPos);
}

}  // namespace kv
