#pragma once
// What the layers below the simulation read of the units and special objects (sound follows
// them) without knowing their records. The person, vehicle and special-object modules fill these
// views when they allocate their arrays and empty them when they free them.

#include <cstdint>

#include "core/unit_head.h"

namespace kv {

// A unit type's animation in one direction (movement/unit_type.h); the views only pass it on.
struct AnimSlot;

// The person or vehicle array, as far as its shared head goes.
struct UnitArray {
    std::int16_t count = 0;
    UnitHead* (*head)(std::int16_t index) = nullptr;
    // Persons only: the casualty flag, and the sound group of the person's type (-1 none).
    std::uint8_t (*casualty)(std::int16_t index) = nullptr;
    std::int8_t (*soundGroup)(std::int16_t index) = nullptr;
    // Persons only: 1 while the person is inside a vehicle or carried. Null reads as 0.
    std::uint8_t (*offMap)(std::int16_t index) = nullptr;
    // The animation the unit shows now (its type's slot for its direction and animation); null
    // when the type has none.
    const AnimSlot* (*animSlot)(std::int16_t index) = nullptr;

    // Null for an index outside the array.
    UnitHead* at(std::int32_t index) const {
        if (head == nullptr || index < 0 || index >= count) return nullptr;
        return head(static_cast<std::int16_t>(index));
    }
    bool isOffMap(std::int32_t index) const {
        return offMap != nullptr && at(index) != nullptr &&
               offMap(static_cast<std::int16_t>(index)) != 0;
    }
    const AnimSlot* currentAnim(std::int32_t index) const {
        if (animSlot == nullptr || at(index) == nullptr) return nullptr;
        return animSlot(static_cast<std::int16_t>(index));
    }
};
extern UnitArray PersonUnits;
extern UnitArray FahrzeugUnits;

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

// All three views empty, as when no mission runs.
void ResetUnitViews();

}  // namespace kv
