#pragma once
// What person types and vehicle types share: one animation of one direction (AnimSlot) and the
// leading fields of both type records. The order, movement and collision code take a unit's type
// as a UnitTypHead, whichever kind of unit it is.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "core/unit_views.h"
#include "gfx/image_files.h"
#include "gfx/primitives.h"
#include "world/geometry.h"

namespace kv {

// Units face one of twelve directions, 30 degrees apart.
inline constexpr int kDirectionCount = 12;

// A direction taken round the circle into 0..11.
constexpr std::uint8_t WrapDirection(int d) {
    return static_cast<std::uint8_t>(((d % kDirectionCount) + kDirectionCount) % kDirectionCount);
}

// One animation of one unit type in one direction.
struct AnimSlot {
    std::uint16_t frames;  // 0 = the animation does not exist in this direction
    std::uint16_t delay;   // ticks per frame; 0 where a one-frame animation gives none
    std::int16_t hotX;  // the image's top-left is drawn at the unit's position minus the hot spot
    std::int16_t hotY;
    // x1, y1, x2, y2 of the hit box: relative to the hot spot while the type loads, relative to
    // the image's top-left corner once it is finished. The world box is the draw corner plus it.
    std::array<std::int16_t, 4> box;
    VffImage* images;  // all frames of this animation and direction; null = none
};

// A type's class (unitClass).
inline constexpr std::uint8_t kPlayerVehicleUnitClass = 1;  // and the shark
inline constexpr std::uint8_t kCivilVehicleUnitClass = 2;
inline constexpr std::uint8_t kPersonUnitClass = 4;

// A code of up to six characters and its terminator ("PPILOT").
inline constexpr int kUnitCodeSize = 7;

// The leading fields of PersonTyp and FahrzeugTyp, in their order and widths.
struct UnitTypHead {
    // Per direction an array of the type's AnimSlots indexed by animation number; all null while
    // the type is not loaded.
    std::array<AnimSlot*, kDirectionCount> dirAnims;
    std::uint32_t price;
    float speed;                            // pixels per tick
    std::array<std::int16_t, 4> selectBox;  // x1, y1, x2, y2 relative to the unit's position
    // Step-ring entries by which the movement code backs off when it opens a waypoint shortcut.
    std::uint8_t shortcutBackSteps;
    std::array<std::int16_t, 4> extent;  // footprint x1, y1, x2, y2, centred on the position
    std::uint8_t panelPicture;
    std::int8_t speaker;  // whose phrases acknowledge orders; -1 = never answers
    std::int32_t heatProtection;
    std::uint8_t terrainColumn;            // column of the tile types' passability tables
    std::uint8_t unitClass;                // 1 player vehicle, 2 civilian vehicle, 4 person
    std::array<char, kUnitCodeSize> code;  // NUL-terminated
    // AnimSlots in each direction's array while the type is loaded, else 0.
    std::uint8_t animCount;

    // Sets code, cut to fit with its terminator.
    void setCode(std::string_view text) {
        code.fill('\0');
        std::copy_n(text.begin(), std::min<std::size_t>(text.size(), code.size() - 1),
                    code.begin());
    }
};

inline constexpr AnimSlot kEmptyAnimSlot{};

// The type's animation in a direction; the empty slot (no frames, no images) for a direction or
// animation out of range, or a type that is not loaded.
inline const AnimSlot& UnitAnimSlot(const UnitTypHead& typ, int direction, int anim) {
    if (direction < 0 || direction >= kDirectionCount || anim < 0 || anim >= typ.animCount)
        return kEmptyAnimSlot;
    const AnimSlot* slots = typ.dirAnims[static_cast<std::size_t>(direction)];
    return slots != nullptr ? slots[anim] : kEmptyAnimSlot;
}

// The picture of one frame of an animation, as the unit shows it now; null when the slot has no
// pictures or the frame lies past its frames (a frame counter left over from another animation).
inline const VffImage* UnitFrameImage(const AnimSlot& slot, int frame) {
    if (slot.images == nullptr || frame < 0 || frame >= slot.frames ||
        static_cast<std::size_t>(frame) >= FrameCount(slot.images))
        return nullptr;
    return &slot.images[frame];
}

// The footprint of an animation's box placed at (x, y) through its hot spot.
inline Rect16 SlotFootprint(const AnimSlot& slot, float x, float y) {
    const int left = TruncInt(x) - slot.hotX;
    const int top = TruncInt(y) - slot.hotY;
    return {static_cast<std::int16_t>(left + slot.box[0]),
            static_cast<std::int16_t>(top + slot.box[1]),
            static_cast<std::int16_t>(left + slot.box[2]),
            static_cast<std::int16_t>(top + slot.box[3])};
}

// Widens the reach over every box the type's animations have now.
inline void WidenBoxReach(AnimBoxReach& reach, const UnitTypHead& typ) {
    for (const AnimSlot* slots : typ.dirAnims) {
        if (slots == nullptr) continue;
        for (int a = 0; a < typ.animCount; ++a) {
            const auto& b = slots[a].box;
            reach.add(b[0], b[1], b[2], b[3]);
        }
    }
}

// Held while a type loads: however the load ends, even half done, the reach covers the boxes it
// leaves.
class WidenBoxReachOnExit {
  public:
    WidenBoxReachOnExit(AnimBoxReach& reach, const UnitTypHead& typ) : reach_(reach), typ_(typ) {}
    ~WidenBoxReachOnExit() { WidenBoxReach(reach_, typ_); }
    WidenBoxReachOnExit(const WidenBoxReachOnExit&) = delete;
    WidenBoxReachOnExit& operator=(const WidenBoxReachOnExit&) = delete;

  private:
    AnimBoxReach& reach_;
    const UnitTypHead& typ_;
};

}  // namespace kv
