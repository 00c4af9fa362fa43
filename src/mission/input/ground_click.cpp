#include "mission/input/ground_click.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>

#include "core/hover.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/random.h"
#include "mission/input/cursor_on_units.h"
#include "mission/input/selected_unit.h"
#include "mission/selection.h"
#include "movement/befehl_opcodes.h"
#include "movement/stepping.h"
#include "persons/person_lead.h"
#include "persons/personen.h"
#include "vehicles/fahrzeug_typ.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "vehicles/helicopter_befehle.h"
#include "world/geometry.h"
#include "world/level_map.h"

namespace kv {

namespace {

// Acknowledgements.
constexpr std::int32_t kSilent = -1;
constexpr std::int32_t kPhraseDrive = 7;
constexpr std::int32_t kPhraseGroup = 14;
constexpr std::int32_t kPhraseHose = 15;
constexpr std::int32_t kPhraseWork = 16;
constexpr std::int32_t kPhraseAck = 17;

// The orders a ground click gives beyond the shared ones.
constexpr std::uint8_t kOpSetPersonDown = 79;  // the helicopter carrying a person
constexpr std::uint8_t kOpFellTree = 176;
constexpr std::uint8_t kOpHoseAtCell = 177;

// The basket's home column, and the animations in which the ladder stands set up.
constexpr std::int32_t kBasketHome = 3;
constexpr std::int8_t kLadderUp = 3;
constexpr std::int8_t kLadderUpAgain = 13;

// The helicopter carrying a person sets it down this far left of and above the mouse point, facing
// this way.
constexpr std::int32_t kSetDownLeft = 30;
constexpr std::int32_t kSetDownAbove = 100;
constexpr std::int32_t kSetDownFacing = 3;

// The chainsaw crews (types 13, 20 and 25) fell the trees of the wood's terrain.
constexpr std::uint8_t kTreeTerrain = 76;
// A person of this type holds a hose tied to a hydrant or vehicle while it has a link; one of the
// second holds a connected hose. Neither walks off with a group.
constexpr std::int8_t kPersonTypHoseTied = 10;
constexpr std::int8_t kPersonTypHoseHeld = 11;
// An onlooker or pedestrian sent with a group stands there a while before it goes its own way.
constexpr int kIdleTicksMin = 1800;
constexpr int kIdleTicksSpread = 3000;

int Trunc(float v) {
    return static_cast<int>(v);
}

// One order of a sequence: the first replaces the queue with the acknowledgement, the rest follow.
struct Step {
    std::uint8_t opcode;
    std::int32_t a = 0;
    std::int32_t b = 0;
    std::int32_t c = 0;
};

void GiveSequence(UnitHead& unit, const UnitTypHead& type, std::int32_t phrase,
                  std::initializer_list<Step> steps) {
    bool first = true;
    for (const Step& s : steps) {
        if (first)
            GiveOrder(unit, type, s.opcode, phrase, s.a, s.b, s.c);
        else
            ThenOrder(unit, s.opcode, s.a, s.b, s.c);
        first = false;
    }
}

// Cursor 21: the cannon sprays at the cell, driving first when the cell lies out of its reach; the
// hose person aims its hose there. False for a selection that sprays nothing (a vehicle without a
// cannon, several units, a mode without a rule): the cursor was the last frame's, and the
// selection may have changed since.
bool SprayAtCell(const SelectedUnit& sel, const ClickPoints& at, CellPos cell) {
    if (IsVehicleMode(sel.mode)) {
        Fahrzeug& v = *sel.vehicle;
        const FahrzeugTyp& t = FahrzeugTypOf(v);
        if (t.kanone == nullptr) return false;
        const std::int32_t groundY = kCellHeight * cell.row;
        const std::int32_t d = DistanceInt(
            static_cast<std::int16_t>(Trunc(v.x)), static_cast<std::int16_t>(Trunc(v.y)),
            static_cast<std::int16_t>(at.mx), static_cast<std::int16_t>(groundY));
        if (d > t.kanone->range) {
            GiveOrder(v, t, kOpRouteLeg, kPhraseDrive, at.mx, groundY);
            ThenOrder(v, kOpCannonAtCell, at.mx, at.my, cell.column, cell.row);
        } else {
            GiveOrder(v, t, kOpCannonAtCell, kPhraseDrive, at.mx, at.my, cell.column, cell.row);
        }
        return true;
    }
    if (IsPersonMode(sel.mode)) {
        Person& p = *sel.person;
        GiveOrder(p, PersonTypOf(p), kOpHoseAtCell, kPhraseHose, at.mx, at.my, cell.column,
                  cell.row);
        return true;
    }
    return false;
}

// Cursor 20: the helicopter lands at the mouse point; carrying a person, it sets the person down
// there. False for any other selection.
bool LandAt(const SelectedUnit& sel, const ClickPoints& at) {
    if (sel.mode == kTypF203) {
        OrderFahrzeugLandAt(static_cast<std::int16_t>(SelectedIndex),
                            static_cast<std::int16_t>(at.mx), static_cast<std::int16_t>(at.my));
        return true;
    }
    if (sel.mode != kTypF203B) return false;
    const std::int32_t x = at.mx - kSetDownLeft;
    const std::int32_t y = at.my - kSetDownAbove;
    GiveSequence(
        *sel.vehicle, FahrzeugTypOf(*sel.vehicle), kPhraseAck,
        {{kOpMove, x, y}, {kOpWait, 1}, {kOpTurn, x, y, kSetDownFacing}, {kOpSetPersonDown, x, y}});
    return true;
}

bool LadderSetUp(const Fahrzeug& v) {
    return (v.anim == kLadderUp || v.anim == kLadderUpAgain) && v.kanzel != nullptr;
}

// The set-up ladder vehicle drives to the mouse point: the basket comes home and up first, and
// with persons in it, down to let them out and the ladder down before that. An idle vehicle whose
// basket is home and up just drives; one still at work there is left alone.
void DriveLadder(Fahrzeug& v, const ClickPoints& at) {
    const FahrzeugTyp& t = FahrzeugTypOf(v);
    const KanzelState& k = *v.kanzel;
    const bool home = k.column == kBasketHome;
    const Step toHome{kOpBasketToColumn, kBasketHome, 0};
    const Step drive{kOpMove, at.mx, at.my};
    if (k.persons != 0 && k.down == 0) {
        if (home)
            GiveSequence(v, t, kPhraseAck, {{kOpBasketDown}, {kOpTakeDown}, {kOpBasketUp}, drive});
        else
            GiveSequence(v, t, kPhraseAck,
                         {toHome, {kOpBasketDown}, {kOpTakeDown}, {kOpBasketUp}, drive});
    } else if (k.persons != 0) {
        GiveSequence(v, t, kPhraseAck, {{kOpTakeDown}, {kOpBasketUp}, drive});
    } else if (k.down != 0) {
        GiveSequence(v, t, kPhraseAck, {{kOpBasketUp}, drive});
    } else if (!home) {
        GiveSequence(v, t, kPhraseAck, {toHome, drive});
    } else if (v.orders == nullptr) {
        GiveSequence(v, t, kPhraseAck, {drive});
    }
}

bool IsChainsawMode(std::int16_t mode) {
    return mode == PersonSelection(13) || mode == PersonSelection(20) ||
           mode == PersonSelection(25);
}

// A chainsaw crew outside the houses walks round to the best side of a tree that does not burn
// and fells it. False when the cell holds no such tree.
bool FellTree(Person& p, CellPos cell) {
    const auto i = static_cast<std::size_t>(CellIndex(cell.column, cell.row));
    const bool burning = i < BrandStates.size() && BrandStates[i].burning != 0;
    if (InsideHouse(p) || i >= MapCells.size() || MapCells[i].terrain != kTreeTerrain || burning)
        return false;
    const float x = static_cast<float>(kCellWidth * cell.column - 16 * cell.row);
    const float y = static_cast<float>(kCellHeight * cell.row);
    GoalList sides{
        {x + 16, y - 6, 7, 0}, {x, y + 34, 1, 0}, {x + 35, y + 14, 9, 0}, {x - 18, y + 14, 3, 0}};
    GiveOrder(p, PersonTypOf(p), kOpGoals, kPhraseWork, std::move(sides));
    ThenOrder(p, kOpFellTree, cell.column, cell.row);
    return true;
}

// A box group goes to the click point, quietly but for its leader's one phrase; the leader itself
// stays. Onlookers and pedestrians caught in the box come along and stand there a while.
void MoveGroup(const ClickPoints& at) {
    const Person* leader = UsedPersonAt(SelectedIndex);
    if (leader == nullptr) return;
    SayPhrase(kPhraseGroup, PersonTypOf(*leader).speaker);
    for (Fahrzeug& v : Fahrzeuge) {
        if (v.type < 0 || v.selected == 0 || v.selectable == 0 || AtWork(v)) continue;
        const FahrzeugTyp& t = FahrzeugTypOf(v);
        if (v.type == kTypF203 && v.link2 != kNoLink) {
            GiveOrder(v, t, kOpTakeOff, kSilent);
            ThenOrder(v, kOpMove, at.cx, at.cy);
        } else {
            GiveOrder(v, t, kOpMove, kSilent, at.cx, at.cy);
        }
    }
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        Person& p = Personen[i];
        if (p.type < 0 || p.selected == 0 || i == SelectedIndex) continue;
        const bool walker = (p.controlFlags & (kPersonOnlooker | kPersonPedestrian)) != 0;
        if ((p.selectable == 0 && !walker) || p.type == kPersonTypHoseHeld ||
            (p.type == kPersonTypHoseTied && !HasNoLink(p)))
            continue;
        if (const OrderRedirect redirect = FollowTrailRedirect(p); redirect.follows) {
            if (redirect.to != nullptr)
                GiveOrder(*redirect.to, PersonTypOf(*redirect.to), kOpMove, kSilent, at.cx, at.cy);
            continue;
        }
        if (p.casualty != 0 || (p.moverFlags & kMoverLed) != 0) continue;
        GiveOrder(p, PersonTypOf(p), kOpMove, kSilent, at.cx, at.cy);
        if (walker) ThenOrder(p, kOpWait, kIdleTicksMin + Rand() % kIdleTicksSpread);
    }
}

// A person standing in the ladder's basket steps out and walks to the click point, once the basket
// is down; true when the selection is such a person, whatever happened.
bool LeaveBasket(const SelectedUnit& sel, const ClickPoints& at) {
    if (!IsPersonMode(sel.mode)) return false;
    Person& p = *sel.person;
    const Fahrzeug* basket = InBasket(p) ? UsedFahrzeugAt(p.basketVehicle) : nullptr;
    if (p.selectable == 0 || basket == nullptr || basket->type != kTypF106) return false;
    if (p.height != 0.0f) return true;
    GiveOrder(p, PersonTypOf(p), kOpLeaveKanzel, kPhraseWork);
    ThenOrder(p, kOpMove, at.cx, at.cy);
    return true;
}

}  // namespace

void ClickOnMapCell(const ClickPoints& at) {
    if (const auto hook = OptionalMissionHook(MissionNummer, &MissionHooks::ClickOnGround);
        hook != nullptr && hook() != 0)
        return;
    const CellPos cell{HoverIds[0], HoverIds[1]};
    // The drawing records only cells of the map; anything else names no cell.
    if (!CellInMap(cell.column, cell.row)) return;
    const SelectedUnit sel = CurrentSelection();
    if (CursorId == kCursorWater && SprayAtCell(sel, at, cell)) return;
    if (CursorId == kCursorLand && LandAt(sel, at)) return;
    if (sel.mode == kTypF106 && LadderSetUp(*sel.vehicle)) {
        DriveLadder(*sel.vehicle, at);
        return;
    }
    if (IsChainsawMode(sel.mode) && FellTree(*sel.person, cell)) return;
    if (SelectionMode == kBoxGroupSelected) {
        MoveGroup(at);
        return;
    }
    if (LeaveBasket(sel, at)) return;
    MoveSelectedTo(static_cast<std::int16_t>(at.cx), static_cast<std::int16_t>(at.cy));
}

}  // namespace kv
