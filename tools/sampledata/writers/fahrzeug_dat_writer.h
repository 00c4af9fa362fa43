#pragma once
// A vehicle type's data file ("data\cars\<code>.dat"): five numbers, one per CR LF line, each
// after a label without digits.

#include <cstdint>
#include <vector>

namespace kv::sampledata {

struct FahrzeugDatNumbers {
    std::int32_t price = 0;
    std::int32_t seats = 0;
    std::int32_t speed = 0;  // pixels per tick
    std::int32_t karteStep = 0;
    std::int32_t heatProtection = 0;
};

std::vector<std::uint8_t> MakeFahrzeugDat(const FahrzeugDatNumbers& numbers);

}  // namespace kv::sampledata
