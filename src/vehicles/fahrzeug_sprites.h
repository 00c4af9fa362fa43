#pragma once
// The loader of every vehicle type's pictures, driven by the sprite table.

#include <cstdint>
#include <string>
#include <string_view>

#include "gfx/image_files.h"
#include "vehicles/fahrzeug_sprite_table.h"

namespace kv {

// Fills the type's record: its entry arrays, code, data-file numbers, constants, pictures, boxes,
// hot spots, cannon and footprint. Called by LoadFahrzeugTyp only; stops at the first fatal error.
void LoadFahrzeugSprites(std::int16_t type);

// The game path of one entry's picture in a facing ("cars\F102\open3.vff").
std::string SpritePath(std::string_view name, const SpriteEntryRow& entry, int facing);
// The game path of a cannon picture ("cars\F104\kanone3.vff").
std::string KanonePath(std::string_view name, int direction);

// The smallest box holding every pixel of the frame that is not colour 0; all zero for a frame
// without any.
SpriteBox OpaqueBox(const VffImage& frame);

}  // namespace kv
