#include "vehicles/boot_punkte.h"

#include <algorithm>
#include <array>

#include "core/fatal_error.h"
#include "core/hover.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/random.h"
#include "core/selection.h"
#include "core/view.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "persons/person_injury.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/point_marker.h"

namespace kv {

std::vector<BootPunkt> BootPunkte;
std::int16_t BootPunktCount = 0;
VffImage* BootMarkerImage = nullptr;
std::uint8_t BootMarkerFrame = 0;
std::uint8_t BootMarkerTick = 0;

namespace {

constexpr std::uint32_t kOrderE = 1;

// A boat takes a person aboard from this near, in x and in y.
constexpr int kAboardReach = 50;
// Pulled from the water, a person lies in the boat as a casualty with a third of its energy and a
// little more.
constexpr std::int32_t kAboardEnergy = 333333;
constexpr std::int32_t kAboardEnergySpread = 1000000;
constexpr std::uint8_t kAboardInjury = kInjureNoObject | kInjureNoPush;  // it sits in the boat

// What a click on a point gives each selected type: the boat goes to the boat's place and is
// taken back; a carrier goes onto the point and launches (F117) or takes back (F119) the boat.
struct ClickRule {
    std::int16_t type;
    bool toBoatPlace;
    std::uint8_t opcode;
};
constexpr std::array<ClickRule, 3> kClickRules = {{
    {kTypF116, true, kOpTakeBoatBack},
    {kTypF117, false, kOpLaunchBoat},
    {kTypF119, false, kOpTakeBoatBack},
}};

const ClickRule* RuleFor(int type) {
    for (const ClickRule& r : kClickRules)
        if (r.type == type) return &r;
    return nullptr;
}

bool Used(const BootPunkt& b) {
    return b.x != kBootPunktUnused;
}

bool WholeAt(const UnitHead& v, int x, int y) {
    return TruncInt(v.x) == x && TruncInt(v.y) == y;
}

bool ExactlyAt(const UnitHead& v, int x, int y) {
    return v.x == static_cast<float>(x) && v.y == static_cast<float>(y);
}

bool IsCarrier(const UnitHead* v) {
    return v != nullptr && (v->type == kTypF117 || v->type == kTypF119);
}

// A carrier, with its boat or without, stands on the point as the point faces.
bool CarrierOn(const UnitHead* v, const BootPunkt& b) {
    return IsCarrier(v) && WholeAt(*v, b.x, b.y) && v->direction == b.facing;
}

bool AnyCarrierOn(const BootPunkt& b) {
    return std::any_of(Fahrzeuge.begin(), Fahrzeuge.end(),
                       [&](const Fahrzeug& v) { return CarrierOn(&v, b); });
}

// The one selected vehicle while a boat or a carrier is selected, with its rule; both null
// otherwise.
struct SelectedVehicle {
    Fahrzeug* v = nullptr;
    const ClickRule* rule = nullptr;
};
SelectedVehicle SelectedBoatOrCarrier() {
    const ClickRule* rule = RuleFor(SignedSelectionMode());
    Fahrzeug* v = UsedFahrzeugAt(SelectedIndex);
    if (rule == nullptr || v == nullptr || v->type != rule->type) return {};
    return {v, rule};
}

// Where the vehicle of the rule goes for the point.
int PlaceX(const ClickRule& r, const BootPunkt& b) {
    return r.toBoatPlace ? b.x + b.dx : b.x;
}
int PlaceY(const ClickRule& r, const BootPunkt& b) {
    return r.toBoatPlace ? b.y + b.dy : b.y;
}

// Whether the vehicle of the rule is there already: the boat exactly on its place, a carrier on
// the point's place in whole pixels.
bool AlreadyThere(const Fahrzeug& v, const ClickRule& r, const BootPunkt& b) {
    return r.toBoatPlace ? ExactlyAt(v, PlaceX(r, b), PlaceY(r, b)) : WholeAt(v, b.x, b.y);
}

// The first active point that world point (x, y) hits and that the selected vehicle would be sent
// to: not one it stands on already, nor one with a carrier under the mouse, which the click on
// that carrier serves. -1 when none.
int TakenBootPunkt(const Fahrzeug& v, const ClickRule& rule, int x, int y) {
    const UnitHead* hovered = HoverKind == kHoverFahrzeug ? UsedFahrzeugAt(HoverIds[0]) : nullptr;
    for (std::size_t i = 0; i < BootPunkte.size(); ++i) {
        const BootPunkt& b = BootPunkte[i];
        if (b.active == 0 || !Used(b) || !HitsPoint(x, y, b.x, b.y)) continue;
        if (AlreadyThere(v, rule, b) || CarrierOn(hovered, b)) continue;
        return static_cast<int>(i);
    }
    return -1;
}

bool MayDrawMarker(const BootPunkt& b, const Fahrzeug* selected) {
    if (b.active == 0 || !Used(b) || selected == nullptr) return false;
    if (selected->type == kTypF116 && ExactlyAt(*selected, b.x + b.dx, b.y + b.dy)) return false;
    return !AnyCarrierOn(b);
}

bool InReach(int from, int to) {
    return to >= from - kAboardReach && to < from + kAboardReach;
}

// The person sits down in the boat; a selected person hands its selection to the boat.
void TakeAboard(std::int16_t index, Fahrzeug& v, std::int16_t person, Person& p,
                std::uint16_t& seat) {
    p.attachment.reset();
    seat = static_cast<std::uint16_t>(person);
    SetPersonAnim(person, 0);
    p.offMap = 1;
    p.selected = 0;
    if (SignedSelectionMode() >= static_cast<std::int16_t>(kPersonSelected) &&
        SelectedIndex == static_cast<std::uint16_t>(person)) {
        SelectionMode = static_cast<std::uint16_t>(v.type);
        SelectedIndex = static_cast<std::uint16_t>(index);
        v.selected = 1;
    }
    UpdateSelectionMode();
    const int r = Rand();
    InjurePerson(person, kAboardEnergy + (r % kAboardEnergySpread) / 3, 0, kAboardInjury);
}

}  // namespace

const BootPunkt* UsedBootPunktAt(std::int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= BootPunkte.size()) return nullptr;
    const BootPunkt& b = BootPunkte[static_cast<std::size_t>(index)];
    return Used(b) ? &b : nullptr;
}

bool InitBootPunkte(int mission) {
    // A second part sets its points up anew; the first part's go.
    FreeBootPunkte();
    if (const auto hook = OptionalMissionHook(mission, &MissionHooks::InitBootPunkte)) hook();
    if (FatalErrorRaised()) return false;
    if (std::any_of(BootPunkte.begin(), BootPunkte.end(),
                    [](const BootPunkt& b) { return !Used(b); }))
        return true;
    BootMarkerImage = LoadPointMarker("BOOTPUNKT");
    if (BootMarkerImage == nullptr) return false;
    BootMarkerFrame = 0;
    BootMarkerTick = 0;
    return true;
}

void AllocBootPunkte() {
    BootPunkte.assign(static_cast<std::size_t>(std::max<std::int16_t>(BootPunktCount, 0)),
                      BootPunkt{});
}

void AddBootPunkt(std::uint16_t x, std::uint16_t y, std::uint8_t facing, std::int16_t dx,
                  std::int16_t dy, std::int16_t ex, std::int16_t ey, std::uint8_t active) {
    for (BootPunkt& b : BootPunkte) {
        if (Used(b)) continue;
        b = {x, y, dx, dy, ex, ey, facing, active};
        return;
    }
}

void FreeBootPunkte() {
    FreeVff(BootMarkerImage);
    BootMarkerImage = nullptr;
    BootPunkte.clear();
    BootPunktCount = 0;
    BootMarkerFrame = 0;
    BootMarkerTick = 0;
}

void DrawBootPunkte() {
    const Fahrzeug* selected = SelectedBoatOrCarrier().v;
    for (const BootPunkt& b : BootPunkte)
        if (MayDrawMarker(b, selected)) DrawPointMarker(BootMarkerImage, BootMarkerFrame, b.x, b.y);
    AdvancePointMarker(BootMarkerFrame, BootMarkerTick);
}

std::uint8_t ClickBootPunkt(std::int16_t x, std::int16_t y) {
    const SelectedVehicle s = SelectedBoatOrCarrier();
    if (s.v == nullptr || s.rule == nullptr) return 0;
    const int i = TakenBootPunkt(*s.v, *s.rule, x, y);
    if (i < 0) return 0;
    const BootPunkt& b = BootPunkte[static_cast<std::size_t>(i)];
    SendToPoint(*s.v, FahrzeugTypOf(*s.v), PlaceX(*s.rule, b), PlaceY(*s.rule, b), b.facing);
    AppendBefehl(*s.v, s.rule->opcode, i, 0, 0, 0, kOrderE);
    return 1;
}

std::uint8_t HoverBootPunkt() {
    const SelectedVehicle s = SelectedBoatOrCarrier();
    if (s.v == nullptr || s.rule == nullptr) return 0;
    if (TakenBootPunkt(*s.v, *s.rule, MouseX + ViewOrigin.x, MouseY + ViewOrigin.y) < 0) return 0;
    CursorId = kCursorRescue;
    return 1;
}

bool MayTakeAboard(const Fahrzeug& v, const Person& p) {
    // A person off the map sits in a seat already, or is carried: it is nobody's to take.
    if (p.offMap != 0 || (p.controlFlags & kPersonInDistress) == 0) return false;
    if (!InReach(TruncInt(p.x), TruncInt(v.x)) || !InReach(TruncInt(p.y), TruncInt(v.y)))
        return false;
    return std::find(v.seats.begin(), v.seats.end(), kNoPerson) != v.seats.end();
}

void RunFahrzeugBefehl77(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const std::int32_t person = v->orders->aInt();
    Person* p = UsedPersonAt(person);
    if (p != nullptr && MayTakeAboard(*v, *p)) {
        const auto seat = std::find(v->seats.begin(), v->seats.end(), kNoPerson);
        TakeAboard(index, *v, static_cast<std::int16_t>(person), *p, *seat);
    }
    PopBefehl(*v);
}

}  // namespace kv
