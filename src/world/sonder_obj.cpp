#include "world/sonder_obj.h"

namespace kv {

std::vector<SonderObjTyp> SonderObjTypen;
std::int16_t SonderObjTypCount = 0;
std::vector<SonderObj> SonderObjs;
std::int16_t SonderObjCount = 0;

SonderObj* UsedSonderObj(std::int32_t index) {
    if (index < 0 || index >= SonderObjCount ||
        static_cast<std::size_t>(index) >= SonderObjs.size())
        return nullptr;
    SonderObj& o = SonderObjs[static_cast<std::size_t>(index)];
    return o.type == -1 ? nullptr : &o;
}

SonderObjTyp* SonderObjTypOf(std::int32_t type) {
    if (type < 0 || type >= SonderObjTypCount ||
        static_cast<std::size_t>(type) >= SonderObjTypen.size())
        return nullptr;
    return &SonderObjTypen[static_cast<std::size_t>(type)];
}

void FreeSonderObj() {
    SonderObjTypen = {};
    SonderObjTypCount = 0;
    SonderObjs = {};
    SonderObjCount = 0;
}

}  // namespace kv
