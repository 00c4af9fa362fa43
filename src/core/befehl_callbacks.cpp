#include "core/befehl_callbacks.h"

namespace kv {

BefehlCallbackTable BefehlCallbacks{};

namespace {
const BefehlCallbackTable* g_source = nullptr;
}

BefehlCallback CallbackAt(std::int32_t slot) {
    if (slot < 0 || slot >= kBefehlCallbackCount) return nullptr;
    return BefehlCallbacks[static_cast<std::size_t>(slot)];
}

void SetBefehlCallbackSource(const BefehlCallbackTable* source) {
    g_source = source;
}

void InitBefehlCallbacks() {
    if (g_source != nullptr)
        BefehlCallbacks = *g_source;
    else
        BefehlCallbacks = BefehlCallbackTable{};
}

}  // namespace kv
