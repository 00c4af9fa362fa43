#include "mission/input/click_on_fahrzeug.h"

#include <algorithm>

#include "core/hover.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "mission/input/click_targets.h"
#include "mission/input/cursor_on_units.h"
#include "mission/input/selected_unit.h"
#include "mission/selection.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/boarding.h"
#include "persons/person_houses.h"
#include "persons/person_lead.h"
#include "persons/person_link.h"
#include "persons/personen.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeug_typ_table.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/houses.h"

namespace kv {

namespace {

// Orders the clicks lay here, whoever's handlers run them.
constexpr std::uint8_t kOpTakeUpFahrzeug = 73;
constexpr std::uint8_t kOpTakeUpBoat = 66;
constexpr std::uint8_t kOpDecontaminate = 198;

constexpr std::int16_t kHoseHolderMode = PersonSelection(11);
constexpr std::int16_t kJumpCushionMode = PersonSelection(6);
// The persons that step into a raised ladder's basket.
constexpr std::array<std::int16_t, 13> kBasketModes = {
    PersonSelection(1),  PersonSelection(2),  PersonSelection(3),  PersonSelection(8),
    PersonSelection(9),  PersonSelection(12), PersonSelection(15), PersonSelection(16),
    PersonSelection(17), PersonSelection(19), PersonSelection(21), PersonSelection(22),
    PersonSelection(24)};
// The carriers of a person, and the stretcher team with its patient.
constexpr std::array<std::int16_t, 4> kCarrierModes = {PersonSelection(12), PersonSelection(19),
                                                       PersonSelection(24), PersonSelection(26)};
// Where a person boards the basket from the street.
constexpr int kBasketStepX = 62;
constexpr int kBasketStepY = 3;
// A window's foot lies this far below the point a person steps from into the basket.
constexpr int kWindowSill = 7;

template <std::size_t N>
bool OneOf(std::int16_t mode, const std::array<std::int16_t, N>& modes) {
    return std::find(modes.begin(), modes.end(), mode) != modes.end();
}

int Whole(float v) {
    return TruncInt(v);
}

// The walk out of a house through its door, by the type's door side: the point outside the door
// F from the door cell's corner, the step from there to the door point, and the facing there.
struct DoorWalkOut {
    std::int8_t fx;
    std::int8_t fy;
    std::int8_t stepX;
    std::int8_t stepY;
    std::uint8_t facing;
};
constexpr std::array<DoorWalkOut, 4> kDoorWalkOut = {{
    {16, 0, 0, 10, 0},
    {0, 0, 0, -20, 6},
    {-8, 14, 10, 0, 9},
    {24, 14, -10, 0, 3},
}};

// Down to the ground floor by the stairs when the person is upstairs, to the door, and out.
void LeaveHouseByDoor(Person& p, const House& h) {
    const HousePoints points = GetHousePoints(h);
    const DoorWalkOut& w = kDoorWalkOut[HouseTypOf(h).doorSide & 3u];
    const int qx = points.doorBase.x + w.fx + w.stepX;
    const int qy = points.doorBase.y + w.fy + w.stepY;
    const PersonTyp& type = PersonTypOf(p);
    if (p.storey <= 1) {
        GiveOrder(p, type, kOpMove, kPhraseOnMyWay, qx, qy);
    } else {
        GiveOrder(p, type, kOpMove, kPhraseOnMyWay, points.stair.x, points.stair.y);
        ThenOrder(p, kOpChangeStorey, 0);
        ThenOrder(p, kOpMove, qx, qy);
    }
    ThenOrder(p, kOpTurn, qx, qy, w.facing);
    ThenOrder(p, kOpLeaveHouse, qx, qy, -1);
}

// Into the basket from the point: the basket's step goes with the order.
void StepIntoBasket(Person& p, int x, int y, std::int16_t ladder, const KanzelState& k) {
    AppendBefehl(p, kOpEnterKanzel, x, y, ladder, k.column, k.position);
}

// A person at the raised ladder V: from the street when the basket is down and empty, from a
// window of the house it serves when it waits there, or out of another house and to the basket.
bool EnterBasket(Person& p, std::int16_t vi, const Fahrzeug& v) {
    const KanzelState& k = *v.kanzel;
    const int px = Whole(v.x) + kBasketStepX;
    const int py = Whole(v.y) + kBasketStepY;
    const House* inside = HouseOf(p);
    if (inside == nullptr) {
        if (k.down != 1 || BasketLadder(p) != nullptr || !HasNoLink(p) || k.persons != 0)
            return false;
        GiveOrder(p, PersonTypOf(p), kOpMove, kPhraseUnderstood, px, py);
        StepIntoBasket(p, px, py, vi, k);
        return true;
    }
    if (p.house == k.target) {
        if (k.down != 0 || k.position != p.storey - 2 || k.persons != 0) return false;
        int n = k.column - 10;
        if (n < 0) n = k.column + 2;
        std::int32_t fx = 0;
        std::int32_t fy = 0;
        if (!GetHouseFacadePoint(n, k.target, fx, fy)) return false;
        fy -= kWindowSill;
        const OrderRedirect redirect = FollowTrailRedirect(p);
        Person* to = redirect.follows ? redirect.to : &p;
        if (to == nullptr) return true;
        GiveOrder(*to, PersonTypOf(*to), kOpMove,
                  redirect.follows ? kPhraseGoing : kPhraseUnderstood, fx, fy);
        StepIntoBasket(*to, fx, fy, vi, k);
        return true;
    }
    if (k.down != 1 || k.persons != 0 || !HasNoLink(p)) return false;
    LeaveHouseByDoor(p, *inside);
    ThenOrder(p, kOpMove, px, py);
    StepIntoBasket(p, px, py, vi, k);
    return true;
}

// The side point of the decontamination vehicle for the person, and the walk there.
void WalkToDecontamination(Person& walker, std::int16_t walkerIndex, std::int32_t phrase,
                           std::int16_t vi, std::int32_t leader) {
    const FahrzeugPunkt pt = GetFahrzeugSidePoint(vi, walkerIndex);
    GiveOrder(walker, PersonTypOf(walker), kOpMove, phrase, pt.x, pt.y);
    ThenOrder(walker, kOpTurn, pt.x, pt.y, pt.facing);
    ThenOrder(walker, kOpDecontaminate, leader, vi);
}

bool Contaminated(const Person* p) {
    return p != nullptr && p->contamination != 0;
}

// The decontamination vehicle F109 takes a contaminated person, the contaminated person a type-3
// person leads, or a carrier whose load or itself is contaminated.
bool Decontaminate(std::int16_t mode, std::int16_t pi, Person& p, std::int16_t vi) {
    const PersonLink link = DecodePersonLink(p.link);
    if (link.kind == PersonLinkKind::None && p.selectable != 0 && p.contamination != 0) {
        WalkToDecontamination(p, pi, kPhraseUnderstood, vi, -1);
        return true;
    }
    if (mode == PersonSelection(3) && link.kind == PersonLinkKind::Leads) {
        Person* led = UsedPersonAt(link.index);
        if (Contaminated(led)) {
            WalkToDecontamination(*led, static_cast<std::int16_t>(link.index), kPhraseMoving, vi,
                                  pi);
            return true;
        }
    }
    if (OneOf(mode, kCarrierModes) && (Contaminated(LinkedPartner(p.link)) || Contaminated(&p))) {
        WalkToDecontamination(p, pi, kPhraseComing, vi, -1);
        return true;
    }
    return false;
}

// The person stands at the vehicle's compartment choosing equipment; the vehicle it stood at
// before is let go.
void ChooseEquipment(std::int16_t pi, Person& p, std::int16_t vi, Fahrzeug& v, std::uint16_t mode) {
    SelectionMode = mode;
    if (Fahrzeug* before = UsedFahrzeugAt(p.link2 == kNoLink ? -1 : p.link2)) before->selected = 0;
    p.link2 = static_cast<std::uint16_t>(vi);
    SetPersonAnim(pi, kAnimStand);
    const AnimSlot& slot = PersonAnimSlot(p.type, p.direction, p.anim);
    p.drawX = Clamp16(Whole(p.x) - slot.hotX);
    p.drawY = Clamp16(Whole(p.y) - slot.hotY);
    v.selected = 1;
    ClearBefehle(p);
}

// Whether the boat lies on the launch place of a boat point.
bool OnLaunchPlace(const Fahrzeug& boat) {
    return std::any_of(BootPunkte.begin(), BootPunkte.end(), [&](const BootPunkt& b) {
        return b.x != kBootPunktUnused && static_cast<float>(b.x + b.dx) == boat.x &&
               static_cast<float>(b.y + b.dy) == boat.y;
    });
}

// The boat F116 goes onto the empty carrier standing on an active boat point as the point faces;
// false when the carrier stands on none.
bool BoatOntoCarrier(Fahrzeug& boat, const Fahrzeug& carrier) {
    for (std::size_t i = 0; i < BootPunkte.size(); ++i) {
        const BootPunkt& b = BootPunkte[i];
        if (b.active == 0 || b.x == kBootPunktUnused || b.x != Whole(carrier.x) ||
            b.y != Whole(carrier.y) || b.facing != carrier.direction)
            continue;
        const int x = b.x + b.dx;
        const int y = b.y + b.dy;
        GiveOrder(boat, FahrzeugTypOf(boat), kOpMove, kPhraseUnderstood, x, y);
        ThenOrder(boat, kOpWait, 1);
        ThenOrder(boat, kOpTurn, x, y, b.facing);
        ThenOrder(boat, kOpTakeBoatBack, static_cast<std::int32_t>(i));
        return true;
    }
    return false;
}

struct Click {
    SelectedUnit sel;
    std::int16_t vi = -1;
    Fahrzeug* v = nullptr;
    bool noBoarding = false;
};

// The orders by the clicked vehicle's type; true when a row gave them (or decided that nothing
// happens).
bool OrdersByType(Click& c) {
    const std::int16_t mode = c.sel.mode;
    Fahrzeug& v = *c.v;
    Person* p = c.sel.person;
    const auto pi = static_cast<std::int16_t>(SelectedIndex);
    if (IsPersonMode(mode)) {
        if (const EquipmentModeRow* row = FindEquipmentMode(v.type, mode - kPersonModeFirst)) {
            if (HouseOf(*p) == nullptr && (!row->withoutLink || HasNoLink(*p))) {
                ChooseEquipment(pi, *p, c.vi, v, row->mode);
                return true;
            }
            c.noBoarding = row->noBoarding;
        }
    }
    switch (v.type) {
        case kTypF106:
            return LadderSetUp(v) && OneOf(mode, kBasketModes) && EnterBasket(*p, c.vi, v);
        case kTypF108: {
            if (mode != kJumpCushionMode) return false;
            if (FreeSeats(v) == 0) return true;
            const FahrzeugPunkt h = GetFahrzeugHatchPoint(c.vi, pi);
            GiveOrder(*p, PersonTypOf(*p), kOpMove, kPhraseGoing, h.x, h.y);
            ThenOrder(*p, kOpBoard, c.vi, Whole(v.x), Whole(v.y));
            return true;
        }
        case kTypF109:
            return IsPersonMode(mode) && v.link == kNoLink && HouseOf(*p) == nullptr &&
                   Decontaminate(mode, pi, *p, c.vi);
        case kTypF114:
            if (mode != kTypF119) return false;
            SendCarrier(*c.sel.vehicle, PickUpFahrzeug(c.vi), kOpTakeUpBoat, c.vi, 0);
            return true;
        case kTypF116:
            c.noBoarding = !OnLaunchPlace(v);
            return false;
        case kTypF119:
            return mode == kTypF116 && BoatOntoCarrier(*c.sel.vehicle, v);
        default:
            return false;
    }
}

void BoardOrSelect(const Click& c) {
    const Person* p = c.sel.person;
    if (IsPersonMode(c.sel.mode) && !c.noBoarding && BasketLadder(*p) == nullptr &&
        HouseOf(*p) == nullptr && c.sel.mode != kHoseHolderMode &&
        OrderPersonIntoFahrzeug(c.vi) != 0)
        return;
    ClearSelection();
    SelectedIndex = static_cast<std::uint16_t>(c.vi);
    SelectionMode = static_cast<std::uint16_t>(c.v->type);
    c.v->selected = 1;
    SayPhrase(kPhraseVehicleChosen, FahrzeugTypOf(*c.v).speaker);
}

}  // namespace

const EquipmentModeRow* FindEquipmentMode(int vehicleType, int personType) {
    for (const EquipmentModeRow& row : kEquipmentModes) {
        if (row.vehicleType != vehicleType) continue;
        const auto& types = row.personTypes;
        if (std::find(types.begin(), types.end(), personType) != types.end() && personType >= 0)
            return &row;
    }
    return nullptr;
}

void HandleFahrzeugClick(const ClickPoints&) {
    SelectedUnit sel = CurrentSelection();
    if (IsEquipmentMode(sel.mode)) {
        Person& p = *sel.person;
        SelectionMode = static_cast<std::uint16_t>(kPersonSelected + p.type);
        if (Fahrzeug* at = UsedFahrzeugAt(p.link2 == kNoLink ? -1 : p.link2)) at->selected = 0;
    }
    if (const auto hook = OptionalMissionHook(MissionNummer, &MissionHooks::ClickOnFahrzeug);
        hook != nullptr && hook() != 0)
        return;
    Click c;
    c.sel = CurrentSelection();
    c.vi = static_cast<std::int16_t>(HoverIds[0]);
    c.v = UsedFahrzeugAt(HoverIds[0]);
    if (c.v == nullptr) return;
    if (c.v->targetable == 0) {
        if (c.sel.mode == kTypF110 && c.v->controlFlags == kOwnerMission && c.v->orders == nullptr)
            SendCarrier(*c.sel.vehicle, PickUpFahrzeug(c.vi), kOpTakeUpFahrzeug, c.vi, c.v->type);
        return;
    }
    if (OrdersByType(c)) return;
    BoardOrSelect(c);
}

}  // namespace kv
