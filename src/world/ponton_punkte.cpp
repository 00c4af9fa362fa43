#include "world/ponton_punkte.h"

#include <algorithm>

#include "core/hover.h"
#include "core/mission_hooks.h"
#include "core/mission_state.h"
#include "core/mouse.h"
#include "core/unit_views.h"
#include "core/view.h"
#include "movement/befehl_opcodes.h"
#include "movement/befehl_queue.h"
#include "vehicles/fahrzeug_typ.h"
#include "world/point_marker.h"
#include "world/sonder_obj.h"

namespace kv {

std::vector<PontonPunkt> PontonPunkte;
std::int16_t PontonPunktCount = 0;
VffImage* PontonMarker = nullptr;
std::uint8_t PontonMarkerFrame = 0;
std::uint8_t PontonMarkerTick = 0;

namespace {

constexpr std::array<int, 4> kPontonMissions = {11, 21, 26, 28};

// Orders given here.
constexpr std::uint8_t kOpBerth = 69;
constexpr std::int32_t kAckVoice = 17;
constexpr std::uint32_t kOrderE = 1;

// The pontoon vehicle at work (opening, laying, laid, taking in, closing).
constexpr std::int8_t kFirstBusyAnim = 2;
constexpr std::int8_t kLastBusyAnim = 6;

// Where a vehicle berths beside the chain, from the outer edges of its end pieces.
constexpr int kLeftBerthGap = 20;
constexpr int kRightBerthGap = 91;
constexpr int kBerthBelow = 24;
constexpr std::uint8_t kFacingLeftBerth = 3;
constexpr std::uint8_t kFacingRightBerth = 9;

const PontonPunkt* PointAt(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= PontonPunkte.size()) return nullptr;
    return &PontonPunkte[static_cast<std::size_t>(index)];
}

bool Used(const PontonPunkt& p) {
    return p.x != kPontonPunktUnused;
}

// The selected unit, when it is one vehicle.
UnitHead* SelectedFahrzeug() {
    if (SelectionMode >= kFahrzeugTypCount) return nullptr;
    UnitHead* v = FahrzeugUnits.at(SelectedIndex);
    return v != nullptr && v->type >= 0 ? v : nullptr;
}

bool StandsOn(const UnitHead* v, const PontonPunkt& p) {
    return v != nullptr && v->type >= 0 && static_cast<int>(v->x) == p.x &&
           static_cast<int>(v->y) == p.y;
}

bool SelectedIsBusy() {
    const UnitHead* v = SelectedFahrzeug();
    return v != nullptr && v->anim >= kFirstBusyAnim && v->anim <= kLastBusyAnim;
}

// The first point in array order that the world point hits and that is free: neither the
// selected vehicle nor the vehicle under the mouse stands on it. -1 when none.
int HitPontonPunkt(int x, int y) {
    const UnitHead* selected = SelectedFahrzeug();
    const UnitHead* hovered = HoverKind == kHoverFahrzeug ? FahrzeugUnits.at(HoverIds[0]) : nullptr;
    for (std::size_t i = 0; i < PontonPunkte.size(); ++i) {
        const PontonPunkt& p = PontonPunkte[i];
        if (!Used(p)) continue;
        if (!HitsPoint(x, y, p.x, p.y)) continue;
        if (StandsOn(selected, p) || StandsOn(hovered, p)) continue;
        return static_cast<int>(i);
    }
    return -1;
}

bool PontonLayerOn(const PontonPunkt& p) {
    for (std::int32_t n = 0; n < FahrzeugUnits.count; ++n) {
        const UnitHead* v = FahrzeugUnits.at(n);
        if (v != nullptr && v->type == kTypF113 && StandsOn(v, p)) return true;
    }
    return false;
}

const SonderObj* UsedPiece(std::uint16_t slot) {
    const SonderObj* o = SonderObjAt(slot);
    return o != nullptr && o->type != -1 ? o : nullptr;
}

}  // namespace

bool InitPontonPunkte(int mission) {
    // A second part sets its points up anew; the first part's go.
    FreePontonPunkte();
    if (std::find(kPontonMissions.begin(), kPontonMissions.end(), mission) !=
        kPontonMissions.end()) {
        auto hook = MissionHook(mission, &MissionHooks::InitPontonPunkte, "InitPontonPunkte");
        if (hook == nullptr) return false;
        hook();
    }
    if (std::any_of(PontonPunkte.begin(), PontonPunkte.end(),
                    [](const PontonPunkt& p) { return !Used(p); }))
        return true;
    PontonMarker = LoadPointMarker("PONTONPUNKT");
    if (PontonMarker == nullptr) return false;
    PontonMarkerFrame = 0;
    PontonMarkerTick = 0;
    return true;
}

void AllocPontonPunkte() {
    PontonPunkte.assign(static_cast<std::size_t>(std::max<std::int16_t>(PontonPunktCount, 0)),
                        PontonPunkt{});
}

void AddPontonPunkt(std::uint16_t x, std::uint16_t y, std::uint8_t a, std::uint8_t b,
                    std::uint8_t mode) {
    for (PontonPunkt& p : PontonPunkte) {
        if (Used(p)) continue;
        p.x = x;
        p.y = y;
        p.a = a;
        p.b = b;
        p.berthMode = mode;
        return;
    }
}

void FreePontonPunkte() {
    FreeVff(PontonMarker);
    PontonMarker = nullptr;
    PontonPunkte.clear();
    PontonPunktCount = 0;
    PontonMarkerFrame = 0;
    PontonMarkerTick = 0;
}

void DrawPontonPunkte() {
    if (SelectedIsBusy()) return;
    for (const PontonPunkt& p : PontonPunkte) {
        if (SelectionMode != kTypF113 || !Used(p) || PontonLayerOn(p)) continue;
        DrawPointMarker(PontonMarker, PontonMarkerFrame, p.x, p.y);
    }
    AdvancePointMarker(PontonMarkerFrame, PontonMarkerTick);
}

std::uint8_t IsPontonPunktAtMouse() {
    if (SelectionMode != kTypF113) return 0;
    if (HitPontonPunkt(MouseX + ViewOrigin.x, MouseY + ViewOrigin.y) < 0) return 0;
    CursorId = kCursorRescue;  // a pontoon point shares the rescue shape
    return 1;
}

std::uint8_t FindPontonPunktAt(std::int16_t x, std::int16_t y) {
    if (SelectedIsBusy()) return 0;
    const int i = HitPontonPunkt(x, y);
    UnitHead* v = SelectedFahrzeug();
    const FahrzeugTyp* t = v != nullptr ? FahrzeugTypAt(v->type) : nullptr;
    if (i < 0 || t == nullptr) return 0;
    const PontonPunkt& p = PontonPunkte[static_cast<std::size_t>(i)];
    SendToPoint(*v, *t, p.x, p.y, 1);
    AppendBefehl(*v, kOpSetUp, i, 0, 0, 0, kOrderE);
    return 1;
}

void DockAtPontonPunkt(std::int16_t vehicle, std::int16_t point) {
    const PontonPunkt* p = PointAt(point);
    UnitHead* v = FahrzeugUnits.at(vehicle);
    const FahrzeugTyp* t = v != nullptr ? FahrzeugTypAt(v->type) : nullptr;
    if (p == nullptr || t == nullptr) return;
    const SonderObj* left = UsedPiece(p->pieces[kPontonLeftEnd]);
    const SonderObj* right = UsedPiece(p->pieces[kPontonRightEnd]);
    if (left == nullptr || right == nullptr) return;
    const int width = t->extent[2] - t->extent[0];
    const int l = static_cast<int>(left->x) - kLeftBerthGap - width / 2;
    const int r = static_cast<int>(right->x) + width / 2 + kRightBerthGap;
    const int y = static_cast<int>(left->y) + kBerthBelow;
    const int middle = (l + r) / 2;
    switch (p->berthMode) {
        case 2:
            // The movement code takes the better of the two.
            SetBefehl(
                *v, *t, kOpGoals, kAckVoice,
                GoalList{{static_cast<float>(l), static_cast<float>(y), kFacingLeftBerth, 0},
                         {static_cast<float>(r), static_cast<float>(y), kFacingRightBerth, 0}},
                0, 0, kOrderE);
            break;
        case 1: {
            // The middle leans toward the side a vehicle below the chain reaches more easily.
            const int lean = (static_cast<int>(v->y) - y) * 4 / 7;
            if (static_cast<float>(middle - lean) <= v->x)
                SendToPoint(*v, *t, r, y, kFacingRightBerth);
            else
                SendToPoint(*v, *t, l, y, kFacingLeftBerth);
            break;
        }
        default:
            if (v->x >= static_cast<float>(middle))
                SendToPoint(*v, *t, r, y, kFacingRightBerth);
            else
                SendToPoint(*v, *t, l, y, kFacingLeftBerth);
            break;
    }
    AppendBefehl(*v, kOpBerth, point, 0, 0, 0, kOrderE);
}

bool IsBoatBlocker(const CollisionHit& hit) {
    if (hit.kind == 1 || hit.kind == 2) return true;
    if (hit.kind != 3) return false;
    const SonderObj* o = SonderObjAt(hit.index1);
    return o == nullptr || o->type != kSobjPonton;
}

std::uint8_t TestBoatCollision(std::uint16_t mode, const UnitHead& unit, const UnitTypHead& type,
                               float x, float y, std::uint8_t direction, std::int8_t layer,
                               std::uint8_t anim, CollisionHit* hit) {
    CollisionHit met;
    const std::uint8_t result = TestCollision(mode, unit, type, x, y, direction, layer, anim, &met);
    const bool blocked = result != 0 && IsBoatBlocker(met);
    if (hit != nullptr) *hit = blocked ? met : CollisionHit{};
    return blocked ? result : 0;
}

}  // namespace kv
