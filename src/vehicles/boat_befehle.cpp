#include "vehicles/boat_befehle.h"

#include <cmath>

#include "core/mission_state.h"
#include "core/selection.h"
#include "core/unit_views.h"
#include "movement/befehl_queue.h"
#include "movement/collision.h"
#include "vehicles/boot_punkte.h"
#include "vehicles/crew_befehle.h"
#include "vehicles/fahrzeuge.h"
#include "world/geometry.h"
#include "world/ponton_punkte.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

// The entry and target places of a chain's passage, from its right-end piece: a boat facing 3
// (east) comes in on the left and leaves on the right, a boat facing 9 (west) the other way.
constexpr std::uint8_t kFacingEast = 3;
constexpr std::uint8_t kFacingWest = 9;
constexpr int kEntryLeft = 20;
constexpr int kEntryRight = 91;
constexpr int kTargetRight = 75;
constexpr int kTargetLeft = 36;
constexpr int kPassageBelow = 24;

bool ExactlyOn(const Fahrzeug& v, int x, int y, std::uint8_t facing) {
    return v.x == static_cast<float>(x) && v.y == static_cast<float>(y) && v.direction == facing;
}

// The first vehicle of the type standing exactly at (x, y) with the facing; -1 none.
std::int16_t FindExactlyOn(std::int16_t type, int x, int y, std::uint8_t facing) {
    for (std::size_t i = 0; i < Fahrzeuge.size(); ++i) {
        const Fahrzeug& v = Fahrzeuge[i];
        if (v.type == type && ExactlyOn(v, x, y, facing)) return static_cast<std::int16_t>(i);
    }
    return -1;
}

// The boat comes onto the water beside the carrier, which is left empty; an occupied place takes
// the new boat away again.
void Launch(std::int16_t index, Fahrzeug& carrier, const BootPunkt& b) {
    const std::int16_t s = CreateFahrzeug(kTypF116, 0, 0, b.facing);
    if (s < 0) return;
    Fahrzeug& boat = Fahrzeuge[static_cast<std::size_t>(s)];
    boat.x = static_cast<float>(b.x + b.dx);
    boat.y = static_cast<float>(b.y + b.dy);
    boat.height = 0;
    boat.present = 1;
    boat.targetable = 1;
    boat.selectable = 1;
    SetupFahrzeug(s, kOwnerBought);
    if (TestCollision(kCollideSizeBox, boat, FahrzeugTypOf(boat), boat.x, boat.y, b.facing,
                      boat.storey, 0, nullptr) != 0) {
        RemoveFahrzeug(s, kRemoveDrivenOff);
        return;
    }
    carrier.type = kTypF119;
    SetFahrzeugAnim(index, 0);
    if (SelectionMode == kTypF117 && carrier.selected != 0 &&
        SelectedIndex == static_cast<std::uint16_t>(index))
        SelectionMode = kTypF119;
}

// The crew gets out, whoever cannot goes with the boat, and the boat is on the carrier again.
void TakeBack(std::int16_t boatIndex, std::int16_t carrierIndex) {
    Fahrzeug& boat = Fahrzeuge[static_cast<std::size_t>(boatIndex)];
    Fahrzeug& carrier = Fahrzeuge[static_cast<std::size_t>(carrierIndex)];
    for (std::size_t s = 0; s < boat.seats.size(); ++s)
        PlacePersonBesideFahrzeug(static_cast<std::int32_t>(s), boatIndex);
    if (SelectionMode == kTypF119 && carrier.selected != 0) {
        SelectionMode = kTypF117;
    } else if (SelectionMode == kTypF116 && boat.selected != 0) {
        boat.selected = 0;
        carrier.selected = 1;
        SelectionMode = kTypF117;
        SelectedIndex = static_cast<std::uint16_t>(carrierIndex);
    }
    RemoveFahrzeug(boatIndex, kRemoveDrivenOff);
    carrier.type = kTypF117;
    SetFahrzeugAnim(carrierIndex, 0);
    UpdateFahrzeugDrawPos(carrier);
}

PontonPunkt* PontonPunktAt(std::int32_t index) {
    if (index < 0 || static_cast<std::size_t>(index) >= PontonPunkte.size()) return nullptr;
    return &PontonPunkte[static_cast<std::size_t>(index)];
}

// The chain's right-end piece, in whole pixels.
struct RightEnd {
    int x = 0;
    int y = 0;
};

bool FindRightEnd(const PontonPunkt& p, RightEnd& out) {
    const SonderObj* o = SonderObjAt(p.pieces[kPontonRightEnd]);
    if (o == nullptr || o->type == -1) return false;
    out = {TruncInt(o->x), TruncInt(o->y)};
    return true;
}

int HalfWidth(const FahrzeugTyp& t) {
    return (t.extent[2] - t.extent[0]) / 2;
}

bool AtEntry(const Fahrzeug& v, const RightEnd& o, int w2) {
    const int y = o.y + kPassageBelow;
    if (v.direction == kFacingEast)
        return TruncInt(v.x) == o.x - kEntryLeft - w2 && TruncInt(v.y) == y;
    if (v.direction == kFacingWest)
        return TruncInt(v.x) == o.x + w2 + kEntryRight && TruncInt(v.y) == y;
    return false;
}

// The boat holds the passage from now on, out of the player's reach until it has passed.
void TakePassage(std::int16_t index, Fahrzeug& v, PontonPunkt& p, const RightEnd& o, int w2) {
    p.pieces[kPontonPassingBoat] = static_cast<std::uint16_t>(index);
    p.targetX = v.direction == kFacingEast ? o.x + w2 + kTargetRight : o.x - kTargetLeft - w2;
    p.targetY = o.y + kPassageBelow;
    if (v.selected != 0) UpdateSelectionMode();
    v.targetable = 0;
    v.selectable = 0;
}

bool BoatBlockedAt(const Fahrzeug& v, const FahrzeugTyp& t, float x) {
    return TestBoatCollision(0, v, t, x, v.y, static_cast<std::uint8_t>(v.direction), v.storey,
                             kFahrzeugAnimDriving, nullptr) != 0;
}

}  // namespace

void RunFahrzeugBefehl71(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const BootPunkt* b = UsedBootPunktAt(v->orders->aInt());
    // Only a carrier with its boat launches one.
    if (v->type == kTypF117 && b != nullptr && ExactlyOn(*v, b->x, b->y, b->facing))
        Launch(index, *v, *b);
    ClearBefehle(*v);
}

void RunFahrzeugBefehl72(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    const BootPunkt* b = UsedBootPunktAt(v->orders->aInt());
    const std::int16_t boat =
        b != nullptr ? FindExactlyOn(kTypF116, b->x + b->dx, b->y + b->dy, b->facing) : -1;
    const std::int16_t carrier = b != nullptr ? FindExactlyOn(kTypF119, b->x, b->y, b->facing) : -1;
    if (boat >= 0 && carrier >= 0) TakeBack(boat, carrier);
    // The boat that ordered it has gone with its orders.
    if (Fahrzeug* still = UsedFahrzeugAt(index)) ClearBefehle(*still);
}

void RunFahrzeugBefehl69(std::int16_t index) {
    Fahrzeug* v = RunningFahrzeug(index);
    if (v == nullptr) return;
    PontonPunkt* p = PontonPunktAt(v->orders->aInt());
    RightEnd o;
    if (p == nullptr || !FindRightEnd(*p, o)) {
        ClearBefehle(*v);
        return;
    }
    const FahrzeugTyp& t = FahrzeugTypOf(*v);
    const int w2 = HalfWidth(t);
    if (FirstBefehlTick(*v->orders) && (p->complete == 0 || !AtEntry(*v, o, w2))) {
        ClearBefehle(*v);
        return;
    }

    std::uint16_t& passing = p->pieces[kPontonPassingBoat];
    if (passing == kNoPontonPiece)
        TakePassage(index, *v, *p, o, w2);
    else if (passing != static_cast<std::uint16_t>(index))
        return;  // another boat is passing

    const auto target = static_cast<float>(p->targetX);
    const float step = t.speed;
    if (std::fabs(target - v->x) <= step) {
        if (BoatBlockedAt(*v, t, target)) return;
        v->x = target;
        passing = kNoPontonPiece;
        v->targetable = 1;
        v->selectable = 1;
        UpdateSelectionMode();
        PopBefehl(*v);
        return;
    }
    const float next = v->x < target ? v->x + step : v->x - step;
    if (!BoatBlockedAt(*v, t, next)) v->x = next;
}

void ReleasePontonPassage(UnitHead& boat, std::int32_t point) {
    PontonPunkt* p = PontonPunktAt(point);
    if (p == nullptr || FahrzeugUnits.at(p->pieces[kPontonPassingBoat]) != &boat) return;
    p->pieces[kPontonPassingBoat] = kNoPontonPiece;
    boat.targetable = 1;
    boat.selectable = 1;
}

}  // namespace kv
