#include "core/befehl_callbacks.h"

namespace kv {

BefehlCallbackTable BefehlCallbacks{};

namespace {
const BefehlCallbackTable* g_source = nullptr;
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
