#include "core/selection.h"

namespace kv {

namespace {
void (*g_updateSelectionMode)() = nullptr;
}

void UpdateSelectionMode() {
    if (g_updateSelectionMode != nullptr) g_updateSelectionMode();
}

void SetUpdateSelectionModeHook(void (*hook)()) {
    g_updateSelectionMode = hook;
}

}  // namespace kv
