#include "mission/selection.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/view.h"
#include "media/speech.h"
#include "media/unit_sounds.h"
#include "mission/command_slots.h"
#include "mission/scroll_view.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "movement/stepping.h"
#include "persons/person_houses.h"
#include "persons/person_lead.h"
#include "persons/person_link.h"
#include "persons/personen.h"
#include "vehicles/fahrzeuge.h"

namespace kv {

std::uint8_t DragActive = 0;
WorldPoint MouseDownPoint;

namespace {

// The world view's screen rectangle, right and bottom exclusive.
constexpr int kViewLeft = 10;
constexpr int kViewTop = 10;
constexpr int kViewRight = 640;
constexpr int kViewBottom = 480;

enum class Button : std::uint8_t { Map, Options, Slot0, Slot1, Slot2 };
// Corners inclusive.
struct PressRegion {
    int left;
    int right;
    int top;
    int bottom;
    Button button;
};
constexpr std::array<PressRegion, 5> kPressRegions = {{
    {662, 769, 155, 188, Button::Map},
    {662, 769, 353, 411, Button::Options},
    {352, 455, 502, 578, Button::Slot0},
    {465, 566, 502, 578, Button::Slot1},
    {578, 679, 502, 578, Button::Slot2},
}};

void Press(Button button) {
    switch (button) {
        case Button::Map:
            PressButton(MapButton);
            return;
        case Button::Options:
            PressButton(OptionsButton);
            return;
        case Button::Slot0:
        case Button::Slot1:
        case Button::Slot2:
            PressButton(CommandSlots[static_cast<std::size_t>(button) -
                                     static_cast<std::size_t>(Button::Slot0)]);
            return;
    }
}

constexpr std::int32_t kSilent = -1;
// The phrases that answer a move.
constexpr std::int32_t kPhraseTakeOff = 3;
constexpr std::int32_t kPhraseDrive = 7;
constexpr std::int32_t kPhraseWalk = 10;
constexpr std::int32_t kPhraseLeaderWalks = 15;

// A fire fighter with a hose, while linked to its hydrant or vehicle, and one holding a connected
// hose: both stay where the hose holds them.
constexpr std::int8_t kPersonTypHoseTied = 10;
constexpr std::int8_t kPersonTypHoseHeld = 11;
// Leaders of a pair are of types 0..3.
constexpr std::int8_t kLastLeaderTyp = 3;

bool IsLeaderTyp(std::int8_t type) {
    return type >= 0 && type <= kLastLeaderTyp;
}

std::uint16_t PersonMode(std::int8_t type) {
    return static_cast<std::uint16_t>(kPersonSelected + type);
}

// The selection of two units whose last is the person p, when the two are a leader and the
// person it leads; false for any other two.
bool SelectPair(const Person& p, std::int16_t index) {
    if ((p.moverFlags & kMoverLed) != 0)
        if (const Person* leader = LinkedPartner(p.link);
            leader != nullptr && IsLeaderTyp(leader->type)) {
            SelectionMode = PersonMode(leader->type);
            SelectedIndex = p.link;
            return true;
        }
    if (IsLeaderTyp(p.type) && DecodePersonLink(p.link).kind == PersonLinkKind::Leads) {
        const Person* led = UsedPersonAt(DecodePersonLink(p.link).index);
        if (led != nullptr && (led->moverFlags & kMoverLed) != 0) {
            SelectionMode = PersonMode(p.type);
            SelectedIndex = static_cast<std::uint16_t>(index);
            return true;
        }
    }
    return false;
}

// A box group stays while its leading person is selected.
bool BoxGroupKept() {
    if (SelectionMode != kBoxGroupSelected) return false;
    const Person* leading = UsedPersonAt(SelectedIndex);
    return leading != nullptr && leading->selected != 0;
}

// Boats, aircraft and cranes move without a siren.
bool DrivesWithSiren(std::int8_t type) {
    constexpr std::array<std::int16_t, 6> kSilentTypes = {kTypF110, kTypF115,   kTypF116,
                                                          kTypF203, kTypF110MD, kTypF203B};
    return std::find(kSilentTypes.begin(), kSilentTypes.end(), type) == kSilentTypes.end();
}

void MoveFahrzeug(std::int16_t index, Fahrzeug& v, std::int16_t x, std::int16_t y) {
    const FahrzeugTyp& typ = FahrzeugTypOf(v);
    // A landed helicopter takes off first.
    if (v.type == kTypF203 && v.link2 != kNoLink) {
        SetBefehl(v, typ, kOpTakeOff, kPhraseTakeOff, 0, 0, 0, 0, 0);
        AppendBefehl(v, kOpMove, x, y, 0, 0, 1);
        return;
    }
    SetBefehl(v, typ, kOpMove, kPhraseDrive, x, y, 0, 0, 0);
    if (DrivesWithSiren(v.type)) PlaySirenSound(index, 0);
}

void MovePerson(std::int16_t index, Person& p, std::int16_t x, std::int16_t y) {
    if ((p.type == kPersonTypHoseTied && p.link != kNoLink) || p.type == kPersonTypHoseHeld ||
        p.casualty != 0)
        return;
    if (static_cast<std::int16_t>(p.house) >= 0) {
        RoutePersonThroughHouseDoor(index, x, y);
        return;
    }
    if (const OrderRedirect redirect = FollowTrailRedirect(p); redirect.follows) {
        if (redirect.to == nullptr) return;
        PlaySpeech(kPhraseLeaderWalks, PersonTypOf(p).speaker);
        SetBefehl(*redirect.to, PersonTypOf(*redirect.to), kOpMove, kSilent, x, y, 0, 0, 0);
        return;
    }
    if ((p.moverFlags & kMoverLed) == 0)
        SetBefehl(p, PersonTypOf(p), kOpMove, kPhraseWalk, x, y, 0, 0, 0);
}

// A person choosing equipment at a vehicle leaves it before moving.
void LeaveEquipmentChoice() {
    if (SelectionMode < kEquipmentSelectedFirst || SelectionMode > kEquipmentSelectedLast) return;
    Person* p = UsedPersonAt(SelectedIndex);
    if (p == nullptr) return;
    if (Fahrzeug* w = UsedFahrzeugAt(p->link2)) w->selected = 0;
    p->link2 = kNoLink;
    SelectionMode = PersonMode(p->type);
}

}  // namespace

bool AtWork(const Fahrzeug& v) {
    if (v.type == kTypF113) return v.anim >= 2 && v.anim <= 6;
    if (v.type == kTypF106) return v.anim == 3 || v.anim == 13;
    return false;
}

void RecomputeSelectionMode() {
    int count = 0;
    std::int16_t last = -1;
    std::uint16_t candidate = kNoSelection;
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i) {
        const Fahrzeug& v = Fahrzeuge[i];
        if (v.type < 0 || v.selected == 0) continue;
        ++count;
        last = static_cast<std::int16_t>(i);
        candidate = static_cast<std::uint16_t>(v.type);
    }
    bool lastIsPerson = false;
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        const Person& p = Personen[i];
        if (p.type < 0 || p.selected == 0) continue;
        ++count;
        last = static_cast<std::int16_t>(i);
        candidate = p.casualty != 0 ? kCasualtySelected : PersonMode(p.type);
        lastIsPerson = true;
    }
    if (count == 0) {
        SelectionMode = kNoSelection;
        SelectedIndex = 65535;
        return;
    }
    if (count == 1) {
        SelectionMode = candidate;
        SelectedIndex = static_cast<std::uint16_t>(last);
        return;
    }
    if (count == 2 && lastIsPerson && SelectPair(Personen[static_cast<std::size_t>(last)], last))
        return;
    if (BoxGroupKept()) return;
    SelectionMode = kSeveralSelected;
    SelectedIndex = 65535;
}

void ClearSelection() {
    for (Fahrzeug& v : Fahrzeuge) v.selected = 0;
    for (Person& p : Personen) p.selected = 0;
    SelectionMode = kNoSelection;
    SelectedIndex = 65535;
}

void StoreMousePos(std::uint16_t x, std::uint16_t y) {
    // The platform keeps the mouse there only while the cursor is clipped; the edge scroll, the
    // probe pixel and the cursor picture all rely on it.
    MouseX = std::clamp<std::uint16_t>(x, kMouseEdgeLeft, kMouseEdgeRight);
    MouseY = std::clamp<std::uint16_t>(y, kMouseEdgeTop, kMouseEdgeBottom);
}

void OnGameMouseDown(std::int32_t x, std::int32_t y) {
    if (x >= kViewLeft && x < kViewRight && y >= kViewTop && y < kViewBottom) {
        MouseDownPoint = {x + ViewOrigin.x, y + ViewOrigin.y};
        DragActive = 1;
        return;
    }
    for (const PressRegion& r : kPressRegions)
        if (x >= r.left && x <= r.right && y >= r.top && y <= r.bottom) Press(r.button);
}

void MoveSelectedTo(std::int16_t x, std::int16_t y) {
    LeaveEquipmentChoice();
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i) {
        Fahrzeug& v = Fahrzeuge[i];
        if (v.type < 0 || v.selected == 0 || v.selectable == 0 || AtWork(v)) continue;
        MoveFahrzeug(static_cast<std::int16_t>(i), v, x, y);
    }
    for (std::size_t i = 0; i < Personen.size(); ++i) {
        Person& p = Personen[i];
        if (p.type < 0 || p.selected == 0 || p.selectable == 0) continue;
        MovePerson(static_cast<std::int16_t>(i), p, x, y);
    }
}

void ResetSelection() {
    DragActive = 0;
    MouseDownPoint = {};
}

}  // namespace kv
