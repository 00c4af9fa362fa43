#pragma once
// Placeholder art for the vehicle types: every vehicle is built from a few boxes seen from above
// at an angle, turned to its facing, with its cab (and so its facing) at the front, in the colours
// of its service. The pictures follow the sprite table: its frame counts, its boxes and its cannon
// mounts.

#include <cstdint>
#include <vector>

#include "vehicles/fahrzeug_sprite_table.h"
#include "writers/canvas.h"
#include "writers/image_writers.h"

namespace kv::sampledata {

// Whether the data set holds the entry's picture in that facing: every picture the loader asks
// for, except the aircraft's facings other than 3 and the shark's bites outside its four facings.
bool VehiclePictureWanted(int type, const SpriteEntryRow& entry, int facing);

// The frames of the entry's picture file in that facing (the one facing of a single file).
std::vector<Canvas> DrawVehiclePicture(int type, const SpriteEntryRow& entry, int facing);

// The cannon picture of one direction: the barrel from the anchor to the nozzle.
Canvas DrawKanonePicture(const KanoneRow& kanone, int direction);

// The helicopter's shadow on the ground, 18 frames from high up (small) to landed; the last
// without the rotor.
std::vector<AffFrame> DrawHeliShadow();

}  // namespace kv::sampledata
