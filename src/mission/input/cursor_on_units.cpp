#include "mission/input/cursor_on_units.h"

#include <algorithm>

#include "core/mission_state.h"
#include "persons/person_link.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeuge.h"
#include "world/level_map.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

bool PersonSelectionIn(std::int16_t sel, int first, int last) {
    return sel >= PersonSelection(first) && sel <= PersonSelection(last);
}

bool SameStorey(const Person& a, const Person& b) {
    return a.storey == b.storey;
}

bool Contaminated(const Person* p) {
    return p != nullptr && p->contamination != 0;
}

// Whether persons of the type may board vehicles of the other.
bool MayBoard(std::int8_t personType, std::int8_t vehicleType) {
    if (personType < 0 || personType >= kPersonTypCount || vehicleType < 0 ||
        vehicleType >= kMayBoardCount)
        return false;
    return PersonTypen[static_cast<std::size_t>(personType)]
               .mayBoard[static_cast<std::size_t>(vehicleType)] != 0;
}

// Missions 7 and 23 fetch casualties by helicopter only outside this block of cells, which their
// own rescue covers.
constexpr int kPickUpBlockColumns[2] = {46, 77};
constexpr int kPickUpBlockRows[2] = {25, 36};

// The persons under a controller that a person of type 0 may lead away.
constexpr std::uint8_t kLeadableControllers =
    kPersonOnlooker | kPersonRival | kPersonFighter | kPersonScriptMarked;

}  // namespace

bool HelicopterMayFetch(const Person& casualty) {
    if (MissionNummer != 7 && MissionNummer != 23) return true;
    const CellPos c = CellFromPixel(static_cast<int>(casualty.x), static_cast<int>(casualty.y));
    return c.column < kPickUpBlockColumns[0] || c.column > kPickUpBlockColumns[1] ||
           c.row < kPickUpBlockRows[0] || c.row > kPickUpBlockRows[1];
}

bool CursorHookDecides(CursorHook MissionHooks::*member) {
    const CursorHook hook = OptionalMissionHook(MissionNummer, member);
    return hook != nullptr && hook() != 0;
}

bool HasNoLink(const Person& p) {
    return DecodePersonLink(p.link).kind == PersonLinkKind::None;
}

int FreeSeats(const Fahrzeug& v) {
    const FahrzeugTyp* t = FahrzeugTypAt(v.type);
    if (t == nullptr) return 0;
    const std::size_t seats = std::min<std::size_t>(t->seats, v.seats.size());
    return static_cast<int>(std::count(
        v.seats.begin(), v.seats.begin() + static_cast<std::ptrdiff_t>(seats), kNoPerson));
}

std::uint16_t CursorOverPerson(const CursorScene& s, std::uint16_t index) {
    if (CursorHookDecides(&MissionHooks::CursorOnPerson)) return CursorId;
    const Person* hovered = UsedPersonAt(index);
    if (hovered == nullptr) return kCursorPointer;
    const std::int16_t sel = s.sel.mode;
    // The helicopter picks up casualties on the street.
    if (hovered->casualty != 0 && !InsideHouse(*hovered) && sel == kTypF203) {
        if (HelicopterMayFetch(*hovered)) return kCursorRescue;
    }
    if (hovered->targetable == 0) return kCursorPointer;
    if (!IsPersonMode(sel)) return kCursorSelect;
    const Person& p = *s.sel.person;
    const bool sameStorey = SameStorey(p, *hovered);
    bool acts = false;
    if (sel == PersonSelection(0)) {
        acts = HasNoLink(p) && (hovered->controlFlags & kLeadableControllers) != 0 &&
               HasNoLink(*hovered) && sameStorey && !InBasket(*hovered);
    } else if (PersonSelectionIn(sel, 1, 3)) {
        const bool onlooker = (hovered->controlFlags & kPersonOnlooker) != 0 &&
                              HasNoLink(*hovered) && sameStorey && !InBasket(p) &&
                              !InBasket(*hovered);
        acts = HasNoLink(p) && ((sameStorey && hovered->casualty != 0) || onlooker);
    } else if (PersonSelectionIn(sel, 4, 5)) {
        acts = sameStorey && hovered->casualty != 0;
    }
    return acts ? kCursorRescue : kCursorSelect;
}

namespace {

// The persons who get into the crew vehicles and the fire engines.
bool CrewMode(std::int16_t sel) {
    return PersonSelectionIn(sel, 1, 3) || sel == PersonSelection(6) ||
           PersonSelectionIn(sel, 8, 10) || sel == PersonSelection(13) ||
           PersonSelectionIn(sel, 15, 17) || PersonSelectionIn(sel, 20, 22) ||
           sel == PersonSelection(25) || IsEquipmentMode(sel);
}

// A person of type 10 (with a hose) takes no such order while it holds a link.
bool NotHeldByLink(std::int16_t sel, const Person& p) {
    return sel != PersonSelection(10) || HasNoLink(p);
}

bool CrewCursor(const CursorScene& s) {
    const std::int16_t sel = s.sel.mode;
    if (!CrewMode(sel)) return false;
    const Person& p = *s.sel.person;
    return (!PersonSelectionIn(sel, 1, 3) || HasNoLink(p)) && !InsideHouse(p) &&
           NotHeldByLink(sel, p);
}

// The ladder's basket: from the street into the basket, or from a window of the house it stands
// at (storey - 2 is the basket's step there).
bool BasketCursor(const CursorScene& s, const Fahrzeug& ladder) {
    const std::int16_t sel = s.sel.mode;
    const KanzelState* k = ladder.kanzel.get();
    const bool ruleA = PersonSelectionIn(sel, 1, 3) || PersonSelectionIn(sel, 8, 10) ||
                       sel == PersonSelection(13) || PersonSelectionIn(sel, 15, 17) ||
                       PersonSelectionIn(sel, 20, 22) || sel == PersonSelection(25) ||
                       IsEquipmentMode(sel);
    const bool ruleB =
        sel == PersonSelection(12) || sel == PersonSelection(19) || sel == PersonSelection(24);
    if (!ruleA && !ruleB) return false;
    const Person& p = *s.sel.person;
    const bool emptyBasket = k != nullptr && k->persons == 0;
    const bool atWindow = emptyBasket && InsideHouse(p) && p.house == k->target && k->down == 0 &&
                          k->position == p.storey - 2;
    if (ruleB) return atWindow;
    if (!InsideHouse(p)) {
        if (PersonSelectionIn(sel, 1, 3) && !HasNoLink(p)) return false;
        if (InBasket(p)) return false;
        if (emptyBasket && k->down != 0) return true;
        return FreeSeats(ladder) > 0 && NotHeldByLink(sel, p);
    }
    if (k == nullptr) return false;
    if (p.house == k->target) return atWindow;
    return emptyBasket && k->down != 0 && HasNoLink(p);
}

// The decontamination vehicle: a contaminated person, or one it may take aboard, or the
// contaminated person that the selected one leads or carries.
bool DecontaminationCursor(const CursorScene& s, const Fahrzeug& vehicle) {
    const std::int16_t sel = s.sel.mode;
    if (!IsPersonMode(sel)) return false;
    const Person& p = *s.sel.person;
    if (InsideHouse(p)) return false;
    const PersonLink link = DecodePersonLink(p.link);
    if (link.kind == PersonLinkKind::None) {
        if (p.selectable != 0 && p.contamination != 0) return true;
        return MayBoard(p.type, vehicle.type) && FreeSeats(vehicle) > 0;
    }
    if (vehicle.link != kNoLink) return false;
    if (sel == PersonSelection(3))
        return link.kind == PersonLinkKind::Leads && Contaminated(UsedPersonAt(link.index));
    if (sel == PersonSelection(12) || sel == PersonSelection(19) || sel == PersonSelection(24) ||
        sel == PersonSelection(26)) {
        const Person* partner =
            link.kind == PersonLinkKind::Partner ? UsedPersonAt(link.index) : nullptr;
        return Contaminated(partner) || Contaminated(&p);
    }
    return false;
}

// The boat F116 takes a person aboard where it lies at a boat point's launch place.
bool BoatCursor(const CursorScene& s, const Fahrzeug& boat) {
    if (!IsPersonMode(s.sel.mode)) return false;
    const Person& p = *s.sel.person;
    if (InsideHouse(p) || !MayBoard(p.type, boat.type) || FreeSeats(boat) == 0 ||
        !NotHeldByLink(s.sel.mode, p))
        return false;
    return std::any_of(BootPunkte.begin(), BootPunkte.end(), [&](const BootPunkt& b) {
        return b.x != kBootPunktUnused && static_cast<float>(b.x + b.dx) == boat.x &&
               static_cast<float>(b.y + b.dy) == boat.y;
    });
}

// The boat on its trailer: the empty carrier stands on an active boat point as the point faces.
bool CarrierCursor(const CursorScene& s, const Fahrzeug& carrier) {
    if (s.sel.mode != kTypF116) return false;
    const auto x = static_cast<std::uint16_t>(static_cast<int>(carrier.x));
    const auto y = static_cast<std::uint16_t>(static_cast<int>(carrier.y));
    return std::any_of(BootPunkte.begin(), BootPunkte.end(), [&](const BootPunkt& b) {
        return b.active != 0 && b.x != kBootPunktUnused && b.x == x && b.y == y &&
               b.facing == carrier.direction;
    });
}

// Whether the person in seat 0 is of the type; an empty seat 0 refuses nobody.
bool SeatTaken(const Fahrzeug& vehicle, int personType) {
    if (vehicle.seats.empty()) return false;
    const Person* first = UsedPersonAt(vehicle.seats[0]);
    return first != nullptr && first->type == personType;
}

// The F201 and the F203 take no second medic, and no second bearer or stretcher team, behind one
// in seat 0.
bool BoardingRefused(std::int16_t sel, const Fahrzeug& vehicle, int freeSeats) {
    const FahrzeugTyp* t = FahrzeugTypAt(vehicle.type);
    if (t == nullptr || freeSeats >= t->seats) return false;
    if (vehicle.type != kTypF201 && vehicle.type != kTypF203) return false;
    if (sel == PersonSelection(4)) return SeatTaken(vehicle, 4);
    if (sel == PersonSelection(5) || sel == PersonSelection(26))
        return SeatTaken(vehicle, 5) || SeatTaken(vehicle, 26);
    return false;
}

bool BoardingCursor(const CursorScene& s, const Fahrzeug& vehicle) {
    const std::int16_t sel = s.sel.mode;
    if (!IsPersonMode(sel)) return false;
    const Person& p = *s.sel.person;
    if (InsideHouse(p) || !MayBoard(p.type, vehicle.type)) return false;
    if (p.type >= 1 && p.type <= 3 && !HasNoLink(p)) return false;
    const int free = FreeSeats(vehicle);
    return free > 0 && !BoardingRefused(sel, vehicle, free) &&
           (vehicle.type != kTypF203 || vehicle.anim == kHelicopterAnimLanded) &&
           NotHeldByLink(sel, p);
}

}  // namespace

std::uint16_t CursorOverFahrzeug(const CursorScene& s, std::uint16_t index) {
    if (CursorHookDecides(&MissionHooks::CursorOnFahrzeug)) return CursorId;
    const Fahrzeug* hovered = UsedFahrzeugAt(index);
    if (hovered == nullptr) return kCursorPointer;
    const std::int16_t sel = s.sel.mode;
    if (hovered->targetable == 0) {
        // The crane tows a mission's car that stands idle.
        const bool tows =
            sel == kTypF110 && hovered->controlFlags == kOwnerMission && hovered->orders == nullptr;
        return tows ? kCursorRescue : kCursorPointer;
    }
    bool acts = false;
    switch (hovered->type) {
        // The crew vehicles and fire engines F102 to F105 and F108.
        case 1:
        case 2:
        case 3:
        case 4:
        case 7:
            acts = CrewCursor(s);
            break;
        case kTypF106:
            acts = BasketCursor(s, *hovered);
            break;
        case kTypF109:
            acts = DecontaminationCursor(s, *hovered);
            break;
        case kTypF114:
            acts = sel == kTypF119;
            break;
        case kTypF116:
            acts = BoatCursor(s, *hovered);
            break;
        case kTypF119:
            acts = CarrierCursor(s, *hovered);
            break;
        default:
            acts = BoardingCursor(s, *hovered);
            break;
    }
    return acts ? kCursorRescue : kCursorSelect;
}

std::uint16_t CursorOverSonderObj(const CursorScene& s, std::uint16_t index) {
    if (CursorHookDecides(&MissionHooks::CursorOnSonderObj)) return CursorId;
    const SonderObj* o = SonderObjAt(index);
    if (o == nullptr || o->type < 0) return kCursorPointer;
    const std::int16_t sel = s.sel.mode;
    const Person* p = s.sel.person;
    bool acts = false;
    switch (o->type) {
        case kSobjHydrant:
            acts = sel == PersonSelection(10) || sel == PersonSelection(11);
            break;
        case kSobjHolzstapel:
            acts =
                sel == kTypF110 || (sel == PersonSelection(1) && !InsideHouse(*p) && HasNoLink(*p));
            break;
        case kSobjPonton: {
            // A laid pontoon takes any one vehicle, but not the pontoon vehicle while it works.
            const bool laid = o->user >= 0 &&
                              static_cast<std::size_t>(o->user) < PontonPunkte.size() &&
                              PontonPunkte[static_cast<std::size_t>(o->user)].complete != 0;
            const bool busy =
                sel == kTypF113 && s.sel.vehicle->anim >= 2 && s.sel.vehicle->anim <= 6;
            acts = IsVehicleMode(sel) && laid && !busy;
            break;
        }
        case kSobjZelt:
            acts = IsPersonMode(sel);
            break;
        case kSobjBett:
            acts = sel == PersonSelection(26) && o->user == -1;
            break;
        case kSobjRingHalter:
            acts = sel == PersonSelection(46);
            break;
        case kSobjRingHalterMitRing:
            acts = sel == PersonSelection(1) && HasNoLink(*p);
            break;
        default:
            break;
    }
    return acts ? kCursorRescue : kCursorPointer;
}

}  // namespace kv
