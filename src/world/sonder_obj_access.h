#pragma once
// What code below the world reads of the special objects (sound follows them) without knowing
// the records. The special-object module fills SonderObjPlaces when it allocates its arrays and
// empties it when it frees them.

#include <cstdint>

namespace kv {

extern std::int16_t BurningSonderObjCount;

// One object in use: its type, position, and its type's hit box relative to the position.
struct SonderObjPlace {
    std::int16_t type = -1;
    float x = 0;
    float y = 0;
    std::int16_t boxX0 = 0;
    std::int16_t boxY0 = 0;
    std::int16_t boxX1 = 0;
    std::int16_t boxY1 = 0;
};

struct SonderObjArray {
    std::int16_t count = 0;
    // False for a free slot.
    bool (*place)(std::int16_t index, SonderObjPlace& out) = nullptr;

    // False for a free slot or an index outside the array.
    bool get(std::int32_t index, SonderObjPlace& out) const {
        if (place == nullptr || index < 0 || index >= count) return false;
        return place(static_cast<std::int16_t>(index), out);
    }
};
extern SonderObjArray SonderObjPlaces;

}  // namespace kv
