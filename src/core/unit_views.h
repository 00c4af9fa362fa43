#pragma once
// What the layers below the simulation read of the units and special objects (sound follows
// them) without knowing their records, and the vehicle fields the fire model reaches through
// them. The person, vehicle and special-object modules fill these views when they allocate their
// arrays and empty them when they free them.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <span>

#include "core/unit_head.h"

namespace kv {

// A unit type's animation in one direction, and the leading fields of a unit type
// (movement/unit_type.h); the views only pass them on.
struct AnimSlot;
struct UnitTypHead;
struct WasserStrahl;

// How far the hit boxes of a set of animations reach from a unit's draw corner: the least left and
// top and the greatest right and bottom of any box, and the least and greatest of all their
// values. It starts with the empty animation's box (all 0) and only ever widens, so that it still
// covers a type loaded once and freed since.
struct AnimBoxReach {
    std::int16_t left = 0;
    std::int16_t top = 0;
    std::int16_t right = 0;
    std::int16_t bottom = 0;
    std::int16_t least = 0;
    std::int16_t greatest = 0;

    void add(std::int16_t x1, std::int16_t y1, std::int16_t x2, std::int16_t y2) {
        left = std::min(left, x1);
        top = std::min(top, y1);
        right = std::max(right, x2);
        bottom = std::max(bottom, y2);
        least = std::min({least, x1, y1, x2, y2});
        greatest = std::max({greatest, x1, y1, x2, y2});
    }
};

// The person or vehicle array, as far as its shared head goes.
struct UnitArray {
    std::int16_t count = 0;
    UnitHead* (*head)(std::int16_t index) = nullptr;
    // Persons only: the casualty flag, and the sound group of the person's type (-1 none).
    std::uint8_t (*casualty)(std::int16_t index) = nullptr;
    std::int8_t (*soundGroup)(std::int16_t index) = nullptr;
    // Vehicles only: the heat that fire and explosions add each tick; the water cannon's jet
    // (null for a vehicle without a cannon).
    std::int32_t* (*heat)(std::int16_t index) = nullptr;
    WasserStrahl* (*wasserStrahl)(std::int16_t index) = nullptr;
    // Persons only: 1 while the person is inside a vehicle or carried. Null reads as 0.
    std::uint8_t (*offMap)(std::int16_t index) = nullptr;
    // The animation the unit shows now (its type's slot for its direction and animation); null
    // when the type has none.
    const AnimSlot* (*animSlot)(std::int16_t index) = nullptr;
    // The type record of a type number (a PersonTyp or FahrzeugTyp); null for a number outside
    // the table.
    const UnitTypHead* (*typeRecord)(std::int32_t type) = nullptr;
    // Covers the box of every animation animSlot can give, for the collision tests to pass over
    // units far from where they look without asking for their animation; null when not known.
    const AnimBoxReach* boxReach = nullptr;

    // When the records lie in one array: the head of record i starts stride bytes after that of
    // record i - 1. Loops over every slot (the collision tests) read them without a call per slot.
    std::byte* base = nullptr;
    std::ptrdiff_t stride = 0;

    // Registers an array of records that derive from UnitHead.
    template <class Rec, std::size_t N>
    void setRecords(std::span<Rec, N> records) {
        count = static_cast<std::int16_t>(records.size());
        base = records.empty() ? nullptr
                               : reinterpret_cast<std::byte*>(static_cast<UnitHead*>(&records[0]));
        stride = static_cast<std::ptrdiff_t>(sizeof(Rec));
    }
    // The head of slot index, which must lie in 0..count-1.
    UnitHead& slot(std::int32_t index) const {
        if (base != nullptr)
            return *std::launder(reinterpret_cast<UnitHead*>(base + index * stride));
        return *head(static_cast<std::int16_t>(index));
    }
    // Whether the records can be read at all.
    bool readable() const { return base != nullptr || head != nullptr; }

    // Null for an index outside the array.
    UnitHead* at(std::int32_t index) const {
        if (!readable() || index < 0 || index >= count) return nullptr;
        return &slot(index);
    }
    const UnitTypHead* typeOf(std::int32_t type) const {
        return typeRecord != nullptr ? typeRecord(type) : nullptr;
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
