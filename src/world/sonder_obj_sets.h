#pragma once
// The loaders of the special-object types: each row of the layout table fills one type slot from
// its image set. The common types come with AllocSonderObj; a mission's set-up loads its own after
// it.

#include <cstdint>

#include "world/sonder_obj_layout_table.h"

namespace kv {

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
