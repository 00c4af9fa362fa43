#include "screens/basis_staff.h"

#include <algorithm>
#include <array>
#include <tuple>

#include "core/game_mode.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/mission_actions.h"
#include "persons/person.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "screens/basis_screen.h"
#include "screens/basis_staff_table.h"

namespace kv {

std::vector<BasisStaffEntry> BasisStaffList;

namespace {

constexpr std::uint8_t kAnimSeated = 3;
constexpr std::int8_t kStairsFacing = 7;
constexpr std::int32_t kStairsTicks = 48;  // the counter starts at -1: 49 ticks
constexpr std::uint32_t kHeliBasisMode = 14;
const BasisPath kNoPath{};

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
    // Unlike the map's civilians, staff become the player's units: once out of their vehicle
    // they answer clicks on the ground.
    p.selectable = 1;
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
    // Whoever was assigned before is gone with the old figures.
    BasisScreen.assigned.fill(kNoStaff);
    BasisScreen.assignedCount = 0;
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

const BasisPathSet* BasisPaths = nullptr;

void InitBasisPaths(std::uint8_t stationType) {
    BasisPaths = stationType < kBasisPaths.size() ? &kBasisPaths[stationType] : nullptr;
}

void FreeBasisPaths() {
    BasisPaths = nullptr;
}

namespace {

// A path index beyond the station's paths is a path with no points.
const BasisPath& PathOf(const Person& p) {
    if (BasisPaths == nullptr || p.link >= BasisPaths->count) return kNoPath;
    return BasisPaths->paths[p.link];
}

}  // namespace

void PutPersonInFahrzeug(std::int16_t index) {
    Person* person = PersonAt(index);
    if (person == nullptr || person->type < 0) return;
    Person& p = *person;
    const BasisPath& path = PathOf(p);
    bool first = true;
    const auto walk = [&](std::int32_t x, std::int32_t y) {
        if (first)
            SetBefehl(p, PersonTypOf(p), kOpMove, -1, x, y, 0, 0, 0);
        else
            AppendBefehl(p, kOpMove, x, y, 0, 0, 0);
        first = false;
    };
    for (std::size_t i = 0; i < path.count; ++i) walk(path.points[i].x, path.points[i].y);
    const bool viaStairs = p.storey != kStoreyHall && GameMode != kHeliBasisMode;
    if (viaStairs && p.type >= 0 && static_cast<std::size_t>(p.type) < kBasisDoorTypes) {
        const BasisPoint door = kBasisDoors[static_cast<std::size_t>(p.type)].door;
        walk(door.x, door.y);
        AppendBefehl(p, kOpTurn, door.x, door.y, kStairsFacing, 0, 0);
        AppendBefehl(p, kOpEnterBasis, door.x, door.y, kStairsFacing, -1, 0);
    }
    walk(BasisScreen.gathering.x, BasisScreen.gathering.y);
}

namespace {

// Standing up moves a figure on frames 0..6 only, by its direction; other directions stay put.
constexpr std::uint8_t kStandUpMovingFrames = 7;
struct StandUpStep {
    std::int8_t direction;
    float dx;
    float dy;
};
constexpr std::array<StandUpStep, 4> kStandUpSteps = {{
    {1, 4.0F / 11.0F, -7.0F / 11.0F},
    {3, 0.5F, 0.0F},
    {7, -2.0F / 11.0F, 3.5F / 11.0F},
    {9, -0.5F, 0.0F},
}};

}  // namespace

void StandUpBasisStaff() {
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        Person& p = Personen[i];
        if (p.type < 0 || p.storey != kStoreyStaffRoom || p.anim != kAnimSeated || p.animate == 0)
            continue;
        const std::uint16_t frames = PersonAnimSlot(p.type, p.direction, p.anim).frames;
        // A figure without pictures has no frames to play: it stands at once.
        if (frames != 0 && p.frame + 1 != frames) {
            if (p.frame >= kStandUpMovingFrames) continue;
            for (const StandUpStep& step : kStandUpSteps) {
                if (step.direction != p.direction) continue;
                p.x += step.dx;
                p.y += step.dy;
            }
            UpdatePersonDrawPos(p);
            continue;
        }
        p.anim = static_cast<std::int8_t>(kAnimStand);
        p.frame = 0;
        p.frameTimer = 0;
        UpdatePersonDrawPos(p);
        PutPersonInFahrzeug(static_cast<std::int16_t>(i));
    }
}

void RunPersonBefehlEnterBasis(std::int16_t index) {
    Person* person = PersonAt(index);
    if (person == nullptr || person->orders == nullptr) return;
    Person& p = *person;
    Befehl& order = *p.orders;
    const bool hasStairs = p.type >= 0 && static_cast<std::size_t>(p.type) < kBasisDoorTypes;
    if (!hasStairs || !PersonStandsAt(p, order.aInt(), static_cast<std::int32_t>(order.b)) ||
        p.direction != static_cast<std::int32_t>(order.c)) {
        ClearBefehle(p);
        return;
    }
    p.moverFlags = 2;
    p.storey = kStoreyStairs;
    order.d = static_cast<std::uint32_t>(static_cast<std::int32_t>(order.d) + 1);
    if (static_cast<std::int32_t>(order.d) < kStairsTicks) return;
    PopBefehl(p);
    p.moverFlags = 0;
    const BasisPoint arrival = kBasisDoors[static_cast<std::size_t>(p.type)].arrival;
    p.x = arrival.x;
    p.y = arrival.y;
    p.direction = kStairsFacing;
    UpdatePersonDrawPos(p);
    p.storey = kStoreyHall;
}

}  // namespace kv
