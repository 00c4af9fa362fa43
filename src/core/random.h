#pragma once
// The game's one random generator. Every random choice draws from it, so a seeded run repeats.

#include <cstdint>

namespace kv {

void SeedRandom(std::uint32_t seed);
// 0..32767.
int Rand();
std::uint32_t RandomSeed();

}  // namespace kv
