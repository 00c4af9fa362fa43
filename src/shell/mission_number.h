#pragma once
// The running mission. Every per-mission table and hook is chosen by it, from the world up to the
// screens, so it lives down here where all of them can read it; the mission start sets it.

#include <cstdint>

namespace kv {

extern std::uint8_t MissionNummer;  // 1..30

}  // namespace kv
