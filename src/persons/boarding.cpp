#include "persons/boarding.h"

#include <algorithm>
#include <cstdlib>

#include "core/mission_state.h"
#include "movement/befehl.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/person_lead.h"
#include "persons/person_link.h"
#include "persons/person_types.h"
#include "persons/personen.h"
#include "persons/rescue_tables.h"
#include "vehicles/fahrzeug_points.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

namespace {

// The vehicle orders a boarding person asks for: the door, and the catching team's hatch. Both
// stay open this many ticks.
constexpr std::uint8_t kOpHatch = 61;
constexpr std::int32_t kOpenTicks = 8;
constexpr std::int32_t kNoVoice = -1;
// "On my way" of the walk to the door; the second walk only makes sure of the point.
constexpr std::int32_t kBoardVoice = 16;
constexpr std::uint32_t kAppendedWalk = 1;

// Vehicle animations the door test reads.
constexpr std::int8_t kAnimDoorOpen = 2;
constexpr std::int8_t kAnimHatchOpen = 4;
constexpr std::int8_t kAnimLadderDoorOpen = 13;

constexpr std::int8_t kCatchingTeam = 6;
constexpr std::uint16_t kMedicSelected = kPersonSelected + kPersonTypMedic;
constexpr std::uint16_t kStretcherSelected = kPersonSelected + kStretcher.empty;
constexpr std::uint16_t kLoadedStretcherSelected = kPersonSelected + kStretcher.loaded;
// A led person: under a controller, or marked by a script.
constexpr std::uint8_t kMayBeLed = kPersonController | kPersonScriptMarked;

int Whole(float v) {
    return static_cast<int>(v);
}

bool IsFireFighter(int type) {
    return type >= 1 && type <= 3;
}

int FreeSeats(const Fahrzeug& v) {
    return static_cast<int>(std::count(v.seats.begin(), v.seats.end(), kNoPerson));
}

// An ambulance or the helicopter carries one medic and one stretcher: a second one, by the
// person sitting in the first seat, is refused.
bool SecondOfAKind(const Fahrzeug& v) {
    if ((v.type != kTypF201 && v.type != kTypF203) || v.seats.empty()) return false;
    const Person* first = UsedPersonAt(v.seats.front());
    if (first == nullptr) return false;
    if (SelectionMode == kMedicSelected) return first->type == kPersonTypMedic;
    if (SelectionMode == kStretcherSelected || SelectionMode == kLoadedStretcherSelected)
        return first->type == kStretcher.empty || first->type == kStretcher.loaded;
    return false;
}

// Whether the helicopter stands where it can be boarded.
bool HelicopterLanded(const Fahrzeug& v, bool landedOnly) {
    return v.anim == kHelicopterAnimLanded || (!landedOnly && v.anim == kAnimDoorOpen);
}

// The person the selected one sends instead: the person a fire-fighter or civilian leads. Null
// when the selected person goes itself, and ok false when its lead names nobody.
struct Boarder {
    Person* person = nullptr;
    bool ok = true;
};
Boarder LedInstead(const Person& selected) {
    if (SelectionMode < kPersonSelected || SelectionMode > kPersonSelected + 3) return {};
    if (selected.link < kLeadsLinkBase || selected.link >= kLeadsLinkBase + 1000) return {};
    const PersonLink link = DecodePersonLink(selected.link);
    Person* led = link.kind == PersonLinkKind::Leads ? UsedPersonAt(link.index) : nullptr;
    return {led, led != nullptr};
}

// Whether the way in stands open: the hatch, or the door (the ladder vehicle with its ladder set
// up shows that with its own animation; the boat has none).
bool WayInOpen(const Fahrzeug& v, bool hatch) {
    if (hatch) return v.anim == kAnimHatchOpen;
    if (v.type == kTypF116) return true;
    if (v.type == kTypF106 && v.anim == kAnimLadderDoorOpen) return true;
    return v.anim == kAnimDoorOpen;
}

// Asks the vehicle to open up, its whole queue giving way; true once it is open.
bool DoorOpen(Fahrzeug& v, bool hatch) {
    if (WayInOpen(v, hatch)) return true;
    SetBefehl(v, FahrzeugTypOf(v), hatch ? kOpHatch : kOpOpenDoor, kNoVoice, kOpenTicks, 0, 0, 0,
              0);
    return false;
}

}  // namespace

std::uint8_t OrderPersonIntoFahrzeug(std::int16_t vehicle) {
    Fahrzeug* v = UsedFahrzeugAt(vehicle);
    Person* selected = UsedPersonAt(SelectedIndex);
    if (v == nullptr || selected == nullptr || v->type < 0 || v->type >= kMayBoardCount) return 0;
    if (PersonTypOf(*selected).mayBoard[static_cast<std::size_t>(v->type)] == 0) return 0;
    if (v->type != kTypF116 && IsFireFighter(selected->type) && selected->link != kNoLink) return 0;
    if (SecondOfAKind(*v) || FreeSeats(*v) == 0) return 0;
    if (v->type == kTypF203 && !HelicopterLanded(*v, true)) return 0;
    const auto selectedIndex = static_cast<std::int16_t>(SelectedIndex);
    const FahrzeugPunkt door = GetFahrzeugDoorPoint(vehicle, selectedIndex);
    const Boarder instead = LedInstead(*selected);
    if (!instead.ok) return 0;
    Person& p = instead.person != nullptr ? *instead.person : *selected;
    SetBefehl(p, PersonTypOf(p), kOpMove, kBoardVoice, door.x, door.y, 0, 0, 0);
    AppendBefehl(p, kOpMove, door.x, door.y, 0, 0, kAppendedWalk);
    AppendBefehl(p, kOpBoard, vehicle, Whole(v->x), Whole(v->y), 0, 0);
    return 1;
}

void BoardFahrzeug(std::int16_t index) {
    Person* p = RunningPerson(index);
    if (p == nullptr) return;
    const Befehl& order = *p->orders;
    const std::int32_t vehicle = order.aInt();
    Fahrzeug* v = UsedFahrzeugAt(vehicle);
    if (v == nullptr || Whole(v->x) != order.bInt() || Whole(v->y) != order.cInt() ||
        (v->type == kTypF203 && !HelicopterLanded(*v, false))) {
        ClearBefehle(*p);
        return;
    }
    const auto vi = static_cast<std::int16_t>(vehicle);
    const bool hatch = p->type == kCatchingTeam;
    const FahrzeugPunkt entry =
        hatch ? GetFahrzeugHatchPoint(vi, index) : GetFahrzeugDoorPoint(vi, index);
    if (std::abs(Whole(p->x) - entry.x) > kDoorReach ||
        std::abs(Whole(p->y) - entry.y) > kDoorReach) {
        ClearBefehle(*p);
        return;
    }
    const auto seat = std::find(v->seats.begin(), v->seats.end(), kNoPerson);
    if (seat == v->seats.end()) {
        ClearBefehle(*p);
        return;
    }
    if (!DoorOpen(*v, hatch)) return;

    *seat = static_cast<std::uint16_t>(index);
    p->offMap = 1;
    p->selected = 0;
    if (static_cast<std::int16_t>(SelectionMode) >= static_cast<std::int16_t>(kPersonSelected) &&
        SelectedIndex == static_cast<std::uint16_t>(index)) {
        SelectionMode = static_cast<std::uint16_t>(v->type);
        SelectedIndex = static_cast<std::uint16_t>(vehicle);
        v->selected = 1;
    }
    p->link2 = kNoLink;
    if ((p->controlFlags & kMayBeLed) != 0) {
        const PersonLink link = DecodePersonLink(p->link);
        const Person* leader = link.kind == PersonLinkKind::Partner && link.index != index
                                   ? UsedPersonAt(link.index)
                                   : nullptr;
        if (leader != nullptr && leader->type >= kPersonTypCivilian && leader->type <= 3)
            ReleaseLedPerson(index, static_cast<std::int16_t>(link.index), 1);
    }
    ClearBefehle(*p);
}

}  // namespace kv
