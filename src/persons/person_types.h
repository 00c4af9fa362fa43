#pragma once
// The 55 person types: what all persons of a type share, loaded on first use and kept in one
// table for the whole run. Types 0..7 (with their variants) are loaded at start-up and live until
// the program ends; the others come with the missions that use them.

#include <array>
#include <cstdint>

#include "movement/unit_type.h"
#include "persons/person_sprite_table.h"

namespace kv {

struct LyingOffset {
    std::int16_t x;
    std::int16_t y;
};

struct PersonTyp : UnitTypHead {
    std::array<std::uint8_t, kMayBoardCount> mayBoard;  // 1 = may board that vehicle type
    std::int16_t heatDivisor;  // of heat damage; three times it for a casualty
    std::int8_t soundGroup;    // sounds 39..41 + 4 x group; -1 silent
    // Per direction, for a casualty lying that way: ticks of rest after each run of its lying
    // animation, the special-object type put under it (-1 none) and where, from the draw corner.
    std::array<std::uint8_t, kDirectionCount> lyingPause;
    std::array<std::int8_t, kDirectionCount> lyingObjKind;
    std::array<LyingOffset, kDirectionCount> lyingObjOffset;
};

// Every field a loader does not set is 0.
extern std::array<PersonTyp, kPersonTypCount> PersonTypen;
// Covers every box of every person type loaded so far; the person view hands it on.
extern AnimBoxReach PersonBoxReach;

// Types below this number stay loaded for the whole program.
inline constexpr int kPreloadedPersonTypen = 8;

// Person types other code asks for by number.
inline constexpr std::int8_t kPersonTypCivilian = 0;
inline constexpr std::int8_t kPersonTypMedic = 4;
inline constexpr std::int8_t kPersonTypBurning = 7;
inline constexpr std::int8_t kPersonTypStretcherTeam = 26;

// The forms of a person carrying another (a casualty, or the stretcher team's patient), each with
// the base type it goes back to when it no longer carries.
struct CarrierForm {
    std::int8_t carrier;
    std::int8_t base;
};
inline constexpr std::array<CarrierForm, 4> kCarrierForms = {{{12, 1}, {19, 2}, {24, 3}, {26, 5}}};
// The base type of a carrier form; -1 for any other type.
constexpr std::int8_t CarrierBaseTyp(int type) {
    for (const CarrierForm& f : kCarrierForms)
        if (f.carrier == type) return f.base;
    return -1;
}

// Loads the type, with the variants that come with it, unless it is loaded already. Numbers
// outside 0..54 and numbers that load nothing are ignored.
void LoadPersonTyp(std::int16_t type);
// The last step of every sprite set: turns the boxes from hot-spot to image coordinates and sizes
// the footprint from the walking animation.
void FinishPersonTyp(std::int16_t type, std::uint8_t animCount);
// Types 0..7 at program start; stops at the first fatal error.
void PreloadPersonTypen();
// Releases the type's pictures and direction lists, with those of the variants that came with
// it; the other fields keep their values.
void FreePersonTyp(std::int16_t type);

// One sprite set: fills the type's record from the tables and reads its pictures. A missing
// required picture is fatal ("file not found:  <path>.") and ends the set there.
void LoadPersonTypSprites(int type);

// The type's record as the movement code sees it; null for a number outside 0..54.
const UnitTypHead* PersonTypRecord(std::int32_t type);

// Any of the type's direction lists is set.
bool PersonTypLoaded(int type);
// The type's animation in a direction; an empty slot (no frames, no images) for an animation
// the type does not have, a direction or type out of range, or a type that is not loaded.
const AnimSlot& PersonAnimSlot(int type, int direction, int anim);

// Frees the types PreloadPersonTypen loads.
void FreePreloadedPersonTypen();

}  // namespace kv
