#include "platform/backend.h"

namespace kv {

namespace {
Backend* g_backend = nullptr;
}

void SetBackend(Backend* backend) {
    g_backend = backend;
}
Backend* GetBackend() {
    return g_backend;
}

}  // namespace kv
