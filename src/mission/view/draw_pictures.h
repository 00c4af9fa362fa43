#pragma once
// What the draw list and its drawers draw, looked up with every index checked: a unit's current
// picture, a special object's or a furniture piece's frame, the ladder basket's offsets and the
// hose's nozzle. A lookup that names nothing (a type not loaded, a direction, animation, slot or
// frame out of range) gives null, and the thing gets no entry and draws nothing.

#include <array>
#include <cstdint>

#include "gfx/image_files.h"
#include "movement/unit_type.h"
#include "world/schlauch_strahl.h"

namespace kv {

struct Fahrzeug;
struct Person;
struct PersonTyp;
struct SonderObj;
struct SonderObjTyp;
struct HouseObj;

struct DrawOffset {
    std::int16_t dx;
    std::int16_t dy;
};

// The ladder basket's offset from the vehicle's position, by basket position 0..3 and column
// 0..11. Only columns 0, 1, 2, 10 and 11 are used, and the home column 3 at position 0; the others
// hold (-1, -1) and name no place.
inline constexpr DrawOffset kNoKanzelOffset{-1, -1};
inline constexpr int kKanzelPositions = 4;
inline constexpr std::array<std::array<DrawOffset, kDirectionCount>, kKanzelPositions>
    KanzelOffsets = [] {
        constexpr DrawOffset n = kNoKanzelOffset;
        return std::array<std::array<DrawOffset, kDirectionCount>, kKanzelPositions>{{
            {{{0, -90}, {0, -84}, {-1, -85}, {-5, -22}, n, n, n, n, n, n, {-70, -92}, {-44, -92}}},
            {{{-2, -110}, {0, -109}, {0, -107}, n, n, n, n, n, n, n, {-63, -109}, {-35, -110}}},
            {{{-2, -140}, {0, -144}, {0, -141}, n, n, n, n, n, n, n, {-66, -142}, {-35, -144}}},
            {{{0, -178}, {0, -175}, {0, -171}, n, n, n, n, n, n, n, {-67, -173}, {-34, -178}}},
        }};
    }();

// The hose's nozzle relative to the person's position, by direction: the hand that holds it.
inline constexpr const auto& HoseNozzleOffsets = kSchlauchHandOffsets;

// The ladder vehicle whose animations hold the basket's pictures.
inline constexpr std::int16_t kKanzelPictureTyp = 5;  // F106

// Frame n of an image set, or null past its end or for a negative n.
const VffImage* SetFrame(const VffImage* set, int n);
const FrameSet* SetFrame(const FrameSet* set, int n);

// A unit's current frame and the top of its animation's box in that frame.
struct UnitPicture {
    const VffImage* image = nullptr;
    int boxTop = 0;
};
UnitPicture FahrzeugPicture(const Fahrzeug& f);
UnitPicture PersonPicture(const Person& p);
// The person's type record; null for a type outside the table.
const PersonTyp* PersonTypAt(int type);

// The offset of a basket place; null where KanzelOffsets names none.
const DrawOffset* KanzelOffsetAt(int position, int column);

// The current frame of a special object (with its type) or of a furniture piece.
const FrameSet* SonderObjFrame(const SonderObj& o, const SonderObjTyp** typ);
const FrameSet* HouseObjFrame(const HouseObj& o);

}  // namespace kv
