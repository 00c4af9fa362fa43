#pragma once
// A person's evade vector: heat, explosions, water and passing units push a person away from a
// source. Only the entry point is declared so far; the onlooker and evasion module fills it in,
// and until then it is inert.

#include <cstdint>

namespace kv {

// Pushes the person away from (x, y) with that strength for a number of ticks; kind 0 is a push
// by heat or a passing unit, id the impulse's source (-1 none).
void SetPersonEvade(std::int16_t person, float x, float y, std::int32_t strength, std::int8_t ticks,
                    std::uint8_t kind, std::int16_t id);

}  // namespace kv
