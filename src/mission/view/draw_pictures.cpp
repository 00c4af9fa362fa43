#include "mission/view/draw_pictures.h"

#include "persons/person.h"
#include "persons/person_types.h"
#include "vehicles/fahrzeug.h"
#include "vehicles/fahrzeug_typ.h"
#include "world/furniture.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

template <class F>
const F* NthFrame(const F* set, int n) {
    if (set == nullptr || n < 0) return nullptr;
    for (int i = 0; i < n; ++i)
        if (set[i].pixels == nullptr) return nullptr;
    return set[n].pixels != nullptr ? &set[n] : nullptr;
}

UnitPicture Picture(const AnimSlot& slot, int frame) {
    if (frame >= slot.frames) return {};
    const VffImage* image = NthFrame(slot.images, frame);
    return image != nullptr ? UnitPicture{image, slot.box[1]} : UnitPicture{};
}

}  // namespace

const VffImage* SetFrame(const VffImage* set, int n) {
    return NthFrame(set, n);
}

const FrameSet* SetFrame(const FrameSet* set, int n) {
    return NthFrame(set, n);
}

UnitPicture FahrzeugPicture(const Fahrzeug& f) {
    return Picture(FahrzeugAnimSlot(f.type, f.direction, f.anim), f.frame);
}

UnitPicture PersonPicture(const Person& p) {
    return Picture(PersonAnimSlot(p.type, p.direction, p.anim), p.frame);
}

const PersonTyp* PersonTypAt(int type) {
    return type >= 0 && type < kPersonTypCount ? &PersonTypen[static_cast<std::size_t>(type)]
                                               : nullptr;
}

const DrawOffset* KanzelOffsetAt(int position, int column) {
    if (position < 0 || position >= kKanzelPositions || column < 0 || column >= kDirectionCount)
        return nullptr;
    const DrawOffset& o =
        KanzelOffsets[static_cast<std::size_t>(position)][static_cast<std::size_t>(column)];
    return o.dx == kNoKanzelOffset.dx && o.dy == kNoKanzelOffset.dy ? nullptr : &o;
}

const FrameSet* SonderObjFrame(const SonderObj& o, const SonderObjTyp** typ) {
    const SonderObjTyp* t = o.type >= 0 ? SonderObjTypAt(o.type) : nullptr;
    if (typ != nullptr) *typ = t;
    return t != nullptr ? NthFrame(t->frames, o.frame) : nullptr;
}

const FrameSet* HouseObjFrame(const HouseObj& o) {
    if (!HouseObjInUse(o)) return nullptr;
    return NthFrame(HouseObjTypen[o.slot].images, o.frame);
}

}  // namespace kv
