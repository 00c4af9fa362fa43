#pragma once
// The player's selection mode names a selected person's type as 1000 + the type. When an order
// changes the type of the selected person, the mode follows it.

#include <cstdint>

#include "core/mission_state.h"
#include "persons/person.h"

namespace kv {

// From one mode to the other, when the person is selected and the mode is the first.
inline void MoveSelectionMode(const Person& p, std::uint16_t from, std::uint16_t to) {
    if (p.selected != 0 && SelectionMode == from) SelectionMode = to;
}

// To 1000 + the person's type, when it is selected and the mode names a person or one of the
// special person modes (1000 and up, read as signed: "several" and "none" stay). True when it
// followed.
inline bool FollowSelectionMode(const Person& p) {
    if (p.selected == 0 || static_cast<std::int16_t>(SelectionMode) < kPersonSelected) return false;
    SelectionMode = static_cast<std::uint16_t>(kPersonSelected + p.type);
    return true;
}

}  // namespace kv
