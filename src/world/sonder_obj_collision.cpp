#include "world/sonder_obj_collision.h"

#include <algorithm>

#include "core/mission_state.h"
#include "core/unit_views.h"
#include "gfx/primitives.h"
#include "movement/unit_type.h"
#include "world/geometry.h"
#include "world/level_map.h"
#include "world/sonder_obj.h"
#include "world/terrain_outline.h"

namespace kv {

namespace {

std::int16_t To16(int v) {
    return static_cast<std::int16_t>(std::clamp(v, -32768, 32767));
}

// A type's box at an object's position, the sums truncated.
Rect16 ObjectBox(const SonderObj& o, const SonderObjTyp& t) {
    return Rect16{To16(static_cast<int>(static_cast<float>(t.boxX0) + o.x)),
                  To16(static_cast<int>(static_cast<float>(t.boxY0) + o.y)),
                  To16(static_cast<int>(static_cast<float>(t.boxX1) + o.x)),
                  To16(static_cast<int>(static_cast<float>(t.boxY1) + o.y))};
}

Quad16 Upright(const Rect16& r) {
    return Quad16{{r.x1, r.y1}, {r.x2, r.y1}, {r.x1, r.y2}, {r.x2, r.y2}};
}

// The unit's current hit box: its animation's box placed at its draw corner.
bool UnitBox(const UnitArray& units, int index, Quad16& out) {
    const UnitHead* u = units.at(index);
    const AnimSlot* slot = units.currentAnim(index);
    if (u == nullptr || slot == nullptr) return false;
    out = Upright(Rect16{To16(u->drawX + slot->box[0]), To16(u->drawY + slot->box[1]),
                         To16(u->drawX + slot->box[2]), To16(u->drawY + slot->box[3])});
    return true;
}

std::uint8_t Hit(SonderObjContact& contact, std::uint8_t kind, int index, std::uint8_t mask) {
    contact.kind = kind;
    contact.index = static_cast<std::uint16_t>(index);
    return mask;
}

// Step 5: the cells under the box on the ground, each impassable one through the outline of its
// whole impassable region.
std::uint8_t TestCells(const Rect16& box, std::uint8_t moveClass, SonderObjContact& contact) {
    const ImpassableOverlap found = FindImpassableOverlap(box, moveClass);
    if (found.mask == 0) return 0;
    contact.row = static_cast<std::uint16_t>(found.row);
    contact.extent = found.region->columns;
    return Hit(contact, kContactCell, found.column, found.mask);
}

}  // namespace

std::uint8_t TestSonderObjCollision(std::int16_t slot, std::uint8_t edgeTest,
                                    std::uint8_t moveClass, SonderObjContact& contact) {
    contact = SonderObjContact{};
    const SonderObj* o = SonderObjAt(slot);
    const SonderObjTyp* t = o != nullptr ? SonderObjTypAt(o->type) : nullptr;
    if (t == nullptr) return 0;
    const Rect16 box = ObjectBox(*o, *t);

    if (edgeTest != 0 && (box.x1 < 0 || box.y1 < 0 || box.x2 > WorldMaxX || box.y2 > WorldMaxY))
        return Hit(contact, kContactMapEdge, 0, 15);

    Quad16 other;
    for (int v = 0; v < FahrzeugUnits.count; ++v) {
        const UnitHead* u = FahrzeugUnits.at(v);
        if (u == nullptr || u->type == -1 || u->storey != o->storey || u->present == 0) continue;
        if (!UnitBox(FahrzeugUnits, v, other)) continue;
        if (const std::uint8_t mask = TestRectQuadOverlap(box, other))
            return Hit(contact, kContactFahrzeug, v, mask);
    }
    for (int p = 0; p < PersonUnits.count; ++p) {
        const UnitHead* u = PersonUnits.at(p);
        if (u == nullptr || u->type == -1 || PersonUnits.isOffMap(p) || u->storey != o->storey ||
            u->present == 0)
            continue;
        if (!UnitBox(PersonUnits, p, other)) continue;
        if (const std::uint8_t mask = TestRectQuadOverlap(box, other))
            return Hit(contact, kContactPerson, p, mask);
    }
    for (int j = 0; j < SonderObjCount; ++j) {
        const SonderObj* s = SonderObjAt(j);
        if (j == slot || s == nullptr || s->type == -1 ||
            (s->blockMask & kSolidForSonderObj) == 0 || s->storey != o->storey || s->visible == 0)
            continue;
        const SonderObjTyp* st = SonderObjTypAt(s->type);
        if (st == nullptr) continue;
        if (const std::uint8_t mask = TestRectQuadOverlap(box, Upright(ObjectBox(*s, *st))))
            return Hit(contact, kContactSonderObj, j, mask);
    }
    if (o->storey == 0) return TestCells(box, moveClass, contact);
    return 0;
}

}  // namespace kv
