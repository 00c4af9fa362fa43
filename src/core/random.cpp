#include "core/random.h"

namespace kv {

namespace {
std::uint32_t g_seed = 1;
}

void SeedRandom(std::uint32_t seed) {
    g_seed = seed;
}

int Rand() {
    g_seed = g_seed * 22695477u + 1u;
    return static_cast<int>((g_seed >> 16) & 0x7FFF);
}

std::uint32_t RandomSeed() {
    return g_seed;
}

}  // namespace kv
