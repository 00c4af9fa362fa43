#pragma once
// One function per part of the data tree; main.cpp runs them in order.

#include "writers/output_tree.h"

namespace kv::sampledata {

bool WriteSettings(const OutputTree& out);
bool WriteSounds(const OutputTree& out);

}  // namespace kv::sampledata
