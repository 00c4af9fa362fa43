#pragma once
// One function per part of the data tree; main.cpp runs them in order.

#include "writers/output_tree.h"

namespace kv::sampledata {

bool WriteSettings(const OutputTree& out);
// graphs\farben.pal
bool WriteGamePalette(const OutputTree& out);
// graphs\d\start.cff
bool WriteStartPicture(const OutputTree& out);
// persons\<folder>\<stem><direction>.vff of every person type
bool WritePersonSprites(const OutputTree& out);

}  // namespace kv::sampledata
