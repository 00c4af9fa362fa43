#pragma once
// The order-done callbacks: slots 0 and 1 belong to the engine, 2..14 to mission scripts.

#include <array>
#include <cstdint>

namespace kv {

// (first, second): the unit and the marker's value, or the object slot and the worker; see the
// callers.
using BefehlCallback = void (*)(std::int32_t first, std::int32_t second);
inline constexpr int kBefehlCallbackCount = 15;
using BefehlCallbackTable = std::array<BefehlCallback, kBefehlCallbackCount>;

extern BefehlCallbackTable BefehlCallbacks;
// The callback in a slot; null for an empty slot or one outside the table.
BefehlCallback CallbackAt(std::int32_t slot);

// The callbacks live above the engine; the program names them at start-up.
void SetBefehlCallbackSource(const BefehlCallbackTable* source);
// Fills BefehlCallbacks once at start-up; it never changes afterwards.
void InitBefehlCallbacks();

}  // namespace kv
