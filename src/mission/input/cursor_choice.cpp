#include "mission/input/cursor_choice.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/hover.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "mission/input/click_targets.h"
#include "mission/input/cursor_on_units.h"
#include "mission/scroll_view.h"
#include "movement/collision.h"
#include "persons/person_link.h"
#include "persons/timed_victims.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/houses.h"
#include "world/level_map.h"
#include "world/ponton_punkte.h"

namespace kv {

namespace {

// The panels lie right of and below the world view.
constexpr int kPanelLeft = 640;
constexpr int kPanelTop = 480;

// A storey of a house is this high on the screen.
constexpr int kStoreyHeight = 31;
// Over the storey-change cell, each step up of the mouse by this much offers the next storey.
constexpr int kStoreyStepHeight = 10;
// The hose person reaches this far from where it stands.
constexpr int kHoseReach = 250;
// Steeper than this a hose person cannot spray up at a house.
constexpr double kSteepestJet = 55.0;
constexpr double kDegreesPerRadian = 57.29578;
// The helicopter carrying a person lands where this much room is free around the mouse.
constexpr int kLandingRoom = 20;
// The trees that the chainsaw crews fell.
constexpr std::uint8_t kTreeTerrain = 76;
// The animations in which the ladder stands raised.
constexpr std::int8_t kLadderRaised = 3;
constexpr std::int8_t kLadderRaisedAgain = 13;

int Trunc(float v) {
    return static_cast<int>(v);
}

// The answer of the engine's own hooks and then the mission's, in this order.
constexpr std::array<CursorHook, 3> kEngineHooks = {IsPontonPunktAtMouse, HoverBootPunkt,
                                                    CheckTimedVictimUnderMouse};

bool GeneralHooksDecide() {
    for (const CursorHook hook : kEngineHooks)
        if (hook() != 0) return true;
    return CursorHookDecides(&MissionHooks::CursorOnMapArea);
}

std::uint16_t EdgeCursor() {
    return ScrollEdgeCursor(kMouseEdgeLeft, kMouseEdgeRight, kMouseEdgeTop, kMouseEdgeBottom);
}

bool LeadsSomeone(const Person& p) {
    return DecodePersonLink(p.link).kind == PersonLinkKind::Leads;
}

// Water is offered on a cell while it burns or can still burn: bit 7 marks its unburnt look.
bool CellIsHot(std::size_t cell) {
    return (cell < BrandStates.size() && BrandStates[cell].burning != 0) ||
           (cell < MapCells.size() && (MapCells[cell].material & kMaterialUnburnt) != 0);
}

bool CellBurns(std::size_t cell) {
    return cell < BrandStates.size() && BrandStates[cell].burning != 0;
}

// The vehicles that spray water from their cannon.
bool IsCannonMode(std::int16_t mode) {
    return mode == kTypF104 || mode == kTypF105 || mode == kTypF107 || mode == kTypF115;
}

// A person raised in the ladder's basket, or run by a controller, cannot be sent anywhere.
bool CannotMove(const Person& p) {
    const Fahrzeug* basket = InBasket(p) ? UsedFahrzeugAt(p.basketVehicle) : nullptr;
    return (basket != nullptr && basket->type == kTypF106 && p.height != 0.0f) ||
           (p.controlFlags & kPersonController) != 0;
}

std::uint16_t CursorOverGround(const CursorScene& s) {
    if (CursorHookDecides(&MissionHooks::CursorOnGround)) return CursorId;
    const int column = HoverIds[0];
    const int row = HoverIds[1];
    if (!CellInMap(column, row)) return kCursorPointer;
    const std::size_t cell = static_cast<std::size_t>(CellIndex(column, row));
    const std::int16_t sel = s.sel.mode;
    if (sel == -1 || sel == static_cast<std::int16_t>(kCasualtySelected)) return kCursorPointer;
    if (sel == static_cast<std::int16_t>(kBoxGroupSelected)) return kCursorMoveGroup;
    if (IsCannonMode(sel)) return CellIsHot(cell) ? kCursorWater : kCursorMove;
    if (sel == kTypF203) {
        CollisionHit hit;
        const std::uint8_t blocked =
            TestCollision(1, *s.sel.vehicle, FahrzeugTypen[kTypF203], static_cast<float>(s.x),
                          static_cast<float>(s.y), 3, 0, 1, &hit);
        return blocked == 0 ? kCursorLand : kCursorMove;
    }
    if (sel == kTypF203B) {
        CollisionHit hit;
        const std::uint8_t blocked =
            FindCollisionAt(0, nullptr, nullptr, static_cast<std::int16_t>(s.x - kLandingRoom),
                            static_cast<std::int16_t>(s.y - kLandingRoom),
                            static_cast<std::int16_t>(s.x + kLandingRoom),
                            static_cast<std::int16_t>(s.y + kLandingRoom), -1, 0, 16, &hit);
        return blocked == 0 ? kCursorLand : kCursorMove;
    }
    if (sel == PersonSelection(11)) {
        // The hose person sprays a hot cell within its reach, once its hose is connected.
        const Person& p = *s.sel.person;
        if (!CellIsHot(cell) || p.link2 == kNoLink) return kCursorPointer;
        const std::int32_t d = DistanceInt(
            static_cast<std::int16_t>(Trunc(p.x)), static_cast<std::int16_t>(Trunc(p.y)),
            static_cast<std::int16_t>(s.x), static_cast<std::int16_t>(row * kCellHeight));
        return d > kHoseReach ? kCursorPointer : kCursorWater;
    }
    if (sel == PersonSelection(13) || sel == PersonSelection(20) || sel == PersonSelection(25)) {
        // A chainsaw crew fells a tree that does not burn.
        const bool acts = !InsideHouse(*s.sel.person) && MapCells[cell].terrain == kTreeTerrain &&
                          !CellBurns(cell);
        return acts ? kCursorRescue : kCursorMove;
    }
    // A person of type 10 (with a hose) takes no move while it holds a link.
    if (sel == PersonSelection(10) && !HasNoLink(*s.sel.person)) return kCursorPointer;
    if (IsPersonMode(sel) && CannotMove(*s.sel.person)) return kCursorPointer;
    return kCursorMove;
}

// Where a storey-change or storey cursor names a storey past what the shapes can show, no shape.
std::uint16_t StoreyShape(std::uint16_t first, int storey) {
    if (storey < 0 || storey >= kCursorStoreys) return kCursorPointer;
    return static_cast<std::uint16_t>(first + storey);
}

// Inside the house: its storey-change cell offers the storeys above by the mouse's height over
// the cell, any other cell a move.
std::uint16_t StoreyRule(const CursorScene& s, int house, const House& h) {
    const Person& p = *s.sel.person;
    if (InBasket(p)) return GetHouseFacadeFlagAtMouse() != 0 ? kCursorRescue : kCursorPointer;
    if (p.house != house) return kCursorPointer;
    const HouseTyp& t = HouseTypOf(h);
    if (t.entranceI == 255 || HoverIds[0] != t.entranceI || HoverIds[1] != t.entranceJ)
        return kCursorMove;
    const int bottom = (h.y + HoverIds[1]) * kCellHeight + kCellHeight;
    const int step = (bottom - HoverIds[2] * kStoreyHeight - s.y) / kStoreyStepHeight;
    if (step >= t.floors - 1) return kCursorPointer;
    return StoreyShape(kCursorChangeStorey, step);
}

// The hose person sprays at a house within its reach and not too steeply up.
std::uint16_t ElevationRule(const CursorScene& s, const House& h) {
    const Person& p = *s.sel.person;
    if (p.link2 == kNoLink) return kCursorPointer;
    const int targetY = (h.y + HoverIds[1]) * kCellHeight + HoverIds[2] * kStoreyHeight;
    const std::int32_t d =
        DistanceInt(static_cast<std::int16_t>(Trunc(p.x)), static_cast<std::int16_t>(Trunc(p.y)),
                    static_cast<std::int16_t>(s.x), static_cast<std::int16_t>(targetY));
    if (d > kHoseReach) return kCursorPointer;
    const int rise = (HouseTypOf(h).extentJ + h.y) * kCellHeight - s.y;
    const double angle =
        std::atan2(static_cast<double>(rise), static_cast<double>(d)) * kDegreesPerRadian;
    return angle > kSteepestJet ? kCursorPointer : kCursorWater;
}

// The lower piece of a house storey, and the other pieces where they count as it.
std::uint16_t CursorOverHouseFront(const CursorScene& s, int house) {
    if (CursorHookDecides(&MissionHooks::CursorOnHouse)) return CursorId;
    const House* h = PlacedHouse(house);
    if (h == nullptr) return kCursorPointer;
    const HouseTyp& t = HouseTypOf(*h);
    const std::int16_t sel = s.sel.mode;
    if (IsCannonMode(sel)) {
        // The cannon reaches the storeys the house has at the mouse's height.
        return CannonStoreyAt(*h, t, s.y) < 0 ? kCursorPointer : kCursorWater;
    }
    if (sel == kTypF106) {
        const Fahrzeug& v = *s.sel.vehicle;
        if (v.anim != kLadderRaised && v.anim != kLadderRaisedAgain) return kCursorRescue;
        if (GetHouseFacadeFlagAtMouse() == 0) return kCursorPointer;
        return v.kanzel != nullptr && v.kanzel->target == house ? kCursorRescue : kCursorPointer;
    }
    if (!IsPersonMode(sel)) return kCursorPointer;
    const Person& p = *s.sel.person;
    switch (sel - kPersonModeFirst) {
        case 0:
            return h->evacuated != 0 || LeadsSomeone(p) ? kCursorPointer : kCursorRescue;
        case 1:
        case 2:
        case 3:
        case 8:
        case 9:
        case 13:
        case 15:
        case 16:
        case 17:
        case 20:
        case 21:
        case 22:
        case 25:
            if (!InsideHouse(p) && !InBasket(p) && !LeadsSomeone(p)) return kCursorRescue;
            return StoreyRule(s, house, *h);
        case 6:
            return kCursorRescue;
        case 11:
            return ElevationRule(s, *h);
        case 12:
        case 19:
        case 24:
            return StoreyRule(s, house, *h);
        default:
            return kCursorPointer;
    }
}

struct OutlinePoint {
    int x;
    int y;
};

// Point n (1..6) of a storey's outline.
OutlinePoint Corner(const HouseFloor& floor, int n) {
    const std::size_t k = static_cast<std::size_t>(2 * (n - 1));
    return {floor.corners[k], floor.corners[k + 1]};
}

// Which side of the line from a to b the mouse lies on: below a line that falls to the right is
// negative.
int Side(OutlinePoint a, OutlinePoint b, const CursorScene& s) {
    return (b.y - a.y) * (s.x - a.x) - (b.x - a.x) * (s.y - a.y);
}

// The middle and upper pieces: between the ground line and the top of the storeys shown, the
// house is opened at the storey under the mouse or shown whole again.
std::uint16_t CursorOverHouseSide(const CursorScene& s, int house) {
    const House* h = PlacedHouse(house);
    if (h == nullptr) return kCursorPointer;
    const HouseTyp& t = HouseTypOf(*h);
    if (t.floors <= 1) return CursorOverHouseFront(s, house);
    const int storey = HoverIds[2];
    const int top = std::min(h->shownStorey - 1, t.floors - 2);
    const HouseFloor& ground = h->floors[0];
    if (s.x < Corner(ground, 1).x || s.x > Corner(ground, 6).x)
        return CursorOverHouseFront(s, house);
    // No storey shown: nothing to open.
    if (top < 0 || static_cast<std::size_t>(top) >= h->floors.size()) return kCursorPointer;
    if (Side(Corner(ground, 3), Corner(ground, 6), s) < 0) return kCursorPointer;
    const HouseFloor& roof = h->floors[static_cast<std::size_t>(top)];
    const bool cutOpen = h->interiorView != 0;
    const bool shownTo = h->shownStorey == storey + 1;
    if (!cutOpen || roof.personCount == 0) {
        if (Side(Corner(roof, 1), Corner(roof, 4), s) > 0) return kCursorPointer;
        if (shownTo && cutOpen) return kCursorWholeHouse;
        if (top < storey) return kCursorPointer;
        return StoreyShape(kCursorOpenStorey, storey);
    }
    // Cut open with persons on the top storey: its see-through height counts.
    if (Side(Corner(roof, 2), Corner(roof, 5), s) > 0) return kCursorPointer;
    if (top < storey) return kCursorPointer;
    if (shownTo) return kCursorWholeHouse;
    return StoreyShape(kCursorOpenStorey, storey);
}

std::uint16_t CursorOverHovered(const CursorScene& s) {
    switch (HoverKind) {
        case kHoverMapCell:
            return CursorOverGround(s);
        case kHoverHouseLower:
            return CursorOverHouseFront(s, HoverIds[3]);
        case kHoverHouseMiddle:
        case kHoverHouseUpper:
            return CursorOverHouseSide(s, HoverIds[3]);
        case kHoverPerson:
            return CursorOverPerson(s, HoverIds[0]);
        case kHoverFahrzeug:
            return CursorOverFahrzeug(s, HoverIds[0]);
        case kHoverSonderObj:
            return CursorOverSonderObj(s, HoverIds[0]);
        default:
            return kCursorPointer;
    }
}

}  // namespace

std::uint16_t ScrollEdgeCursor(int leftEdge, int rightEdge, int topEdge, int bottomEdge) {
    const ViewPoint limit = ViewScrollLimits();
    const bool left = ViewOrigin.x < 1;
    const bool right = ViewOrigin.x >= limit.x;
    const bool top = ViewOrigin.y < 1;
    const bool bottom = ViewOrigin.y >= limit.y;
    const auto shape = [](std::uint16_t scroll, bool atLimit) {
        return static_cast<std::uint16_t>(atLimit ? scroll + kCursorAtLimit : scroll);
    };
    if (MouseX == leftEdge) {
        if (MouseY == topEdge) return shape(kCursorScrollUpLeft, left && top);
        if (MouseY == bottomEdge) return shape(kCursorScrollDownLeft, left && bottom);
        return shape(kCursorScrollLeft, left);
    }
    if (MouseX == rightEdge) {
        if (MouseY == topEdge) return shape(kCursorScrollUpRight, right && top);
        if (MouseY == bottomEdge) return shape(kCursorScrollDownRight, right && bottom);
        return shape(kCursorScrollRight, right);
    }
    if (MouseY == topEdge) return shape(kCursorScrollUp, top);
    if (MouseY == bottomEdge) return shape(kCursorScrollDown, bottom);
    return kCursorPointer;
}

void ChooseCursor() {
    CursorId = kCursorPointer;
    if (const std::uint16_t edge = EdgeCursor(); edge != kCursorPointer) {
        CursorId = edge;
        return;
    }
    if (MouseX >= kPanelLeft || MouseY >= kPanelTop) return;
    if (GeneralHooksDecide()) return;
    const CursorScene scene{CurrentSelection(), MouseX + ViewOrigin.x, MouseY + ViewOrigin.y};
    CursorId = CursorOverHovered(scene);
}

}  // namespace kv
