#include "movement/collision.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <span>
#include <vector>

#include "core/mission_extras.h"
#include "core/unit_views.h"
#include "movement/collision_parts.h"
#include "movement/sonder_obj_push.h"
#include "movement/stepping.h"
#include "movement/zones.h"
#include "persons/person.h"
#include "persons/person_types.h"
#include "world/sonder_obj.h"
#include "world/terrain_outline.h"

namespace kv {

namespace {

// How far around the tester the units are looked at: its base radius (by its kind) plus the
// other's.
constexpr int kVehicleRadius = 68;
constexpr int kPersonRadius = 17;
// The vehicle type that may push objects aside.
constexpr std::int8_t kPushingFahrzeugTyp = 12;
// Lying and seated civilians.
constexpr std::int8_t kCivilianLying = 4;
constexpr std::int8_t kCivilianSeated = 5;

// One test: the footprint and what decides which things count.
struct Query {
    std::uint16_t mode = 0;
    const UnitHead* unit = nullptr;
    const UnitTypHead* type = nullptr;
    Rect16 foot{};
    // The point the footprint stands for: the centre of the pre-filter and of the wall test.
    int px = 0;
    int py = 0;
    bool prefilter = false;  // TestCollision: only units near the point
    int vehicleRange = 0;    // |d| below it
    int personRange = 0;     // |d| at most it
    bool hasDirection = false;
    int direction = 0;
    std::int8_t layer = 0;
    std::uint16_t house = 0xFFFF;
    std::uint8_t moveClass = 0;
};

std::uint8_t Hit(CollisionHit& hit, std::uint8_t kind, int index1, std::uint8_t value) {
    hit.kind = kind;
    hit.index1 = static_cast<std::uint16_t>(index1);
    return value != 0 ? value : 1;
}

Rect16 UnitBox(const UnitHead& u, const AnimSlot& slot) {
    return {To16(u.drawX + slot.box[0]), To16(u.drawY + slot.box[1]), To16(u.drawX + slot.box[2]),
            To16(u.drawY + slot.box[3])};
}

// Units may overlap inside a mission's overlap rectangles.
bool InOverlapRect(const Rect16& f) {
    const std::size_t n =
        std::min<std::size_t>({MissionExtraActive, MissionExtraCount, MissionExtras.size()});
    for (std::size_t i = 0; i < n; ++i) {
        const MissionExtraRect& r = MissionExtras[i];
        if (r.x0 <= f.x1 && f.y1 >= r.y0 && f.x2 <= r.x1 && f.y2 <= r.y1) return true;
    }
    return false;
}

// Whether two rectangles overlap (touching counts), as RectsIntersect decides it before it looks
// at the edges.
inline bool Meets(const Rect16& a, const Rect16& b) {
    return (b.y2 >= a.y1) & (b.y1 <= a.y2) & (b.x2 >= a.x1) & (b.x1 <= a.x2);
}

bool Carries(const UnitHead& u) {
    return (u.moverFlags & kMoverLed) != 0;
}

// The edge bits with which vehicle i blocks the footprint; 0 when it does not.
int FahrzeugBlocks(const Query& q, const UnitArray& units, int i) {
    const UnitHead& v = units.slot(i);
    if (v.type == -1) return 0;
    if (q.prefilter && (std::abs(q.px - TruncInt(v.x)) >= q.vehicleRange ||
                        std::abs(q.py - TruncInt(v.y)) >= q.vehicleRange))
        return 0;
    if ((q.mode & kCollideSkipMoving) != 0 && (v.moverFlags & kMoverSearching) != 0) return 0;
    if (v.storey != q.layer || v.present == 0 || &v == q.unit) return 0;
    if ((q.mode & kCollideNoCivil) != 0) {
        const UnitTypHead* vt = units.typeOf(v.type);
        if (vt != nullptr && vt->unitClass == kCivilVehicleUnitClass) return 0;
    }
    const AnimSlot* slot = units.currentAnim(i);
    if (slot == nullptr) return 0;
    const Rect16 box = UnitBox(v, *slot);
    return Meets(q.foot, box) ? RectsIntersect(q.foot, box) : 0;
}

// A lying or seated civilian counts wider where the tester faces it (mode bit 2), and an onlooker
// keeps its distance from a lying one.
bool CountsWider(const Query& q, const UnitHead& p) {
    if (p.type != kPersonTypCivilian) return false;
    if ((q.mode & kCollideWideLying) != 0 && q.hasDirection &&
        (p.anim == kCivilianLying || p.anim == kCivilianSeated)) {
        const int turned = WrapDirection(p.direction + 6);
        if (std::abs(turned - q.direction) < 2) return true;
    }
    return q.unit != nullptr && q.type != nullptr && q.type->unitClass == kPersonUnitClass &&
           (q.unit->controlFlags & kPersonOnlooker) != 0 && !Carries(*q.unit) &&
           p.anim == kCivilianLying;
}

Rect16 Widened(const Rect16& b, int by) {
    return {To16(b.x1 - by), To16(b.y1 - by), To16(b.x2 + by), To16(b.y2 + by)};
}

int PersonBlocks(const Query& q, const UnitArray& units, int i, bool ignoreOnlookers) {
    const UnitHead& p = units.slot(i);
    if (p.type == -1) return 0;
    if (q.prefilter && (std::abs(q.px - TruncInt(p.x)) > q.personRange ||
                        std::abs(q.py - TruncInt(p.y)) > q.personRange))
        return 0;
    if (p.present == 0 || p.storey != q.layer || &p == q.unit || units.isOffMap(i)) return 0;
    if (ignoreOnlookers && (p.controlFlags & (kPersonOnlooker | kPersonPedestrian)) != 0 &&
        !Carries(p))
        return 0;
    if (q.unit != nullptr && Carries(*q.unit) && q.unit->link == i) return 0;
    if ((q.mode & kCollideSkipMoving) != 0 && (p.moverFlags & kMoverSearching) != 0) return 0;
    const AnimSlot* slot = units.currentAnim(i);
    if (slot == nullptr) return 0;
    Rect16 box = UnitBox(p, *slot);
    if (CountsWider(q, p)) box = Widened(box, kWideLying);
    return Meets(q.foot, box) ? RectsIntersect(q.foot, box) : 0;
}

// The box of a used object of one of the first typeCount types; false for a free slot or a type
// outside the table.
bool ObjectBox(const SonderObj& o, int typeCount, Rect16& box) {
    if (o.type < 0 || o.type >= typeCount) return false;
    const SonderObjTyp& t = SonderObjTypen[static_cast<std::size_t>(o.type)];
    const int ox = TruncInt(o.x);
    const int oy = TruncInt(o.y);
    box = {To16(ox + t.boxX0), To16(oy + t.boxY0), To16(ox + t.boxX1), To16(oy + t.boxY1)};
    return true;
}

int SonderObjTypes() {
    return std::min<int>(SonderObjTypCount, static_cast<int>(SonderObjTypen.size()));
}

int SonderObjBlocks(const Query& q, int j, bool anyMask) {
    const SonderObj& o = SonderObjs[static_cast<std::size_t>(j)];
    Rect16 box;
    if (!ObjectBox(o, SonderObjTypes(), box) || !Meets(q.foot, box)) return 0;
    if (o.visible == 0 || o.storey != q.layer) return 0;
    const std::uint8_t unitClass = q.type != nullptr ? q.type->unitClass : 0;
    if (anyMask ? o.blockMask == 0 : (o.blockMask & unitClass) == 0) return 0;
    // Only TestCollision passes the push bit on. The push is tried from where the unit stood
    // before the step under test, as the drive step pushes from there.
    if (!anyMask && (q.mode & kCollidePush) != 0 && o.pushable != 0 && q.unit != nullptr &&
        CanPushSonderObj(*q.unit, *q.type, SavedMoverX(), SavedMoverY(),
                         static_cast<std::uint8_t>(q.direction), static_cast<std::int16_t>(j)))
        return 0;
    return RectsIntersect(q.foot, box);
}

int SonderObjSlots() {
    return std::min<int>(SonderObjCount, static_cast<int>(SonderObjs.size()));
}

// What an open scope keeps, each list in index order with the window it was made for: the units
// whose position lies within the pre-filter's reach of the window's points (for TestCollision),
// the units whose boxes meet the window (for FindCollisionAt), and the objects whose boxes meet
// it; each with where it stands and its box, a person's widened as far as any rule widens it.
// Every other one is out of reach of a test whose point or footprint lies in the window, and a
// candidate is looked at in full only when its kept box meets the footprint.
struct Candidate {
    std::int16_t index = 0;
    std::int16_t x = 0;
    std::int16_t y = 0;
    // The box a footprint must meet: a lying or seated civilian's widened, as some tests take it.
    Rect16 box{};
};
using CandidateList = std::vector<Candidate>;
// A unit or object as a scope saw it: where it stands and its candidate entry.
struct Seen {
    float x = 0;
    float y = 0;
    Candidate candidate;
};
using SeenList = std::vector<Seen>;
struct UnitCandidates {
    bool valid = false;
    Rect16 window{};
    // How far from the window the positions were taken (the pre-filter's reach of the tester).
    int vehicleReach = 0;
    int personReach = 0;
    CandidateList fahrzeuge;
    CandidateList personen;
};
struct ScopeCache {
    int depth = 0;
    UnitCandidates nearPoint;
    UnitCandidates byBox;
    bool objectsValid = false;
    bool reachKnown = false;
    Rect16 typeReach{};
    // Whether any cell under the window is impassable for the class, as the terrain stood then.
    struct {
        bool valid = false;
        Rect16 window{};
        std::uint8_t moveClass = 0;
        std::uint32_t epoch = 0;
        bool clear = false;
    } terrain;
    Rect16 objectWindow{};
    CandidateList objects;
    // The window of the last scope opened around an area: the objects are gathered over it
    // when a test within it first asks for them.
    bool objectAreaKnown = false;
    Rect16 objectArea{};
    // Every unit and object that may block, taken once a scope has gathered them a few times (a
    // path search gathers them again for each straight run); the gatherings then read these
    // instead of every record.
    int unitGatherings = 0;
    bool unitsSeen = false;
    SeenList seenFahrzeuge;
    SeenList seenPersonen;
    int objectGatherings = 0;
    bool objectsSeen = false;
    SeenList seenObjects;
};
ScopeCache g_scope;
// The gatherings of one scope after which its units or objects are taken once for the rest of it.
constexpr int kGatheringsBeforeSeen = 4;

// How far a window reaches beyond what opened it: a vehicle's whole look-ahead, or a few batches
// of a straight run; a person's look-ahead stays within a few steps of 2 px.
constexpr int kScopeMargin = 96;
constexpr int kPersonScopeMargin = 32;

bool Within(const Rect16& inner, const Rect16& outer) {
    return inner.x1 >= outer.x1 && inner.y1 >= outer.y1 && inner.x2 <= outer.x2 &&
           inner.y2 <= outer.y2;
}

Rect16 WindowAround(const Rect16& r, int margin = kScopeMargin) {
    return {Clamp16(r.x1 - margin), Clamp16(r.y1 - margin), Clamp16(r.x2 + margin),
            Clamp16(r.y2 + margin)};
}

int MarginFor(const UnitTypHead* type) {
    return type != nullptr && type->unitClass == kPersonUnitClass ? kPersonScopeMargin
                                                                  : kScopeMargin;
}

int MarginFor(const Query& q) {
    return MarginFor(q.type);
}

// A unit's box as the candidate lists keep it: a lying or seated civilian's widened by widen.
inline Rect16 CandidateBox(const UnitHead& u, const AnimSlot& slot, int widen) {
    const Rect16 box = UnitBox(u, slot);
    const bool down =
        u.type == kPersonTypCivilian && (u.anim == kCivilianLying || u.anim == kCivilianSeated);
    return widen != 0 && down ? Widened(box, widen) : box;
}

inline Candidate UnitCandidate(int i, const UnitHead& u, const Rect16& box) {
    return {static_cast<std::int16_t>(i), To16(TruncInt(u.x)), To16(TruncInt(u.y)), box};
}

// Every unit of the array that may block: one with an animation.
void SeeUnits(const UnitArray& units, int widen, SeenList& out) {
    out.clear();
    if (!units.readable()) return;
    for (int i = 0; i < units.count; ++i) {
        const UnitHead& u = units.slot(i);
        if (u.type == -1) continue;
        const AnimSlot* slot = units.currentAnim(i);
        if (slot == nullptr) continue;
        out.push_back({u.x, u.y, UnitCandidate(i, u, CandidateBox(u, *slot, widen))});
    }
}

// The units of the array within reach of the window: by position (reach >= 0) or by box, a lying
// or seated civilian's widened by widen. From the units the scope has seen when it has seen them.
void CollectUnits(const UnitArray& units, const SeenList* seen, const Rect16& w, int reach,
                  int widen, CandidateList& out) {
    out.clear();
    if (!units.readable()) return;
    const int count = units.count;
    // By position first, in floats: a truncated position within [lo, hi] lies in (lo - 1, hi + 1).
    const float left = static_cast<float>(w.x1 - reach - 1);
    const float top = static_cast<float>(w.y1 - reach - 1);
    const float right = static_cast<float>(w.x2 + reach + 1);
    const float bottom = static_cast<float>(w.y2 + reach + 1);
    const auto nearPosition = [&](float x, float y) {
        return x > left && x < right && y > top && y < bottom;
    };
    if (seen != nullptr) {
        for (const Seen& u : *seen)
            if (reach < 0 ? Meets(w, u.candidate.box) : nearPosition(u.x, u.y))
                out.push_back(u.candidate);
        return;
    }
    const auto take = [&](int i, const UnitHead& u) {
        if (u.type == -1) return;
        // A unit without an animation never blocks.
        const AnimSlot* slot = units.currentAnim(i);
        if (slot == nullptr) return;
        const Rect16 box = CandidateBox(u, *slot, widen);
        if (reach < 0 && !Meets(w, box)) return;
        out.push_back(UnitCandidate(i, u, box));
    };
    // By box, where the types tell how far any box reaches from the draw corner: a unit whose box
    // cannot meet the window, however wide it is taken, is passed over without asking for its
    // animation. One whose box might wrap at the ends of the 16-bit range is looked at in full.
    const AnimBoxReach* boxes = reach < 0 ? units.boxReach : nullptr;
    const int least = boxes != nullptr ? boxes->least - widen : 0;
    const int greatest = boxes != nullptr ? boxes->greatest + widen : 0;
    const auto mayMeet = [&](const UnitHead& u) {
        const int x = u.drawX;
        const int y = u.drawY;
        if (std::min(x, y) + least < -32768 || std::max(x, y) + greatest > 32767) return true;
        return x + boxes->right + widen >= w.x1 && x + boxes->left - widen <= w.x2 &&
               y + boxes->bottom + widen >= w.y1 && y + boxes->top - widen <= w.y2;
    };
    const auto near = [&](const UnitHead& u) {
        if (reach < 0) return boxes == nullptr || mayMeet(u);
        return nearPosition(u.x, u.y);
    };
    if (units.base == nullptr) {
        for (int i = 0; i < count; ++i)
            if (const UnitHead& u = units.slot(i); near(u)) take(i, u);
        return;
    }
    // The records one stride apart: nothing but the position is read of those out of reach.
    const std::byte* record = units.base;
    const std::ptrdiff_t stride = units.stride;
    for (int i = 0; i < count; ++i, record += stride) {
        const UnitHead& u = *std::launder(reinterpret_cast<const UnitHead*>(record));
        if (near(u)) take(i, u);
    }
}

// The units within reach of the window, vehicles and persons (these widened as far as any rule
// widens them). Past a few gatherings in one scope the units are seen once for the rest of it,
// since nothing moves meanwhile.
void CollectUnitsNear(const Rect16& window, int vehicleReach, int personReach, UnitCandidates& c) {
    if (!g_scope.unitsSeen && ++g_scope.unitGatherings > kGatheringsBeforeSeen) {
        SeeUnits(FahrzeugUnits, 0, g_scope.seenFahrzeuge);
        SeeUnits(PersonUnits, kWideLying, g_scope.seenPersonen);
        g_scope.unitsSeen = true;
    }
    const bool seen = g_scope.unitsSeen;
    CollectUnits(FahrzeugUnits, seen ? &g_scope.seenFahrzeuge : nullptr, window, vehicleReach, 0,
                 c.fahrzeuge);
    CollectUnits(PersonUnits, seen ? &g_scope.seenPersonen : nullptr, window, personReach,
                 kWideLying, c.personen);
}

void CollectByBox(const Rect16& window) {
    UnitCandidates& c = g_scope.byBox;
    c.window = window;
    CollectUnitsNear(window, -1, -1, c);
    c.valid = true;
}

// The units a test may meet, from the open scope; null without one.
const UnitCandidates* UnitsNear(const Query& q) {
    if (g_scope.depth == 0) return nullptr;
    if (q.prefilter) {
        // Whatever meets a footprint inside the box window is among its units; the pre-filter
        // still applies to them.
        if (g_scope.byBox.valid && Within(q.foot, g_scope.byBox.window)) return &g_scope.byBox;
        UnitCandidates& c = g_scope.nearPoint;
        const Rect16 point{To16(q.px), To16(q.py), To16(q.px), To16(q.py)};
        if (!c.valid || !Within(point, c.window) || c.vehicleReach < q.vehicleRange ||
            c.personReach < q.personRange) {
            c.window = WindowAround(point, MarginFor(q));
            c.vehicleReach = q.vehicleRange;
            c.personReach = q.personRange;
            CollectUnitsNear(c.window, c.vehicleReach, c.personReach, c);
            c.valid = true;
        }
        return &c;
    }
    UnitCandidates& c = g_scope.byBox;
    if (!c.valid || !Within(q.foot, c.window)) CollectByBox(WindowAround(q.foot, MarginFor(q)));
    return &c;
}

// The objects whose boxes meet the window.
void CollectObjects(const Rect16& window) {
    g_scope.objectWindow = window;
    g_scope.objects.clear();
    const int slots = SonderObjSlots();
    const int types = SonderObjTypes();
    if (!g_scope.reachKnown) {
        // How far any type's box reaches from its object's position, to pass over the objects
        // far from the window by their position alone. The types stay while the scope does.
        Rect16& r = g_scope.typeReach;
        r = {};
        for (int t = 0; t < types; ++t) {
            const SonderObjTyp& typ = SonderObjTypen[static_cast<std::size_t>(t)];
            r.x1 = std::min(r.x1, typ.boxX0);
            r.y1 = std::min(r.y1, typ.boxY0);
            r.x2 = std::max(r.x2, typ.boxX1);
            r.y2 = std::max(r.y2, typ.boxY1);
        }
        g_scope.reachKnown = true;
    }
    const int reachLeft = g_scope.typeReach.x1;
    const int reachUp = g_scope.typeReach.y1;
    const int reachRight = g_scope.typeReach.x2;
    const int reachDown = g_scope.typeReach.y2;
    const Rect16& w = g_scope.objectWindow;
    const float left = static_cast<float>(w.x1 - reachRight - 1);
    const float top = static_cast<float>(w.y1 - reachDown - 1);
    const float right = static_cast<float>(w.x2 - reachLeft + 1);
    const float bottom = static_cast<float>(w.y2 - reachUp + 1);
    g_scope.objectsValid = true;
    const SonderObj* objects = SonderObjs.data();
    if (!g_scope.objectsSeen && ++g_scope.objectGatherings > kGatheringsBeforeSeen) {
        // The used slots, once for the rest of the scope.
        g_scope.seenObjects.clear();
        for (int j = 0; j < slots; ++j) {
            const SonderObj& o = objects[j];
            Rect16 box;
            if (o.type >= 0 && ObjectBox(o, types, box))
                g_scope.seenObjects.push_back(
                    {o.x, o.y, {static_cast<std::int16_t>(j), 0, 0, box}});
        }
        g_scope.objectsSeen = true;
    }
    if (g_scope.objectsSeen) {
        for (const Seen& o : g_scope.seenObjects)
            if (o.x > left && o.x < right && o.y > top && o.y < bottom && Meets(w, o.candidate.box))
                g_scope.objects.push_back(o.candidate);
        return;
    }
    for (int j = 0; j < slots; ++j) {
        const SonderObj& o = objects[j];
        // Most lie apart across; free slots are told by their type after that.
        if (!(o.x > left && o.x < right)) continue;
        if (o.type < 0 || !(o.y > top && o.y < bottom)) continue;
        Rect16 box;
        if (ObjectBox(o, types, box) && Meets(w, box))
            g_scope.objects.push_back({static_cast<std::int16_t>(j), 0, 0, box});
    }
}

// What a scope opened around a window keeps for the tests to come: the units at once, the
// objects once a test asks for them.
void CollectAround(const Rect16& window) {
    CollectByBox(window);
    g_scope.objectArea = window;
    g_scope.objectAreaKnown = true;
}

const CandidateList* ObjectsNear(const Query& q) {
    if (g_scope.depth == 0) return nullptr;
    if (!g_scope.objectsValid || !Within(q.foot, g_scope.objectWindow))
        CollectObjects(g_scope.objectAreaKnown && Within(q.foot, g_scope.objectArea)
                           ? g_scope.objectArea
                           : WindowAround(q.foot, MarginFor(q)));
    return &g_scope.objects;
}

// Calls blocks(i) for every index the test must look at, in index order: the scope's candidates
// below count whose kept box meets the footprint (and, for a pre-filtered test, whose position
// passes it), or all of 0..count-1. The first nonzero result is the hit.
template <class Blocks>
std::uint8_t FirstBlocking(const Query& q, const CandidateList* candidates, int range, int count,
                           std::uint8_t kind, CollisionHit& hit, Blocks&& blocks) {
    if (candidates != nullptr) {
        for (const Candidate& c : *candidates) {
            if (c.index >= count || !Meets(q.foot, c.box)) continue;
            if (range > 0 && (std::abs(q.px - c.x) > range || std::abs(q.py - c.y) > range))
                continue;
            if (const int edges = blocks(c.index))
                return Hit(hit, kind, c.index, static_cast<std::uint8_t>(edges));
        }
        return 0;
    }
    for (int i = 0; i < count; ++i)
        if (const int edges = blocks(i)) return Hit(hit, kind, i, static_cast<std::uint8_t>(edges));
    return 0;
}

std::uint8_t TestUnitsAndObjects(const Query& q, bool anyMask, CollisionHit& hit) {
    const UnitCandidates* near = UnitsNear(q);
    const int vehicleRange = q.prefilter ? q.vehicleRange : 0;
    const int personRange = q.prefilter ? q.personRange : 0;
    const UnitArray& vehicles = FahrzeugUnits;
    if (vehicles.readable())
        if (const std::uint8_t r = FirstBlocking(
                q, near != nullptr ? &near->fahrzeuge : nullptr, vehicleRange, vehicles.count,
                kHitFahrzeug, hit, [&](int i) { return FahrzeugBlocks(q, vehicles, i); }))
            return r;
    const UnitArray& persons = PersonUnits;
    const bool ignoreOnlookers = (q.mode & kCollideNoOnlookers) != 0 && q.type != nullptr &&
                                 q.type->unitClass == kPlayerVehicleUnitClass;
    if (persons.readable())
        if (const std::uint8_t r =
                FirstBlocking(q, near != nullptr ? &near->personen : nullptr, personRange,
                              persons.count, kHitPerson, hit,
                              [&](int i) { return PersonBlocks(q, persons, i, ignoreOnlookers); }))
            return r;
    return FirstBlocking(q, ObjectsNear(q), 0, SonderObjSlots(), kHitSonderObj, hit,
                         [&](int j) { return SonderObjBlocks(q, j, anyMask); });
}

std::uint8_t TestZones(const Query& q, CollisionHit& hit) {
    std::uint16_t zone = 0xFFFF;
    if (!FindFullZone(q.foot, zone)) return 0;
    if (q.unit != nullptr && q.unit->zone == static_cast<std::int16_t>(zone)) return 0;
    std::uint8_t edges = 1;
    if (zone < Zones.size()) {
        const Zone& z = Zones[zone];
        edges = static_cast<std::uint8_t>(RectsIntersect(q.foot, Rect16{z.x1, z.y1, z.x2, z.y2}));
    }
    return Hit(hit, kHitZone, zone, edges);
}

// Whether the open scope found no impassable ground anywhere near the footprint, so that the map
// test can be passed over. Terrain writes during the scope (trampling) are seen by their epoch.
bool ScopeSeesClearGround(const Query& q) {
    if (g_scope.depth == 0) return false;
    auto& t = g_scope.terrain;
    if (!t.valid || t.moveClass != q.moveClass || t.epoch != TerrainEpoch() ||
        !Within(q.foot, t.window)) {
        t.window = WindowAround(q.foot, MarginFor(q));
        t.moveClass = q.moveClass;
        t.epoch = TerrainEpoch();
        const std::span<const std::uint8_t> impassable = ImpassableCells(q.moveClass);
        Rect16 clipped;
        t.clear =
            !ClipToMap(t.window, clipped) || !ForEachCoveredCell(clipped, [&](int column, int row) {
                const auto index = static_cast<std::size_t>(CellIndex(column, row));
                return index >= impassable.size() || impassable[index] != 0;
            });
        t.valid = true;
    }
    return t.clear;
}

// The fixed order of both tests.
std::uint8_t RunTests(const Query& q, bool anyMask, CollisionHit& hit) {
    if (!InOverlapRect(q.foot))
        if (std::uint8_t r = TestUnitsAndObjects(q, anyMask, hit)) return r;
    if ((q.mode & kCollideZones) != 0)
        if (std::uint8_t r = TestZones(q, hit)) return r;
    if (q.layer >= 1) {
        if (std::uint8_t r = TestHouseObjs(q.foot, q.layer, hit)) return r;
        if (std::uint8_t r = TestHouseWalls(q.foot, q.px, q.py, q.house, q.layer, hit)) return r;
    }
    if (q.layer == 0 && ScopeSeesClearGround(q)) return 0;
    return TestMapCells(q.foot, q.layer, q.moveClass, hit);
}

}  // namespace

CollisionScope::CollisionScope() {
    ++g_scope.depth;
}

CollisionScope::CollisionScope(const Rect16& area) : CollisionScope() {
    CollectAround(WindowAround(area));
}

CollisionScope::CollisionScope(const Rect16& area, const UnitTypHead& type) : CollisionScope() {
    CollectAround(WindowAround(area, MarginFor(&type)));
}

CollisionScope::~CollisionScope() {
    if (--g_scope.depth == 0) {
        g_scope.nearPoint.valid = false;
        g_scope.byBox.valid = false;
        g_scope.objectsValid = false;
        g_scope.reachKnown = false;
        g_scope.terrain.valid = false;
        g_scope.unitGatherings = 0;
        g_scope.unitsSeen = false;
        g_scope.objectGatherings = 0;
        g_scope.objectsSeen = false;
        g_scope.objectAreaKnown = false;
    }
}

std::uint8_t TestCollision(std::uint16_t mode, const UnitHead& unit, const UnitTypHead& type,
                           float x, float y, std::uint8_t direction, std::int8_t layer,
                           std::uint8_t anim, CollisionHit* out) {
    CollisionHit scratch;
    CollisionHit& hit = out != nullptr ? *out : scratch;
    hit = {};
    if ((mode & kCollideAnimWalk) != 0)
        anim = 1;
    else if ((mode & kCollideAnimStand) != 0)
        anim = 0;
    const bool person = type.unitClass == kPersonUnitClass;
    const int base = person ? kPersonRadius : kVehicleRadius;
    if (!person && unit.type != kPushingFahrzeugTyp)
        mode &= static_cast<std::uint16_t>(~kCollidePush);
    mode &= static_cast<std::uint16_t>(~kCollideNoCivil);

    Query q;
    q.mode = mode;
    q.unit = &unit;
    q.type = &type;
    q.px = TruncInt(x);
    q.py = TruncInt(y);
    if ((mode & kCollideSizeBox) != 0) {
        const int hw = (type.extent[2] - type.extent[0]) >> 1;
        const int hh = (type.extent[3] - type.extent[1]) >> 1;
        q.foot = {To16(q.px - hw), To16(q.py - hh), To16(q.px + hw), To16(q.py + hh)};
    } else {
        q.foot = SlotFootprint(UnitAnimSlot(type, direction, anim), x, y);
    }
    q.prefilter = true;
    q.vehicleRange = base + kVehicleRadius;
    q.personRange = base + kPersonRadius;
    q.hasDirection = true;
    q.direction = direction;
    q.layer = layer;
    q.house = unit.house;
    q.moveClass = type.terrainColumn;

    if (const std::uint8_t r = RunTests(q, false, hit)) return r;
    if ((mode & kCollideTrample) != 0 && layer == 0 && unit.x == x && unit.y == y)
        TrampleCells(q.foot, q.px, q.py, q.moveClass);
    return 0;
}

std::uint8_t FindCollisionAt(std::uint16_t mode, const UnitHead* unit, const UnitTypHead* type,
                             std::int16_t left, std::int16_t top, std::int16_t right,
                             std::int16_t bottom, std::int16_t house, std::int8_t layer,
                             std::uint8_t moveClass, CollisionHit* out) {
    CollisionHit scratch;
    CollisionHit& hit = out != nullptr ? *out : scratch;
    hit = {};
    Query q;
    q.mode = mode;
    q.unit = unit;
    q.type = type;
    q.foot = {left, top, right, bottom};
    // The rectangle stands for a footprint around its centre.
    q.px = (left + right) / 2;
    q.py = (top + bottom) / 2;
    q.layer = layer;
    q.house = static_cast<std::uint16_t>(house);
    q.moveClass = moveClass;
    return RunTests(q, true, hit);
}

}  // namespace kv
