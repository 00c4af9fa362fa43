#include "missions/held_casualty.h"

#include <vector>

#include "persons/personen.h"
#include "world/sonder_obj.h"

namespace kv {

namespace {

constexpr std::uint8_t kHeldFacing = 3;

std::vector<std::size_t> FreeSonderObjSlots() {
    std::vector<std::size_t> free;
    for (std::size_t i = 0; i < SonderObjs.size(); ++i)
        if (SonderObjs[i].type == -1) free.push_back(i);
    return free;
}

}  // namespace

std::int16_t CreateHeldCasualty(std::int8_t type, std::int32_t energy, std::uint16_t loss,
                                std::int16_t heal, std::int16_t object) {
    SonderObj* holder = SonderObjAt(object);
    if (holder == nullptr) return -1;
    // The ground object a loaded type gets at once fills one of these slots.
    const std::vector<std::size_t> wereFree = FreeSonderObjSlots();
    const std::int16_t index = CreateVerletzter(type, 0, 0, 0, kHeldFacing, energy, loss, heal, 0);
    if (index < 0) return -1;
    for (const std::size_t slot : wereFree)
        if (SonderObjs[slot].type != -1) FreeSonderObjSlot(static_cast<int>(slot));
    Person& p = *UsedPersonAt(index);
    p.offMap = 1;
    p.present = 0;
    holder->user = index;
    return index;
}

void ReleaseHeldPerson(std::int16_t object, float x, float y, std::uint8_t mask) {
    SonderObj* holder = SonderObjAt(object);
    if (holder == nullptr) return;
    const std::int16_t index = holder->user;
    holder->user = -1;
    Person* p = UsedPersonAt(index);
    if (p == nullptr || p->offMap != 1 || p->present != 0) return;
    p->offMap = 0;
    p->present = 1;
    p->x = x;
    p->y = y;
    UpdatePersonDrawPos(*p);
    PushPersonFree(index, mask);
    AddPersonSonderObj(index);
}

}  // namespace kv
