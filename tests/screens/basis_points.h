#pragma once
// Where a test's mouse finds things on a station's screen: the rooms are drawn in screen pixels.

#include <cstddef>
#include <cstdint>

#include "movement/unit_type.h"
#include "persons/personen.h"
#include "screens/basis.h"
#include "screens/basis_screen.h"
#include "vehicles/fahrzeug_typ.h"

namespace kv::test {

struct ScreenPoint {
    int x;
    int y;
};

// The middle of the picture drawn at a place of the open base.
inline ScreenPoint PlaceMiddle(std::size_t place) {
    const BasisPlace& p = Basen[static_cast<std::size_t>(BasisScreen.base)].places[place];
    const AnimSlot& slot = FahrzeugAnimSlot(p.type, p.facing, 0);
    const VffImage* image = UnitFrameImage(slot, 0);
    if (image == nullptr) return {p.x, p.y};
    return {p.x - slot.hotX + image->width / 2, p.y - slot.hotY + image->height / 2};
}

// The middle of a station person's picture.
inline ScreenPoint PersonMiddle(std::int16_t i) {
    const Person& p = Personen[static_cast<std::size_t>(i)];
    const VffImage* image = UnitFrameImage(PersonAnimSlot(p.type, p.direction, p.anim), p.frame);
    if (image == nullptr) return {p.drawX, p.drawY};
    return {p.drawX + image->width / 2, p.drawY + image->height / 2};
}

}  // namespace kv::test
