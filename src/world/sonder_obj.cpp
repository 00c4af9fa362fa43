#include "world/sonder_obj.h"

namespace kv {

std::vector<SonderObjTyp> SonderObjTypen;
std::int16_t SonderObjTypCount = 0;
std::vector<SonderObj> SonderObjs;
std::int16_t SonderObjCount = 0;

SonderObjTyp* SonderObjTypAt(int type) {
    if (type < 0 || type >= SonderObjTypCount ||
        static_cast<std::size_t>(type) >= SonderObjTypen.size())
        return nullptr;
    return &SonderObjTypen[static_cast<std::size_t>(type)];
}

SonderObj* SonderObjAt(int slot) {
    if (slot < 0 || slot >= SonderObjCount || static_cast<std::size_t>(slot) >= SonderObjs.size())
        return nullptr;
    return &SonderObjs[static_cast<std::size_t>(slot)];
}

std::int16_t FollowSonderObjTypLink(std::int16_t from, std::uint16_t link) {
    return SonderObjTypAt(link) != nullptr ? static_cast<std::int16_t>(link) : from;
}

void AddPersonSonderObj(int) {}

void FreeSonderObj() {
    SonderObjTypen = {};
    SonderObjTypCount = 0;
    SonderObjs = {};
    SonderObjCount = 0;
}

}  // namespace kv
