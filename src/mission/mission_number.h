#pragma once
// The running mission, 1..30; every per-mission dispatcher switches on it.

#include <cstdint>

namespace kv {

extern std::uint8_t MissionNummer;

}  // namespace kv
