#pragma once
// "data\material.dat": three header lines, the class count, then one record per fire class:
// number, name, short name, fuel, maximum heat, heat gain, ignition heat, heat loss (-1 = no
// limit).

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "world/materials.h"

namespace kv::sampledata {

struct MaterialRow {
    std::string name;  // letters only
    std::string code;
    Material values;  // as the file holds them: -1 for no limit
};

std::vector<std::uint8_t> WriteMaterialFile(std::span<const MaterialRow> rows);

}  // namespace kv::sampledata
