#pragma once
// One function per part of the data tree; main.cpp runs them in order.

#include "writers/output_tree.h"

namespace kv::sampledata {

bool WriteSettings(const OutputTree& out);
// graphs\farben.pal
bool WriteGamePalette(const OutputTree& out);
// graphs\d\start.cff
bool WriteStartPicture(const OutputTree& out);
// sound\..., the effects, speech and screams
bool WriteSounds(const OutputTree& out);
// data\terrain.dat, data\material.dat
bool WriteTerrainData(const OutputTree& out);
bool WriteMaterialData(const OutputTree& out);
// CDmissions\mi%02d.lev and .dat
bool WriteMissionLevels(const OutputTree& out);
// houses\haus%02d.hlv, the picture sets houses\hl, hm, hu, ho%02d.dat, the flame sets
// houses\lb, mb, ub%02d.dat
bool WriteHouses(const OutputTree& out);
// houseobj\*.vff
bool WriteFurnitureImages(const OutputTree& out);

}  // namespace kv::sampledata
