#pragma once
// The loaders of the special-object types: each row of the layout table fills one type slot from
// its image set. The common types come with AllocSonderObj; a mission's set-up loads its own after
// it.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "world/sonder_obj_layout_table.h"

namespace kv {

struct SonderObjTyp;

// A clean type record whose links each name its own slot, so that a link nobody set changes
// nothing.
void ClearSonderObjTyp(SonderObjTyp& t, std::uint16_t self);
// Replaces a type slot's frames with a file's: `wanted` of them but never more than the file
// holds, `ticks` each. A missing or empty file is fatal with the message, and the slot is left
// without frames. With `fresh` the slot gets a clean record (ClearSonderObjTyp) once the file has
// loaded. The frames in the file, 0 after the fatal error or for a slot outside the type array.
std::size_t LoadSonderObjTypFrames(std::int16_t slot, std::string_view path,
                                   std::string_view message, std::size_t wanted, std::int16_t ticks,
                                   bool fresh);

// Fills the row's type slot: frames (never more than the file holds), frame time, the frames'
// offset, hit box, fire behaviour and links. A missing or empty file is fatal with the set's
// message. False after a fatal error, or when the slot lies outside the type array.
bool LoadSobj(const SonderObjLayoutRow& row);
// Types 0..17; stops at the first fatal error.
bool LoadCommonSonderObjTypen();
// The mission's own types in the order of its rows; stops at the first fatal error.
bool LoadMissionSonderObjTypen(int mission);
// The type count a mission's set-up stores before AllocSonderObj; the common 18 for a number
// outside 1..30.
std::int16_t MissionSonderObjTypCount(int mission);

}  // namespace kv
